// The generic GDI object calls of the simulated backend. Each kind of GDI object (so far the
// bitmaps of sim_gdi_bitmap.h) answers for its own handles; these calls ask each kind in turn.
#pragma once

#include "platform/sim/sim_gdi_bitmap.h"
#include "platform/sim/sim_types.h"

// For a section: DIBSECTION when the buffer holds one, else BITMAP; with a null buffer the size
// of BITMAP. 0 for an unknown handle or a buffer too small.
int GetObjectW(HGDIOBJ object, int size, LPVOID buffer);
// FALSE for an unknown handle, a stock object or one selected into a device context.
BOOL DeleteObject(HGDIOBJ object);
// The object that was selected before, or null when the object cannot be selected.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
