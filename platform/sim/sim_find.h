// Directory search of the simulated backend: FindFirstFileW, FindNextFileW and FindClose over
// the host's directory entries.
//
// The last segment of the pattern is matched as Windows matches it ("*" any run, "?" one
// character, no case distinction, "*.*" everything). Entries come in the host's order, after
// "." and ".." for any folder but the root. Attributes as sim_file_attributes.h gives them
// (the archive bit of a file until SetFileAttributesW clears it). A search handle that is
// closed, or was never given, fails with ERROR_INVALID_HANDLE.
#pragma once

#include "platform/sim/sim_file.h"
#include "platform/sim/sim_types.h"

typedef struct _WIN32_FIND_DATAW {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    WCHAR cFileName[MAX_PATH];
    WCHAR cAlternateFileName[14];
} WIN32_FIND_DATAW, *PWIN32_FIND_DATAW, *LPWIN32_FIND_DATAW;

HANDLE FindFirstFileW(LPCWSTR pattern, LPWIN32_FIND_DATAW data);
BOOL FindNextFileW(HANDLE search, LPWIN32_FIND_DATAW data);
BOOL FindClose(HANDLE search);
