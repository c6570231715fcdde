// Test interface of the simulated text output (sim_text_paint.h): the texts drawn, in order,
// with the state of the device context at the time of the call.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/sim_text_paint.h"

namespace sim {

struct TextDrawn {
    HDC hdc;
    RECT rect;
    std::u16string text;
    UINT format;
    COLORREF color; // the text colour
    int bkMode;
    HGDIOBJ font; // the font selected into the context (null: none was)
};

// Clears the record; texts are always recorded.
void ResetTextLog();
std::vector<TextDrawn> TextLog();

} // namespace sim
