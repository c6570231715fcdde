// Files and directories of the simulated backend: the C run-time's wide file functions and the
// Win32 file and directory calls, over the host file system (paths as sim_path.h maps them).
//
// The byte functions (fread, fwrite, fseek, ftell, ferror, fflush, fclose) are the standard
// library's own; only opening takes a Windows path.
#pragma once

#include <cstdio>

#include "platform/sim/sim_file_errors.h"
#include "platform/sim/sim_types.h"

#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define MOVEFILE_REPLACE_EXISTING 0x00000001
#define MOVEFILE_WRITE_THROUGH 0x00000008

typedef struct _SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;

// Opens like fopen; a directory cannot be opened (EACCES), as on Windows.
FILE* _wfopen(const WCHAR* path, const WCHAR* mode);
int _fileno(FILE* file);
// 64-bit positions, whatever the width of long.
int _fseeki64(FILE* file, long long offset, int origin);
long long _ftelli64(FILE* file);
// Forces the file's data to the disk.
int _commit(int fd);

BOOL CreateDirectoryW(LPCWSTR path, LPSECURITY_ATTRIBUTES security);
BOOL RemoveDirectoryW(LPCWSTR path);
DWORD GetFileAttributesW(LPCWSTR path);
BOOL SetFileAttributesW(LPCWSTR path, DWORD attributes);
BOOL DeleteFileW(LPCWSTR path);
BOOL MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags);
DWORD GetCurrentDirectoryW(DWORD size, LPWSTR buffer);
BOOL SetCurrentDirectoryW(LPCWSTR path);
// The host's TMPDIR (or /tmp) as a Windows path with a trailing backslash.
DWORD GetTempPathW(DWORD size, LPWSTR buffer);

namespace sim {
// Makes every file opened for writing from now on fail once `bytes` bytes have reached it, as
// a full disk does; a negative value lifts the limit. For tests of write failures.
void SetWriteLimit(long long bytes);
// Sets the file's size without writing it (the host makes it sparse), for tests of files too
// large to write. False when the file cannot be resized.
bool SetFileSize(const WCHAR* path, long long bytes);
// Names longer than the host allows (255 bytes of UTF-8) are cut to fit, at a character's
// start, and used so, as Wine does on a Linux host, instead of failing with
// ERROR_FILENAME_EXCED_RANGE; false goes back to failing. For tests of a file system that
// stores a file under another name than asked, without a word.
void CutLongNames(bool on);
} // namespace sim
