// The non-client area in the simulated backend. Windows have no frames here (sim_frame.h), so
// the client area is the whole window whatever WM_NCCALCSIZE answers, WM_NCPAINT and
// WM_NCHITTEST are never sent by the system (a test sends them itself), and a window's device
// context is a context like any other, with nothing to draw on.
#pragma once

#include "platform/sim/sim_gdi.h"
#include "platform/sim/sim_window.h"

#define WM_NCHITTEST 0x0084
#define WM_NCPAINT 0x0085
#define HTBORDER 18

#define SM_CXEDGE 45
#define SM_CYEDGE 46

HDC GetWindowDC(HWND hwnd);
