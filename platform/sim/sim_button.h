// The simulated BUTTON class: a push button that is pressed by WM_LBUTTONDOWN or a Space
// key-down, reports its state through BM_GETSTATE, and notifies its parent with BN_CLICKED
// when the left button is released inside it or Space is released while it is pressed. Internal to
// the simulated backend; it grows with what callers use.
#pragma once

#include "platform/sim/sim_window.h"

namespace sim::detail {

// The pressed state lives in the window's extra bytes.
constexpr int kButtonExtraBytes = sizeof(LONG_PTR);

LRESULT CALLBACK SimButtonProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

} // namespace sim::detail
