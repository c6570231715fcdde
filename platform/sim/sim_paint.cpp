// Painting of the simulated backend (sim_paint.h): update rectangles, window surfaces and the
// drawing calls. The state of each device context is its record in sim_dc_state.h.
#include "platform/sim/sim_paint.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/sim/sim_dc_state.h"
#include "platform/sim/sim_errors.h"
#include "platform/sim/sim_gdi_kinds.h"
#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_paint_hooks.h"
#include "platform/sim/sim_region_spans.h"
#include "platform/sim/sim_window.h"

using sim::detail::DcState;
using sim::detail::PaintLock;
using sim::detail::Spans;
using sim::detail::WindowDcState;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

struct Surface {
    LONG width = 0;
    LONG height = 0;
    std::vector<COLORREF> pixels;
};

// Guarded by the painting lock (sim_dc_state.h), as are the device contexts' records. Window
// calls are made before taking it.
std::unordered_map<HWND, Surface> g_surfaces;
std::unordered_map<HWND, RECT> g_updates;

// The window a context draws into, or null when it is not a window's context.
HWND WindowOf(HDC hdc) {
    std::lock_guard<std::mutex> lock(PaintLock());
    const DcState* state = WindowDcState(hdc);
    return state != nullptr ? state->window.hwnd : nullptr;
}

RECT ClientOf(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return client;
}

// With the painting lock held: the window's surface at the given client size.
Surface& SurfaceOf(HWND hwnd, const RECT& client) {
    Surface& surface = g_surfaces[hwnd];
    if (surface.width != client.right || surface.height != client.bottom) {
        surface.width = client.right;
        surface.height = client.bottom;
        surface.pixels.assign(static_cast<size_t>(surface.width) * surface.height, kWhite);
    }
    return surface;
}

// With the painting lock held: the pixels a drawing call on this context may touch.
Spans ClipOf(const DcState::Window& state, const RECT& client) {
    Spans clip = Spans::FromRect(client);
    if (state.painting)
        clip = Spans::Combine(clip, Spans::FromRect(state.update), RGN_AND);
    if (state.clipped)
        clip = Spans::Combine(clip, state.clip, RGN_AND);
    return clip;
}

bool BrushColour(HBRUSH brush, COLORREF* colour) {
    LOGBRUSH record{};
    if (GetObjectW(brush, sizeof(record), &record) != static_cast<int>(sizeof(record)))
        return false;
    if (record.lbStyle == BS_NULL)
        return false;
    *colour = record.lbColor;
    return true;
}

// Fills `area` in the bitmap selected into a memory device context.
BOOL FillSection(HDC hdc, const Spans& area, COLORREF colour) {
    std::lock_guard<std::mutex> lock(sim::detail::GdiLock());
    sim::detail::DibSection* section = sim::detail::SelectedSection(hdc);
    if (section == nullptr)
        return FALSE;
    for (const auto& [y, row] : area.rows) {
        if (y < 0 || y >= section->Rows())
            continue;
        for (const auto& span : row) {
            for (LONG x = std::max(span.first, LONG{0}); x < std::min(span.second, section->width);
                 ++x)
                sim::detail::SetSectionPixel(*section, x, y, colour);
        }
    }
    return TRUE;
}

// Fills the pixels of `area` that the clip allows.
BOOL Fill(HDC hdc, const Spans& area, HBRUSH brush) {
    COLORREF colour = 0;
    if (!BrushColour(brush, &colour))
        return FALSE;
    const HWND hwnd = WindowOf(hdc);
    if (hwnd == nullptr)
        return FillSection(hdc, area, colour);
    const RECT client = ClientOf(hwnd);
    std::lock_guard<std::mutex> lock(PaintLock());
    const DcState* state = WindowDcState(hdc);
    if (state == nullptr)
        return FALSE;
    Surface& surface = SurfaceOf(hwnd, client);
    const Spans target = Spans::Combine(area, ClipOf(state->window, client), RGN_AND);
    for (const auto& [y, row] : target.rows) {
        for (const auto& span : row) {
            for (LONG x = span.first; x < span.second; ++x)
                surface.pixels[static_cast<size_t>(y) * surface.width + x] = colour;
        }
    }
    return TRUE;
}

// The pixels of the bitmap selected into a memory device context, row by row from the top.
bool ReadSource(HDC source, std::vector<COLORREF>* pixels, LONG* width, LONG* height) {
    std::lock_guard<std::mutex> lock(sim::detail::GdiLock());
    sim::detail::DibSection* section = sim::detail::SelectedSection(source);
    if (section == nullptr)
        return false;
    *width = section->width;
    *height = section->Rows();
    pixels->resize(static_cast<size_t>(*width) * *height);
    for (LONG y = 0; y < *height; ++y) {
        for (LONG x = 0; x < *width; ++x)
            (*pixels)[static_cast<size_t>(y) * *width + x] =
                sim::detail::GetSectionPixel(*section, x, y);
    }
    return true;
}

// Copies source pixels into the window surface; pick(dx, dy) gives the source pixel of the
// destination pixel at (x + dx, y + dy), or false to leave it.
template <typename Pick>
BOOL Blit(HDC dest, int x, int y, int width, int height, HDC source, Pick pick) {
    std::vector<COLORREF> pixels;
    LONG source_width = 0;
    LONG source_height = 0;
    if (!ReadSource(source, &pixels, &source_width, &source_height))
        return FALSE;
    const HWND hwnd = WindowOf(dest);
    if (hwnd == nullptr)
        return FALSE;
    const RECT client = ClientOf(hwnd);
    std::lock_guard<std::mutex> lock(PaintLock());
    const DcState* state = WindowDcState(dest);
    if (state == nullptr)
        return FALSE;
    Surface& surface = SurfaceOf(hwnd, client);
    const Spans target = Spans::Combine(Spans::FromRect(RECT{x, y, x + width, y + height}),
                                        ClipOf(state->window, client), RGN_AND);
    for (const auto& [row_y, row] : target.rows) {
        for (const auto& span : row) {
            for (LONG col = span.first; col < span.second; ++col) {
                LONG sx = 0;
                LONG sy = 0;
                if (!pick(col - x, row_y - y, &sx, &sy) || sx < 0 || sy < 0 || sx >= source_width ||
                    sy >= source_height)
                    continue;
                surface.pixels[static_cast<size_t>(row_y) * surface.width + col] =
                    pixels[static_cast<size_t>(sy) * source_width + sx];
            }
        }
    }
    return TRUE;
}

} // namespace

namespace sim::detail {

void OnWindowDcMade(HDC hdc, HWND hwnd) {
    std::lock_guard<std::mutex> lock(PaintLock());
    DcStateOf(hdc).window.hwnd = hwnd;
}

void OnDcReleased(HDC hdc) {
    std::lock_guard<std::mutex> lock(PaintLock());
    if (DcState* state = WindowDcState(hdc); state != nullptr)
        state->window = DcState::Window{};
}

void InvalidateWindow(HWND hwnd, const RECT* rect) {
    const RECT client = ClientOf(hwnd);
    RECT area = rect != nullptr ? *rect : client;
    std::lock_guard<std::mutex> lock(PaintLock());
    auto it = g_updates.find(hwnd);
    if (it == g_updates.end() || IsRectEmpty(&it->second)) {
        g_updates[hwnd] = area;
        return;
    }
    RECT& update = it->second;
    update.left = std::min(update.left, area.left);
    update.top = std::min(update.top, area.top);
    update.right = std::max(update.right, area.right);
    update.bottom = std::max(update.bottom, area.bottom);
}

bool NeedsPaint(HWND hwnd) {
    const RECT client = ClientOf(hwnd);
    std::lock_guard<std::mutex> lock(PaintLock());
    auto it = g_updates.find(hwnd);
    RECT visible{};
    return it != g_updates.end() && IntersectRect(&visible, &it->second, &client);
}

} // namespace sim::detail

DWORD GetSysColor(int index) {
    switch (index) {
    case COLOR_WINDOW:
        return RGB(255, 255, 255);
    case COLOR_BTNFACE:
        return RGB(240, 240, 240);
    default:
        return RGB(0, 0, 0);
    }
}

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint) {
    if (paint == nullptr || !IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    const RECT client = ClientOf(hwnd);
    HDC hdc = GetDC(hwnd);
    std::lock_guard<std::mutex> lock(PaintLock());
    RECT update{};
    auto pending = g_updates.find(hwnd);
    if (pending != g_updates.end()) {
        IntersectRect(&update, &pending->second, &client);
        g_updates.erase(pending);
    }
    DcState::Window& state = sim::detail::DcStateOf(hdc).window;
    state.painting = true;
    state.update = update;
    *paint = PAINTSTRUCT{};
    paint->hdc = hdc;
    paint->rcPaint = update;
    return hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
    if (paint == nullptr)
        return FALSE;
    ReleaseDC(hwnd, paint->hdc);
    return TRUE;
}

int GetClipBox(HDC hdc, LPRECT rect) {
    const HWND hwnd = WindowOf(hdc);
    if (hwnd == nullptr || rect == nullptr)
        return ERROR;
    const RECT client = ClientOf(hwnd);
    std::lock_guard<std::mutex> lock(PaintLock());
    const DcState* state = WindowDcState(hdc);
    if (state == nullptr)
        return ERROR;
    const Spans clip = ClipOf(state->window, client);
    *rect = clip.Box();
    return clip.Kind();
}

int SelectClipRgn(HDC hdc, HRGN region) {
    Spans spans;
    if (region != nullptr && !sim::detail::CopyRegionSpans(region, &spans))
        return ERROR;
    {
        std::lock_guard<std::mutex> lock(PaintLock());
        DcState* state = WindowDcState(hdc);
        if (state == nullptr)
            return ERROR;
        state->window.clipped = region != nullptr;
        state->window.clip = std::move(spans);
    }
    RECT box{};
    return GetClipBox(hdc, &box);
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    if (rect == nullptr)
        return 0;
    return Fill(hdc, Spans::FromRect(*rect), brush);
}

BOOL FillRgn(HDC hdc, HRGN region, HBRUSH brush) {
    Spans spans;
    if (!sim::detail::CopyRegionSpans(region, &spans))
        return FALSE;
    return Fill(hdc, spans, brush);
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int source_x, int source_y,
            DWORD rop) {
    if (rop != SRCCOPY)
        return FALSE;
    return Blit(dest, x, y, width, height, source, [=](LONG dx, LONG dy, LONG* sx, LONG* sy) {
        *sx = source_x + dx;
        *sy = source_y + dy;
        return true;
    });
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int source_x,
                int source_y, int source_width, int source_height, DWORD rop) {
    if (rop != SRCCOPY || width <= 0 || height <= 0 || source_width <= 0 || source_height <= 0)
        return FALSE;
    return Blit(dest, x, y, width, height, source, [=](LONG dx, LONG dy, LONG* sx, LONG* sy) {
        *sx = source_x + static_cast<LONG>(static_cast<long long>(dx) * source_width / width);
        *sy = source_y + static_cast<LONG>(static_cast<long long>(dy) * source_height / height);
        return true;
    });
}

int SetStretchBltMode(HDC hdc, int mode) {
    std::lock_guard<std::mutex> lock(PaintLock());
    DcState* state = WindowDcState(hdc);
    if (state == nullptr || mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    return std::exchange(state->window.stretch_mode, mode);
}

BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT previous) {
    std::lock_guard<std::mutex> lock(PaintLock());
    DcState* state = WindowDcState(hdc);
    if (state == nullptr)
        return FALSE;
    if (previous != nullptr)
        *previous = state->window.brush_origin;
    state->window.brush_origin = POINT{x, y};
    return TRUE;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    const HWND hwnd = WindowOf(hdc);
    if (hwnd == nullptr) {
        std::lock_guard<std::mutex> lock(sim::detail::GdiLock());
        sim::detail::DibSection* section = sim::detail::SelectedSection(hdc);
        if (section == nullptr || x < 0 || y < 0 || x >= section->width || y >= section->Rows())
            return CLR_INVALID;
        return sim::detail::GetSectionPixel(*section, x, y);
    }
    const RECT client = ClientOf(hwnd);
    std::lock_guard<std::mutex> lock(PaintLock());
    const DcState* state = WindowDcState(hdc);
    if (state == nullptr || !ClipOf(state->window, client).Contains(x, y))
        return CLR_INVALID;
    Surface& surface = SurfaceOf(hwnd, client);
    return surface.pixels[static_cast<size_t>(y) * surface.width + x];
}

BOOL IntersectRect(LPRECT dest, const RECT* a, const RECT* b) {
    if (dest == nullptr || a == nullptr || b == nullptr)
        return FALSE;
    RECT out{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
             std::min(a->bottom, b->bottom)};
    if (out.right <= out.left || out.bottom <= out.top) {
        *dest = RECT{0, 0, 0, 0};
        return FALSE;
    }
    *dest = out;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* rect) {
    return rect == nullptr || rect->right <= rect->left || rect->bottom <= rect->top ? TRUE : FALSE;
}
