// Loading a library of the system folder by its full path.
#include "platform/win32/win32_system_library.h"

#include <iterator>

namespace win32 {

HMODULE LoadSystemLibrary(const WCHAR* name) {
    WCHAR path[MAX_PATH];
    UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    size_t at = length;
    path[at++] = L'\\';
    for (; *name != 0; ++name) {
        if (at + 1 >= std::size(path))
            return nullptr;
        path[at++] = *name;
    }
    path[at] = 0;
    return LoadLibraryW(path);
}

} // namespace win32
