// The DPI calls of Windows 10 resolved at run time, with fallbacks for older systems.
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_system_library.h"

#include <shellscalingapi.h>

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using GetThreadDpiAwarenessContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)();
using GetAwarenessFromDpiAwarenessContextFn = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);
using SetProcessDpiAwarenessContextFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
using GetProcessDpiAwarenessFn = HRESULT(WINAPI*)(HANDLE, PROCESS_DPI_AWARENESS*);
using SetProcessDpiAwarenessFn = HRESULT(WINAPI*)(PROCESS_DPI_AWARENESS);

// Every entry point, looked up once. Function-local statics are initialised exactly once
// even when threads race to the first call, so no lock is needed; afterwards the pointers are
// only read.
struct DpiEntryPoints {
    GetDpiForWindowFn get_dpi_for_window;
    GetDpiForSystemFn get_dpi_for_system;
    GetThreadDpiAwarenessContextFn get_thread_context;
    GetAwarenessFromDpiAwarenessContextFn get_awareness_from_context;
    SetProcessDpiAwarenessContextFn set_process_context;
};

// The calls of shcore.dll, which only the fallbacks (systems before Windows 10) use.
struct ShcoreEntryPoints {
    GetProcessDpiAwarenessFn get_process_awareness;
    SetProcessDpiAwarenessFn set_process_awareness;
};

const DpiEntryPoints& EntryPoints() {
    // user32.dll is loaded in every process that imports it, as ours all do.
    static const DpiEntryPoints entry_points = [] {
        HMODULE user32 = GetModuleHandleW(L"user32.dll");
        return DpiEntryPoints{
            win32::LibraryFunction<GetDpiForWindowFn>(user32, "GetDpiForWindow"),
            win32::LibraryFunction<GetDpiForSystemFn>(user32, "GetDpiForSystem"),
            win32::LibraryFunction<GetThreadDpiAwarenessContextFn>(user32,
                                                                   "GetThreadDpiAwarenessContext"),
            win32::LibraryFunction<GetAwarenessFromDpiAwarenessContextFn>(
                user32, "GetAwarenessFromDpiAwarenessContext"),
            win32::LibraryFunction<SetProcessDpiAwarenessContextFn>(
                user32, "SetProcessDpiAwarenessContext"),
        };
    }();
    return entry_points;
}

const ShcoreEntryPoints& ShcoreEntry() {
    // Loaded only when a fallback asks: where user32.dll has the Windows 10 calls, as at every
    // start on Windows 10 and under Wine, shcore.dll (with its own imports) would only delay
    // the first window. shcore.dll exists from Windows 8.1 on.
    static const ShcoreEntryPoints entry_points = [] {
        HMODULE shcore = win32::LoadSystemLibrary(L"shcore.dll");
        return ShcoreEntryPoints{
            win32::LibraryFunction<GetProcessDpiAwarenessFn>(shcore, "GetProcessDpiAwareness"),
            win32::LibraryFunction<SetProcessDpiAwarenessFn>(shcore, "SetProcessDpiAwareness"),
        };
    }();
    return entry_points;
}

} // namespace

UINT keyseq_FallbackGetDpiForSystem() {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr)
        return USER_DEFAULT_SCREEN_DPI;
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

UINT keyseq_FallbackGetDpiForWindow(HWND hwnd) {
    if (hwnd == nullptr || !IsWindow(hwnd))
        return 0;
    return keyseq_FallbackGetDpiForSystem();
}

DPI_AWARENESS_CONTEXT keyseq_FallbackGetThreadDpiAwarenessContext() {
    if (GetProcessDpiAwarenessFn get = ShcoreEntry().get_process_awareness) {
        PROCESS_DPI_AWARENESS awareness = PROCESS_DPI_UNAWARE;
        if (SUCCEEDED(get(nullptr, &awareness))) {
            switch (awareness) {
            case PROCESS_PER_MONITOR_DPI_AWARE:
                return DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE;
            case PROCESS_SYSTEM_DPI_AWARE:
                return DPI_AWARENESS_CONTEXT_SYSTEM_AWARE;
            default:
                return DPI_AWARENESS_CONTEXT_UNAWARE;
            }
        }
    }
    return IsProcessDPIAware() ? DPI_AWARENESS_CONTEXT_SYSTEM_AWARE : DPI_AWARENESS_CONTEXT_UNAWARE;
}

DPI_AWARENESS keyseq_FallbackGetAwarenessFromDpiAwarenessContext(DPI_AWARENESS_CONTEXT context) {
    if (context == DPI_AWARENESS_CONTEXT_UNAWARE ||
        context == DPI_AWARENESS_CONTEXT_UNAWARE_GDISCALED)
        return DPI_AWARENESS_UNAWARE;
    if (context == DPI_AWARENESS_CONTEXT_SYSTEM_AWARE)
        return DPI_AWARENESS_SYSTEM_AWARE;
    if (context == DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE ||
        context == DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)
        return DPI_AWARENESS_PER_MONITOR_AWARE;
    return DPI_AWARENESS_INVALID;
}

BOOL keyseq_FallbackSetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT context) {
    PROCESS_DPI_AWARENESS wanted;
    if (context == DPI_AWARENESS_CONTEXT_UNAWARE)
        wanted = PROCESS_DPI_UNAWARE;
    else if (context == DPI_AWARENESS_CONTEXT_SYSTEM_AWARE)
        wanted = PROCESS_SYSTEM_DPI_AWARE;
    else if (context == DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE)
        wanted = PROCESS_PER_MONITOR_DPI_AWARE;
    else {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (SetProcessDpiAwarenessFn set = ShcoreEntry().set_process_awareness) {
        HRESULT result = set(wanted);
        if (SUCCEEDED(result))
            return TRUE;
        SetLastError(result == E_ACCESSDENIED ? ERROR_ACCESS_DENIED
                                              : static_cast<DWORD>(HRESULT_CODE(result)));
        return FALSE;
    }
    if (wanted == PROCESS_DPI_UNAWARE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return SetProcessDPIAware();
}

UINT WINAPI keyseq_GetDpiForWindow(HWND hwnd) {
    if (GetDpiForWindowFn real = EntryPoints().get_dpi_for_window)
        return real(hwnd);
    return keyseq_FallbackGetDpiForWindow(hwnd);
}

UINT WINAPI keyseq_GetDpiForSystem() {
    if (GetDpiForSystemFn real = EntryPoints().get_dpi_for_system)
        return real();
    return keyseq_FallbackGetDpiForSystem();
}

DPI_AWARENESS_CONTEXT WINAPI keyseq_GetThreadDpiAwarenessContext() {
    if (GetThreadDpiAwarenessContextFn real = EntryPoints().get_thread_context)
        return real();
    return keyseq_FallbackGetThreadDpiAwarenessContext();
}

DPI_AWARENESS WINAPI keyseq_GetAwarenessFromDpiAwarenessContext(DPI_AWARENESS_CONTEXT context) {
    if (GetAwarenessFromDpiAwarenessContextFn real = EntryPoints().get_awareness_from_context)
        return real(context);
    return keyseq_FallbackGetAwarenessFromDpiAwarenessContext(context);
}

BOOL WINAPI keyseq_SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT context) {
    if (SetProcessDpiAwarenessContextFn real = EntryPoints().set_process_context)
        return real(context);
    return keyseq_FallbackSetProcessDpiAwarenessContext(context);
}
