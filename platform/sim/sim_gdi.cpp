// GDI objects of the simulated backend (sim_gdi.h): a table of records behind the handles.
#include "platform/sim/sim_gdi.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/sim/sim_errors.h"
#include "platform/sim/sim_gdi_kinds.h"
#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_input.h"
#include "platform/sim/sim_paint_hooks.h"
#include "platform/sim/sim_text_paint_state.h"
#include "platform/sim/sim_testing.h"

namespace {

enum class Kind { Font, Brush, Dc };

struct Record {
    Kind kind;
    bool stock = false;
    LOGFONTW font{};
    LOGBRUSH brush{};
};

// Everything below is guarded by g_mutex; handle values are never reused.
std::mutex g_mutex;
// Made on first use: static objects of a program (the application's global controls) make
// brushes before the dynamic initialisers of this file would have run. The other fields are
// constant-initialised.
std::unordered_map<uintptr_t, Record>& Objects() {
    static std::unordered_map<uintptr_t, Record> objects;
    return objects;
}
uintptr_t g_next = 0x30000;
int g_log_pixels = 96;
bool g_stock_made = false;
uintptr_t g_stock[DEFAULT_GUI_FONT + 1] = {};

LOGFONTW Font(LONG height, LONG weight, BYTE charset, BYTE pitch, const char16_t* face) {
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfCharSet = charset;
    font.lfPitchAndFamily = pitch;
    std::copy_n(face, std::char_traits<char16_t>::length(face), font.lfFaceName);
    return font;
}

uintptr_t Insert(Record record) {
    uintptr_t handle = g_next;
    g_next += 4;
    Objects().emplace(handle, record);
    return handle;
}

// The stock objects, made on first use. The GUI and system fonts have the faces and heights
// that Wine reports, so that tests compare the same records on both backends.
void MakeStock() {
    if (g_stock_made)
        return;
    g_stock_made = true;
    const struct {
        int index;
        COLORREF color;
    } kBrushes[] = {{WHITE_BRUSH, RGB(255, 255, 255)},
                    {LTGRAY_BRUSH, RGB(192, 192, 192)},
                    {GRAY_BRUSH, RGB(128, 128, 128)},
                    {DKGRAY_BRUSH, RGB(64, 64, 64)},
                    {BLACK_BRUSH, RGB(0, 0, 0)}};
    for (const auto& b : kBrushes) {
        Record r{Kind::Brush, true};
        r.brush = {BS_SOLID, b.color, 0};
        g_stock[b.index] = Insert(r);
    }
    Record null_brush{Kind::Brush, true};
    null_brush.brush = {BS_NULL, 0, 0};
    g_stock[NULL_BRUSH] = Insert(null_brush);
    Record system_font{Kind::Font, true};
    system_font.font = Font(16, FW_BOLD, ANSI_CHARSET, VARIABLE_PITCH | FF_SWISS, u"System");
    g_stock[SYSTEM_FONT] = Insert(system_font);
    Record gui_font{Kind::Font, true};
    gui_font.font = Font(-11, FW_NORMAL, DEFAULT_CHARSET, DEFAULT_PITCH, u"MS Shell Dlg");
    g_stock[DEFAULT_GUI_FONT] = Insert(gui_font);
}

Record* Find(HGDIOBJ object) {
    auto it = Objects().find(reinterpret_cast<uintptr_t>(object));
    return it == Objects().end() ? nullptr : &it->second;
}

} // namespace

HGDIOBJ GetStockObject(int object) {
    std::lock_guard<std::mutex> lock(g_mutex);
    MakeStock();
    if (object < 0 || object > DEFAULT_GUI_FONT || g_stock[object] == 0)
        return nullptr;
    return reinterpret_cast<HGDIOBJ>(g_stock[object]);
}

HFONT CreateFontIndirectW(const LOGFONTW* font) {
    if (font == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(g_mutex);
    Record record{Kind::Font};
    record.font = *font;
    // The face name is kept terminated, whatever the caller left in the last unit.
    record.font.lfFaceName[LF_FACESIZE - 1] = 0;
    return reinterpret_cast<HFONT>(Insert(record));
}

namespace {

// Fonts and brushes are one kind of GDI object behind GetObjectW, DeleteObject and
// SelectObject (sim_gdi_object.cpp); device contexts are not GDI objects of that kind.
bool OwnsFontOrBrush(HGDIOBJ object) {
    std::lock_guard<std::mutex> lock(g_mutex);
    Record* record = Find(object);
    return record != nullptr && record->kind != Kind::Dc;
}

int GetFontOrBrushObject(HGDIOBJ object, int size, LPVOID buffer) {
    std::lock_guard<std::mutex> lock(g_mutex);
    Record* record = Find(object);
    if (record == nullptr || record->kind == Kind::Dc || size < 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    const void* data = record->kind == Kind::Font ? static_cast<const void*>(&record->font)
                                                  : static_cast<const void*>(&record->brush);
    const int full =
        record->kind == Kind::Font ? static_cast<int>(sizeof(LOGFONTW)) : sizeof(LOGBRUSH);
    if (buffer == nullptr)
        return full;
    const int copied = std::min(size, full);
    std::memcpy(buffer, data, static_cast<size_t>(copied));
    return copied;
}

BOOL DeleteFontOrBrush(HGDIOBJ object) {
    std::lock_guard<std::mutex> lock(g_mutex);
    Record* record = Find(object);
    if (record == nullptr || record->kind == Kind::Dc)
        return FALSE;
    if (!record->stock)
        Objects().erase(reinterpret_cast<uintptr_t>(object));
    return TRUE;
}

// NOTE: device contexts do not remember the font or brush selected into them; the previous
// object answered is the stock default of that kind, which is what a fresh context holds.
HGDIOBJ SelectFontOrBrush(HDC hdc, HGDIOBJ object) {
    Kind kind;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        Record* record = Find(object);
        if (record == nullptr)
            return nullptr;
        kind = record->kind;
    }
    if (kind == Kind::Font)
        sim::detail::NoteFontSelected(hdc, object);
    return GetStockObject(kind == Kind::Font ? SYSTEM_FONT : WHITE_BRUSH);
}

} // namespace

const sim::detail::GdiObjectKind sim::detail::kFontBrushKind = {
    &OwnsFontOrBrush, &GetFontOrBrushObject, &DeleteFontOrBrush, &SelectFontOrBrush};

HBRUSH CreateSolidBrush(COLORREF color) {
    std::lock_guard<std::mutex> lock(g_mutex);
    Record record{Kind::Brush};
    record.brush = {BS_SOLID, color, 0};
    return reinterpret_cast<HBRUSH>(Insert(record));
}

HDC GetDC(HWND hwnd) {
    HDC dc;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        dc = reinterpret_cast<HDC>(Insert(Record{Kind::Dc}));
    }
    // A window's context draws into the window's surface (sim_paint.h).
    if (hwnd != nullptr)
        sim::detail::OnWindowDcMade(dc, hwnd);
    return dc;
}

int ReleaseDC(HWND, HDC dc) {
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        Record* record = Find(dc);
        if (record == nullptr || record->kind != Kind::Dc)
            return 0;
        Objects().erase(reinterpret_cast<uintptr_t>(dc));
    }
    sim::detail::OnDcReleased(dc);
    return 1;
}

int GetDeviceCaps(HDC dc, int index) {
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        Record* record = Find(dc);
        if (record == nullptr || record->kind != Kind::Dc)
            return 0;
        if (index == LOGPIXELSX || index == LOGPIXELSY)
            return g_log_pixels;
    }
    switch (index) {
    case HORZRES:
        return GetSystemMetrics(SM_CXSCREEN);
    case VERTRES:
        return GetSystemMetrics(SM_CYSCREEN);
    default:
        return 0;
    }
}

namespace sim {

void SetLogPixels(int dots_per_inch) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_log_pixels = dots_per_inch > 0 ? dots_per_inch : 96;
}

} // namespace sim
