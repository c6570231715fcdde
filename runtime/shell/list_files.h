// Directory listing and file titles, as the application finds its scheme files.
//
// ListFiles reaches the directory search only through the external function table, so it
// lists nothing until BindExternalFunctions has run.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "runtime/core/wstring.h"

namespace rg_lch_jb {
class rg_wbshzl;
}

// Clears `out`, then appends directory (with a backslash added unless it ends in one) + name
// for every entry matching the pattern that has the archive bit, in the order the system
// delivers them, "." and ".." never. Returns the count of `out`.
int64_t ListFiles(const CWString& directory, const CWString& pattern, rg_lch_jb::rg_wbshzl& out);

// The file name of a path without its extension: "a\b.c.txt" gives "b.c".
CWString FileTitle(const WCHAR* path);
