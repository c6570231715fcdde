// Temporary folders for tests, made and removed through the platform layer.
#include "tests/support/temp_folder.h"

#include "tests/support/utf8_text.h"

#include <cstdio>
#include <cstdlib>

std::string Narrow(const WString& text) {
    return Utf8Units(text.data(), text.size());
}

namespace {
WString Number(unsigned long long n) {
    WString s;
    do {
        s.insert(s.begin(), static_cast<WCHAR>(TEXT('0') + n % 10));
        n /= 10;
    } while (n != 0);
    return s;
}
} // namespace

TempFolder::TempFolder() {
    static unsigned counter = 0;
    WCHAR base[MAX_PATH + 1];
    DWORD n = GetTempPathW(MAX_PATH + 1, base);
    WString root(base, n);
    if (!root.empty() && root.back() == TEXT('\\'))
        root.pop_back();
    for (;;) {
        m_path = root + TEXT("\\keyseq_test_") + Number(GetCurrentProcessId()) + TEXT("_") +
                 Number(++counter);
        if (CreateDirectoryW(m_path.c_str(), nullptr))
            break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            std::fprintf(stderr, "cannot create a temporary folder under %s\n",
                         Narrow(root).c_str());
            std::abort();
        }
    }
}

TempFolder::~TempFolder() {
    RemoveTree(m_path);
}

void TempFolder::RemoveTree(const WString& path) {
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW((path + TEXT("\\*")).c_str(), &data);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            WString name = data.cFileName;
            if (name == TEXT(".") || name == TEXT(".."))
                continue;
            WString full = path + TEXT("\\") + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(full.c_str());
            }
        } while (FindNextFileW(h, &data));
        FindClose(h);
    }
    RemoveDirectoryW(path.c_str());
}

bool TempFolder::WriteBytes(const WString& path, const std::string& bytes) {
    FILE* f = _wfopen(path.c_str(), TEXT("wb"));
    if (f == nullptr)
        return false;
    size_t n = fwrite(bytes.data(), 1, bytes.size(), f);
    return fclose(f) == 0 && n == bytes.size();
}

std::string TempFolder::ReadBytes(const WString& path, bool* ok) {
    std::string out;
    FILE* f = _wfopen(path.c_str(), TEXT("rb"));
    if (ok != nullptr)
        *ok = f != nullptr;
    if (f == nullptr)
        return out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0)
        out.append(buf, n);
    fclose(f);
    return out;
}
