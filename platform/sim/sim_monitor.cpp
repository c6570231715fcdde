// The one monitor of the simulated backend.
#include "platform/sim/sim_monitor.h"

#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_input.h"
#include "platform/sim/sim_window.h"

namespace {

HMONITOR__ g_primary;

RECT ScreenRect() {
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool Overlaps(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
    RECT rect{};
    if (hwnd != nullptr && !GetWindowRect(hwnd, &rect)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (hwnd != nullptr && Overlaps(rect, ScreenRect()))
        return &g_primary;
    // With one monitor, the nearest and the primary are the same.
    return (flags & (MONITOR_DEFAULTTONEAREST | MONITOR_DEFAULTTOPRIMARY)) != 0 ? &g_primary
                                                                                : nullptr;
}

BOOL GetMonitorInfoW(HMONITOR monitor, LPMONITORINFO info) {
    if (monitor != &g_primary || info == nullptr || info->cbSize != sizeof(MONITORINFO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    info->rcMonitor = ScreenRect();
    info->rcWork = info->rcMonitor;
    info->dwFlags = MONITORINFOF_PRIMARY;
    return TRUE;
}
