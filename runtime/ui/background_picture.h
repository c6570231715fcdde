// The background of containers and labels: a picture drawn in one of four ways, and the rest
// of the client area filled with a colour.
//
// Picture modes: 0 at its natural size in the top-left corner; 1 tiled from the top-left
// corner; 2 centred, and scaled down by one factor for both sides (truncated) when it is
// larger than the client area in either direction; 3 stretched over the whole client area.
// Any other mode draws no picture. Scaling uses halftone stretching. Whatever the picture
// does not cover is filled with the colour (kSystemFaceColour: the system's button face).
//
// Main thread only.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// The background colour that stands for the system's button-face colour.
inline constexpr uint32_t kSystemFaceColour = 0xFF000000;

// The colour to fill with: the system's button face for kSystemFaceColour.
COLORREF ResolveBackColour(uint32_t colour);

// Paints the background into dc (a context of BeginPaint, whose clip box limits the work) over
// the client rectangle: the picture (may be null), then the colour where the picture left
// the area. Labels paint their text over it.
void PaintBackgroundInto(HDC dc, const RECT& client, uint32_t colour, int32_t picture_mode,
                         HBITMAP picture);

// Answers WM_PAINT for hwnd: BeginPaint, the background within the paint clip box, EndPaint.
void PaintBackground(HWND hwnd, uint32_t colour, int32_t picture_mode, HBITMAP picture);
