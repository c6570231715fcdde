// shell32.dll, oleaut32.dll and ole32.dll, loaded at the first call of one of their functions
// instead of being imported. An imported library is loaded, with its own imports (shell32 brings
// shcore and shlwapi, ole32 brings rpcrt4 and combase), before the program's first line; the
// main window needs none of them before it shows (shell32: the command line's scheme name, read
// after the window is up, and the notification area; oleaut32: date conversions; ole32: OLE and
// COM, initialised once the start-up has run, and memory streams for pictures), so every start
// would pay for them: about 15 ms under Wine.
//
// The code calls these functions as the headers declare them, through an import slot
// (__imp_<name>). The slots are defined here, each first pointing at a stand-in that loads the
// library from the system folder, looks the function up, puts its address into the slot and
// calls it; later calls go straight to the library. A library or function that cannot be found
// leaves the slot to the stand-in, which answers as the function does when it fails.
#include "platform/platform.h"

#include "platform/win32/win32_system_library.h"

namespace {

// The function's address, or null. The library stays loaded for the process. Several threads
// may look up the same function at once: each finds the same address, and the slot is one
// aligned pointer, written whole.
template <typename Fn> Fn Resolve(const WCHAR* library, const char* name, Fn* slot) {
    Fn found = win32::LibraryFunction<Fn>(win32::LoadSystemLibrary(library), name);
    if (found != nullptr)
        InterlockedExchangePointer(reinterpret_cast<void* volatile*>(slot),
                                   reinterpret_cast<void*>(found));
    return found;
}

LPWSTR* WINAPI FirstCommandLineToArgvW(LPCWSTR line, int* count);
BOOL WINAPI FirstShellNotifyIconW(DWORD message, PNOTIFYICONDATAW data);
INT WINAPI FirstSystemTimeToVariantTime(LPSYSTEMTIME time, DOUBLE* date);
INT WINAPI FirstVariantTimeToSystemTime(DOUBLE date, LPSYSTEMTIME time);
HRESULT WINAPI FirstOleInitialize(LPVOID reserved);
void WINAPI FirstOleUninitialize();
HRESULT WINAPI FirstCoInitializeEx(LPVOID reserved, DWORD model);
void WINAPI FirstCoUninitialize();
HRESULT WINAPI FirstCreateStreamOnHGlobal(HGLOBAL block, BOOL free, LPSTREAM* stream);

} // namespace

// The import slots the compiled calls go through (see above).
extern "C" {
decltype(&CommandLineToArgvW) __imp_CommandLineToArgvW = &FirstCommandLineToArgvW;
decltype(&Shell_NotifyIconW) __imp_Shell_NotifyIconW = &FirstShellNotifyIconW;
decltype(&SystemTimeToVariantTime) __imp_SystemTimeToVariantTime = &FirstSystemTimeToVariantTime;
decltype(&VariantTimeToSystemTime) __imp_VariantTimeToSystemTime = &FirstVariantTimeToSystemTime;
decltype(&OleInitialize) __imp_OleInitialize = &FirstOleInitialize;
decltype(&OleUninitialize) __imp_OleUninitialize = &FirstOleUninitialize;
decltype(&CoInitializeEx) __imp_CoInitializeEx = &FirstCoInitializeEx;
decltype(&CoUninitialize) __imp_CoUninitialize = &FirstCoUninitialize;
decltype(&CreateStreamOnHGlobal) __imp_CreateStreamOnHGlobal = &FirstCreateStreamOnHGlobal;
}

namespace {

LPWSTR* WINAPI FirstCommandLineToArgvW(LPCWSTR line, int* count) {
    auto fn = Resolve(L"shell32.dll", "CommandLineToArgvW", &__imp_CommandLineToArgvW);
    if (fn == nullptr) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return fn(line, count);
}

BOOL WINAPI FirstShellNotifyIconW(DWORD message, PNOTIFYICONDATAW data) {
    auto fn = Resolve(L"shell32.dll", "Shell_NotifyIconW", &__imp_Shell_NotifyIconW);
    return fn != nullptr ? fn(message, data) : FALSE;
}

INT WINAPI FirstSystemTimeToVariantTime(LPSYSTEMTIME time, DOUBLE* date) {
    auto fn = Resolve(L"oleaut32.dll", "SystemTimeToVariantTime", &__imp_SystemTimeToVariantTime);
    return fn != nullptr ? fn(time, date) : FALSE;
}

INT WINAPI FirstVariantTimeToSystemTime(DOUBLE date, LPSYSTEMTIME time) {
    auto fn = Resolve(L"oleaut32.dll", "VariantTimeToSystemTime", &__imp_VariantTimeToSystemTime);
    return fn != nullptr ? fn(date, time) : FALSE;
}

HRESULT WINAPI FirstOleInitialize(LPVOID reserved) {
    auto fn = Resolve(L"ole32.dll", "OleInitialize", &__imp_OleInitialize);
    return fn != nullptr ? fn(reserved) : E_FAIL;
}

void WINAPI FirstOleUninitialize() {
    if (auto fn = Resolve(L"ole32.dll", "OleUninitialize", &__imp_OleUninitialize))
        fn();
}

HRESULT WINAPI FirstCoInitializeEx(LPVOID reserved, DWORD model) {
    auto fn = Resolve(L"ole32.dll", "CoInitializeEx", &__imp_CoInitializeEx);
    return fn != nullptr ? fn(reserved, model) : E_FAIL;
}

void WINAPI FirstCoUninitialize() {
    if (auto fn = Resolve(L"ole32.dll", "CoUninitialize", &__imp_CoUninitialize))
        fn();
}

HRESULT WINAPI FirstCreateStreamOnHGlobal(HGLOBAL block, BOOL free, LPSTREAM* stream) {
    auto fn = Resolve(L"ole32.dll", "CreateStreamOnHGlobal", &__imp_CreateStreamOnHGlobal);
    if (fn != nullptr)
        return fn(block, free, stream);
    if (stream != nullptr)
        *stream = nullptr;
    return E_OUTOFMEMORY;
}

} // namespace
