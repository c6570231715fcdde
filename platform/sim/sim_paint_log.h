// Test interface of the simulated painting (sim_paint.h): what was drawn into the device
// contexts of BeginPaint, in order, with the window they belong to and the state of the
// context at the time of the call.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/sim_paint.h"

namespace sim {

struct PaintCall {
    enum class Kind { FillRect, DrawText, Blit };
    Kind kind;
    HWND hwnd;      // the window of BeginPaint, null for other contexts
    RECT rect;      // the destination rectangle
    COLORREF color; // FillRect: the brush's colour; DrawText: the text colour
    std::u16string text;
    UINT format;  // DrawText: the flags
    int bkMode;   // DrawText: the background mode
    HGDIOBJ font; // DrawText: the font selected into the context (null: the default)
};

// Clears the log; drawing is always recorded.
void ResetPaintLog();
std::vector<PaintCall> PaintLog();

} // namespace sim
