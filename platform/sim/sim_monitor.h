// Monitors of the simulated backend: one primary monitor that covers the whole screen, whose
// size is the one sim::SetScreenSize sets (sim_input.h). There is no task bar, so the work
// area is the whole monitor.
#pragma once

#include "platform/sim/sim_types.h"

struct HMONITOR__ {
    int unused;
};
typedef HMONITOR__* HMONITOR;

#define MONITOR_DEFAULTTONULL 0x00000000
#define MONITOR_DEFAULTTOPRIMARY 0x00000001
#define MONITOR_DEFAULTTONEAREST 0x00000002
#define MONITORINFOF_PRIMARY 0x00000001

typedef struct tagMONITORINFO {
    DWORD cbSize;
    RECT rcMonitor;
    RECT rcWork;
    DWORD dwFlags;
} MONITORINFO, *LPMONITORINFO;

// The monitor a window's rectangle overlaps; otherwise as the flags say. An invalid window
// gives null with ERROR_INVALID_WINDOW_HANDLE; a null window counts as lying off the screen.
HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);
// cbSize must be sizeof(MONITORINFO).
BOOL GetMonitorInfoW(HMONITOR monitor, LPMONITORINFO info);
