// Internal to the simulated backend: what the window and device-context calls tell the
// painting part (sim_paint.cpp) about windows and their device contexts.
#pragma once

#include "platform/sim/sim_types.h"

namespace sim::detail {

// GetDC made a context of the window; ReleaseDC let a context go.
void OnWindowDcMade(HDC hdc, HWND hwnd);
void OnDcReleased(HDC hdc);
// InvalidateRect: adds the rectangle (null: the client area) to the update rectangle.
void InvalidateWindow(HWND hwnd, const RECT* rect);
// Whether the window's update rectangle meets its client area.
bool NeedsPaint(HWND hwnd);

} // namespace sim::detail
