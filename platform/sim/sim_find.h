// Directory search of the simulated backend: FindFirstFileW, FindNextFileW and FindClose over
// the host's directory entries.
//
// The last segment of the pattern is matched as Windows matches it ("*" any run, "?" one
// character, no case distinction, "*.*" everything). Entries come in the host's order, after
// "." and ".." for any folder but the root. Attributes as sim_file_attributes.h gives them
// (the archive bit of a file until SetFileAttributesW clears it). A search handle that is
// closed, or was never given, fails with ERROR_INVALID_HANDLE.
//
// Short (8.3) names exist only where a test gives one (sim::SetShortName). As on a Windows
// volume with short names, an entry matches the pattern when its long or its short name does
// ("*.txt" finds plan.txtold through PLAN~1.TXT), and the entry reports its short name in
// cAlternateFileName.
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

namespace sim {
// Gives the existing file or folder at `path` the short name `short_name` (null or empty takes
// it away again). For tests of listings that match short names.
void SetShortName(const WCHAR* path, const WCHAR* short_name);
} // namespace sim
