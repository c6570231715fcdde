// Buttons on both backends: Clicked on a mouse click and on Space, the default push button
// recorded in the nearest form, the background of buttons that are no plain push buttons,
// and the base class that cannot make a window.
#include <gmock/gmock.h>

#include "runtime/ui/button.h"
#include "tests/core/text_testing.h"
#include "tests/ui/form_fixture.h"
#include "tests/ui/test_controls.h"
#include "tests/ui/ui_pump.h"

namespace {

using namespace keyseq_test;
using rg_lch_MFCjm_jb::rg_ann;
using rg_lch_MFCjm_jb::rg_annjchl;
using Button = ControlTest;
using DefaultButton = FormFixture;

constexpr int kClicked = CRixWinControl::kBaseEventCount;

TEST_F(Button, AClickAndSpaceEachFireClickedOnce) {
    HandlerTarget target;
    rg_ann button;
    button.SetCaption(CWString(TEXT("确定")));
    ASSERT_EQ(CreateButton(button, parent), 1);
    button.BindClicked(&Record<kClicked>, target.pointer);
    HWND hwnd = button.GetSafeHwnd();
    EXPECT_EQ(Utf8(button.GetCaption()), "确定");
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpTranslated();
    EXPECT_EQ(Log().fired, (std::vector<FiredEvent>{{kClicked, 0, 0, 0}}));
    Log().fired.clear();
    PostMessageW(hwnd, WM_KEYDOWN, VK_SPACE, 0x00390001);
    PostMessageW(hwnd, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001));
    PumpTranslated();
    EXPECT_EQ(Log().fired, (std::vector<FiredEvent>{{kClicked, 0, 0, 0}}));
    // A release outside the button is no click.
    Log().fired.clear();
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
    PumpTranslated();
    EXPECT_THAT(Log().fired, testing::IsEmpty());
}

TEST_F(Button, TheBaseClassCarriesClickedButMakesNoWindow) {
    rg_annjchl base;
    EXPECT_EQ(CreateButton(base, parent), 0);
    EXPECT_EQ(base.GetSafeHwnd(), nullptr);
    rg_ann button;
    EXPECT_EQ(button.GetHolder()->m_nStyle,
              DWORD{WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | BS_MULTILINE});
}

TEST_F(DefaultButton, ADefaultPushButtonInANestedContainerIsTheFormsDefault) {
    rg_ann ok;
    ASSERT_EQ(CreateButton(ok, *box.GetContainerWnd(), 42, BS_DEFPUSHBUTTON), 1);
    EXPECT_EQ(form.GetFormWnd()->m_nDefaultButtonId, 42);
    EXPECT_EQ(SendMessageW(form.GetSafeHwnd(), DM_GETDEFID, 0, 0), MAKELONG(42, DC_HASDEFID));
    // Neither a plain push button nor an automatic check box (whose type has bit 0 too)
    // takes its place.
    rg_ann plain;
    ASSERT_EQ(CreateButton(plain, *box.GetContainerWnd(), 43), 1);
    rg_ann check;
    ASSERT_EQ(CreateButton(check, *box.GetContainerWnd(), 44, BS_AUTOCHECKBOX), 1);
    EXPECT_EQ(form.GetFormWnd()->m_nDefaultButtonId, 42);
}

// The first pixel of a 32-bit top-down section, as a colour.
COLORREF FirstPixel(const void* bits) {
    GdiFlush();
    const auto* p = static_cast<const BYTE*>(bits);
    return RGB(p[2], p[1], p[0]);
}

TEST_F(Button, ButtonsOtherThanPushButtonsEraseWithTheBrush) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 4;
    info.bmiHeader.biHeight = -4;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, section);
    const COLORREF red = RGB(255, 0, 0);
    HBRUSH red_brush = CreateSolidBrush(red);
    const struct {
        DWORD type;
        COLORREF expected;
    } cases[] = {{0, red}, {BS_AUTOCHECKBOX, GetSysColor(COLOR_BTNFACE)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type);
        rg_ann button;
        ASSERT_EQ(CreateButton(button, parent, 0xFFFF, c.type), 1);
        RECT all{0, 0, 4, 4};
        FillRect(dc, &all, red_brush);
        SendMessageW(button.GetSafeHwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        EXPECT_EQ(FirstPixel(bits), c.expected);
    }
    DeleteObject(red_brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(section);
}

TEST_F(Button, DefaultColoursAreAnsweredThroughCtlColour) {
    rg_ann button;
    ASSERT_EQ(CreateButton(button, parent), 1);
    HWND hwnd = button.GetSafeHwnd();
    HDC dc = GetDC(hwnd);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(parent.GetSafeHwnd(), WM_CTLCOLORBTN,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(hwnd)));
    EXPECT_EQ(brush, button.GetButtonWnd()->m_Colours.GetBrush());
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
    ReleaseDC(hwnd, dc);
}

} // namespace
