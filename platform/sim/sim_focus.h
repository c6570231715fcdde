// Focus, activation and enabling of windows in the simulated backend.
//
// NOTE: an interim version with what the dialogs need (one focus and one active window per
// thread, WM_SETFOCUS/WM_KILLFOCUS and WM_ACTIVATE); the simulation of focus and activation
// proper replaces it.
#pragma once

#include "platform/sim/sim_window.h"

#define WA_INACTIVE 0
#define WA_ACTIVE 1
#define WA_CLICKACTIVE 2
#define WM_CANCELMODE 0x001F

// Disabling sends WM_CANCELMODE, takes the focus from the window itself and sends
// WM_ENABLE; enabling sends WM_ENABLE. Answers whether the window was disabled before.
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
// The focus and the active window of the calling thread. Focusing a window activates its
// top-level window first.
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
