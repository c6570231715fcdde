// Painting a background: the picture first, then the colour in the region the picture left.
#include "runtime/ui/background_picture.h"

#include <algorithm>

namespace {

struct Size {
    int32_t cx;
    int32_t cy;
};

// Draws the picture into dc (clipped to `area`, the part of the client area to paint) and
// removes what it covered from `rest`.
void DrawPicture(HDC dc, const RECT& client, const RECT& area, int32_t mode, HBITMAP picture,
                 HRGN rest) {
    BITMAP bm{};
    if (picture == nullptr || mode < 0 || mode > 3 ||
        GetObjectW(picture, sizeof(bm), &bm) < static_cast<int>(sizeof(bm)))
        return;
    const Size pic{bm.bmWidth, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight};
    const Size cli{client.right - client.left, client.bottom - client.top};
    if (pic.cx <= 0 || pic.cy <= 0 || cli.cx <= 0 || cli.cy <= 0)
        return;
    HDC source = CreateCompatibleDC(dc);
    if (source == nullptr)
        return;
    HGDIOBJ old = SelectObject(source, picture);
    RECT covered{0, 0, 0, 0};
    switch (mode) {
    case 0:
        BitBlt(dc, 0, 0, pic.cx, pic.cy, source, 0, 0, SRCCOPY);
        covered = RECT{0, 0, pic.cx, pic.cy};
        break;
    case 1:
        // Only the tiles that meet the area to paint are drawn.
        for (int32_t y = 0; y < cli.cy; y += pic.cy) {
            for (int32_t x = 0; x < cli.cx; x += pic.cx) {
                RECT tile{x, y, x + pic.cx, y + pic.cy};
                RECT meet{};
                if (IntersectRect(&meet, &tile, &area))
                    BitBlt(dc, x, y, pic.cx, pic.cy, source, 0, 0, SRCCOPY);
            }
        }
        covered = client;
        break;
    case 2: {
        Size drawn = pic;
        if (pic.cx > cli.cx || pic.cy > cli.cy) {
            const double scale = std::min(static_cast<double>(cli.cx) / pic.cx,
                                          static_cast<double>(cli.cy) / pic.cy);
            drawn =
                Size{static_cast<int32_t>(pic.cx * scale), static_cast<int32_t>(pic.cy * scale)};
        }
        const int32_t x = (cli.cx - drawn.cx) / 2;
        const int32_t y = (cli.cy - drawn.cy) / 2;
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, x, y, drawn.cx, drawn.cy, source, 0, 0, pic.cx, pic.cy, SRCCOPY);
        covered = RECT{x, y, x + drawn.cx, y + drawn.cy};
        break;
    }
    default:
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, 0, 0, cli.cx, cli.cy, source, 0, 0, pic.cx, pic.cy, SRCCOPY);
        covered = client;
        break;
    }
    SelectObject(source, old);
    DeleteDC(source);
    if (HRGN drawn = CreateRectRgnIndirect(&covered)) {
        CombineRgn(rest, rest, drawn, RGN_DIFF);
        DeleteObject(drawn);
    }
}

} // namespace

COLORREF ResolveBackColour(uint32_t colour) {
    return colour == kSystemFaceColour ? GetSysColor(COLOR_BTNFACE) : colour;
}

void PaintBackgroundInto(HDC dc, const RECT& client, uint32_t colour, int32_t picture_mode,
                         HBITMAP picture) {
    RECT clip{};
    RECT area{};
    GetClipBox(dc, &clip);
    if (!IntersectRect(&area, &clip, &client))
        return;
    HRGN rest = CreateRectRgnIndirect(&area);
    if (rest == nullptr)
        return;
    SelectClipRgn(dc, rest);
    DrawPicture(dc, client, area, picture_mode, picture, rest);
    RECT left{};
    if (GetRgnBox(rest, &left) != NULLREGION) {
        if (HBRUSH brush = CreateSolidBrush(ResolveBackColour(colour))) {
            FillRgn(dc, rest, brush);
            DeleteObject(brush);
        }
    }
    SelectClipRgn(dc, nullptr);
    DeleteObject(rest);
}

void PaintBackground(HWND hwnd, uint32_t colour, int32_t picture_mode, HBITMAP picture) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    if (dc == nullptr)
        return;
    RECT client{};
    GetClientRect(hwnd, &client);
    PaintBackgroundInto(dc, client, colour, picture_mode, picture);
    EndPaint(hwnd, &paint);
}
