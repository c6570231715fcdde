// Painting in the simulated backend: system colours, the colours and background mode of a
// device context, BeginPaint/EndPaint, and the drawing calls the controls make (FillRect,
// DrawTextW, BitBlt, StretchBlt). There is no screen: window device contexts have no pixels,
// so the drawing calls are recorded for tests (sim_paint_log.h) and draw nothing. WM_PAINT is
// never generated; a test that wants a window painted sends it WM_PAINT itself.
#pragma once

#include "platform/sim/sim_gdi.h"
#include "platform/sim/sim_types.h"

#define COLOR_WINDOWTEXT 8
#define COLOR_BTNTEXT 18

#define TRANSPARENT 1
#define OPAQUE 2

#define CLR_INVALID 0xFFFFFFFF

#define DT_TOP 0x00000000
#define DT_LEFT 0x00000000
#define DT_CENTER 0x00000001
#define DT_RIGHT 0x00000002
#define DT_VCENTER 0x00000004
#define DT_BOTTOM 0x00000008
#define DT_WORDBREAK 0x00000010
#define DT_SINGLELINE 0x00000020
#define DT_NOCLIP 0x00000100
#define DT_CALCRECT 0x00000400

#define SRCCOPY 0x00CC0020
#define HALFTONE 4
#define COLORONCOLOR 3

typedef struct tagPAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
} PAINTSTRUCT, *LPPAINTSTRUCT;

// The colours of Windows 10's default scheme (button face 240, 240, 240; window white; text
// black). Unknown indexes answer 0.
DWORD GetSysColor(int index);
// A solid brush record (GetObjectW reads it back as a LOGBRUSH).
HBRUSH CreateSolidBrush(COLORREF color);

// A device context's text colour, background colour and background mode. A fresh context has
// black text on white, OPAQUE. Each setter answers the previous value (CLR_INVALID or 0 for a
// context that does not exist).
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
int SetStretchBltMode(HDC hdc, int mode);

// A device context for the window's client area; the paint rectangle is the whole client
// area (there is no update region) and the background is never erased by it.
HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);

// Drawing is never batched here.
BOOL GdiFlush();

// The brush may be a brush handle or a system colour index plus one, as on Windows. A memory
// device context gets the rectangle filled in the section selected into it.
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
// Records the text (count -1: up to the terminator), the rectangle and the flags; answers the
// height of one 16-pixel line per line of text. DT_CALCRECT is not simulated.
int DrawTextW(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format);
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int source_x, int source_y,
            DWORD rop);
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int source_x,
                int source_y, int source_width, int source_height, DWORD rop);
