// Text output in the simulated backend: the text colour, background colour and background
// mode of a device context, and DrawTextW. There are no glyphs: DrawTextW draws nothing into a
// window's surface (sim_paint.h) and is recorded instead, with the context's state and font,
// for tests (sim_text_log.h).
#pragma once

#include "platform/sim/sim_gdi.h"
#include "platform/sim/sim_types.h"

#define COLOR_BTNTEXT 18

#define TRANSPARENT 1
#define OPAQUE 2

#define DT_TOP 0x00000000
#define DT_LEFT 0x00000000
#define DT_CENTER 0x00000001
#define DT_RIGHT 0x00000002
#define DT_VCENTER 0x00000004
#define DT_BOTTOM 0x00000008
#define DT_WORDBREAK 0x00000010
#define DT_SINGLELINE 0x00000020
#define DT_NOCLIP 0x00000100

// A fresh context has black text on white, OPAQUE. Each setter answers the previous value
// (CLR_INVALID or 0 for a null context).
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);

// Records the text (count -1: up to the terminator), the rectangle and the flags; answers a
// height of 16 pixels per line of text.
int DrawTextW(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format);

// Drawing is never batched here.
BOOL GdiFlush();
