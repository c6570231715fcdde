// Internal to the simulated backend: what the painting calls (sim_paint.cpp) learn from the
// GDI object table, so that the drawing log can name the font a text was drawn with.
#pragma once

#include "platform/sim/sim_gdi.h"

namespace sim::detail {

// Called by SelectObject when a font is selected into a device context.
void NoteFontSelected(HDC hdc, HGDIOBJ font);
// The font last selected into the context, or null (the context's default font).
HGDIOBJ SelectedFont(HDC hdc);

} // namespace sim::detail
