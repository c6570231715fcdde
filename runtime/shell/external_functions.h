// The external function table: functions of dynamic libraries that the program calls through
// pointers, bound once at start-up by BindExternalFunctions, and the list of libraries loaded
// for it, freed at process teardown.
//
// The table is written by the binding on the main thread before any window or worker thread
// exists, and only read afterwards, so it needs no lock.
#pragma once

#include "platform/platform.h"

class CRixMem;

struct ExternalFunction {
    // File name or path of the library; empty: the library of the entry before; null: the end
    // of the table.
    const WCHAR* pszLibrary;
    const char* pszFunction; // the exported name, UTF-8
    FARPROC pfnFunction;     // null until bound
};

// The program's table: Kernel32.dll's FindClose, FindNextFileW and FindFirstFileW.
extern ExternalFunction g_ExternalFunctions[];

// Binds the program's table; the handles of the libraries it loads are appended to
// `loadedLibraries` (8 bytes each, in load order). Returns 1; every failure is thrown as a
// CRixException with the text that names the library or function.
int BindExternalFunctions(CRixMem& loadedLibraries);
// The same for any table; for tests and for programs with tables of their own.
int BindExternalFunctionTable(ExternalFunction* table, CRixMem& loadedLibraries);

// LoadLibraryW, with the current directory switched to the library's own folder for an
// absolute name, so that the library finds its own dependencies there. Null on failure.
HMODULE LoadLibraryInOwnDirectory(const WCHAR* name);

// FreeLibrary on each handle in load order, then the list is empty and its buffer released.
void FreeLoadedLibraries(CRixMem& loadedLibraries);

// The bound directory search functions, for the directory listing. Null before the binding.
typedef HANDLE(WINAPI* FindFirstFileWFunction)(LPCWSTR, LPWIN32_FIND_DATAW);
typedef BOOL(WINAPI* FindNextFileWFunction)(HANDLE, LPWIN32_FIND_DATAW);
typedef BOOL(WINAPI* FindCloseFunction)(HANDLE);
FindFirstFileWFunction BoundFindFirstFileW();
FindNextFileWFunction BoundFindNextFileW();
FindCloseFunction BoundFindClose();
