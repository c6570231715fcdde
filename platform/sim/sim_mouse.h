// Mouse messages of the simulated backend.
//
// A mouse event of the input stream that no low-level hook swallows becomes a message for the
// window under the cursor (sim_user_state.h: WindowAt), or for the capture window, in that
// window's thread's queue; WM_MOUSEWHEEL goes to the focus window with screen coordinates.
// When the thread retrieves a message, it gets its point in client coordinates (as 16-bit
// values: -1 arrives as 65535), a second button-down on the same window within the double-click
// time and distance becomes a double click if the class has CS_DBLCLKS, a button-down first
// sends WM_MOUSEACTIVATE to a window that is not the active one (activating its top-level
// window unless the answer says otherwise), and every mouse message is preceded by
// WM_SETCURSOR, as Wine does. Consecutive moves to the same window are merged.
#pragma once

#include "platform/sim/sim_input.h"
#include "platform/sim/sim_window.h"

#define WM_CAPTURECHANGED 0x0215

// Hit-test codes: the simulation's windows are all client area.
#define HTERROR (-2)
#define HTNOWHERE 0
#define HTCLIENT 1

// WM_MOUSEACTIVATE answers.
#define MA_ACTIVATE 1
#define MA_ACTIVATEANDEAT 2
#define MA_NOACTIVATE 3
#define MA_NOACTIVATEANDEAT 4

HWND WindowFromPoint(POINT point);
// The child (visible or not) of parent under a point in parent's client coordinates, parent
// itself when no child is there, null when the point is outside parent.
HWND ChildWindowFromPoint(HWND parent, POINT point);

// The cursor shape is only recorded.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();

// Changing or releasing the capture sends WM_CAPTURECHANGED to the window that loses it.
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();

UINT GetDoubleClickTime();
