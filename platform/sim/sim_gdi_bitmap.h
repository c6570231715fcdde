// Device-independent bitmap sections and memory device contexts of the simulated backend.
//
// A section is pixel memory with the layout Windows gives it: rows padded to four bytes,
// bottom-up for a positive height, a colour table for 8 bits per pixel or fewer. A memory
// device context holds the bitmap selected into it (a 1 x 1 monochrome stock bitmap at first),
// which is what SetDIBColorTable and the image lists' drawing reach. Nothing else is drawn.
#pragma once

#include "platform/sim/sim_types.h"

typedef void* HGDIOBJ;
typedef DWORD COLORREF;
#ifndef RGB
#define RGB(r, g, b)                                                                               \
    ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#endif
#ifndef GetRValue
#define GetRValue(c) ((BYTE)(c))
#define GetGValue(c) ((BYTE)(((WORD)(c)) >> 8))
#define GetBValue(c) ((BYTE)((c) >> 16))
#endif

#define BI_RGB 0L
#define DIB_RGB_COLORS 0

typedef struct tagRGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
} RGBQUAD;

typedef struct tagBITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
} BITMAPINFOHEADER, *LPBITMAPINFOHEADER;

typedef struct tagBITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
} BITMAPINFO, *LPBITMAPINFO;

typedef struct tagBITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
} BITMAP, *LPBITMAP;

typedef struct tagDIBSECTION {
    BITMAP dsBm;
    BITMAPINFOHEADER dsBmih;
    DWORD dsBitfields[3];
    HANDLE dshSection;
    DWORD dsOffset;
} DIBSECTION, *LPDIBSECTION;

// Uncompressed sections of 1, 4, 8, 16, 24 or 32 bits per pixel; the device context and the
// file mapping are not used. The pixels start zeroed.
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset);
// The colour table of the section selected into a memory device context; the number of
// entries set or read.
UINT SetDIBColorTable(HDC hdc, UINT start, UINT count, const RGBQUAD* colors);
UINT GetDIBColorTable(HDC hdc, UINT start, UINT count, RGBQUAD* colors);

// Memory device contexts only; the argument is ignored.
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
