// The edit box on both backends: typing filtered by the input mode, the rewrite on focus loss
// before LostFocus, Changed and suppress change, the creation styles and limits, the spin
// button beside the edit (place, z-order, enable and show following the edit, counting with
// wrap-around or firing Spin) and the single-line centring's height.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "platform/platform.h"
#include "runtime/ui/edit.h"
#include "tests/support/sim_only.h"
#include "tests/ui/test_controls.h"
#include "tests/ui/ui_pump.h"

namespace {

using namespace keyseq_test;
using rg_lch_MFCjm_jb::rg_bjk;
using WText = std::basic_string<WCHAR>;

constexpr int kChanged = CRixWinControl::kBaseEventCount;
constexpr int kSpin = CRixWinControl::kBaseEventCount + 1;

WText Caption(const rg_bjk& edit) {
    return edit.GetCaption().GetText();
}

// The text the edit showed when LostFocus fired.
WText g_textAtLostFocus;

class EditTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        g_textAtLostFocus.clear();
    }
    // Creates the edit at (10, 20), 80 by 30, with its handlers bound.
    void Create(rg_bjk& edit) {
        ASSERT_EQ(CreateChild(edit), 1);
        edit.BindChanged(&Record<kChanged>, target.pointer);
        edit.BindSpin(&Record<kSpin>, target.pointer);
        edit.BindEvent(edit.Event(CRixWinControl::kLostFocus), &Record<CRixWinControl::kLostFocus>,
                       target.pointer);
        Log().actions[CRixWinControl::kLostFocus] = [](CRixObject* sender) {
            g_textAtLostFocus = Caption(*static_cast<rg_bjk*>(sender));
        };
    }
    static void Type(const rg_bjk& edit, const WCHAR* text) {
        for (; *text != 0; ++text)
            PostMessageW(edit.GetSafeHwnd(), WM_CHAR, *text, 1);
        PumpTranslated();
    }
    static int Count(int slot) {
        int n = 0;
        for (const FiredEvent& e : Log().fired)
            n += e.slot == slot ? 1 : 0;
        return n;
    }
    // A window beside the edit to take the focus from it.
    HWND Other() {
        if (other == nullptr)
            other = CreateWindowExW(0, TEXT("Edit"), TEXT(""), WS_CHILD | WS_VISIBLE, 10, 100, 50,
                                    20, parent.GetSafeHwnd(), nullptr, nullptr, nullptr);
        return other;
    }
    RECT PlaceInParent(HWND hwnd) {
        RECT rect{};
        GetWindowRect(hwnd, &rect);
        MapWindowPoints(nullptr, parent.GetSafeHwnd(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    HandlerTarget target;
    HWND other = nullptr;
};

TEST_F(EditTest, TypingKeepsOnlyWhatTheInputModeAccepts) {
    struct Case {
        int64_t mode;
        const WCHAR* typed;
        const WCHAR* shown;
    };
    const Case cases[] = {
        {0, TEXT("a-1"), TEXT("a-1")},
        {7, TEXT("a"), TEXT("")},
        {7, TEXT("x-12.5"), TEXT("-125")},
        {3, TEXT("-4a2"), TEXT("-42")},
        {5, TEXT("-25"), TEXT("25")},
        {9, TEXT("1.5e"), TEXT("1.5")},
        {13, TEXT("0xff"), TEXT("0xff")},
        // Read-only: the system takes nothing.
        {1, TEXT("ab"), TEXT("")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode);
        rg_bjk edit;
        edit.EditWnd()->m_nInputMode = c.mode;
        Create(edit);
        Type(edit, c.typed);
        EXPECT_EQ(Caption(edit), WText(c.shown));
        // Backspace is a control key and always passes.
        Type(edit, TEXT("\b"));
        if (c.mode != 1) {
            WText shown(c.shown);
            EXPECT_EQ(Caption(edit), shown.substr(0, shown.empty() ? 0 : shown.size() - 1));
        }
    }
}

#if defined(KEYSEQ_PLATFORM_SIM)
// A suite of its own: on Windows the test is declared as skipped, without the fixture.
using EditBeepTest = EditTest;
TEST_F(EditBeepTest, ARefusedCharacterBeepsWithTheExclamation) {
    rg_bjk edit;
    edit.EditWnd()->m_nInputMode = 7;
    Create(edit);
    sim::ClearMessageBeeps();
    Type(edit, TEXT("5a"));
    EXPECT_EQ(sim::MessageBeeps(), std::vector<UINT>{MB_ICONEXCLAMATION});
    EXPECT_EQ(Count(kChanged), 1) << "only the accepted character changed the text";
}
#else
KEYSEQ_SIM_ONLY_TEST(EditBeepTest, ARefusedCharacterBeepsWithTheExclamation,
                     "reads the simulation's record of beeps")
#endif

TEST_F(EditTest, LosingTheFocusRewritesTheTextBeforeLostFocus) {
    struct Case {
        int64_t mode;
        const WCHAR* text;
        const WCHAR* shown;
    };
    const Case cases[] = {
        {5, TEXT("300"), TEXT("255")}, {5, TEXT("-4"), TEXT("")},   {13, TEXT("ff"), TEXT("FF")},
        {13, TEXT("0x10"), TEXT("")},  {7, TEXT("12"), TEXT("12")}, {0, TEXT("0"), TEXT("0")},
    };
    ShowWindow(parent.GetSafeHwnd(), SW_SHOW);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " text " << (&c - cases));
        rg_bjk edit;
        edit.EditWnd()->m_nInputMode = c.mode;
        edit.SetCaption(CWString(c.text));
        Create(edit);
        SetFocus(edit.GetSafeHwnd());
        SendMessageW(edit.GetSafeHwnd(), EM_SETSEL, 1, 1);
        Log().fired.clear();
        SetFocus(Other());
        EXPECT_EQ(Caption(edit), WText(c.shown));
        EXPECT_EQ(g_textAtLostFocus, WText(c.shown)) << "LostFocus comes after the rewrite";
        EXPECT_EQ(Count(CRixWinControl::kLostFocus), 1);
        bool rewritten = WText(c.text) != WText(c.shown);
        EXPECT_EQ(Count(kChanged), rewritten ? 1 : 0);
        if (rewritten) {
            // The caret stays where the selection started (within the new text).
            DWORD start = 0, end = 0;
            SendMessageW(edit.GetSafeHwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end));
            DWORD expected = WText(c.shown).empty() ? 0 : 1;
            EXPECT_EQ(start, expected);
            EXPECT_EQ(end, expected);
        }
    }
}

TEST_F(EditTest, ChangedFiresForEachChangeUnlessSuppressed) {
    rg_bjk edit;
    Create(edit);
    Type(edit, TEXT("ab"));
    EXPECT_EQ(Count(kChanged), 2);
    edit.SetCaption(CWString(TEXT("新")));
    EXPECT_EQ(Count(kChanged), 3) << "setting the text of a single-line edit changes it too";
    edit.EditWnd()->m_bSuppressChange = 1;
    Type(edit, TEXT("c"));
    edit.SetCaption(CWString(TEXT("旧")));
    EXPECT_EQ(Count(kChanged), 3);
    EXPECT_EQ(Caption(edit), WText(TEXT("旧")));
}

TEST_F(EditTest, CreationAddsTheStylesOfTheFieldsAndTheMode) {
    struct Case {
        const char* name;
        int64_t mode, multiLine, scrollBars;
        DWORD present, absent;
    };
    const DWORD kMulti = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    const Case cases[] = {
        {"single line", 0, 0, 0, ES_AUTOHSCROLL, kMulti | ES_READONLY | ES_PASSWORD},
        {"read-only", 1, 0, 0, ES_AUTOHSCROLL | ES_READONLY, ES_PASSWORD},
        {"password", 2, 0, 0, ES_PASSWORD, ES_READONLY},
        {"multi-line", 0, 1, 0, kMulti, ES_AUTOHSCROLL | WS_HSCROLL | WS_VSCROLL},
        {"horizontal bar", 0, 1, 1, kMulti | ES_AUTOHSCROLL | WS_HSCROLL, WS_VSCROLL},
        {"vertical bar", 0, 1, 2, kMulti | WS_VSCROLL, ES_AUTOHSCROLL | WS_HSCROLL},
        {"both bars", 0, 1, 3, kMulti | ES_AUTOHSCROLL | WS_HSCROLL | WS_VSCROLL, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rg_bjk edit;
        CRWnd_Edit* wnd = edit.EditWnd();
        wnd->m_nInputMode = c.mode;
        wnd->m_bMultiLine = c.multiLine;
        wnd->m_nScrollBars = c.scrollBars;
        wnd->m_chPassword = '#';
        Create(edit);
        auto style = static_cast<DWORD>(GetWindowLongW(edit.GetSafeHwnd(), GWL_STYLE));
        EXPECT_EQ(style & c.present, c.present);
        EXPECT_EQ(style & c.absent, 0u);
        EXPECT_NE(style & WS_TABSTOP, 0u);
        if (c.mode == 2) {
            EXPECT_EQ(SendMessageW(edit.GetSafeHwnd(), EM_GETPASSWORDCHAR, 0, 0), '#');
        }
    }
}

TEST_F(EditTest, TheMaximumLengthLimitsTyping) {
    rg_bjk edit;
    edit.EditWnd()->m_nMaxLength = 3;
    Create(edit);
    EXPECT_EQ(SendMessageW(edit.GetSafeHwnd(), EM_GETLIMITTEXT, 0, 0), 3);
    Type(edit, TEXT("12345"));
    EXPECT_EQ(Caption(edit), WText(TEXT("123")));
}

TEST_F(EditTest, SelectAllSelectsTheWholeTextAndNothingWithoutAWindow) {
    rg_bjk windowless;
    windowless.SelectAll(); // nothing to do, and no crash
    rg_bjk edit;
    edit.SetCaption(CWString(TEXT("方案一")));
    Create(edit);
    edit.SelectAll();
    DWORD start = 9, end = 9;
    SendMessageW(edit.GetSafeHwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u);
}

class EditSpinTest : public EditTest {
protected:
    void Create(rg_bjk& edit, int64_t spin_mode, int64_t low = 0, int64_t high = 100) {
        CRWnd_Edit* wnd = edit.EditWnd();
        wnd->m_nSpinMode = spin_mode;
        // Given the wrong way round: the range is ordered at creation.
        wnd->m_nSpinMin = high;
        wnd->m_nSpinMax = low;
        EditTest::Create(edit);
        spin = wnd->Spin().GetSafeHwnd();
        ASSERT_NE(spin, nullptr);
    }
    // A press and release on the upper (up) or lower (down) arrow.
    void Press(bool up) {
        RECT client{};
        GetClientRect(spin, &client);
        LPARAM at = MAKELPARAM(client.right / 2, up ? 2 : client.bottom - 3);
        SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(spin, WM_LBUTTONUP, 0, at);
        PumpTranslated();
    }
    HWND spin = nullptr;
};

TEST_F(EditSpinTest, TheSpinButtonIsASiblingAtTheEditsRightEdgeAndFollowsIt) {
    rg_bjk edit;
    Create(edit, 1);
    HWND hwnd = edit.GetSafeHwnd();
    EXPECT_EQ(GetParent(spin), parent.GetSafeHwnd());
    EXPECT_EQ(GetDlgCtrlID(spin), 0xFFFF + 1000);
    RECT e = PlaceInParent(hwnd);
    RECT s = PlaceInParent(spin);
    EXPECT_EQ(s.left, e.right);
    EXPECT_EQ(s.top, e.top);
    EXPECT_EQ(s.right - s.left, 18);
    EXPECT_EQ(s.bottom - s.top, e.bottom - e.top);
    int low = -1, high = -1;
    SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 100);

    MoveWindow(hwnd, 40, 60, 100, 24, TRUE);
    s = PlaceInParent(spin);
    EXPECT_EQ(s.left, PlaceInParent(hwnd).right);
    EXPECT_EQ(s.top, 60);
    EXPECT_EQ(s.bottom - s.top, 24);
    EXPECT_EQ(GetWindow(hwnd, GW_HWNDPREV), spin) << "directly above the edit";

    EnableWindow(hwnd, FALSE);
    EXPECT_FALSE(IsWindowEnabled(spin));
    EnableWindow(hwnd, TRUE);
    EXPECT_TRUE(IsWindowEnabled(spin));
    ShowWindow(parent.GetSafeHwnd(), SW_SHOW);
    ShowWindow(hwnd, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(spin));
    ShowWindow(hwnd, SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(spin));
}

TEST_F(EditSpinTest, ASpinThatCountsWrapsAroundAtBothEnds) {
    struct Case {
        const WCHAR* text;
        bool up;
        const WCHAR* shown;
    };
    const Case cases[] = {
        {TEXT("100"), true, TEXT("0")}, {TEXT("0"), false, TEXT("100")},
        {TEXT("50"), true, TEXT("51")}, {TEXT("50"), false, TEXT("49")},
        {TEXT(""), false, TEXT("100")}, {TEXT("150"), false, TEXT("100")},
        {TEXT("-5"), true, TEXT("0")},  {TEXT("7abc"), true, TEXT("8")},
    };
    ShowWindow(parent.GetSafeHwnd(), SW_SHOW);
    rg_bjk edit;
    Create(edit, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        edit.SetCaption(CWString(c.text));
        SetFocus(Other());
        Press(c.up);
        EXPECT_EQ(Caption(edit), WText(c.shown));
        EXPECT_EQ(GetFocus(), edit.GetSafeHwnd());
        DWORD start = 9, end = 9;
        SendMessageW(edit.GetSafeHwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, static_cast<DWORD>(WText(c.shown).size()));
    }
    EXPECT_EQ(Count(kSpin), 0);
}

TEST_F(EditSpinTest, ASpinThatDoesNotCountOnlyFiresSpin) {
    ShowWindow(parent.GetSafeHwnd(), SW_SHOW);
    rg_bjk edit;
    Create(edit, 2);
    edit.SetCaption(CWString(TEXT("5")));
    Log().fired.clear();
    Press(true);
    Press(false);
    std::vector<FiredEvent> spins;
    for (const FiredEvent& e : Log().fired) {
        if (e.slot == kSpin)
            spins.push_back(e);
    }
    EXPECT_EQ(spins, (std::vector<FiredEvent>{{kSpin, 1, 0, 0}, {kSpin, -1, 0, 0}}));
    EXPECT_EQ(Caption(edit), WText(TEXT("5")));
}

TEST_F(EditSpinTest, AHiddenOrMultiLineEditHasNoWorkingSpin) {
    rg_bjk hidden;
    Create(hidden, 1); // the parent is not shown: the edit is not visible
    hidden.SetCaption(CWString(TEXT("5")));
    Press(true);
    EXPECT_EQ(Caption(hidden), WText(TEXT("5")));

    rg_bjk multi;
    multi.EditWnd()->m_bMultiLine = 1;
    multi.EditWnd()->m_nSpinMode = 1;
    EditTest::Create(multi);
    EXPECT_EQ(multi.EditWnd()->Spin().GetSafeHwnd(), nullptr);
}

TEST_F(EditTest, ASingleLineEditIsRaisedToItsFontsLineHeight) {
    LOGFONTW font{};
    font.lfHeight = 40;
    const WCHAR face[] = TEXT("Tahoma");
    std::copy(std::begin(face), std::end(face), font.lfFaceName);
    rg_bjk edit;
    edit.SetFont(font);
    Create(edit);
    HWND hwnd = edit.GetSafeHwnd();
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, edit.GetFont());
    TEXTMETRICW metrics{};
    ASSERT_TRUE(GetTextMetricsW(dc, &metrics));
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    EXPECT_EQ(edit.EditWnd()->m_nTextHeight, metrics.tmHeight);
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect.bottom - rect.top, metrics.tmHeight + 2 * GetSystemMetrics(SM_CYEDGE) + 2);
    // NOTE: the simulation has no frames; its client area stays the whole window, so only
    // Windows shows the band of one line in the middle.
#if defined(KEYSEQ_PLATFORM_WIN32)
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.bottom - client.top, metrics.tmHeight);
#endif
}

} // namespace
