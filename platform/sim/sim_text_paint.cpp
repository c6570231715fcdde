// Simulated text output: device-context text state and the record of drawn texts.
#include "platform/sim/sim_text_paint.h"

#include <mutex>
#include <unordered_map>

#include "platform/sim/sim_paint.h"
#include "platform/sim/sim_text_log.h"
#include "platform/sim/sim_text_paint_state.h"

namespace {

struct TextState {
    COLORREF text = RGB(0, 0, 0);
    COLORREF back = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    HGDIOBJ font = nullptr;
};

// Guarded by g_mutex. A context's state is made on first use; NOTE: it is kept after the
// context is released (handles are never reused, and tests make few contexts).
std::mutex g_mutex;
std::unordered_map<HDC, TextState> g_states;
std::vector<sim::TextDrawn> g_log;

} // namespace

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    if (hdc == nullptr)
        return CLR_INVALID;
    std::lock_guard<std::mutex> lock(g_mutex);
    COLORREF old = g_states[hdc].text;
    g_states[hdc].text = color;
    return old;
}

COLORREF GetTextColor(HDC hdc) {
    if (hdc == nullptr)
        return CLR_INVALID;
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_states[hdc].text;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    if (hdc == nullptr)
        return CLR_INVALID;
    std::lock_guard<std::mutex> lock(g_mutex);
    COLORREF old = g_states[hdc].back;
    g_states[hdc].back = color;
    return old;
}

COLORREF GetBkColor(HDC hdc) {
    if (hdc == nullptr)
        return CLR_INVALID;
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_states[hdc].back;
}

int SetBkMode(HDC hdc, int mode) {
    if (hdc == nullptr || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    std::lock_guard<std::mutex> lock(g_mutex);
    int old = g_states[hdc].bkMode;
    g_states[hdc].bkMode = mode;
    return old;
}

int GetBkMode(HDC hdc) {
    if (hdc == nullptr)
        return 0;
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_states[hdc].bkMode;
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
    std::lock_guard<std::mutex> lock(g_mutex);
    const TextState& state = g_states[hdc];
    g_log.push_back({hdc, *rect, units, format, state.text, state.bkMode, state.font});
    return 16 * lines;
}

BOOL GdiFlush() {
    return TRUE;
}

namespace sim {

void ResetTextLog() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_log.clear();
}

std::vector<TextDrawn> TextLog() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_log;
}

} // namespace sim

namespace sim::detail {

void NoteFontSelected(HDC hdc, HGDIOBJ font) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_states[hdc].font = font;
}

HGDIOBJ SelectedFont(HDC hdc) {
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = g_states.find(hdc);
    return it != g_states.end() ? it->second.font : nullptr;
}

} // namespace sim::detail
