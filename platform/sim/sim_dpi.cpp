// The system and monitor DPI and the process's DPI awareness of the simulated backend.
#include "platform/sim/sim_dpi.h"

#include <atomic>

#include "platform/sim/sim_errors.h"
#include "platform/sim/sim_gdi.h"
#include "platform/sim/sim_testing.h"
#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_window.h"

namespace {

std::atomic<UINT> g_monitor_dpi{USER_DEFAULT_SCREEN_DPI};
// The awareness context as set; null until the process sets one.
std::atomic<DPI_AWARENESS_CONTEXT> g_awareness{nullptr};

DPI_AWARENESS AwarenessOf(DPI_AWARENESS_CONTEXT context) {
    if (context == DPI_AWARENESS_CONTEXT_UNAWARE)
        return DPI_AWARENESS_UNAWARE;
    if (context == DPI_AWARENESS_CONTEXT_SYSTEM_AWARE)
        return DPI_AWARENESS_SYSTEM_AWARE;
    if (context == DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE ||
        context == DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)
        return DPI_AWARENESS_PER_MONITOR_AWARE;
    return DPI_AWARENESS_INVALID;
}

} // namespace

UINT GetDpiForWindow(HWND hwnd) {
    if (!IsWindow(hwnd))
        return 0;
    return g_monitor_dpi.load();
}

UINT GetDpiForSystem() {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

DPI_AWARENESS_CONTEXT GetThreadDpiAwarenessContext() {
    DPI_AWARENESS_CONTEXT context = g_awareness.load();
    return context != nullptr ? context : DPI_AWARENESS_CONTEXT_UNAWARE;
}

DPI_AWARENESS GetAwarenessFromDpiAwarenessContext(DPI_AWARENESS_CONTEXT context) {
    return AwarenessOf(context);
}

BOOL SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT context) {
    if (AwarenessOf(context) == DPI_AWARENESS_INVALID) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DPI_AWARENESS_CONTEXT unset = nullptr;
    if (!g_awareness.compare_exchange_strong(unset, context)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}

namespace sim {

void SetMonitorDpi(UINT dots_per_inch) {
    g_monitor_dpi.store(dots_per_inch > 0 ? dots_per_inch : USER_DEFAULT_SCREEN_DPI);
}

void ResetDpiAwareness() {
    g_awareness.store(nullptr);
}

} // namespace sim
