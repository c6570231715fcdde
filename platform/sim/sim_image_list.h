// Image lists of the simulated backend: the masked kind, filled from a bitmap strip and drawn
// into the bitmap of a memory device context, which is what the runtime's image lists from
// bitmap strips need. Each image keeps its colours and its mask (the pixels of the mask colour
// are transparent); drawing copies the opaque pixels only.
#pragma once

#include "platform/sim/sim_gdi_bitmap.h"
#include "platform/sim/sim_types.h"

struct _IMAGELIST;
typedef struct _IMAGELIST* HIMAGELIST;

#define ILC_MASK 0x00000001
#define ILC_COLOR 0x00000000
#define ILC_COLOR24 0x00000018
#define ILC_COLOR32 0x00000020
#define ILD_NORMAL 0x00000000
#define ILD_TRANSPARENT 0x00000001
#define CLR_NONE 0xFFFFFFFFL
#define CLR_DEFAULT 0xFF000000L

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
// Cuts the bitmap into images as wide as the list's images (the remainder is dropped); the
// pixels of the mask colour become transparent. The index of the first new image, or -1.
int ImageList_AddMasked(HIMAGELIST list, HBITMAP bitmap, COLORREF mask);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
// Into the bitmap selected into a memory device context; transparent pixels are left alone.
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC hdc, int x, int y, UINT style);
