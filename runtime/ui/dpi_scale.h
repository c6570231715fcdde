// Lengths at a window's DPI. The layouts of forms are designed in pixels at 96 DPI; on a
// scaled monitor a per-monitor aware program draws them larger itself, so every designed
// place and size goes through ScaleForDpi with the DPI of the window it lies in.
//
// Rounding is MulDiv's: length × dpi / 96, rounded to the nearest integer, halves away from
// zero (45 at 144 DPI is 67.5 → 68; -1 is -1.5 → -2). For DPIs of 96 and above no two
// lengths meet, so UnscaleForDpi(ScaleForDpi(v, dpi), dpi) == v: a place read back from a
// window converts to the designed length it came from.
#pragma once

#include <cstdint>

#include "platform/platform.h"

inline constexpr UINT kDesignDpi = 96;

// length × dpi / 96, rounded as MulDiv rounds. A DPI of 0 counts as 96.
int32_t ScaleForDpi(int32_t length, UINT dpi);
// pixels × 96 / dpi, rounded the same way; the designed length a scaled one came from.
int32_t UnscaleForDpi(int32_t pixels, UINT dpi);
// A length made for one DPI at another: length × to / from, rounded the same way.
int32_t ScaleBetweenDpis(int32_t length, UINT from, UINT to);
// The DPI of the window's monitor (per-monitor aware); 96 when the window does not exist.
UINT WindowDpi(HWND hwnd);
