// GDI objects of the simulated backend, as records without drawing: logical fonts that read
// back as they were created, the stock objects, and device contexts that answer the device
// capabilities the system asks for (the logical resolution is 96 dots per inch unless a test
// sets another through sim_testing.h).
#pragma once

#include "platform/sim/sim_types.h"

typedef void* HGDIOBJ;
typedef DWORD COLORREF;

#define RGB(r, g, b)                                                                               \
    ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#ifndef GetRValue
#define GetRValue(c) ((BYTE)(c))
#define GetGValue(c) ((BYTE)(((WORD)(c)) >> 8))
#define GetBValue(c) ((BYTE)((c) >> 16))
#endif

#define LF_FACESIZE 32

typedef struct tagLOGFONTW {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    WCHAR lfFaceName[LF_FACESIZE];
} LOGFONTW, *PLOGFONTW, *LPLOGFONTW;

typedef struct tagLOGBRUSH {
    UINT lbStyle;
    COLORREF lbColor;
    ULONG_PTR lbHatch;
} LOGBRUSH, *PLOGBRUSH, *LPLOGBRUSH;

#define FW_DONTCARE 0
#define FW_NORMAL 400
#define FW_BOLD 700

#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define GB2312_CHARSET 134

#define OUT_DEFAULT_PRECIS 0
#define CLIP_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define PROOF_QUALITY 2
#define DEFAULT_PITCH 0
#define VARIABLE_PITCH 2
#define FF_DONTCARE 0x00
#define FF_SWISS 0x20

#define BS_SOLID 0
#define BS_NULL 1

// Stock objects.
#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define SYSTEM_FONT 13
#define DEFAULT_GUI_FONT 17

// Device capabilities.
#define HORZRES 8
#define VERTRES 10
#define LOGPIXELSX 88
#define LOGPIXELSY 90

// Answers null for a stock object the simulation does not have.
HGDIOBJ GetStockObject(int object);
HFONT CreateFontIndirectW(const LOGFONTW* font);
// Fonts read back as a LOGFONTW, brushes as a LOGBRUSH; with a null buffer the answer is the
// size needed. A smaller buffer gets the start of the record.
int GetObjectW(HGDIOBJ object, int size, LPVOID buffer);
// Stock objects are never deleted (the answer is still TRUE, as on Windows).
BOOL DeleteObject(HGDIOBJ object);

HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);
int GetDeviceCaps(HDC dc, int index);
