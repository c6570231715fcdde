// Deleting one file of a folder, and nothing that a link or a reparse point would lead to.
//
// A name in a folder may be a symbolic link, a junction, or (under Wine) a host link that looks
// like a plain file: deleting it by name can remove a file elsewhere (Wine's DeleteFileW
// removes the file a host link points to, and leaves the link). DeleteFileInFolder opens the
// entry itself, checks on that one handle what it really names, and deletes through the same
// handle, so the entry that was checked is the one that goes.
#pragma once

#include "platform/platform.h"

// How DeleteFileInFolder ended.
enum class FolderDelete {
    Deleted,   // the file is gone
    Elsewhere, // the entry is a link or another reparse point, or resolves to another file
               // than the folder's own entry of that name: nothing was deleted
    Failed,    // it could not be opened or deleted (GetLastError says why): nothing was deleted
};

// Deletes the file that `path` ("folder\name"; a backslash or a slash before the name) names,
// only when the entry is a plain file (no folder, link or other reparse point) and its final
// path, every link resolved, is the folder's final path followed by the name, unit for unit.
FolderDelete DeleteFileInFolder(const WCHAR* path);
