// Dots per inch in the simulated backend. The system DPI is the logical resolution that
// GetDeviceCaps answers (sim::SetLogPixels, sim_testing.h); the one monitor has a DPI of its own
// (sim::SetMonitorDpi), which every window on it reports, so a test can put a window on a
// monitor whose DPI differs from the system's, as on a mixed-DPI desk. Both are 96 until set.
//
// The process's DPI awareness is a plain setting: the simulation never stretches a window or
// converts a coordinate, whatever the awareness says. It starts unaware, as a process without
// a manifest does, and can be set once, as on Windows.
#pragma once

#include "platform/sim/sim_types.h"

#define USER_DEFAULT_SCREEN_DPI 96
#define WM_DPICHANGED 0x02E0

struct DPI_AWARENESS_CONTEXT__ {
    int unused;
};
typedef DPI_AWARENESS_CONTEXT__* DPI_AWARENESS_CONTEXT;

#define DPI_AWARENESS_CONTEXT_UNAWARE ((DPI_AWARENESS_CONTEXT)-1)
#define DPI_AWARENESS_CONTEXT_SYSTEM_AWARE ((DPI_AWARENESS_CONTEXT)-2)
#define DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE ((DPI_AWARENESS_CONTEXT)-3)
#define DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 ((DPI_AWARENESS_CONTEXT)-4)

typedef enum DPI_AWARENESS {
    DPI_AWARENESS_INVALID = -1,
    DPI_AWARENESS_UNAWARE = 0,
    DPI_AWARENESS_SYSTEM_AWARE = 1,
    DPI_AWARENESS_PER_MONITOR_AWARE = 2
} DPI_AWARENESS;

// The DPI of the monitor the window is on; 0 for a window that does not exist.
UINT GetDpiForWindow(HWND hwnd);
UINT GetDpiForSystem();

// The process's awareness (threads do not override it here).
DPI_AWARENESS_CONTEXT GetThreadDpiAwarenessContext();
// The awareness a context stands for; DPI_AWARENESS_INVALID for an unknown value.
DPI_AWARENESS GetAwarenessFromDpiAwarenessContext(DPI_AWARENESS_CONTEXT context);
// Sets the process's awareness; fails with ERROR_INVALID_PARAMETER for an unknown context and
// with ERROR_ACCESS_DENIED once the awareness has been set.
BOOL SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT context);
