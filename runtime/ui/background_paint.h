// The background of containers and labels: an optional picture drawn in one of four modes,
// and the background colour over the part of the area the picture leaves.
//
// Picture modes: 0 at the top-left corner at natural size; 1 tiled from the top-left corner
// (only the tiles that meet the area are drawn); 2 centred, and scaled down by the smaller of
// the two ratios (truncated) when it is larger than the client area in either dimension; 3
// stretched over the client area. 2 and 3 stretch with HALFTONE. Any other mode draws no
// picture.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// Paints `area` (the part of the client rectangle to paint, such as the paint clip box) of a
// client rectangle that starts at (0, 0). colour is a colour field (0xFF000000: the button
// face). A null or unreadable picture leaves everything to the colour.
void PaintBackground(HDC dc, const RECT& client, const RECT& area, HBITMAP picture, int32_t mode,
                     uint32_t colour);
