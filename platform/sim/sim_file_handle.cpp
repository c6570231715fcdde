// File handles of the simulated backend over the host file system.
#include "platform/sim/sim_file_handle.h"

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

#include "platform/sim/sim_dispatcher.h"
#include "platform/sim/sim_file_attributes.h"
#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_path.h"

using sim::detail::ErrorFromErrno;
using sim::detail::HostPath;
using sim::detail::ToHostPath;

namespace {

struct OpenFile {
    dev_t device = 0;
    ino_t inode = 0;
    DWORD access = 0;
    DWORD share = 0;
    std::string
        host; // what the handle names, links resolved (a link opened as itself: its own path)
    bool link = false;
    bool delete_on_close = false;
};

// Leaked on purpose, as the dispatcher's state: a handle may be closed while statics go.
struct Files {
    std::mutex lock;
    std::unordered_map<HANDLE, OpenFile> open; // under lock
};

Files& AllFiles() {
    static Files* files = new Files;
    return *files;
}

HANDLE Fail(DWORD error) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

BOOL FailBool(DWORD error) {
    SetLastError(error);
    return FALSE;
}

// Windows' rule: a new open clashes when it asks for what an open handle does not share, or
// an open handle holds what the new one does not share.
bool Clashes(DWORD access, DWORD share, const OpenFile& other) {
    auto denied = [](DWORD wanted, DWORD shared) {
        return ((wanted & GENERIC_READ) && !(shared & FILE_SHARE_READ)) ||
               ((wanted & GENERIC_WRITE) && !(shared & FILE_SHARE_WRITE)) ||
               ((wanted & DELETE) && !(shared & FILE_SHARE_DELETE));
    };
    return denied(access, other.share) || denied(other.access, share);
}

bool ClashesLocked(dev_t device, ino_t inode, DWORD access, DWORD share) {
    for (const auto& [handle, file] : AllFiles().open)
        if (file.device == device && file.inode == inode && Clashes(access, share, file))
            return true;
    return false;
}

// The host path with every link resolved; for a link opened as itself, its folder resolved and
// its own name kept.
bool ResolvedPath(const std::string& host, bool link, std::string& out) {
    if (!link) {
        char* resolved = realpath(host.c_str(), nullptr);
        if (resolved == nullptr)
            return false;
        out = resolved;
        std::free(resolved);
        return true;
    }
    size_t slash = host.rfind('/');
    std::string folder = slash == 0 ? "/" : host.substr(0, slash);
    std::string folder_resolved;
    if (!ResolvedPath(folder, false, folder_resolved))
        return false;
    out = folder_resolved == "/" ? host.substr(slash) : folder_resolved + host.substr(slash);
    return true;
}

bool LookUp(HANDLE handle, OpenFile& out) {
    Files& files = AllFiles();
    std::lock_guard<std::mutex> lock(files.lock);
    auto it = files.open.find(handle);
    if (it == files.open.end())
        return false;
    out = it->second;
    return true;
}

bool IsAbsolute(const std::u16string& path) {
    return (!path.empty() && (path[0] == u'\\' || path[0] == u'/')) ||
           (path.size() >= 3 && path[1] == u':' && (path[2] == u'\\' || path[2] == u'/'));
}

} // namespace

HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES, DWORD creation,
                   DWORD flags, HANDLE) {
    if (creation != OPEN_EXISTING)
        return Fail(ERROR_NOT_SUPPORTED);
    HostPath host = ToHostPath(path);
    if (!host.ok)
        return Fail(host.error);
    struct stat st;
    if (lstat(host.path.c_str(), &st) != 0)
        return Fail(ErrorFromErrno(errno, host.path));
    bool link = S_ISLNK(st.st_mode) && (flags & FILE_FLAG_OPEN_REPARSE_POINT) != 0;
    // A link that points nowhere is a missing file to an open that follows it.
    if (!link && stat(host.path.c_str(), &st) != 0)
        return Fail(ERROR_FILE_NOT_FOUND);
    if (S_ISDIR(st.st_mode) && (flags & FILE_FLAG_BACKUP_SEMANTICS) == 0)
        return Fail(ERROR_ACCESS_DENIED);
    if (!link && (access & GENERIC_WRITE) && (st.st_mode & 0222) == 0)
        return Fail(ERROR_ACCESS_DENIED);
    OpenFile file;
    file.device = st.st_dev;
    file.inode = st.st_ino;
    file.access = access;
    file.share = share;
    file.link = link;
    if (!ResolvedPath(host.path, link, file.host))
        return Fail(ErrorFromErrno(errno, host.path));

    Files& files = AllFiles();
    std::lock_guard<std::mutex> files_lock(files.lock);
    if (ClashesLocked(file.device, file.inode, access, share))
        return Fail(ERROR_SHARING_VIOLATION);
    auto object = std::make_shared<sim::detail::KernelObject>();
    object->kind = sim::detail::ObjectKind::File;
    object->signalled = true;
    HANDLE handle;
    {
        std::lock_guard<std::mutex> lock(sim::detail::Lock());
        handle = sim::detail::InsertHandle(std::move(object));
    }
    files.open.emplace(handle, std::move(file));
    return handle;
}

BOOL GetFileInformationByHandleEx(HANDLE handle, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID info,
                                  DWORD size) {
    if (kind != FileAttributeTagInfo)
        return FailBool(ERROR_NOT_SUPPORTED);
    if (info == nullptr || size < sizeof(FILE_ATTRIBUTE_TAG_INFO))
        return FailBool(ERROR_INVALID_PARAMETER);
    OpenFile file;
    if (!LookUp(handle, file))
        return FailBool(ERROR_INVALID_HANDLE);
    struct stat st;
    if ((file.link ? lstat(file.host.c_str(), &st) : stat(file.host.c_str(), &st)) != 0)
        return FailBool(ErrorFromErrno(errno, file.host));
    auto* tag = static_cast<FILE_ATTRIBUTE_TAG_INFO*>(info);
    tag->FileAttributes = sim::detail::FileAttributes(st);
    tag->ReparseTag = 0;
    if (file.link) {
        tag->FileAttributes =
            (tag->FileAttributes & ~FILE_ATTRIBUTE_NORMAL) | FILE_ATTRIBUTE_REPARSE_POINT;
        tag->ReparseTag = IO_REPARSE_TAG_SYMLINK;
    }
    return TRUE;
}

BOOL SetFileInformationByHandle(HANDLE handle, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID info,
                                DWORD size) {
    if (kind != FileDispositionInfo)
        return FailBool(ERROR_NOT_SUPPORTED);
    if (info == nullptr || size < sizeof(FILE_DISPOSITION_INFO))
        return FailBool(ERROR_INVALID_PARAMETER);
    Files& files = AllFiles();
    std::lock_guard<std::mutex> lock(files.lock);
    auto it = files.open.find(handle);
    if (it == files.open.end())
        return FailBool(ERROR_INVALID_HANDLE);
    OpenFile& file = it->second;
    if ((file.access & DELETE) == 0)
        return FailBool(ERROR_ACCESS_DENIED);
    bool wanted = static_cast<FILE_DISPOSITION_INFO*>(info)->DeleteFile != 0;
    struct stat st;
    // Windows will not mark a read-only file (STATUS_CANNOT_DELETE), and a link is no file.
    if (wanted && !file.link && stat(file.host.c_str(), &st) == 0 && (st.st_mode & 0222) == 0)
        return FailBool(ERROR_ACCESS_DENIED);
    file.delete_on_close = wanted;
    return TRUE;
}

DWORD GetFinalPathNameByHandleW(HANDLE handle, LPWSTR buffer, DWORD size, DWORD flags) {
    if (flags != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    OpenFile file;
    if (!LookUp(handle, file)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    std::u16string path = u"\\\\?\\" + sim::detail::HostToWindowsPath(file.host);
    if (buffer == nullptr || size <= path.size())
        return static_cast<DWORD>(path.size() + 1);
    path.copy(buffer, path.size());
    buffer[path.size()] = 0;
    return static_cast<DWORD>(path.size());
}

BOOLEAN CreateSymbolicLinkW(LPCWSTR link, LPCWSTR target, DWORD) {
    if (target == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    HostPath at = ToHostPath(link);
    if (!at.ok)
        return FailBool(at.error);
    std::u16string to(target);
    std::string host_target;
    if (IsAbsolute(to)) {
        HostPath resolved = ToHostPath(target);
        if (!resolved.ok)
            return FailBool(resolved.error);
        host_target = resolved.path;
    } else {
        for (char16_t& c : to)
            if (c == u'\\')
                c = u'/';
        if (!sim::detail::Utf16ToUtf8(to, host_target))
            return FailBool(ERROR_INVALID_NAME);
    }
    if (symlink(host_target.c_str(), at.path.c_str()) != 0)
        return FailBool(ErrorFromErrno(errno, at.path));
    return TRUE;
}

namespace sim::detail {

bool SharingClash(dev_t device, ino_t inode, DWORD access, DWORD share) {
    Files& files = AllFiles();
    std::lock_guard<std::mutex> lock(files.lock);
    return ClashesLocked(device, inode, access, share);
}

void CloseFileHandle(HANDLE handle) {
    OpenFile file;
    {
        Files& files = AllFiles();
        std::lock_guard<std::mutex> lock(files.lock);
        auto it = files.open.find(handle);
        if (it == files.open.end())
            return;
        file = std::move(it->second);
        files.open.erase(it);
    }
    if (!file.delete_on_close)
        return;
    struct stat st;
    // The archive bit is forgotten with the file, so a file that gets its inode starts afresh.
    if (!file.link && stat(file.host.c_str(), &st) == 0)
        SetArchiveBit(st, true);
    unlink(file.host.c_str());
}

} // namespace sim::detail
