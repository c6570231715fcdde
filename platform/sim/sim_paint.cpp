// Simulated painting: device-context state and the recorded drawing calls (sim_paint.h).
#include "platform/sim/sim_paint.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>

#include "platform/sim/sim_errors.h"
#include "platform/sim/sim_gdi_kinds.h"
#include "platform/sim/sim_gdi_object.h"
#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_paint_log.h"
#include "platform/sim/sim_paint_state.h"
#include "platform/sim/sim_window.h"

namespace {

struct DcState {
    COLORREF text = RGB(0, 0, 0);
    COLORREF back = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int stretchMode = 1; // BLACKONWHITE
    HWND hwnd = nullptr; // set by BeginPaint
    HGDIOBJ font = nullptr;
};

// Everything below is guarded by g_mutex. A context's state is made on first use and dropped
// by EndPaint; NOTE: contexts of GetDC keep theirs until the process ends (tests make few).
std::mutex g_mutex;
std::unordered_map<HDC, DcState> g_states;
std::vector<sim::PaintCall> g_log;

DcState& State(HDC hdc) {
    return g_states[hdc];
}

std::u16string TextOf(LPCWSTR text, int count) {
    if (text == nullptr)
        return {};
    if (count < 0)
        return std::u16string(text);
    return std::u16string(text, static_cast<size_t>(count));
}

void RecordBlit(HDC dest, int x, int y, int width, int height) {
    std::lock_guard<std::mutex> lock(g_mutex);
    DcState& state = State(dest);
    sim::PaintCall call{sim::PaintCall::Kind::Blit,
                        state.hwnd,
                        {x, y, x + width, y + height},
                        0,
                        {},
                        0,
                        0,
                        nullptr};
    g_log.push_back(call);
}

} // namespace

DWORD GetSysColor(int index) {
    switch (index) {
    case COLOR_WINDOW:
        return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT:
    case COLOR_BTNTEXT:
        return RGB(0, 0, 0);
    case COLOR_BTNFACE:
        return RGB(240, 240, 240);
    default:
        return 0;
    }
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    if (hdc == nullptr)
        return CLR_INVALID;
    std::lock_guard<std::mutex> lock(g_mutex);
    COLORREF old = State(hdc).text;
    State(hdc).text = color;
    return old;
}

COLORREF GetTextColor(HDC hdc) {
    if (hdc == nullptr)
        return CLR_INVALID;
    std::lock_guard<std::mutex> lock(g_mutex);
    return State(hdc).text;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    if (hdc == nullptr)
        return CLR_INVALID;
    std::lock_guard<std::mutex> lock(g_mutex);
    COLORREF old = State(hdc).back;
    State(hdc).back = color;
    return old;
}

COLORREF GetBkColor(HDC hdc) {
    if (hdc == nullptr)
        return CLR_INVALID;
    std::lock_guard<std::mutex> lock(g_mutex);
    return State(hdc).back;
}

int SetBkMode(HDC hdc, int mode) {
    if (hdc == nullptr || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    std::lock_guard<std::mutex> lock(g_mutex);
    int old = State(hdc).bkMode;
    State(hdc).bkMode = mode;
    return old;
}

int GetBkMode(HDC hdc) {
    if (hdc == nullptr)
        return 0;
    std::lock_guard<std::mutex> lock(g_mutex);
    return State(hdc).bkMode;
}

int SetStretchBltMode(HDC hdc, int mode) {
    if (hdc == nullptr)
        return 0;
    std::lock_guard<std::mutex> lock(g_mutex);
    int old = State(hdc).stretchMode;
    State(hdc).stretchMode = mode;
    return old;
}

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint) {
    if (paint == nullptr || !IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    *paint = PAINTSTRUCT{};
    GetClientRect(hwnd, &paint->rcPaint);
    paint->hdc = GetDC(hwnd);
    std::lock_guard<std::mutex> lock(g_mutex);
    State(paint->hdc).hwnd = hwnd;
    return paint->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
    if (paint == nullptr)
        return FALSE;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_states.erase(paint->hdc);
    }
    ReleaseDC(hwnd, paint->hdc);
    return TRUE;
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    if (hdc == nullptr || rect == nullptr || brush == nullptr)
        return 0;
    COLORREF color = 0;
    auto value = reinterpret_cast<uintptr_t>(brush);
    if (value <= COLOR_BTNTEXT + 1) {
        color = GetSysColor(static_cast<int>(value) - 1);
    } else {
        LOGBRUSH record{};
        if (GetObjectW(brush, sizeof record, &record) != sizeof record)
            return 0;
        color = record.lbColor;
    }
    {
        // A memory device context has pixels: the rectangle is filled there.
        std::lock_guard<std::mutex> gdi(sim::detail::GdiLock());
        if (sim::detail::DibSection* section = sim::detail::SelectedSection(hdc)) {
            LONG right = std::min(rect->right, section->width);
            LONG bottom = std::min(rect->bottom, section->Rows());
            for (LONG y = std::max(rect->top, LONG{0}); y < bottom; ++y) {
                for (LONG x = std::max(rect->left, LONG{0}); x < right; ++x)
                    sim::detail::SetSectionPixel(*section, x, y, color);
            }
        }
    }
    std::lock_guard<std::mutex> lock(g_mutex);
    g_log.push_back(
        {sim::PaintCall::Kind::FillRect, State(hdc).hwnd, *rect, color, {}, 0, 0, nullptr});
    return 1;
}

int DrawTextW(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format) {
    if (hdc == nullptr || rect == nullptr)
        return 0;
    std::u16string units = TextOf(text, count);
    int lines = 1;
    for (char16_t unit : units)
        lines += unit == u'\n' ? 1 : 0;
    std::lock_guard<std::mutex> lock(g_mutex);
    const DcState& state = State(hdc);
    g_log.push_back({sim::PaintCall::Kind::DrawText, state.hwnd, *rect, state.text, units, format,
                     state.bkMode, state.font});
    return 16 * lines;
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC, int, int, DWORD) {
    if (dest == nullptr)
        return FALSE;
    RecordBlit(dest, x, y, width, height);
    return TRUE;
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC, int, int, int, int, DWORD) {
    if (dest == nullptr)
        return FALSE;
    RecordBlit(dest, x, y, width, height);
    return TRUE;
}

BOOL GdiFlush() {
    return TRUE;
}

namespace sim {

void ResetPaintLog() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_log.clear();
}

std::vector<PaintCall> PaintLog() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_log;
}

} // namespace sim

namespace sim::detail {

void NoteFontSelected(HDC hdc, HGDIOBJ font) {
    std::lock_guard<std::mutex> lock(g_mutex);
    State(hdc).font = font;
}

HGDIOBJ SelectedFont(HDC hdc) {
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = g_states.find(hdc);
    return it != g_states.end() ? it->second.font : nullptr;
}

} // namespace sim::detail
