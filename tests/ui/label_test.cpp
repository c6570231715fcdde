// Labels: the own font copy, the label message, the style and dialog code on both backends;
// what a label draws (text flags for each alignment, colour, font, background) in the
// simulation, which records the drawing calls.
#include <gmock/gmock.h>

#include "runtime/ui/label.h"
#include "runtime/ui/wnd_holder.h"
#include "tests/support/sim_only.h"
#include "tests/ui/test_controls.h"

#if !defined(KEYSEQ_PLATFORM_WIN32)
#include "platform/sim/sim_text_log.h"
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

// A picture of one colour, w x h.
HBITMAP Picture(LONG w, LONG h, COLORREF colour) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (picture == nullptr)
        return nullptr;
    auto* pixels = static_cast<BYTE*>(bits);
    for (LONG i = 0; i < w * h; ++i) {
        pixels[i * 4] = GetBValue(colour);
        pixels[i * 4 + 1] = GetGValue(colour);
        pixels[i * 4 + 2] = GetRValue(colour);
    }
    return picture;
}

TEST_F(Label, PaintsTheBackgroundColourAroundItsPicture) {
    ShowWindow(parent.GetSafeHwnd(), SW_SHOWNA);
    rg_bq label;
    ASSERT_EQ(Create(label, parent), 1);
    HWND hwnd = label.GetSafeHwnd();
    CRWnd_Label* wnd = label.GetLabelWnd();
    const COLORREF green = RGB(0, 160, 0);
    const COLORREF blue = RGB(0, 0, 200);
    wnd->m_nBackColour = green;
    wnd->SetPicture(Picture(30, 10, blue));
    struct Case {
        int32_t mode;
        int x, y;
        COLORREF expected;
    };
    const Case cases[] = {
        {0, 5, 5, blue},                        // the picture at the corner
        {0, 60, 20, green},                     // the colour beside and below it
        {0, 5, 30, green},  {1, 100, 35, blue}, // tiled over everything
        {3, 100, 35, blue},                     // stretched over everything
        {7, 5, 5, green},                       // no such mode: no picture
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " at " << c.x << ", " << c.y);
        wnd->m_nPictureMode = c.mode;
        label.Repaint();
        UpdateWindow(hwnd);
        HDC dc = GetDC(hwnd);
        EXPECT_EQ(GetPixel(dc, c.x, c.y), c.expected);
        ReleaseDC(hwnd, dc);
    }
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
                     "reads the simulation's record of the texts drawn")
#else
TEST_F(Label, ShownItDrawsItsTextWhereTheAlignmentSays) {
    GTEST_SKIP() << "the simulation draws no glyphs; the texts drawn are checked in "
                    "LabelDrawing";
}

using LabelDrawing = ControlTest;

std::vector<sim::TextDrawn> Painted(HWND hwnd) {
    sim::ResetTextLog();
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
    return sim::TextLog();
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
        std::vector<sim::TextDrawn> calls = Painted(hwnd);
        ASSERT_EQ(calls.size(), 1u);
        const sim::TextDrawn& text = calls[0];
        EXPECT_EQ(text.text, u"执行次数");
        EXPECT_EQ(text.format, c.format);
        EXPECT_EQ(text.rect.right, 120);
        EXPECT_EQ(text.rect.bottom, 40);
        EXPECT_EQ(text.color, GetSysColor(COLOR_WINDOWTEXT));
        EXPECT_EQ(text.bkMode, TRANSPARENT);
        EXPECT_EQ(text.font, own);
    }
    // A colour of its own, and no text: nothing is written.
    label.GetLabelWnd()->m_nTextColour = 0x0000FF;
    EXPECT_EQ(Painted(hwnd).back().color, 0x0000FFu);
    label.SetCaption(CWString());
    EXPECT_THAT(Painted(hwnd), testing::IsEmpty());
}

#endif

} // namespace
