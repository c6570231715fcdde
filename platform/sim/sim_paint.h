// Painting in the simulated backend: update regions, WM_PAINT, device contexts of windows
// that draw into a pixel surface, and the few drawing calls the framework makes (filling with
// a brush, copying and stretching bitmaps from a memory device context).
//
// Each window has a surface of its client size (white at first, cleared when the client size
// changes) that its device contexts draw into and GetPixel reads, so tests check painted
// pixels the same way on both backends. Children are not composed into their parent's
// surface: each window has its own.
//
// InvalidateRect adds to the window's update rectangle (a rectangle, where Windows keeps a
// region), showing or resizing a window invalidates all of it, and UpdateWindow sends
// WM_PAINT when it is not empty. NOTE: the simulation posts no
// WM_PAINT of its own from the message queue and sends no WM_ERASEBKGND; a window is painted
// when UpdateWindow asks for it. BeginPaint clips to the update rectangle and validates it;
// the default window procedure validates with BeginPaint and EndPaint.
//
// Drawing reaches window device contexts (GetDC, BeginPaint); a memory device context is a
// source for BitBlt and StretchBlt, can be read with GetPixel, and is filled by FillRect and
// FillRgn. Text output is in sim_text_paint.h. StretchBlt takes the
// nearest source pixel in every mode (Windows averages in HALFTONE mode), so tests check
// pictures of one colour, or pixels away from colour edges.
#pragma once

#include "platform/sim/sim_gdi.h"
#include "platform/sim/sim_region.h"
#include "platform/sim/sim_types.h"

typedef struct tagPAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
} PAINTSTRUCT, *LPPAINTSTRUCT;

#define CLR_INVALID 0xFFFFFFFF
#define SRCCOPY 0x00CC0020

#define BLACKONWHITE 1
#define COLORONCOLOR 3
#define HALFTONE 4

#define COLOR_WINDOWTEXT 8

// The system colours: COLOR_WINDOW white, COLOR_WINDOWTEXT black, COLOR_BTNFACE 240/240/240
// (others black).
DWORD GetSysColor(int index);
HBRUSH CreateSolidBrush(COLORREF color);

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);

// The clip of a window device context: the client area, within the update rectangle for one
// from BeginPaint, within the region selected with SelectClipRgn (null removes it).
int GetClipBox(HDC hdc, LPRECT rect);
int SelectClipRgn(HDC hdc, HRGN region);

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
BOOL FillRgn(HDC hdc, HRGN region, HBRUSH brush);
// SRCCOPY from a memory device context with a bitmap selected.
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int source_x, int source_y,
            DWORD rop);
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int source_x,
                int source_y, int source_width, int source_height, DWORD rop);
// The previous mode (BLACKONWHITE at first).
int SetStretchBltMode(HDC hdc, int mode);
BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT previous);
// CLR_INVALID outside the surface (or the clip of a window device context).
COLORREF GetPixel(HDC hdc, int x, int y);

BOOL IntersectRect(LPRECT dest, const RECT* a, const RECT* b);
BOOL IsRectEmpty(const RECT* rect);
