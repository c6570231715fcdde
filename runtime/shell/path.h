// Paths: the program's own folder, joining and folding, creating a directory with its parents,
// testing for existence.
//
// The separator is the backslash; a path is absolute when it starts with one or when its
// second and third characters are a colon and a backslash.
#pragma once

#include "platform/platform.h"

class CWString;

bool IsAbsolutePath(const WCHAR* path);

// The folder of the module's file, with its trailing backslash: 1, or 0 and the empty text.
int GetModuleDirectory(HMODULE module, CWString& directory);

// base + "\" + name, with "\.\" and "segment\..\" folded away, built in `scratch`. Returns name
// when base is empty or name absolute, base when name is empty, name unchanged when a ".."
// would climb above the root, and null when the result is empty.
const WCHAR* JoinPath(const WCHAR* base, const WCHAR* name, CWString& scratch);

// Creates the directory and every missing parent. 1 when it exists afterwards (a file of that
// name counts), or when the path is a bare drive; else 0.
int CreateDirectoryTree(const WCHAR* path);

// 1 when the path names an existing file or directory (a trailing backslash is allowed).
int PathExists(const WCHAR* path);
