// How input messages reach a control's events: which message fires which event with which
// arguments, what a handler's answer does to the message, and the two routing paths (queued
// messages through pre-translation, sent ones through the window procedure). The control is
// a real BUTTON subclassed by the framework, on both backends.
#include <gmock/gmock.h>

#include "tests/ui/test_controls.h"
#include "tests/ui/ui_pump.h"

namespace {

using namespace keyseq_test;
using Routing = ControlTest;
using C = CRixWinControl;

TEST_F(Routing, EachQueuedInputMessageFiresItsEventWithItsArguments) {
    TestControl control;
    ASSERT_EQ(CreateChild(control), 1);
    HandlerTarget target;
    control.BindAll(target);
    // Every handler consumes, so the button itself stays out of the way.
    Log().answers.fill(1);
    Log().answers[C::kCharInput] = -1;
    struct Case {
        UINT message;
        WPARAM wparam;
        LPARAM lparam;
        std::vector<FiredEvent> expected;
    };
    const Case cases[] = {
        {WM_LBUTTONDOWN, MK_CONTROL, MAKELPARAM(5, 6), {{C::kLeftDown, 5, 6, 0x2000}}},
        {WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(7, 8), {{C::kLeftUp, 7, 8, 0x8000}}},
        {WM_LBUTTONDBLCLK,
         MK_CONTROL | MK_SHIFT,
         MAKELPARAM(1, 2),
         {{C::kLeftDoubleClick, 1, 2, 0xA000}}},
        {WM_RBUTTONDOWN, 0, MAKELPARAM(3, 4), {{C::kRightDown, 3, 4, 0}}},
        {WM_RBUTTONUP, 0, MAKELPARAM(3, 4), {{C::kRightUp, 3, 4, 0}}},
        {WM_MOUSEMOVE, 0, MAKELPARAM(9, 10), {{C::kMouseMove, 9, 10, 0}}},
        // Left of and above the control: unsigned 16 bits, not negative.
        {WM_MOUSEMOVE, 0, MAKELPARAM(-1, -2), {{C::kMouseMove, 65535, 65534, 0}}},
        {WM_MOUSEWHEEL,
         MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-240)),
         MAKELPARAM(0, 0),
         {{C::kMouseWheel, -2, 0x2000, 0}}},
        // Steps truncate toward zero.
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 119), 0, {{C::kMouseWheel, 0, 0, 0}}},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-359)), 0, {{C::kMouseWheel, -2, 0, 0}}},
        {WM_KEYDOWN, 'A', 0, {{C::kKeyDown, 0x41, 0, 0}}},
        {WM_SYSKEYDOWN, VK_F5, 0, {{C::kKeyDown, VK_F5, 0, 0}}},
        {WM_KEYUP, 'B', 0, {{C::kKeyUp, 0x42, 0, 0}}},
        {WM_SYSKEYUP, VK_F5, 0, {{C::kKeyUp, VK_F5, 0, 0}}},
        // A key without a name (the left Windows key) gives key 0.
        {WM_KEYDOWN, 0x5B, 0, {{C::kKeyDown, 0, 0, 0}}},
        // Keypad digits are the main digits.
        {WM_KEYDOWN, 0x63 /* VK_NUMPAD3 */, 0, {{C::kKeyDown, '3', 0, 0}}},
        {WM_CHAR, 0x7A, 0, {{C::kCharInput, 0x7A, 0, 0}}},
        // The middle button is not translated.
        {WM_MBUTTONDOWN, 0, 0, {}},
        {WM_USER + 9, 0, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "message 0x" << std::hex << c.message);
        Log().fired.clear();
        PostMessageW(control.GetSafeHwnd(), c.message, c.wparam, c.lparam);
        PumpTranslated();
        EXPECT_EQ(Log().fired, c.expected);
        EXPECT_EQ(control.Received(c.message).size(), c.expected.empty() ? 1u : 0u);
    }
    EXPECT_EQ(Log().lastTarget, &target);
}

TEST_F(Routing, ALeftDownHandlerAnsweringOneKeepsTheButtonFromBeingPressed) {
    TestControl control;
    ASSERT_EQ(CreateChild(control), 1);
    HandlerTarget target;
    control.BindAll(target);
    HWND button = control.GetSafeHwnd();
    for (int64_t answer : {1, 0}) {
        SCOPED_TRACE(testing::Message() << "answer " << answer);
        Log().answers[C::kLeftDown] = answer;
        PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PumpTranslated();
        bool pressed = (SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
        EXPECT_EQ(pressed, answer == 0);
        PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        PumpTranslated();
        // The click arrives as the parent's WM_COMMAND, reflected to the button's object.
        EXPECT_EQ(control.Wnd()->clicked, answer == 0 ? 1 : 0);
    }
}

TEST_F(Routing, CharInputAnswersSwallowReplaceOrPassTheCharacter) {
    TestControl control;
    ASSERT_EQ(CreateChild(control), 1);
    HandlerTarget target;
    control.BindAll(target);
    struct Case {
        int64_t answer;
        std::vector<WPARAM> arrived;
    };
    const Case cases[] = {{-1, {}}, {0x41, {'A'}}, {0, {'z'}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "answer " << c.answer);
        control.Wnd()->received.clear();
        Log().answers[C::kCharInput] = c.answer;
        PostMessageW(control.GetSafeHwnd(), WM_CHAR, 'z', 1);
        PumpTranslated();
        std::vector<WPARAM> arrived;
        for (const MSG& m : control.Received(WM_CHAR))
            arrived.push_back(m.wParam);
        EXPECT_EQ(arrived, c.arrived);
    }
}

TEST_F(Routing, WithoutAHandlerOrTargetNothingIsConsumed) {
    TestControl control;
    ASSERT_EQ(CreateChild(control), 1);
    HandlerTarget target;
    control.BindAll(target);
    Log().answers.fill(1);
    // A callback without a target, and a target whose object is gone, answer 0.
    control.BindEvent(control.Event(C::kKeyDown), &Record<C::kKeyDown>, nullptr);
    auto* gone = new HandlerTarget;
    control.BindEvent(control.Event(C::kKeyUp), &Record<C::kKeyUp>, gone->pointer);
    delete gone;
    // TranslateMessage makes a character of the key; that event is not this test's.
    control.BindEvent(control.Event(C::kCharInput), nullptr, nullptr);
    PostMessageW(control.GetSafeHwnd(), WM_KEYDOWN, 'A', 0);
    PostMessageW(control.GetSafeHwnd(), WM_KEYUP, 'A', 0);
    PumpTranslated();
    EXPECT_THAT(Log().fired, testing::IsEmpty());
    EXPECT_EQ(control.Received(WM_KEYDOWN).size(), 1u);
    EXPECT_EQ(control.Received(WM_KEYUP).size(), 1u);
}

TEST_F(Routing, FocusAndCursorArriveThroughTheWindowProcedureOnce) {
    TestControl control;
    ASSERT_EQ(CreateChild(control), 1);
    HandlerTarget target;
    control.BindAll(target);
    HWND hwnd = control.GetSafeHwnd();
    // Sent: the answer decides whether default processing runs.
    Log().answers[C::kGotFocus] = 1;
    EXPECT_EQ(SendMessageW(hwnd, WM_SETFOCUS, 0, 0), 1);
    EXPECT_EQ(SendMessageW(hwnd, WM_KILLFOCUS, 0, 0), 0);
    EXPECT_EQ(Log().fired,
              (std::vector<FiredEvent>{{C::kGotFocus, 0, 0, 0}, {C::kLostFocus, 0, 0, 0}}));
    // Posted: not pre-translated, so it fires once, when dispatched.
    Log().fired.clear();
    PostMessageW(hwnd, WM_KILLFOCUS, 0, 0);
    PumpTranslated();
    EXPECT_EQ(Log().fired, (std::vector<FiredEvent>{{C::kLostFocus, 0, 0, 0}}));
    // The cursor: shown by the control when it has one.
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    control.SetCursor(arrow);
    SetCursor(nullptr);
    EXPECT_EQ(SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), 0), 1);
    EXPECT_EQ(GetCursor(), arrow);
    EXPECT_EQ(control.GetCursor(), arrow);
}

TEST_F(Routing, ControlsThatReportFocusByNotificationGetItFromTheReflectedNotification) {
    TestControl control(CRixListenerWnd::FocusRoute::Reflected);
    control.className = kContainerClass;
    ASSERT_EQ(CreateChild(control), 1);
    HandlerTarget target;
    control.BindAll(target);
    HWND hwnd = control.GetSafeHwnd();
    // The focus messages themselves go by without an event...
    SendMessageW(hwnd, WM_SETFOCUS, 0, 0);
    SendMessageW(hwnd, WM_KILLFOCUS, 0, 0);
    EXPECT_THAT(Log().fired, testing::IsEmpty());
    // ...the parent's notifications fire them.
    auto notify = [&](WORD code) {
        SendMessageW(parent.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(0xFFFF, code),
                     reinterpret_cast<LPARAM>(hwnd));
    };
    notify(RecordingListenerWnd::kSetFocusCode);
    notify(RecordingListenerWnd::kKillFocusCode);
    EXPECT_EQ(Log().fired,
              (std::vector<FiredEvent>{{C::kGotFocus, 0, 0, 0}, {C::kLostFocus, 0, 0, 0}}));
    // The cursor still comes through the window procedure.
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    control.SetCursor(arrow);
    EXPECT_EQ(SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), 0), 1);
}

TEST_F(Routing, AHandlerMayDestroyItsOwnWindow) {
    TestControl control;
    ASSERT_EQ(CreateChild(control), 1);
    HandlerTarget target;
    control.BindAll(target);
    HWND hwnd = control.GetSafeHwnd();
    auto destroy = [](CRixObject* sender) {
        DestroyWindow(static_cast<TestControl*>(sender)->GetSafeHwnd());
    };
    // Queued path, with an answer of 0: the message is not dispatched to a dead window.
    Log().actions[C::kLeftDown] = destroy;
    PostMessageW(hwnd, WM_LBUTTONDOWN, 0, 0);
    PumpTranslated();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(control.GetSafeHwnd(), nullptr);
    // Sent path.
    ASSERT_EQ(CreateChild(control), 1);
    hwnd = control.GetSafeHwnd();
    Log().actions[C::kGotFocus] = destroy;
    EXPECT_EQ(SendMessageW(hwnd, WM_SETFOCUS, 0, 0), 1);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(Routing, AHandlerMayDeleteTheLastControlObjectOfItsWindow) {
    auto* control = new TestControl;
    ASSERT_EQ(CreateChild(*control), 1);
    HandlerTarget target;
    control->BindAll(target);
    HWND hwnd = control->GetSafeHwnd();
    Log().actions[C::kMouseMove] = [](CRixObject* sender) { ::DeleteThis(sender); };
    PostMessageW(hwnd, WM_MOUSEMOVE, 0, 0);
    PumpTranslated();
    EXPECT_FALSE(IsWindow(hwnd));
}

} // namespace
