// The screen helpers of the runtime instance: the rectangle of a window's monitor, which the
// forms centre on, and the program's module base.
#include "runtime/shell/rix_app_instance.h"

RECT CRixAppInstance::GetMonitorRect(HWND window) {
    if (window != nullptr) {
        HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (monitor != nullptr && GetMonitorInfoW(monitor, &info))
            return info.rcMonitor; // the whole monitor, task bar included
    }
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void* CRixAppInstance::GetModuleBase() {
    // The allocation that holds this very code is the program's module.
    MEMORY_BASIC_INFORMATION info{};
    auto self = &CRixAppInstance::GetModuleBase;
    if (VirtualQuery(reinterpret_cast<LPCVOID>(self), &info, sizeof info) == 0)
        return nullptr;
    return info.AllocationBase;
}
