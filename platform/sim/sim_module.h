// Modules and process facts of the simulated backend: the program's own module, dynamic
// libraries from a registry that tests fill, VirtualQuery for the program's code, the debugger
// flag.
//
// There are no DLL files here. A library is a name (or a full Windows path) and a table of
// named functions. LoadLibraryW finds a library registered by bare name from anywhere (as the
// system's search finds a system library); one registered by full path is found by that path,
// by a relative path that leads there from the current directory, or by its bare name when it
// lies in the program's folder or in the current directory, which Windows searches too. A name
// without an extension gets ".dll", as on Windows. Loading a library twice gives the same
// handle and counts up; FreeLibrary counts down.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/sim_file_errors.h"
#include "platform/sim/sim_types.h"

typedef INT_PTR(WINAPI* FARPROC)();

typedef struct _MEMORY_BASIC_INFORMATION {
    PVOID BaseAddress;
    PVOID AllocationBase;
    DWORD AllocationProtect;
    SIZE_T RegionSize;
    DWORD State;
    DWORD Protect;
    DWORD Type;
} MEMORY_BASIC_INFORMATION, *PMEMORY_BASIC_INFORMATION;

HMODULE GetModuleHandleW(LPCWSTR name);
// The program file as a Windows path on drive Z: for the program's module (or null), the
// registered path for a library.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);
HMODULE LoadLibraryW(LPCWSTR name);
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
BOOL FreeLibrary(HMODULE module);
// Every address of the process belongs to the program's module here.
SIZE_T VirtualQuery(LPCVOID address, PMEMORY_BASIC_INFORMATION info, SIZE_T size);
BOOL IsDebuggerPresent();
DWORD GetCurrentProcessId();

namespace sim {

// A function of any type as a library export (through the one pointer type that converts to
// every function pointer type without a warning).
template <typename F> FARPROC AsProc(F* f) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(f));
}

struct LibraryExport {
    const char* name;
    FARPROC proc;
};

// Adds a library (replacing one of the same name). `path`: a bare file name such as
// "Kernel32.dll" for a system library, or a full Windows path.
void RegisterLibrary(const WCHAR* path, const std::vector<LibraryExport>& exports);
void UnregisterLibrary(const WCHAR* path);
// Back to the start: only Kernel32.dll with the directory search functions, nothing loaded,
// an empty load log.
void ResetLibraries();
// How many loads of the library are not yet freed.
int LibraryLoadCount(const WCHAR* path);

// One call of LoadLibraryW: the name asked for, the current directory at that moment, and
// whether a library was found.
struct LibraryLoad {
    std::u16string name;
    std::u16string currentDirectory;
    bool found;
};
std::vector<LibraryLoad> LibraryLoadLog();

// FreeLibrary calls, in order, by registered path.
std::vector<std::u16string> LibraryFreeLog();

// Makes GetModuleFileNameW answer `path` for the program's module, as if the program had been
// started from there (null or empty: the real program file again). For tests of a program
// whose path is too long for a fixed buffer.
void SetProgramPath(const WCHAR* path);

void SetDebuggerPresent(bool present);

} // namespace sim
