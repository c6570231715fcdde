// Libraries the Windows backend loads at their first use instead of importing them (gdiplus,
// shell32, oleaut32, ole32): the library by its full path in the system folder, and its
// functions by name.
#pragma once

#include "platform/platform.h"

namespace win32 {

// The system folder's library by its full path, the one an import would bind: a DLL of that
// name beside the program or in the current directory is never loaded. A full path needs no
// LOAD_LIBRARY_SEARCH_SYSTEM32, which Vista and 7 lack without an update. The library stays
// loaded for the process. Null when it cannot be loaded.
HMODULE LoadSystemLibrary(const WCHAR* name);

// The function `name` of `module` as a pointer of type Fn; null without the module or the
// function. GetProcAddress answers a generic function pointer; the detour through void(*)() is
// the cast that compilers accept between function types.
template <typename Fn> Fn LibraryFunction(HMODULE module, const char* name) {
    if (module == nullptr)
        return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace win32
