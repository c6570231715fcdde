// Forms and containers on both backends: the form style rules, the title bar following the
// caption, sizing from the design size and centring, the close check, the size limits, the
// default push button answer, and the container's creation order and focus search.
#include <vector>

#include <gtest/gtest.h>

#include "runtime/shell/rix_app_instance.h"
#include "runtime/ui/combo_box.h"
#include "runtime/ui/container.h"
#include "runtime/ui/form.h"
#include "runtime/ui/min_max_info.h"
#include "runtime/ui/wnd_holder.h"
#include "tests/ui/test_controls.h"
#include "tests/ui/ui_pump.h"

namespace {

using namespace keyseq_test;
using rg_lch_MFCjm_jb::CRixWinForm;
using rg_lch_MFCjm_jb::rg_chkwzhxzhxx;
using rg_lch_MFCjm_jb::rg_zjbjq;

constexpr DWORD kFrameBits = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX |
                             WS_MINIMIZEBOX | WS_MINIMIZE | WS_MAXIMIZE | WS_POPUP | WS_CHILD;

class TestForm : public CRixWinForm {
public:
    int32_t GetDesignWidth() override { return designWidth; }
    int32_t GetDesignHeight() override { return designHeight; }
    void CreateChildren() override { childrenCreatedAt = Log().fired.size(); }
    int32_t designWidth = 0;
    int32_t designHeight = 0;
    size_t childrenCreatedAt = SIZE_MAX;
};

class FormTest : public testing::Test {
protected:
    void SetUp() override { Log() = EventLog{}; }
    void TearDown() override {
        form.GetFormWnd()->DestroyWindow();
        PumpTranslated();
        Log() = EventLog{};
    }
    // Creates the form hidden unless visible, at a given place or sized from its design.
    int64_t Create(const WCHAR* caption = TEXT("表单"), bool visible = false) {
        form.SetCaption(CWString(caption));
        if (!visible)
            form.GetHolder()->m_nStyle &= ~static_cast<DWORD>(WS_VISIBLE);
        CreateParams params;
        params.x = params.y = params.width = params.height = kUnsetCoordinate;
        return form.CreateNativeWindow(params);
    }
    CRWnd_WinForm& Wnd() { return *form.GetFormWnd(); }
    HWND Hwnd() { return form.GetSafeHwnd(); }
    DWORD Style() { return static_cast<DWORD>(GetWindowLongW(Hwnd(), GWL_STYLE)); }

    HandlerTarget target;
    TestForm form;
};

struct StyleCase {
    int64_t border, controlBox, maxBox, minBox, startState;
    const WCHAR* caption;
    bool parent;
    DWORD style;   // masked with kFrameBits
    DWORD exStyle; // masked with the tool window and client edge bits
    const WCHAR* finalCaption;
};

TEST_F(FormTest, StyleRulesTurnPropertiesIntoWindowStyles) {
    const DWORD dialog = WS_DLGFRAME;
    const StyleCase cases[] = {
        // The default form: fixed border, control box, minimise box, centred.
        {2, 1, 0, 1, 1, TEXT(""), false, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0,
         TEXT("砾川应用程序")},
        {0, 1, 0, 1, 1, TEXT("x"), false, WS_MINIMIZEBOX, 0, TEXT("x")},
        {1, 1, 1, 0, 1, TEXT("x"), false, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX,
         0, TEXT("x")},
        {3, 1, 0, 0, 1, TEXT("x"), false, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_TOOLWINDOW,
         TEXT("x")},
        {4, 1, 0, 0, 1, TEXT("x"), false, WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, TEXT("x")},
        {5, 1, 0, 0, 1, TEXT("x"), false, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_CLIENTEDGE,
         TEXT("x")},
        {6, 1, 0, 0, 1, TEXT("x"), false, WS_CAPTION | WS_SYSMENU, WS_EX_CLIENTEDGE, TEXT("x")},
        // No control box: a caption alone still gets a title bar; no caption gets none.
        {2, 0, 0, 0, 1, TEXT("x"), false, WS_CAPTION, 0, TEXT("x")},
        {2, 0, 0, 0, 1, TEXT(""), false, dialog, 0, TEXT("")},
        {2, 1, 0, 1, 2, TEXT("x"), false, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MINIMIZE, 0,
         TEXT("x")},
        {2, 1, 0, 1, 3, TEXT("x"), false, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZE, 0,
         TEXT("x")},
        // A parent makes a pop-up window, never a child.
        {2, 1, 0, 0, 0, TEXT("x"), true, WS_CAPTION | WS_SYSMENU | WS_POPUP, 0, TEXT("x")},
    };
    CRixWnd parent;
    for (const StyleCase& c : cases) {
        TestForm f;
        CRWnd_WinForm& w = *f.GetFormWnd();
        w.m_nBorderStyle = c.border;
        w.m_bControlBox = c.controlBox;
        w.m_bMaxBox = c.maxBox;
        w.m_bMinBox = c.minBox;
        w.m_nStartState = c.startState;
        f.SetCaption(CWString(c.caption));
        CreateParams params;
        params.parent = c.parent ? &parent : nullptr;
        f.FillCreateParams(params);
        SCOPED_TRACE(testing::Message() << "border " << c.border << " box " << c.controlBox
                                        << " state " << c.startState << " parent " << c.parent);
        EXPECT_EQ(params.style & kFrameBits, c.style);
        EXPECT_NE(params.style & WS_CLIPCHILDREN, 0u);
        EXPECT_EQ(params.style & WS_DLGFRAME, c.border != 0 ? WS_DLGFRAME : 0u);
        EXPECT_EQ(params.exStyle & (WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE), c.exStyle);
        EXPECT_NE(params.exStyle & WS_EX_CONTROLPARENT, 0u);
        EXPECT_TRUE(CWString(params.caption).IsEqual(CWString(c.finalCaption)));
        // Filling the parameters attaches the form as its window's listener.
        EXPECT_EQ(f.IsListenerAttached(), 1);
    }
}

TEST_F(FormTest, TitleBarFollowsTheCaption) {
    Wnd().m_bControlBox = 0;
    Wnd().m_bMinBox = 0;
    ASSERT_EQ(Create(TEXT("工具")), 1);
    EXPECT_EQ(Style() & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
    EXPECT_EQ(Style() & WS_SYSMENU, 0u);
    // The default caption counts as none on a form without control box.
    form.SetCaption(CWString(TEXT("砾川应用程序")));
    EXPECT_EQ(Style() & WS_CAPTION, static_cast<DWORD>(WS_DLGFRAME));
    form.SetCaption(CWString(TEXT("别的")));
    EXPECT_EQ(Style() & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
    form.SetCaption(CWString());
    EXPECT_EQ(Style() & WS_CAPTION, static_cast<DWORD>(WS_DLGFRAME));
}

TEST_F(FormTest, ControlBoxKeepsTheTitleBarWhateverTheCaption) {
    ASSERT_EQ(Create(TEXT("")), 1);
    EXPECT_TRUE(form.GetCaption().IsEqual(CWString(TEXT("砾川应用程序"))));
    form.SetCaption(CWString());
    EXPECT_EQ(Style() & (WS_CAPTION | WS_SYSMENU), static_cast<DWORD>(WS_CAPTION | WS_SYSMENU));
}

TEST_F(FormTest, DesignSizeGivesTheClientAreaAndTheWindowIsCentred) {
    form.designWidth = 500;
    form.designHeight = 320;
    ASSERT_EQ(Create(TEXT("键序台"), true), 1);
    RECT client{};
    ASSERT_TRUE(GetClientRect(Hwnd(), &client));
    EXPECT_EQ(client.right - client.left, 500);
    EXPECT_EQ(client.bottom - client.top, 320);
    RECT outer{};
    ASSERT_TRUE(GetWindowRect(Hwnd(), &outer));
    RECT screen = CRixAppInstance::GetMonitorRect(Hwnd());
    EXPECT_EQ(outer.left, (screen.left + screen.right - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (screen.top + screen.bottom - (outer.bottom - outer.top)) / 2);
    // The icon reaches the window as both small and big icon.
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(Hwnd(), WM_GETICON, ICON_BIG, 0)),
              Wnd().m_hIcon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(Hwnd(), WM_GETICON, ICON_SMALL, 0)),
              Wnd().m_hIcon);
}

// A form that does not lay itself out by DPI still follows WM_DPICHANGED to the rectangle the
// system suggests; a message without a rectangle moves nothing.
TEST_F(FormTest, DpiChangeMovesTheFormToTheSuggestedRectangle) {
    form.designWidth = 200;
    form.designHeight = 100;
    ASSERT_EQ(Create(), 1);
    RECT before{};
    GetWindowRect(Hwnd(), &before);
    SendMessageW(Hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), 0);
    RECT unchanged{};
    GetWindowRect(Hwnd(), &unchanged);
    EXPECT_EQ(unchanged.left, before.left);
    EXPECT_EQ(unchanged.right, before.right);

    RECT suggested{30, 40, 30 + 330, 40 + 190};
    SendMessageW(Hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT after{};
    GetWindowRect(Hwnd(), &after);
    EXPECT_EQ(after.left, suggested.left);
    EXPECT_EQ(after.top, suggested.top);
    EXPECT_EQ(after.right, suggested.right);
    EXPECT_EQ(after.bottom, suggested.bottom);
}

TEST_F(FormTest, AnUnmovableFormLosesTheMoveEntryOfItsSystemMenu) {
    for (int64_t movable : {0, 1}) {
        TestForm f;
        f.GetFormWnd()->m_bMovable = movable;
        f.GetHolder()->m_nStyle &= ~static_cast<DWORD>(WS_VISIBLE);
        CreateParams params;
        ASSERT_EQ(f.CreateNativeWindow(params), 1);
        HMENU system = GetSystemMenu(f.GetSafeHwnd(), FALSE);
        ASSERT_NE(system, nullptr);
        EXPECT_EQ(GetMenuState(system, SC_MOVE, MF_BYCOMMAND) == static_cast<UINT>(-1),
                  movable == 0);
        EXPECT_NE(GetMenuState(system, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
        f.GetFormWnd()->DestroyWindow();
    }
}

// The window itself may be held at a minimum tracking size by the window manager, so the
// computed parameters are checked.
TEST_F(FormTest, NoDesignSizeLeavesAnUnsetSizeAtZero) {
    CreateParams params;
    params.x = params.y = params.width = params.height = kUnsetCoordinate;
    form.FillCreateParams(params);
    form.AdjustCreateSize(params);
    EXPECT_EQ(params.width, 0);
    EXPECT_EQ(params.height, 0);
    EXPECT_EQ(params.x, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_EQ(params.y, GetSystemMetrics(SM_CYSCREEN) / 2);
    // A given size is kept; only the unset one of x and y is centred.
    form.designWidth = 500;
    form.designHeight = 320;
    CreateParams given;
    given.x = 7;
    given.y = kUnsetCoordinate;
    given.width = 100;
    given.height = 60;
    form.FillCreateParams(given);
    form.AdjustCreateSize(given);
    EXPECT_EQ(given.width, 100);
    EXPECT_EQ(given.x, 7);
    EXPECT_EQ(given.y, (GetSystemMetrics(SM_CYSCREEN) - 60) / 2);
}

enum class Trigger { Close, CloseButton, Esc };

struct CloseCase {
    Trigger trigger;
    int64_t queryClose, queryDestroy; // handler answers: non-zero refuses
    bool closes;
    std::vector<int> fired;
};

TEST_F(FormTest, CloseCheckAsksQueryCloseThenQueryDestroy) {
    const int qc = CRixWinForm::kQueryClose;
    const int qd = CRixWinForm::kQueryDestroy;
    const CloseCase cases[] = {
        {Trigger::Close, 0, 0, true, {qc, qd}},    {Trigger::Close, 1, 0, false, {qc}},
        {Trigger::Close, 0, 1, false, {qc, qd}},   {Trigger::CloseButton, 0, 0, true, {qc, qd}},
        {Trigger::CloseButton, 1, 0, false, {qc}}, {Trigger::CloseButton, 0, 1, false, {qc, qd}},
        {Trigger::Esc, 0, 0, true, {qc, qd}},      {Trigger::Esc, 1, 0, false, {qc}},
        {Trigger::Esc, 0, 1, false, {qc, qd}},
    };
    const char* const names[] = {"WM_CLOSE", "close button", "Esc"};
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(testing::Message() << names[static_cast<int>(c.trigger)] << " " << c.queryClose
                                        << c.queryDestroy);
        Log() = EventLog{};
        Log().answers[qc] = c.queryClose;
        Log().answers[qd] = c.queryDestroy;
        TestForm f;
        f.BindEvent(f.Event(CRixWinForm::kQueryClose), &Record<qc>, target.pointer);
        f.BindEvent(f.Event(CRixWinForm::kQueryDestroy), &Record<qd>, target.pointer);
        f.GetHolder()->m_nStyle &= ~static_cast<DWORD>(WS_VISIBLE);
        CreateParams params;
        ASSERT_EQ(f.CreateNativeWindow(params), 1);
        HWND hwnd = f.GetSafeHwnd();
        if (c.trigger == Trigger::Close)
            PostMessageW(hwnd, WM_CLOSE, 0, 0);
        else if (c.trigger == Trigger::CloseButton)
            PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        else
            PostMessageW(hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
        PumpTranslated();
        EXPECT_EQ(IsWindow(hwnd) == FALSE, c.closes);
        std::vector<int> fired;
        for (const FiredEvent& e : Log().fired)
            fired.push_back(e.slot);
        EXPECT_EQ(fired, c.fired);
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
    }
}

TEST_F(FormTest, EscDoesNothingWhenEscClosesIsOff) {
    Wnd().m_bEscCloses = 0;
    form.BindEvent(form.Event(CRixWinForm::kQueryClose), &Record<CRixWinForm::kQueryClose>,
                   target.pointer);
    ASSERT_EQ(Create(), 1);
    PostMessageW(Hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    PumpTranslated();
    EXPECT_TRUE(IsWindow(Hwnd()));
    EXPECT_TRUE(Log().fired.empty());
}

TEST_F(FormTest, ShutDownQueryAsksOnlyQueryDestroy) {
    const int qc = CRixWinForm::kQueryClose;
    const int qd = CRixWinForm::kQueryDestroy;
    form.BindEvent(form.Event(CRixWinForm::kQueryClose), &Record<qc>, target.pointer);
    form.BindEvent(form.Event(CRixWinForm::kQueryDestroy), &Record<qd>, target.pointer);
    ASSERT_EQ(Create(), 1);
    Log().answers[qd] = 1;
    EXPECT_EQ(SendMessageW(Hwnd(), WM_QUERYENDSESSION, 0, 0), 0);
    Log().answers[qd] = 0;
    EXPECT_NE(SendMessageW(Hwnd(), WM_QUERYENDSESSION, 0, 0), 0);
    EXPECT_EQ(Log().fired, (std::vector<FiredEvent>{{qd, 0, 0, 0}, {qd, 0, 0, 0}}));
    EXPECT_TRUE(IsWindow(Hwnd()));
}

// Moves every limit and answers what the test asks.
int64_t ChangeLimits(CRixObject*, CRixObject*, int32_t, int64_t info, int64_t, int64_t) {
    auto* limits = reinterpret_cast<rg_chkwzhxzhxx*>(info);
    limits->m_MaxSize = rg_lch_jb::rg_chcl(111, 222);
    limits->m_MaxPosition = rg_lch_jb::rg_wzhl(-3, -4);
    limits->m_MinTrackSize = rg_lch_jb::rg_chcl(55, 66);
    limits->m_MaxTrackSize = rg_lch_jb::rg_chcl(777, 888);
    Log().fired.push_back({CRixWinForm::kMinMaxInfo, 0, 0, 0});
    return Log().answers[CRixWinForm::kMinMaxInfo];
}

MINMAXINFO SendLimits(HWND hwnd) {
    MINMAXINFO record{};
    record.ptMaxSize = {1000, 700};
    record.ptMaxPosition = {1, 2};
    record.ptMinTrackSize = {100, 30};
    record.ptMaxTrackSize = {1200, 900};
    SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&record));
    return record;
}

bool SameLimits(const MINMAXINFO& a, const MINMAXINFO& b) {
    auto same = [](POINT p, POINT q) { return p.x == q.x && p.y == q.y; };
    return same(a.ptMaxSize, b.ptMaxSize) && same(a.ptMaxPosition, b.ptMaxPosition) &&
           same(a.ptMinTrackSize, b.ptMinTrackSize) && same(a.ptMaxTrackSize, b.ptMaxTrackSize);
}

TEST_F(FormTest, MinMaxInfoIsCopiedBackOnlyWhenTheHandlerAnswersNonZero) {
    ASSERT_EQ(Create(), 1);
    const MINMAXINFO unhandled = SendLimits(Hwnd());
    form.BindEvent(form.Event(CRixWinForm::kMinMaxInfo), &ChangeLimits, target.pointer);
    Log().answers[CRixWinForm::kMinMaxInfo] = 0;
    EXPECT_TRUE(SameLimits(SendLimits(Hwnd()), unhandled));
    Log().answers[CRixWinForm::kMinMaxInfo] = 1;
    MINMAXINFO handled = SendLimits(Hwnd());
    EXPECT_EQ(handled.ptMaxSize.x, 111);
    EXPECT_EQ(handled.ptMaxSize.y, 222);
    EXPECT_EQ(handled.ptMaxPosition.x, -3);
    EXPECT_EQ(handled.ptMaxPosition.y, -4);
    EXPECT_EQ(handled.ptMinTrackSize.x, 55);
    EXPECT_EQ(handled.ptMinTrackSize.y, 66);
    EXPECT_EQ(handled.ptMaxTrackSize.x, 777);
    EXPECT_EQ(handled.ptMaxTrackSize.y, 888);
    EXPECT_EQ(Log().fired.size(), 2u);
}

TEST_F(FormTest, ActivationFiresFirstActivateOnceUntilTheWindowIsMadeAgain) {
    const int first = CRixWinForm::kFirstActivate;
    const int active = CRixWinForm::kActivate;
    const int inactive = CRixWinForm::kDeactivate;
    form.BindEvent(form.Event(CRixWinForm::kFirstActivate), &Record<first>, target.pointer);
    form.BindEvent(form.Event(CRixWinForm::kActivate), &Record<active>, target.pointer);
    form.BindEvent(form.Event(CRixWinForm::kDeactivate), &Record<inactive>, target.pointer);
    // Minimised, so that the default processing of an activation does not take the focus
    // (which would activate the window once more from inside).
    Wnd().m_nStartState = 2;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        Log().fired.clear();
        ASSERT_EQ(Create(), 1);
        SendMessageW(Hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
        SendMessageW(Hwnd(), WM_ACTIVATE, WA_INACTIVE, 0);
        SendMessageW(Hwnd(), WM_ACTIVATE, WA_CLICKACTIVE, 0);
        std::vector<int> fired;
        for (const FiredEvent& e : Log().fired)
            fired.push_back(e.slot);
        EXPECT_EQ(fired, (std::vector<int>{first, active, inactive, active}));
        form.GetFormWnd()->DestroyWindow();
    }
}

// An Activate handler that activates the other form of the test.
HWND g_otherForm = nullptr;
int64_t ActivateOther(CRixObject*, CRixObject*, int32_t, int64_t, int64_t, int64_t) {
    Log().fired.push_back({CRixWinForm::kActivate, 1, 0, 0});
    SendMessageW(g_otherForm, WM_ACTIVATE, WA_ACTIVE, 0);
    return 0;
}

TEST_F(FormTest, AnActivationCausedByAnActivationHandlerFiresNothing) {
    TestForm other;
    other.BindEvent(other.Event(CRixWinForm::kFirstActivate), &Record<CRixWinForm::kFirstActivate>,
                    target.pointer);
    other.BindEvent(other.Event(CRixWinForm::kActivate), &Record<CRixWinForm::kActivate>,
                    target.pointer);
    other.GetHolder()->m_nStyle &= ~static_cast<DWORD>(WS_VISIBLE);
    other.GetFormWnd()->m_nStartState = 2;
    Wnd().m_nStartState = 2;
    CreateParams params;
    ASSERT_EQ(other.CreateNativeWindow(params), 1);
    g_otherForm = other.GetSafeHwnd();
    form.BindEvent(form.Event(CRixWinForm::kActivate), &ActivateOther, target.pointer);
    ASSERT_EQ(Create(), 1);
    SendMessageW(Hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(Log().fired, (std::vector<FiredEvent>{{CRixWinForm::kActivate, 1, 0, 0}}));
    // Outside the handler the other form fires its own events.
    Log().fired.clear();
    SendMessageW(g_otherForm, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(Log().fired.size(), 2u);
    other.GetFormWnd()->DestroyWindow();
}

TEST_F(FormTest, MenuSelectionTrayAndCommandMessagesBecomeFormEvents) {
    const int select = CRixWinForm::kMenuSelect;
    const int tray = CRixWinForm::kTrayNotify;
    const int command = CRixWinForm::kCommand;
    form.BindEvent(form.Event(CRixWinForm::kMenuSelect), &Record<select>, target.pointer);
    form.BindEvent(form.Event(CRixWinForm::kTrayNotify), &Record<tray>, target.pointer);
    form.BindEvent(form.Event(CRixWinForm::kCommand), &Record<command>, target.pointer);
    ASSERT_EQ(Create(), 1);
    struct Case {
        UINT message;
        WPARAM wparam;
        LPARAM lparam;
    };
    const Case cases[] = {
        {WM_MENUSELECT, MAKEWPARAM(41, 0), 0},          // an item: its id
        {WM_MENUSELECT, MAKEWPARAM(41, MF_POPUP), 0},   // a popup: 0
        {WM_MENUSELECT, MAKEWPARAM(41, MF_SYSMENU), 0}, // a system-menu item: 0
        {WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0},      // the menu closes: 0
        {kTrayNotifyMessage, 0, WM_LBUTTONUP},          {kTrayNotifyMessage, 0, WM_LBUTTONDBLCLK},
        {kTrayNotifyMessage, 0, WM_RBUTTONUP},          {kTrayNotifyMessage, 0, WM_CONTEXTMENU},
        {kTrayNotifyMessage, 0, WM_MOUSEMOVE}, // nothing
        {WM_COMMAND, MAKEWPARAM(1234, 1), 0},  // an accelerator
    };
    for (const Case& c : cases)
        SendMessageW(Hwnd(), c.message, c.wparam, c.lparam);
    EXPECT_EQ(Log().fired, (std::vector<FiredEvent>{{select, 41, 0, 0},
                                                    {select, 0, 0, 0},
                                                    {select, 0, 0, 0},
                                                    {select, 0, 0, 0},
                                                    {tray, 1, 0, 0},
                                                    {tray, 2, 0, 0},
                                                    {tray, 3, 0, 0},
                                                    {tray, 3, 0, 0},
                                                    {command, 1234, 0, 0}}));
}

// A form whose filter swallows the key-downs of one key and notes every message it sees.
class FilteringForm : public TestForm {
public:
    int64_t FilterMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM, MSG*) override {
        if (message == WM_KEYDOWN)
            seen.push_back(hwnd);
        return message == WM_KEYDOWN && wparam == swallowed ? 0 : 1;
    }
    std::vector<HWND> seen;
    WPARAM swallowed = 'Q';
};

TEST(FormPreTranslation, FilterSeesTheKeysOfChildrenAndMaySwallowThem) {
    FilteringForm form;
    CreateParams params;
    ASSERT_EQ(form.CreateNativeWindow(params), 1);
    TestControl child;
    CreateParams child_params;
    child_params.parent = form.GetNativeWnd();
    child_params.width = 50;
    child_params.height = 20;
    ASSERT_EQ(child.CreateNativeWindow(child_params), 1);
    PostMessageW(child.GetSafeHwnd(), WM_KEYDOWN, 'Q', 0);
    PostMessageW(child.GetSafeHwnd(), WM_KEYDOWN, 'W', 0);
    PumpTranslated();
    EXPECT_EQ(form.seen, (std::vector<HWND>{child.GetSafeHwnd(), child.GetSafeHwnd()}));
    // Only the key the filter let pass was dispatched to the child.
    std::vector<MSG> keys = child.Received(WM_KEYDOWN);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].wParam, static_cast<WPARAM>('W'));
    form.GetFormWnd()->DestroyWindow();
    PumpTranslated();
}

// Notes the title-bar clicks the form posts to itself and keeps them from starting a move.
class DragForm : public TestForm {
public:
    int64_t FilterMessage(HWND, UINT message, WPARAM wparam, LPARAM, MSG*) override {
        if (message != WM_NCLBUTTONDOWN)
            return 1;
        captionClicks.push_back(wparam);
        return 0;
    }
    std::vector<WPARAM> captionClicks;
};

TEST(FormPreTranslation, DragByClientTurnsClicksOnTheFormAndStaticChildrenIntoCaptionClicks) {
    for (int64_t drag : {0, 1}) {
        SCOPED_TRACE(drag);
        DragForm form;
        form.GetFormWnd()->m_bDragByClient = drag;
        CreateParams params;
        ASSERT_EQ(form.CreateNativeWindow(params), 1);
        rg_zjbjq box; // answers DLGC_STATIC
        CreateParams box_params;
        box_params.parent = form.GetNativeWnd();
        box_params.width = 50;
        box_params.height = 20;
        ASSERT_EQ(box.CreateNativeWindow(box_params), 1);
        TestControl button; // a push button: not static
        CreateParams button_params = box_params;
        ASSERT_EQ(button.CreateNativeWindow(button_params), 1);
        PostMessageW(form.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(box.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(button.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PumpTranslated();
        const std::vector<WPARAM> expected =
            drag != 0 ? std::vector<WPARAM>{HTCAPTION, HTCAPTION} : std::vector<WPARAM>{};
        EXPECT_EQ(form.captionClicks, expected);
        EXPECT_EQ(button.Received(WM_LBUTTONDOWN).size(), 1u);
        ReleaseCapture();
        form.GetFormWnd()->DestroyWindow();
        PumpTranslated();
    }
}

TEST_F(FormTest, EscForADisabledWindowDoesNotCloseTheForm) {
    ASSERT_EQ(Create(), 1);
    TestControl child;
    CreateParams params;
    params.parent = form.GetNativeWnd();
    params.width = 50;
    params.height = 20;
    ASSERT_EQ(child.CreateNativeWindow(params), 1);
    EnableWindow(child.GetSafeHwnd(), FALSE);
    PostMessageW(child.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    PumpTranslated();
    EXPECT_TRUE(IsWindow(Hwnd()));
    EnableWindow(child.GetSafeHwnd(), TRUE);
    PostMessageW(child.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    PumpTranslated();
    EXPECT_FALSE(IsWindow(Hwnd()));
}

// A container inside the form holding a button with a given id.
struct NestedButton {
    explicit NestedButton(CRixWnd& form_wnd, int32_t id) {
        CreateParams params;
        params.parent = &form_wnd;
        params.width = 200;
        params.height = 100;
        EXPECT_EQ(box.CreateNativeWindow(params), 1);
        CreateParams button_params;
        button_params.parent = box.GetNativeWnd();
        button_params.id = id;
        button_params.width = 80;
        button_params.height = 30;
        EXPECT_EQ(button.CreateNativeWindow(button_params), 1);
    }
    rg_zjbjq box;
    TestControl button;
};

TEST_F(FormTest, DefIdFindsANestedDefaultButton) {
    ASSERT_EQ(Create(TEXT("表单"), true), 1);
    NestedButton nested(Wnd(), 7);
    Wnd().m_nDefaultButtonId = 7;
    EXPECT_EQ(SendMessageW(Hwnd(), DM_GETDEFID, 0, 0), MAKELONG(7, DC_HASDEFID));
    // Not searched inside a hidden container.
    ShowWindow(nested.box.GetSafeHwnd(), SW_HIDE);
    EXPECT_NE(HIWORD(SendMessageW(Hwnd(), DM_GETDEFID, 0, 0)), DC_HASDEFID);
    ShowWindow(nested.box.GetSafeHwnd(), SW_SHOW);
    Wnd().m_nDefaultButtonId = 9;
    EXPECT_NE(HIWORD(SendMessageW(Hwnd(), DM_GETDEFID, 0, 0)), DC_HASDEFID);
}

class CountingContainer : public rg_zjbjq {
public:
    void CreateChildren() override { childrenAt = Log().fired.size(); }
    size_t childrenAt = SIZE_MAX;
};

TEST_F(FormTest, ContainerCreatesChildrenBeforeCreatedAndAnswersStatic) {
    ASSERT_EQ(Create(TEXT("表单"), true), 1);
    CountingContainer box;
    box.BindEvent(box.Event(rg_zjbjq::kCreated), &Record<rg_zjbjq::kCreated>, target.pointer);
    CreateParams params;
    params.parent = &Wnd();
    params.width = 100;
    params.height = 50;
    ASSERT_EQ(box.CreateNativeWindow(params), 1);
    EXPECT_EQ(box.childrenAt, 0u);
    EXPECT_EQ(Log().fired, (std::vector<FiredEvent>{{rg_zjbjq::kCreated, 0, 0, 0}}));
    EXPECT_EQ(SendMessageW(box.GetSafeHwnd(), WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    EXPECT_NE(GetWindowLongW(box.GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT, 0);
    EXPECT_EQ(GetWindowLongW(box.GetSafeHwnd(), GWL_STYLE) & WS_TABSTOP, 0);
}

TEST_F(FormTest, ContainerPassesItsFocusToTheFirstChildWantingKeys) {
    ASSERT_EQ(Create(TEXT("表单"), true), 1);
    NestedButton plain(Wnd(), 1);
    // A second button that wants characters, inside the same container.
    TestControl wanting;
    CreateParams params;
    params.parent = plain.box.GetNativeWnd();
    params.id = 2;
    params.width = 80;
    params.height = 30;
    ASSERT_EQ(wanting.CreateNativeWindow(params), 1);
    wanting.Wnd()->dialogCode = DLGC_WANTCHARS;
    SetFocus(plain.box.GetSafeHwnd());
    EXPECT_EQ(GetFocus(), wanting.GetSafeHwnd());
    // Without a child wanting keys the first child takes it.
    wanting.Wnd()->dialogCode = 0;
    SetFocus(Hwnd());
    SetFocus(plain.box.GetSafeHwnd());
    EXPECT_EQ(GetFocus(), plain.button.GetSafeHwnd());
}

// A child that keeps Alt key-downs to itself, without default processing, as Wine's combo box
// does.
LRESULT CALLBACK KeepsAltKeys(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_SYSKEYDOWN)
        return 0;
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

HWND CreateAltKeeper(HWND parent) {
    static const WCHAR* const kClass = TEXT("KeyseqTestAltKeeper");
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &KeepsAltKeys;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc); // fails harmlessly once registered
    return CreateWindowExW(0, kClass, TEXT(""), WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(0xFFFF)),
                           GetModuleHandleW(nullptr), nullptr);
}

// Alt+F4 as the keyboard delivers it: F4 as a system key with Alt held (the context code).
constexpr LPARAM kAltF4 = MAKELPARAM(1, KF_ALTDOWN | 0x3E);

TEST_F(FormTest, AltF4ClosesTheFormWhateverControlHasTheKey) {
    const int qc = CRixWinForm::kQueryClose;
    const int qd = CRixWinForm::kQueryDestroy;
    struct Case {
        const char* what;
        bool combo;             // a combo box of ours, else a window keeping Alt keys
        int64_t queryClose;     // non-zero refuses
        std::vector<int> fired; // the close check runs as for the close button
    };
    const Case cases[] = {
        {"a window keeping Alt keys", false, 0, {qc, qd}},
        {"a window keeping Alt keys, closing refused", false, 1, {qc}},
        {"a combo box", true, 0, {qc, qd}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Log() = EventLog{};
        Log().answers[qc] = c.queryClose;
        TestForm f;
        f.BindEvent(f.Event(CRixWinForm::kQueryClose), &Record<qc>, target.pointer);
        f.BindEvent(f.Event(CRixWinForm::kQueryDestroy), &Record<qd>, target.pointer);
        f.GetHolder()->m_nStyle &= ~static_cast<DWORD>(WS_VISIBLE);
        CreateParams params;
        ASSERT_EQ(f.CreateNativeWindow(params), 1);
        HWND hwnd = f.GetSafeHwnd();
        rg_lch_MFCjm_jb::rg_zgk combo;
        HWND key_window = nullptr;
        if (c.combo) {
            combo.GetHolder()->m_nStyle |= CBS_DROPDOWNLIST;
            CreateParams combo_params;
            combo_params.parent = f.GetNativeWnd();
            combo_params.width = 80;
            combo_params.height = 24;
            ASSERT_EQ(combo.CreateNativeWindow(combo_params), 1);
            key_window = combo.GetSafeHwnd();
        } else {
            key_window = CreateAltKeeper(hwnd);
        }
        ASSERT_NE(key_window, nullptr);
        PostMessageW(key_window, WM_SYSKEYDOWN, VK_F4, kAltF4);
        PumpTranslated();
        EXPECT_EQ(IsWindow(hwnd) == FALSE, c.queryClose == 0);
        std::vector<int> fired;
        for (const FiredEvent& e : Log().fired)
            fired.push_back(e.slot);
        EXPECT_EQ(fired, c.fired);
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
        PumpTranslated();
    }
}

TEST_F(FormTest, F4WithoutAltIsAnOrdinaryKey) {
    ASSERT_EQ(Create(), 1);
    HWND keeper = CreateAltKeeper(Hwnd());
    PostMessageW(keeper, WM_SYSKEYDOWN, VK_F4, MAKELPARAM(1, 0x3E));
    PostMessageW(keeper, WM_KEYDOWN, VK_F4, MAKELPARAM(1, 0x3E));
    PumpTranslated();
    EXPECT_TRUE(IsWindow(Hwnd()));
}

// Enter and Esc in a form without a default button or a Cancel button: the dialog manager
// answers them with IDOK and IDCANCEL from no control, which are no commands.
TEST_F(FormTest, EnterAndEscWithoutButtonsFireNoCommand) {
    const int command = CRixWinForm::kCommand;
    Wnd().m_bEscCloses = 0;
    form.BindEvent(form.Event(CRixWinForm::kCommand), &Record<command>, target.pointer);
    ASSERT_EQ(Create(TEXT("表单"), true), 1);
    TestControl edit;
    edit.className = TEXT("EDIT");
    CreateParams params;
    params.parent = form.GetNativeWnd();
    params.width = 80;
    params.height = 24;
    ASSERT_EQ(edit.CreateNativeWindow(params), 1);
    SetFocus(edit.GetSafeHwnd());
    PostMessageW(edit.GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 0);
    PostMessageW(edit.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    PumpTranslated();
    EXPECT_TRUE(IsWindow(Hwnd()));
    EXPECT_TRUE(Log().fired.empty());
    // A menu command with those ids is still one.
    SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    EXPECT_EQ(Log().fired,
              (std::vector<FiredEvent>{{command, IDOK, 0, 0}, {command, IDCANCEL, 0, 0}}));
}

TEST_F(FormTest, AFormWithoutBorderGetsNoFrameFromTheTitleBarUpdate) {
    for (int64_t control_box : {0, 1}) {
        SCOPED_TRACE(control_box);
        TestForm f;
        f.GetFormWnd()->m_nBorderStyle = 0;
        f.GetFormWnd()->m_bControlBox = control_box;
        f.GetFormWnd()->m_bMinBox = 0;
        f.GetHolder()->m_nStyle &= ~static_cast<DWORD>(WS_VISIBLE);
        f.SetCaption(CWString(TEXT("无边框")));
        CreateParams params;
        ASSERT_EQ(f.CreateNativeWindow(params), 1);
        auto style = [&] { return static_cast<DWORD>(GetWindowLongW(f.GetSafeHwnd(), GWL_STYLE)); };
        EXPECT_EQ(style() & (WS_CAPTION | WS_SYSMENU), 0u);
        f.SetCaption(CWString(TEXT("别的")));
        EXPECT_EQ(style() & (WS_CAPTION | WS_SYSMENU), 0u);
        f.GetFormWnd()->DestroyWindow();
    }
}

} // namespace
