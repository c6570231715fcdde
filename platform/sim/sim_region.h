// Regions of the simulated backend: rectangles, ellipses and rounded rectangles, combined
// with each other, tested point by point, used as window shapes and as clip regions.
//
// A region is kept as pixel spans row by row, as Windows keeps it: a pixel (x, y) belongs to
// an ellipse when its centre (x + 0.5, y + 0.5) lies inside the ellipse, and the right and
// bottom edges of every shape are outside it. Windows rounds the edges of curved shapes a
// little differently, so tests check points that are clearly inside or outside.
//
// SetWindowRgn keeps the region as the window's shape (the window owns it from then on and
// deletes it when a new one comes or the window goes); GetWindowRgn copies it out.
#pragma once

#include "platform/sim/sim_types.h"

struct HRGN__ {
    int unused;
};
typedef struct HRGN__* HRGN;

#define ERROR 0
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3
#define RGN_ERROR ERROR

#define RGN_AND 1
#define RGN_OR 2
#define RGN_XOR 3
#define RGN_DIFF 4
#define RGN_COPY 5

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
// Corners are quarters of an ellipse of width by height.
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height);
// dest = a op b (RGN_COPY: a). The answer is the kind of the result, ERROR for a bad handle.
int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode);
BOOL PtInRegion(HRGN region, int x, int y);
// The bounding box (empty for an empty region) and the kind of the region.
int GetRgnBox(HRGN region, LPRECT rect);
int OffsetRgn(HRGN region, int dx, int dy);

// null removes the shape. 0 for an unknown window.
int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw);
// Copies the window's shape into region: its kind, or ERROR when the window has none.
int GetWindowRgn(HWND hwnd, HRGN region);
