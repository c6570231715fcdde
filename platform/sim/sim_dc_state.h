// Internal to the simulated backend: the one record per device context that painting
// (sim_paint.cpp) and text output (sim_text_paint.cpp) keep, in one table under one lock.
//
// A window's context (GetDC, BeginPaint) has its window part set until it is released; any
// context, a memory one too, gets a record when a text or font call first names it. NOTE: the
// text part is kept after the context is released (handles are never reused, and tests make
// few contexts).
#pragma once

#include <mutex>

#include "platform/sim/sim_paint.h"
#include "platform/sim/sim_region_spans.h"
#include "platform/sim/sim_text_paint.h"

namespace sim::detail {

struct DcState {
    // The window part: hwnd is null for a context that draws into no window's surface.
    struct Window {
        HWND hwnd = nullptr;
        bool painting = false; // from BeginPaint: clipped to the update rectangle
        RECT update{};
        bool clipped = false; // a region selected with SelectClipRgn
        Spans clip;
        int stretch_mode = BLACKONWHITE;
        POINT brush_origin{0, 0};
    } window;
    // The text part.
    COLORREF text_colour = RGB(0, 0, 0);
    COLORREF back_colour = RGB(255, 255, 255);
    int back_mode = OPAQUE;
    HGDIOBJ font = nullptr; // the font last selected into the context; null: its default
};

// The painting lock. Guards the table of DcState records and every record in it, and what the
// painting and text calls keep beside it: the windows' surfaces and update rectangles
// (sim_paint.cpp) and the record of drawn texts (sim_text_paint.cpp). Nothing that may call a
// window procedure or take the window system's lock runs while it is held; the GDI lock
// (sim_gdi_kinds.h) is never taken with it either.
std::mutex& PaintLock();

// With PaintLock held: the context's record, made on first use.
DcState& DcStateOf(HDC hdc);
// With PaintLock held: the context's record, or null when it has none.
DcState* FindDcState(HDC hdc);
// With PaintLock held: the record of a window's context, or null for any other context.
DcState* WindowDcState(HDC hdc);

} // namespace sim::detail
