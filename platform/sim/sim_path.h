// How the simulated backend maps Windows paths onto the host file system. Internal to
// platform/sim: callers above the platform layer only ever see Windows paths.
//
// The host root "/" is drive Z:, as under Wine. A path is made absolute against the current
// directory and folded lexically ("." and ".." segments, repeated separators, trailing dots and
// blanks of a segment) the way Windows folds it before the file system sees it, so that "a\..\b"
// needs no "a". Forward slashes separate like backslashes. Other drives do not exist. Names are
// matched without case distinction: a segment that does not exist as written is looked up among
// its directory's entries ignoring case. A path whose full form ("Z:\...") is MAX_PATH units or
// longer fails with ERROR_FILENAME_EXCED_RANGE, as it does on Windows without the extended
// prefix (which the simulation does not offer).
#pragma once

#include <string>
#include <string_view>

#include "platform/sim/sim_types.h"

namespace sim::detail {

struct HostPath {
    bool ok = false;
    DWORD error = 0;  // the Win32 error when !ok
    std::string path; // absolute host path when ok
};

// wildcards: the last segment may hold "*" and "?" (a search pattern).
HostPath ToHostPath(const WCHAR* path, bool wildcards = false);

// "/a/b" -> "Z:\a\b"; "/" -> "Z:\".
std::u16string HostToWindowsPath(const std::string& host);

std::u16string Utf8ToUtf16(std::string_view bytes);
// False when the text holds an unpaired surrogate, which no host name can carry.
bool Utf16ToUtf8(std::u16string_view text, std::string& out);

// Windows name comparison: no case distinction (ASCII letters; other scripts have no case
// pairs that the program's names use).
bool EqualNoCase(std::u16string_view a, std::u16string_view b);
// "*" any run of characters, "?" exactly one, no case distinction; "*.*" matches every name.
bool MatchWildcard(std::u16string_view pattern, std::u16string_view name);

// The Win32 error for the errno of a failed host call on `host`: a missing entry is
// ERROR_FILE_NOT_FOUND when its directory exists, else ERROR_PATH_NOT_FOUND.
DWORD ErrorFromErrno(int err, const std::string& host);

} // namespace sim::detail
