// Files and directories of the simulated backend over POSIX.
#include "platform/sim/sim_file.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/sim/sim_file_attributes.h"
#include "platform/sim/sim_file_handle.h"
#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_path.h"

using sim::detail::ErrorFromErrno;
using sim::detail::FileAttributes;
using sim::detail::HostPath;
using sim::detail::SetArchiveBit;
using sim::detail::ToHostPath;

namespace {

std::atomic<long long> g_write_limit{-1};

// A stream that refuses bytes past a limit, as a full disk does.
struct LimitedFile {
    int fd;
    long long left;
};

ssize_t LimitedWrite(void* cookie, const char* data, size_t size) {
    auto* f = static_cast<LimitedFile*>(cookie);
    if (f->left <= 0) {
        errno = ENOSPC;
        return -1;
    }
    size_t n = size < static_cast<size_t>(f->left) ? size : static_cast<size_t>(f->left);
    ssize_t w = write(f->fd, data, n);
    if (w > 0)
        f->left -= w;
    return w;
}

ssize_t LimitedRead(void* cookie, char* data, size_t size) {
    return read(static_cast<LimitedFile*>(cookie)->fd, data, size);
}

int LimitedSeek(void* cookie, off64_t* pos, int whence) {
    off64_t r = lseek64(static_cast<LimitedFile*>(cookie)->fd, *pos, whence);
    if (r < 0)
        return -1;
    *pos = r;
    return 0;
}

int LimitedClose(void* cookie) {
    auto* f = static_cast<LimitedFile*>(cookie);
    int r = close(f->fd);
    delete f;
    return r;
}

bool Fail(DWORD error) {
    SetLastError(error);
    return false;
}

bool IsDirectory(const std::string& host) {
    struct stat st;
    return stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

DWORD CopyOut(const std::u16string& text, DWORD size, LPWSTR buffer) {
    if (buffer == nullptr || size <= text.size())
        return static_cast<DWORD>(text.size() + 1);
    std::memcpy(buffer, text.c_str(), (text.size() + 1) * sizeof(WCHAR));
    return static_cast<DWORD>(text.size());
}

// A file opened for writing gets its archive bit back, as on Windows.
void MarkWritten(FILE* f) {
    struct stat st;
    if (fstat(fileno(f), &st) == 0)
        SetArchiveBit(st, true);
}

// Forgets the archive bit of a file about to go, so that a file that later gets its inode
// starts with the bit set.
void ForgetArchiveBit(const std::string& host) {
    struct stat st;
    if (stat(host.c_str(), &st) == 0)
        SetArchiveBit(st, true);
}

} // namespace

void sim::SetWriteLimit(long long bytes) {
    g_write_limit = bytes;
}

bool sim::SetFileSize(const WCHAR* path, long long bytes) {
    HostPath host = ToHostPath(path);
    return host.ok && truncate(host.path.c_str(), static_cast<off_t>(bytes)) == 0;
}

FILE* _wfopen(const WCHAR* path, const WCHAR* mode) {
    HostPath host = ToHostPath(path);
    if (!host.ok || mode == nullptr) {
        errno = host.error == ERROR_INVALID_NAME || mode == nullptr ? EINVAL : ENOENT;
        return nullptr;
    }
    std::string m;
    for (const WCHAR* c = mode; *c != 0 && *c != u','; ++c)
        if (*c != u't')
            m.push_back(static_cast<char>(*c));
    if (IsDirectory(host.path)) {
        errno = EACCES;
        return nullptr;
    }
    long long limit = g_write_limit;
    bool writes = m.find_first_of("wa+") != std::string::npos;
    bool reads = m.find_first_of("r+") != std::string::npos;
    // The C run-time of Windows opens sharing read and write: a handle that shares less keeps
    // it out.
    struct stat existing;
    if (stat(host.path.c_str(), &existing) == 0 &&
        sim::detail::SharingClash(existing.st_dev, existing.st_ino,
                                  (reads ? GENERIC_READ : 0) | (writes ? GENERIC_WRITE : 0),
                                  FILE_SHARE_READ | FILE_SHARE_WRITE)) {
        SetLastError(ERROR_SHARING_VIOLATION);
        errno = EACCES;
        return nullptr;
    }
    if (limit < 0 || !writes) {
        FILE* f = std::fopen(host.path.c_str(), m.c_str());
        if (f != nullptr && writes)
            MarkWritten(f);
        return f;
    }
    int flags = O_CREAT | (m.find('+') != std::string::npos ? O_RDWR : O_WRONLY);
    flags |= m[0] == 'w' ? O_TRUNC : m[0] == 'a' ? O_APPEND : 0;
    int fd = open(host.path.c_str(), flags, 0666);
    if (fd < 0)
        return nullptr;
    cookie_io_functions_t io{&LimitedRead, &LimitedWrite, &LimitedSeek, &LimitedClose};
    struct stat st;
    if (fstat(fd, &st) == 0)
        SetArchiveBit(st, true);
    FILE* f = fopencookie(new LimitedFile{fd, limit}, m.c_str(), io);
    if (f == nullptr)
        close(fd);
    return f;
}

int _fileno(FILE* file) {
    return fileno(file);
}

int _fseeki64(FILE* file, long long offset, int origin) {
    return fseeko(file, static_cast<off_t>(offset), origin);
}

long long _ftelli64(FILE* file) {
    return static_cast<long long>(ftello(file));
}

int _commit(int fd) {
    // A stream without a descriptor (the full-disk stand-in) has nothing more to force out.
    if (fd < 0)
        return 0;
    return fsync(fd);
}

BOOL CreateDirectoryW(LPCWSTR path, LPSECURITY_ATTRIBUTES) {
    HostPath host = ToHostPath(path);
    if (!host.ok)
        return Fail(host.error);
    if (mkdir(host.path.c_str(), 0777) == 0)
        return TRUE;
    int err = errno;
    return Fail(err == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(err, host.path));
}

BOOL RemoveDirectoryW(LPCWSTR path) {
    HostPath host = ToHostPath(path);
    if (!host.ok)
        return Fail(host.error);
    if (rmdir(host.path.c_str()) == 0)
        return TRUE;
    int err = errno;
    return Fail(err == ENOTDIR ? ERROR_DIRECTORY : ErrorFromErrno(err, host.path));
}

DWORD GetFileAttributesW(LPCWSTR path) {
    HostPath host = ToHostPath(path);
    if (!host.ok) {
        SetLastError(host.error);
        return INVALID_FILE_ATTRIBUTES;
    }
    struct stat st;
    if (stat(host.path.c_str(), &st) != 0) {
        SetLastError(ErrorFromErrno(errno, host.path));
        return INVALID_FILE_ATTRIBUTES;
    }
    return FileAttributes(st);
}

BOOL SetFileAttributesW(LPCWSTR path, DWORD attributes) {
    HostPath host = ToHostPath(path);
    if (!host.ok)
        return Fail(host.error);
    struct stat st;
    if (stat(host.path.c_str(), &st) != 0)
        return Fail(ErrorFromErrno(errno, host.path));
    // The read-only and archive bits mean something here; on a directory Windows ignores the
    // read-only bit too.
    if (S_ISDIR(st.st_mode))
        return TRUE;
    SetArchiveBit(st, (attributes & FILE_ATTRIBUTE_ARCHIVE) != 0);
    mode_t mode = st.st_mode & 07777;
    mode = (attributes & FILE_ATTRIBUTE_READONLY) ? (mode & ~0222) : (mode | 0200);
    if (chmod(host.path.c_str(), mode) != 0)
        return Fail(ErrorFromErrno(errno, host.path));
    return TRUE;
}

BOOL DeleteFileW(LPCWSTR path) {
    HostPath host = ToHostPath(path);
    if (!host.ok)
        return Fail(host.error);
    if (IsDirectory(host.path))
        return Fail(ERROR_ACCESS_DENIED);
    struct stat st;
    if (stat(host.path.c_str(), &st) == 0 && (st.st_mode & 0222) == 0)
        return Fail(ERROR_ACCESS_DENIED); // a read-only file is not deleted on Windows
    ForgetArchiveBit(host.path);
    if (unlink(host.path.c_str()) == 0)
        return TRUE;
    return Fail(ErrorFromErrno(errno, host.path));
}

BOOL MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags) {
    HostPath src = ToHostPath(from);
    if (!src.ok)
        return Fail(src.error);
    HostPath dst = ToHostPath(to);
    if (!dst.ok)
        return Fail(dst.error);
    struct stat st;
    if (stat(src.path.c_str(), &st) != 0)
        return Fail(ErrorFromErrno(errno, src.path));
    struct stat target;
    bool replacing = stat(dst.path.c_str(), &target) == 0;
    if (replacing) {
        if (!(flags & MOVEFILE_REPLACE_EXISTING))
            return Fail(ERROR_ALREADY_EXISTS);
        // Windows replaces files only: neither a directory nor a read-only file gives way.
        if (S_ISDIR(target.st_mode) || S_ISDIR(st.st_mode) || (target.st_mode & 0222) == 0)
            return Fail(ERROR_ACCESS_DENIED);
    }
    if (rename(src.path.c_str(), dst.path.c_str()) == 0) {
        // The replaced file is gone; the moved one keeps its attributes, as on Windows.
        if (replacing && (target.st_ino != st.st_ino || target.st_dev != st.st_dev))
            SetArchiveBit(target, true);
        return TRUE;
    }
    int err = errno;
    return Fail(err == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(err, dst.path));
}

DWORD GetCurrentDirectoryW(DWORD size, LPWSTR buffer) {
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd) == nullptr) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return 0;
    }
    return CopyOut(sim::detail::HostToWindowsPath(cwd), size, buffer);
}

BOOL SetCurrentDirectoryW(LPCWSTR path) {
    HostPath host = ToHostPath(path);
    if (!host.ok)
        return Fail(host.error);
    if (chdir(host.path.c_str()) == 0)
        return TRUE;
    int err = errno;
    return Fail(err == ENOTDIR ? ERROR_DIRECTORY : ErrorFromErrno(err, host.path));
}

DWORD GetTempPathW(DWORD size, LPWSTR buffer) {
    const char* tmp = std::getenv("TMPDIR");
    std::u16string path = sim::detail::HostToWindowsPath(tmp != nullptr && *tmp ? tmp : "/tmp");
    if (path.back() != u'\\')
        path += u'\\';
    return CopyOut(path, size, buffer);
}
