// Symbolic links for tests, made the way each backend can: the simulation's CreateSymbolicLinkW
// (a host link), under Wine a host link made by the host's own ln (Wine's CreateSymbolicLinkW
// reports success and makes nothing), on Windows CreateSymbolicLinkW without privilege where
// the system allows it (developer mode).
#pragma once

#include <string>

#include "tests/support/temp_folder.h"

// Makes `link` a symbolic link to the file `target` (full paths). False, with the reason in
// `why`, when this system cannot make one.
bool MakeFileLink(const WString& link, const WString& target, std::string& why);

// Removes the link itself, never the file it points to (Wine's DeleteFileW takes the target
// and leaves the link). False when it is still there.
bool RemoveFileLink(const WString& link);
