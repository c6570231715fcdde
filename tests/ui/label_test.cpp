// Labels: the own font copy, the label message, the style and dialog code on both backends;
// what a label draws (text flags for each alignment, colour, font, background) in the
// simulation, which records the drawing calls.
#include <gmock/gmock.h>

#include "runtime/ui/label.h"
#include "runtime/ui/wnd_holder.h"
#include "tests/support/sim_only.h"
#include "tests/ui/test_controls.h"

#if !defined(KEYSEQ_PLATFORM_WIN32)
#include "platform/sim/sim_paint_log.h"
#endif

namespace {

using namespace keyseq_test;
using rg_lch_MFCjm_jb::rg_bq;
using C = CRixWinControl;
using Label = ControlTest;

constexpr int kLabelMessageSlot = C::kBaseEventCount;

int64_t Create(rg_bq& label, CRixWnd& parent) {
    CreateParams params;
    params.parent = &parent;
    params.x = 10;
    params.y = 10;
    params.width = 120;
    params.height = 40;
    return label.CreateNativeWindow(params);
}

TEST_F(Label, KeepsItsOwnCopyOfTheFont) {
    rg_bq label;
    ASSERT_EQ(Create(label, parent), 1);
    HWND hwnd = label.GetSafeHwnd();
    LOGFONTW wanted{};
    wanted.lfHeight = -16;
    wanted.lfWeight = FW_BOLD;
    wanted.lfCharSet = DEFAULT_CHARSET;
    const WCHAR face[] = TEXT("宋体");
    std::copy(std::begin(face), std::end(face), wanted.lfFaceName);
    HFONT given = CreateFontIndirectW(&wanted);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(given), 1);
    DeleteObject(given);
    auto own = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    ASSERT_NE(own, nullptr);
    EXPECT_NE(own, given);
    LOGFONTW copy{};
    ASSERT_EQ(GetObjectW(own, sizeof copy, &copy), static_cast<int>(sizeof copy));
    EXPECT_EQ(copy.lfHeight, -16);
    EXPECT_EQ(copy.lfWeight, FW_BOLD);
    EXPECT_EQ(std::basic_string<WCHAR>(copy.lfFaceName), std::basic_string<WCHAR>(face));
    // A null font keeps the copy.
    SendMessageW(hwnd, WM_SETFONT, 0, 1);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), own);
}

TEST_F(Label, TheLabelMessageFiresLabelMessageWithItsAnswer) {
    rg_bq label;
    ASSERT_EQ(Create(label, parent), 1);
    HWND hwnd = label.GetSafeHwnd();
    EXPECT_EQ(SendMessageW(hwnd, kLabelMessage, 5, 6), 0) << "no handler";
    HandlerTarget target;
    label.BindLabelMessage(&Record<kLabelMessageSlot>, target.pointer);
    Log().answers[kLabelMessageSlot] = 42;
    EXPECT_EQ(SendMessageW(hwnd, kLabelMessage, 5, 6), 42);
    EXPECT_EQ(Log().fired, (std::vector<FiredEvent>{{kLabelMessageSlot, 5, 6, 0}}));
}

TEST_F(Label, IsNeverATabStopAndAnswersAsAStatic) {
    rg_bq label;
    label.GetHolder()->m_nStyle |= WS_TABSTOP;
    ASSERT_EQ(Create(label, parent), 1);
    HWND hwnd = label.GetSafeHwnd();
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_EQ(SendMessageW(hwnd, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    EXPECT_EQ(GetParent(hwnd), parent.GetSafeHwnd());
}

#if defined(KEYSEQ_PLATFORM_WIN32)
// Where the text's pixels lie in a shown label of 120 x 40: columns of the left, middle and
// right third that hold a pixel of the (red) text colour.
struct Thirds {
    bool left, middle, right;
    bool operator==(const Thirds&) const = default;
};

void PrintTo(const Thirds& t, std::ostream* os) {
    *os << "{" << t.left << ", " << t.middle << ", " << t.right << "}";
}

// Red text is looked for.
Thirds TextPixels(HWND label, COLORREF* corner) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 120;
    info.bmiHeader.biHeight = -40;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, section);
    HDC window = GetDC(label);
    BitBlt(memory, 0, 0, 120, 40, window, 0, 0, SRCCOPY);
    ReleaseDC(label, window);
    GdiFlush();
    Thirds found{false, false, false};
    const auto* pixels = static_cast<const BYTE*>(bits);
    auto at = [&](int x, int y) {
        const BYTE* p = pixels + (y * 120 + x) * 4;
        return RGB(p[2], p[1], p[0]);
    };
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            // Smoothed glyph edges blend with the background: take clearly red pixels.
            COLORREF c = at(x, y);
            if (GetRValue(c) < 128 || GetGValue(c) > 100 || GetBValue(c) > 100)
                continue;
            (x < 40 ? found.left : x < 80 ? found.middle : found.right) = true;
        }
    }
    *corner = at(0, 0);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(section);
    return found;
}

TEST_F(Label, ShownItDrawsItsTextWhereTheAlignmentSays) {
    ShowWindow(parent.GetSafeHwnd(), SW_SHOWNA);
    rg_bq label;
    label.SetCaption(CWString(TEXT("WW")));
    ASSERT_EQ(Create(label, parent), 1);
    HWND hwnd = label.GetSafeHwnd();
    CRWnd_Label* wnd = label.GetLabelWnd();
    wnd->m_nTextColour = RGB(255, 0, 0);
    wnd->m_nBackColour = RGB(255, 255, 255);
    const struct {
        int32_t alignment;
        Thirds expected;
    } cases[] = {{0, {true, false, false}}, {1, {false, true, false}}, {2, {false, false, true}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "alignment " << c.alignment);
        wnd->m_nAlignment = c.alignment;
        label.Repaint();
        UpdateWindow(hwnd);
        COLORREF corner = 0;
        EXPECT_EQ(TextPixels(hwnd, &corner), c.expected);
        EXPECT_EQ(corner, RGB(255, 255, 255)) << "the background colour";
    }
}

KEYSEQ_SIM_ONLY_TEST(LabelDrawing, DrawsItsTextWithTheAlignmentFlags,
                     "reads the simulation's record of the drawing calls")
KEYSEQ_SIM_ONLY_TEST(LabelDrawing, PaintsTheBackgroundAroundItsPicture,
                     "reads the simulation's record of the drawing calls")
#else
TEST_F(Label, ShownItDrawsItsTextWhereTheAlignmentSays) {
    GTEST_SKIP() << "the simulation's window device contexts have no pixels; the drawing "
                    "calls are checked in LabelDrawing";
}

using LabelDrawing = ControlTest;

std::vector<sim::PaintCall> Painted(HWND hwnd) {
    sim::ResetPaintLog();
    SendMessageW(hwnd, WM_PAINT, 0, 0);
    return sim::PaintLog();
}

TEST_F(LabelDrawing, DrawsItsTextWithTheAlignmentFlags) {
    struct Case {
        int32_t alignment, vertical;
        int64_t wrap;
        UINT format;
    };
    const Case cases[] = {
        {0, 1, 0, DT_NOCLIP | DT_SINGLELINE | DT_VCENTER},
        {1, 0, 0, DT_NOCLIP | DT_CENTER | DT_SINGLELINE},
        {2, 2, 0, DT_NOCLIP | DT_RIGHT | DT_SINGLELINE | DT_BOTTOM},
        {1, 2, 1, DT_NOCLIP | DT_CENTER | DT_WORDBREAK | DT_VCENTER},
        {0, 0, 1, DT_NOCLIP | DT_WORDBREAK | DT_VCENTER},
    };
    rg_bq label;
    label.SetCaption(CWString(TEXT("执行次数")));
    ASSERT_EQ(Create(label, parent), 1);
    HWND hwnd = label.GetSafeHwnd();
    HFONT own = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    ASSERT_NE(own, nullptr) << "creation gives the label the stock font, which it copies";
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.alignment << ", " << c.vertical << ", " << c.wrap);
        CRWnd_Label* wnd = label.GetLabelWnd();
        wnd->m_nAlignment = c.alignment;
        wnd->m_nVAlignment = c.vertical;
        wnd->m_bWordWrap = c.wrap;
        std::vector<sim::PaintCall> calls = Painted(hwnd);
        ASSERT_FALSE(calls.empty());
        const sim::PaintCall& text = calls.back();
        ASSERT_EQ(text.kind, sim::PaintCall::Kind::DrawText);
        EXPECT_EQ(text.text, u"执行次数");
        EXPECT_EQ(text.format, c.format);
        EXPECT_EQ(text.rect.right, 120);
        EXPECT_EQ(text.rect.bottom, 40);
        EXPECT_EQ(text.color, GetSysColor(COLOR_WINDOWTEXT));
        EXPECT_EQ(text.bkMode, TRANSPARENT);
        EXPECT_EQ(text.font, own);
    }
    // A colour of its own, and no text: only the background is painted.
    label.GetLabelWnd()->m_nTextColour = 0x0000FF;
    EXPECT_EQ(Painted(hwnd).back().color, 0x0000FFu);
    label.SetCaption(CWString());
    for (const sim::PaintCall& call : Painted(hwnd))
        EXPECT_EQ(call.kind, sim::PaintCall::Kind::FillRect);
}

TEST_F(LabelDrawing, PaintsTheBackgroundAroundItsPicture) {
    rg_bq label;
    ASSERT_EQ(Create(label, parent), 1);
    HWND hwnd = label.GetSafeHwnd();
    // Without a picture the colour fills the whole label.
    label.GetLabelWnd()->m_nBackColour = 0x00FFFFFF;
    std::vector<sim::PaintCall> calls = Painted(hwnd);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, sim::PaintCall::Kind::FillRect);
    EXPECT_EQ(calls[0].color, 0x00FFFFFFu);
    EXPECT_EQ(calls[0].rect.right, 120);
    EXPECT_EQ(calls[0].rect.bottom, 40);
    // A 30 x 10 picture at natural size: drawn at the corner, the colour around it.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 30;
    info.bmiHeader.biHeight = 10;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    label.GetLabelWnd()->SetPicture(
        CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    label.GetLabelWnd()->m_nBackColour = kSystemColour;
    calls = Painted(hwnd);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].kind, sim::PaintCall::Kind::Blit);
    EXPECT_EQ(calls[0].rect.right, 30);
    EXPECT_EQ(calls[0].rect.bottom, 10);
    // Below the picture, then right of it, in the button face.
    EXPECT_EQ(calls[1].rect.top, 10);
    EXPECT_EQ(calls[1].rect.bottom, 40);
    EXPECT_EQ(calls[2].rect.left, 30);
    EXPECT_EQ(calls[2].rect.bottom, 10);
    EXPECT_EQ(calls[2].color, GetSysColor(COLOR_BTNFACE));
    // Stretched over the label: nothing is left for the colour.
    label.GetLabelWnd()->m_nPictureMode = 3;
    calls = Painted(hwnd);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, sim::PaintCall::Kind::Blit);
    EXPECT_EQ(calls[0].rect.right, 120);
}
#endif

} // namespace
