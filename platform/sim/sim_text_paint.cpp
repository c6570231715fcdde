// Simulated text output: device-context text state and the record of drawn texts.
#include "platform/sim/sim_text_paint.h"

#include <mutex>
#include <utility>

#include "platform/sim/sim_dc_state.h"
#include "platform/sim/sim_paint.h"
#include "platform/sim/sim_text_log.h"
#include "platform/sim/sim_text_paint_state.h"

using sim::detail::DcStateOf;
using sim::detail::PaintLock;

namespace {

// Guarded by the painting lock (sim_dc_state.h), as is the contexts' text state.
std::vector<sim::TextDrawn> g_log;

} // namespace

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    if (hdc == nullptr)
        return CLR_INVALID;
    std::lock_guard<std::mutex> lock(PaintLock());
    return std::exchange(DcStateOf(hdc).text_colour, color);
}

COLORREF GetTextColor(HDC hdc) {
    if (hdc == nullptr)
        return CLR_INVALID;
    std::lock_guard<std::mutex> lock(PaintLock());
    return DcStateOf(hdc).text_colour;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    if (hdc == nullptr)
        return CLR_INVALID;
    std::lock_guard<std::mutex> lock(PaintLock());
    return std::exchange(DcStateOf(hdc).back_colour, color);
}

COLORREF GetBkColor(HDC hdc) {
    if (hdc == nullptr)
        return CLR_INVALID;
    std::lock_guard<std::mutex> lock(PaintLock());
    return DcStateOf(hdc).back_colour;
}

int SetBkMode(HDC hdc, int mode) {
    if (hdc == nullptr || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    std::lock_guard<std::mutex> lock(PaintLock());
    return std::exchange(DcStateOf(hdc).back_mode, mode);
}

int GetBkMode(HDC hdc) {
    if (hdc == nullptr)
        return 0;
    std::lock_guard<std::mutex> lock(PaintLock());
    return DcStateOf(hdc).back_mode;
}

int DrawTextW(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format) {
    if (hdc == nullptr || rect == nullptr)
        return 0;
    std::u16string units;
    if (text != nullptr)
        units = count < 0 ? std::u16string(text) : std::u16string(text, static_cast<size_t>(count));
    int lines = 1;
    for (char16_t unit : units)
        lines += unit == u'\n' ? 1 : 0;
    std::lock_guard<std::mutex> lock(PaintLock());
    const sim::detail::DcState& state = DcStateOf(hdc);
    g_log.push_back({hdc, *rect, units, format, state.text_colour, state.back_mode, state.font});
    return 16 * lines;
}

BOOL GdiFlush() {
    return TRUE;
}

namespace sim {

void ResetTextLog() {
    std::lock_guard<std::mutex> lock(PaintLock());
    g_log.clear();
}

std::vector<TextDrawn> TextLog() {
    std::lock_guard<std::mutex> lock(PaintLock());
    return g_log;
}

} // namespace sim

namespace sim::detail {

void NoteFontSelected(HDC hdc, HGDIOBJ font) {
    std::lock_guard<std::mutex> lock(PaintLock());
    DcStateOf(hdc).font = font;
}

HGDIOBJ SelectedFont(HDC hdc) {
    std::lock_guard<std::mutex> lock(PaintLock());
    const DcState* state = FindDcState(hdc);
    return state != nullptr ? state->font : nullptr;
}

} // namespace sim::detail
