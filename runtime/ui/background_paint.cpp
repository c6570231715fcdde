// Background pictures and colours of containers and labels.
#include "runtime/ui/background_paint.h"

#include <algorithm>

#include "runtime/ui/control_colours.h"

namespace {

bool IsEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

RECT Intersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    return IsEmpty(r) ? RECT{0, 0, 0, 0} : r;
}

// Draws the picture and answers the rectangle it covers (empty when none).
RECT DrawPicture(HDC dc, const RECT& client, const RECT& area, HBITMAP picture, int32_t mode) {
    BITMAP info{};
    if (picture == nullptr || GetObjectW(picture, sizeof info, &info) == 0 || info.bmWidth <= 0 ||
        info.bmHeight == 0 || mode < 0 || mode > 3)
        return RECT{0, 0, 0, 0};
    const LONG pw = info.bmWidth;
    const LONG ph = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    const LONG cw = client.right - client.left;
    const LONG ch = client.bottom - client.top;
    HDC source = CreateCompatibleDC(dc);
    if (source == nullptr)
        return RECT{0, 0, 0, 0};
    HGDIOBJ old = SelectObject(source, picture);
    RECT covered{0, 0, 0, 0};
    switch (mode) {
    case 0:
        BitBlt(dc, 0, 0, pw, ph, source, 0, 0, SRCCOPY);
        covered = {0, 0, pw, ph};
        break;
    case 1:
        for (LONG y = 0; y < ch; y += ph) {
            for (LONG x = 0; x < cw; x += pw) {
                if (!IsEmpty(Intersect(RECT{x, y, x + pw, y + ph}, area)))
                    BitBlt(dc, x, y, pw, ph, source, 0, 0, SRCCOPY);
            }
        }
        covered = client;
        break;
    case 2: {
        LONG w = pw;
        LONG h = ph;
        if (pw > cw || ph > ch) {
            double scale = std::min(static_cast<double>(cw) / pw, static_cast<double>(ch) / ph);
            w = static_cast<LONG>(pw * scale);
            h = static_cast<LONG>(ph * scale);
        }
        LONG x = (cw - w) / 2;
        LONG y = (ch - h) / 2;
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, x, y, w, h, source, 0, 0, pw, ph, SRCCOPY);
        covered = {x, y, x + w, y + h};
        break;
    }
    default:
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, 0, 0, cw, ch, source, 0, 0, pw, ph, SRCCOPY);
        covered = client;
        break;
    }
    SelectObject(source, old);
    DeleteDC(source);
    return covered;
}

} // namespace

void PaintBackground(HDC dc, const RECT& client, const RECT& area, HBITMAP picture, int32_t mode,
                     uint32_t colour) {
    RECT todo = Intersect(client, area);
    if (IsEmpty(todo))
        return;
    RECT covered = Intersect(DrawPicture(dc, client, todo, picture, mode), todo);
    HBRUSH brush = CreateSolidBrush(ResolveColour(colour, COLOR_BTNFACE));
    if (brush == nullptr)
        return;
    if (IsEmpty(covered)) {
        FillRect(dc, &todo, brush);
    } else {
        // The bands above and below the picture, then left and right of it.
        const RECT bands[] = {{todo.left, todo.top, todo.right, covered.top},
                              {todo.left, covered.bottom, todo.right, todo.bottom},
                              {todo.left, covered.top, covered.left, covered.bottom},
                              {covered.right, covered.top, todo.right, covered.bottom}};
        for (const RECT& band : bands) {
            if (!IsEmpty(band))
                FillRect(dc, &band, brush);
        }
    }
    DeleteObject(brush);
}
