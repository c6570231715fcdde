// Focus, activation and enabling of windows in the simulated backend.
//
// Each thread has its own focus window and active window, as on Windows; one window of the
// process is the foreground window, and keyboard input goes to the focus window of the
// foreground window's thread. Activating a window (ShowWindow, SetWindowPos without
// SWP_NOACTIVATE, SetActiveWindow, SetForegroundWindow, a click) also makes it the foreground
// window: the simulation is one process, which Windows lets take the foreground.
//
// Messages, in the order Windows sends them: the window losing activation gets WM_NCACTIVATE
// and WM_ACTIVATE (WA_INACTIVE, the new window); the window gaining it gets WM_ACTIVATEAPP
// when its thread had no active window, WM_NCACTIVATE and WM_ACTIVATE (WA_ACTIVE, the old
// window), whose default processing sets the focus to it. A focus change sets the new focus
// first, then sends WM_KILLFOCUS (wParam the new focus) to the old window and WM_SETFOCUS
// (wParam the old focus) to the new one.
#pragma once

#include "platform/sim/sim_window.h"

HWND GetFocus();
// Fails (null) for a disabled or minimized window, a window under a disabled parent, and a
// window of another thread. Activates the window's top-level window first when needed.
HWND SetFocus(HWND hwnd);
HWND GetActiveWindow();
// Child windows cannot be active: the call then answers the active window and changes nothing.
HWND SetActiveWindow(HWND hwnd);
HWND GetForegroundWindow();
// FIXME: for a window of another thread the foreground and that thread's active window are
// set without messages; Windows sends them to that thread.
BOOL SetForegroundWindow(HWND hwnd);

// Disabling sends WM_CANCELMODE, takes the focus from the window itself and sends
// WM_ENABLE; enabling sends WM_ENABLE. Answers whether the window was disabled before.
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
