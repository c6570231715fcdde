// What the native windows of the standard controls share: the colours answered through the
// reflected WM_CTLCOLOR* with a brush made once, and the focus events from reflected focus
// notifications, with the hook that runs before LostFocus. Over a real BUTTON window, on both
// backends.
#include <gmock/gmock.h>

#include "runtime/ui/std_control_wnd.h"
#include "tests/ui/test_controls.h"

namespace {

using namespace keyseq_test;
using C = CRixWinControl;
using StdControlWnd = ControlTest;

constexpr WORD kSetFocus = 0x0100;
constexpr WORD kKillFocus = 0x0200;

class HookedWnd : public CRixStdControlWnd {
public:
    HookedWnd()
        : CRixStdControlWnd(0x00112233, kSystemColour, kSystemColour, kSetFocus, kKillFocus) {}
    std::vector<int> order; // 1: BeforeLostFocus ran
    void (*beforeLostFocus)(HWND) = nullptr;

protected:
    void BeforeLostFocus() override {
        order.push_back(1);
        if (beforeLostFocus != nullptr)
            beforeLostFocus(GetSafeHwnd());
    }
};

class StdControl : public CRixWinControl, public IBaseEventListener {
    RIX_OBJECT(StdControl, CRixWinControl, "keyseq_test::StdControl")
    RIX_NO_OWN_FIELDS(StdControl)
public:
    StdControl() { InstallHolder(WS_VISIBLE, 0, new HookedWnd); }
    StdControl(const StdControl& other) : CRixWinControl(other) {}
    ~StdControl() override { DetachListener(); }
    int64_t CreateNativeWindow(CreateParams& params) override {
        if (!PrepareCreate(params) || !CreateWindowOfClass(params, TEXT("BUTTON")))
            return 0;
        AfterCreate(GetNativeWnd(), params);
        return 1;
    }
    void AttachListener() override { GetNativeWnd()->SetListener(this); }
    void DetachListener() override { GetNativeWnd()->ClearListener(this); }
    int64_t IsListenerAttached() const override { return GetNativeWnd()->GetListener() != nullptr; }
    int64_t OnWindowMessage(MSG* msg) override {
        if (msg->message == WM_KILLFOCUS)
            Wnd()->order.push_back(2);
        return DispatchInput(msg);
    }
    HookedWnd* Wnd() const { return static_cast<HookedWnd*>(GetNativeWnd()); }
};

TEST_F(StdControlWnd, ColoursAreAnsweredThroughTheReflectedCtlColourWithOneBrush) {
    StdControl control;
    ASSERT_EQ(CreateChild(control), 1);
    HWND hwnd = control.GetSafeHwnd();
    HBRUSH brush = control.Wnd()->m_Colours.GetBrush();
    ASSERT_NE(brush, nullptr);
    LOGBRUSH record{};
    ASSERT_EQ(GetObjectW(brush, sizeof record, &record), static_cast<int>(sizeof record));
    EXPECT_EQ(record.lbColor, GetSysColor(COLOR_BTNFACE));
    const struct {
        UINT message;
        uint32_t back;
        COLORREF expectedBack;
    } cases[] = {
        {WM_CTLCOLORBTN, kSystemColour, GetSysColor(COLOR_BTNFACE)},
        {WM_CTLCOLOREDIT, 0x00FFFFFF, 0x00FFFFFF},
        {WM_CTLCOLORLISTBOX, 0x000000FF, 0x000000FF},
        {WM_CTLCOLORSTATIC, 0x00123456, 0x00123456},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "message 0x" << std::hex << c.message);
        control.Wnd()->m_Colours.m_nBackColour = c.back;
        HDC dc = GetDC(hwnd);
        LRESULT answer = SendMessageW(parent.GetSafeHwnd(), c.message, reinterpret_cast<WPARAM>(dc),
                                      reinterpret_cast<LPARAM>(hwnd));
        // The brush is the one made with the window object, whatever the colour now says.
        EXPECT_EQ(reinterpret_cast<HBRUSH>(answer), brush);
        EXPECT_EQ(GetTextColor(dc), 0x00112233u);
        EXPECT_EQ(GetBkColor(dc), c.expectedBack);
        ReleaseDC(hwnd, dc);
    }
}

TEST_F(StdControlWnd, FocusNotificationsFireTheFocusEventsAfterTheRewriteHook) {
    StdControl control;
    ASSERT_EQ(CreateChild(control), 1);
    HandlerTarget target;
    control.BindEvent(control.Event(C::kGotFocus), &Record<C::kGotFocus>, target.pointer);
    control.BindEvent(control.Event(C::kLostFocus), &Record<C::kLostFocus>, target.pointer);
    HWND hwnd = control.GetSafeHwnd();
    auto notify = [&](WORD code) {
        return SendMessageW(parent.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(0xFFFF, code),
                            reinterpret_cast<LPARAM>(hwnd));
    };
    notify(kSetFocus);
    notify(kKillFocus);
    EXPECT_EQ(Log().fired,
              (std::vector<FiredEvent>{{C::kGotFocus, 0, 0, 0}, {C::kLostFocus, 0, 0, 0}}));
    EXPECT_EQ(control.Wnd()->order, (std::vector<int>{1, 2}));
    // The sent focus messages themselves fire nothing.
    Log().fired.clear();
    SendMessageW(hwnd, WM_SETFOCUS, 0, 0);
    SendMessageW(hwnd, WM_KILLFOCUS, 0, 0);
    EXPECT_THAT(Log().fired, testing::IsEmpty());
}

TEST_F(StdControlWnd, AHookThatDestroysTheWindowReportsNoLostFocus) {
    StdControl control;
    ASSERT_EQ(CreateChild(control), 1);
    HandlerTarget target;
    control.BindEvent(control.Event(C::kLostFocus), &Record<C::kLostFocus>, target.pointer);
    HWND hwnd = control.GetSafeHwnd();
    control.Wnd()->beforeLostFocus = [](HWND self) { DestroyWindow(self); };
    SendMessageW(parent.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(0xFFFF, kKillFocus),
                 reinterpret_cast<LPARAM>(hwnd));
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_THAT(Log().fired, testing::IsEmpty());
}

} // namespace
