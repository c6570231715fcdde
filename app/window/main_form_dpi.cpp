// The main window at its monitor's DPI: the layout table's places and sizes scaled by
// dpi / 96, the client size to match, the fonts made for that DPI, and all of it again when the
// window moves to a monitor of another DPI (WM_DPICHANGED).
//
// A rule ("right of label 3 + 20") is resolved in designed units: the actual place of the
// control it names is converted back (UnscaleForDpi, exact for the places ScaleForDpi gave),
// the rule applied, and the result scaled. So every control lands on ScaleForDpi of its
// designed place, with no rounding drift along a chain of rules, and at 96 DPI the numbers are
// exactly those of the table.
#include "app/window/main_form.h"

#include "runtime/ui/dpi_scale.h"
#include "runtime/ui/font_text.h"

#include <algorithm>

namespace rg_lch_jxt {

using namespace rg_lch_MFCjm_jb;

namespace {

// The clock has no visible window; its place only keeps it out of the controls' way.
constexpr int32_t kClockX = 357;
constexpr int32_t kClockY = 238;
constexpr int32_t kClockWidth = 48;
constexpr int32_t kClockHeight = 40;

constexpr const WCHAR* kListFont = TEXT("宋体,12");

// The design width of the client area less the right edge of the buttons' column (405 + 80).
constexpr int32_t kLabelRightMargin = 15;

RECT Scaled(int32_t x, int32_t y, int32_t width, int32_t height, UINT dpi) {
    int32_t left = ScaleForDpi(x, dpi);
    int32_t top = ScaleForDpi(y, dpi);
    return RECT{left, top, left + ScaleForDpi(width, dpi), top + ScaleForDpi(height, dpi)};
}

} // namespace

RECT rg_wdzhchk::PlaceOf(int number) {
    const ControlLayout& layout = LayoutOf(number);
    UINT dpi = m_nDpi;
    ControlEdge designed_edge = [this, dpi](int ref, LayoutCoord::Anchor anchor) {
        CRixWinControl& c = Control(ref);
        switch (anchor) {
        case LayoutCoord::kLeftOf:
            return UnscaleForDpi(c.GetLeft(), dpi);
        case LayoutCoord::kRightOf:
            return UnscaleForDpi(c.GetLeft(), dpi) + UnscaleForDpi(c.GetWidth(), dpi);
        case LayoutCoord::kTopOf:
            return UnscaleForDpi(c.GetTop(), dpi);
        default:
            return 0;
        }
    };
    return Scaled(ResolveCoord(layout.x, designed_edge), ResolveCoord(layout.y, designed_edge),
                  layout.width, layout.height, dpi);
}

RECT rg_wdzhchk::ClockPlace() const {
    return Scaled(kClockX, kClockY, kClockWidth, kClockHeight, m_nDpi);
}

void rg_wdzhchk::FitClientArea() {
    HWND hwnd = GetSafeHwnd();
    RECT window{};
    RECT client{};
    if (!GetWindowRect(hwnd, &window) || !GetClientRect(hwnd, &client))
        return;
    // The frame as it is now, whatever the DPI it was drawn for.
    int32_t width = (window.right - window.left) - (client.right - client.left) +
                    ScaleForDpi(kMainDesignWidth, m_nDpi);
    int32_t height = (window.bottom - window.top) - (client.bottom - client.top) +
                     ScaleForDpi(kMainDesignHeight, m_nDpi);
    SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void rg_wdzhchk::PlaceControls() {
    RECT clock = ClockPlace();
    if (HWND hwnd = m_Clock.GetSafeHwnd())
        SetWindowPos(hwnd, nullptr, clock.left, clock.top, clock.right - clock.left,
                     clock.bottom - clock.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (int n = 1; n <= kMainControlCount; ++n) {
        HWND hwnd = Control(n).GetSafeHwnd();
        if (hwnd == nullptr)
            continue;
        RECT place = PlaceOf(n);
        SetWindowPos(hwnd, nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    FitPauseHintLabel();
}

namespace {

// The width of `text` in the window's own font.
int32_t TextWidthIn(HWND window, const CWString& text) {
    HDC dc = GetDC(window);
    if (dc == nullptr)
        return 0;
    auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
    SIZE size{};
    if (!GetTextExtentPoint32W(dc, text.GetText(), static_cast<int>(text.GetLength()), &size))
        size.cx = 0;
    if (old != nullptr)
        SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size.cx;
}

} // namespace

void rg_wdzhchk::FitPauseHintLabel() {
    rg_lch_MFCjm_jb::rg_bq& label = Label(kPauseHintLabel);
    HWND hwnd = label.GetSafeHwnd();
    RECT client{};
    if (hwnd == nullptr || !GetClientRect(GetSafeHwnd(), &client))
        return;
    RECT place = PlaceOf(kPauseHintLabel);
    int32_t width = place.right - place.left;
    // The margin of the buttons' column on the right.
    int32_t room = client.right - ScaleForDpi(kLabelRightMargin, m_nDpi) - place.left;
    int32_t needed = TextWidthIn(hwnd, label.GetCaption()) + ScaleForDpi(2, m_nDpi);
    if (m_bProgressShown && needed > width)
        width = std::max(width, std::min(needed, room));
    RECT now{};
    GetWindowRect(hwnd, &now);
    MapWindowPoints(nullptr, GetSafeHwnd(), reinterpret_cast<POINT*>(&now), 2);
    if (now.left != place.left || now.top != place.top || now.right - now.left != width ||
        now.bottom - now.top != place.bottom - place.top)
        SetWindowPos(hwnd, nullptr, place.left, place.top, width, place.bottom - place.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void rg_wdzhchk::ApplyListFont() {
    // The holder deletes the previous font once the list box has this one.
    m_StepListBox.SetFont(ParseFontText(kListFont, m_nDpi));
}

void rg_wdzhchk::ApplyControlFont() {
    HFONT font = nullptr;
    if (m_nDpi != GetDpiForSystem()) {
        LOGFONTW record = ParseFontText(TEXT(""), m_nDpi);
        font = CreateFontIndirectW(&record);
    } else if (m_hControlFont == nullptr) {
        return; // the controls were made with the stock font, which fits
    }
    HFONT given = font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (int n = 1; n <= kMainControlCount; ++n) {
        if (n == kStepListBox)
            continue;
        if (HWND hwnd = Control(n).GetSafeHwnd())
            SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(given), TRUE);
    }
    if (m_hControlFont != nullptr)
        DeleteObject(m_hControlFont);
    m_hControlFont = font;
}

void rg_wdzhchk::OnDpiChanged(UINT dpi, const RECT& suggested) {
    m_nDpi = dpi != 0 ? dpi : kDesignDpi;
    // The suggested rectangle's place; its size is corrected to the exact client area, since
    // the frame need not scale as the client does.
    CRixWinForm::OnDpiChanged(dpi, suggested);
    FitClientArea();
    PlaceControls();
    ApplyListFont();
    ApplyControlFont();
}

} // namespace rg_lch_jxt
