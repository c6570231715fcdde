// Internal to the simulated backend: the kinds of GDI object behind GetObjectW, DeleteObject
// and SelectObject, and the records of bitmaps and memory device contexts.
#pragma once

#include <mutex>
#include <vector>

#include "platform/sim/sim_gdi_bitmap.h"

namespace sim::detail {

// One kind of GDI object. Each function answers for the kind's own handles only: `owns` tells
// whether a handle is one of them, the others are called only for such handles. Each takes the
// GDI lock itself.
struct GdiObjectKind {
    bool (*owns)(HGDIOBJ object);
    int (*get_object)(HGDIOBJ object, int size, LPVOID buffer);
    BOOL (*destroy)(HGDIOBJ object);
    HGDIOBJ (*select)(HDC hdc, HGDIOBJ object);
};
extern const GdiObjectKind kBitmapKind;
extern const GdiObjectKind kFontBrushKind;
extern const GdiObjectKind kRegionKind;

// Bitmaps, device contexts and image lists change under this lock.
std::mutex& GdiLock();

struct DibSection {
    LONG width = 0;
    LONG height = 0; // as created: negative for a top-down section
    WORD bits_per_pixel = 0;
    LONG stride = 0; // bytes per row, padded to four
    std::vector<BYTE> bits;
    std::vector<RGBQUAD> colors; // 2^bits entries for 8 bits per pixel or fewer
    HDC selected_into = nullptr;
    bool stock = false;

    LONG Rows() const { return height < 0 ? -height : height; }
    // Row y counted from the top of the picture.
    BYTE* Row(LONG y) { return bits.data() + (height < 0 ? y : Rows() - 1 - y) * stride; }
};

// With the GDI lock held; null for anything that is not a live section.
DibSection* FindSection(HGDIOBJ object);
// The section selected into a memory device context, or null.
DibSection* SelectedSection(HDC hdc);

// One pixel as a colour, and back (the nearest table entry for indexed sections).
COLORREF GetSectionPixel(DibSection& section, LONG x, LONG y);
void SetSectionPixel(DibSection& section, LONG x, LONG y, COLORREF color);

} // namespace sim::detail
