// Deleting one file of a folder through one handle, after checking what the handle names.
#include "runtime/shell/delete_in_folder.h"

#include <string>

namespace {

using Units = std::basic_string<WCHAR>;

// Closes the handle when it goes; GetLastError stays as it was.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (IsOpen()) {
            DWORD error = GetLastError();
            CloseHandle(m_handle);
            SetLastError(error);
        }
    }
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// The path of what the handle names with every link resolved, or the empty text.
Units FinalPath(HANDLE handle) {
    Units path(512, WCHAR(0));
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD length =
            GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), 0);
        if (length == 0)
            return Units();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.assign(length, WCHAR(0)); // too small: the answer is the size it needs
    }
    return Units();
}

bool IsSeparator(WCHAR unit) {
    return unit == TEXT('\\') || unit == TEXT('/');
}

} // namespace

FolderDelete DeleteFileInFolder(const WCHAR* path) {
    if (path == nullptr || path[0] == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FolderDelete::Failed;
    }
    const Units whole(path);
    size_t slash = whole.find_last_of(TEXT("\\/"));
    if (slash == Units::npos || slash + 1 == whole.size()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FolderDelete::Failed;
    }
    const Units name = whole.substr(slash + 1);
    size_t folder_end = slash;
    while (folder_end > 0 && IsSeparator(whole[folder_end - 1]))
        --folder_end;
    const Units folder = whole.substr(0, folder_end);

    // The entry itself: a link is opened as the link (on Windows; Wine follows host links
    // whatever the flag, which the final path then shows). A folder does not open without
    // FILE_FLAG_BACKUP_SEMANTICS, so no folder is ever deleted here.
    FileHandle file(CreateFileW(path, DELETE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.IsOpen())
        return FolderDelete::Failed;
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if (!GetFileInformationByHandleEx(file.Get(), FileAttributeTagInfo, &tag, sizeof tag))
        return FolderDelete::Failed;
    if (tag.FileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY))
        return FolderDelete::Elsewhere;

    FileHandle directory(CreateFileW(folder.c_str(), 0,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!directory.IsOpen())
        return FolderDelete::Failed;
    Units folder_final = FinalPath(directory.Get());
    Units file_final = FinalPath(file.Get());
    if (folder_final.empty() || file_final.empty())
        return FolderDelete::Failed;
    if (!IsSeparator(folder_final.back()))
        folder_final.push_back(TEXT('\\'));
    // Unit for unit: where names differ only in case (a host link x.TXT to x.txt under Wine,
    // whose final path is x.txt), a comparison without case would delete the other file.
    if (file_final != folder_final + name)
        return FolderDelete::Elsewhere;

    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    if (!SetFileInformationByHandle(file.Get(), FileDispositionInfo, &disposition,
                                    sizeof disposition))
        return FolderDelete::Failed;
    return FolderDelete::Deleted;
}
