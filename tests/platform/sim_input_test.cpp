// The test side of the simulated input stream: device input against injected input, the log
// with its order and positions, hooks that swallow, key state, system keys and cursor
// clipping. The simulation's test interface has no counterpart on Windows, where these
// behaviours are covered by low_level_hook_test.cpp and the end-to-end run.
#include <gtest/gtest.h>

#include "tests/support/sim_only.h"

#include <vector>

#include "platform/platform.h"

#if defined(KEYSEQ_PLATFORM_SIM)
namespace {

struct Seen {
    WPARAM message;
    DWORD vk;
    DWORD flags;
};
std::vector<Seen> g_seen;
LRESULT g_answer = 0;
SHORT g_state_in_hook = 0;

LRESULT CALLBACK RecordKey(int code, WPARAM wparam, LPARAM lparam) {
    auto* record = reinterpret_cast<KBDLLHOOKSTRUCT*>(lparam);
    g_seen.push_back(Seen{wparam, record->vkCode, record->flags});
    g_state_in_hook = GetAsyncKeyState(static_cast<int>(record->vkCode));
    return g_answer != 0 ? g_answer : CallNextHookEx(nullptr, code, wparam, lparam);
}

class SimInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::ResetInput();
        g_seen.clear();
        g_answer = 0;
        hook_ = SetWindowsHookExW(WH_KEYBOARD_LL, RecordKey, nullptr, 0);
        ASSERT_NE(hook_, nullptr);
    }
    void TearDown() override {
        UnhookWindowsHookEx(hook_);
        sim::ResetInput();
        sim::SetScreenSize(1280, 1024);
    }
    HHOOK hook_ = nullptr;
};

TEST_F(SimInputTest, DeviceInputIsNotMarkedInjected) {
    sim::PressKey('A');
    keybd_event('A', 0x1E, KEYEVENTF_KEYUP, 0);
    ASSERT_EQ(g_seen.size(), 2u);
    EXPECT_EQ(g_seen[0].flags & LLKHF_INJECTED, 0u);
    EXPECT_NE(g_seen[1].flags & LLKHF_INJECTED, 0u);
    auto log = sim::InputLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_FALSE(log[0].injected);
    EXPECT_TRUE(log[1].injected);
    EXPECT_EQ(log[1].scan, 0x1Eu);
    EXPECT_LE(log[0].time_us, log[1].time_us);
}

TEST_F(SimInputTest, HookSeesTheStateBeforeTheEventAndASwallowedEventChangesNothing) {
    keybd_event('B', 0, 0, 0);
    EXPECT_GE(g_state_in_hook, 0) << "the hook runs before the key state changes";
    EXPECT_LT(GetAsyncKeyState('B'), 0);
    g_answer = 1;
    keybd_event('B', 0, KEYEVENTF_KEYUP, 0);
    EXPECT_LT(GetAsyncKeyState('B'), 0) << "a swallowed key-up leaves the key held";
    EXPECT_EQ(sim::InputLog().size(), 2u) << "the log keeps what was injected";
}

TEST_F(SimInputTest, ToggleBitFlipsOnEveryPress) {
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 0);
    sim::PressKey(VK_CAPITAL);
    sim::ReleaseKey(VK_CAPITAL);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
    EXPECT_GE(GetKeyState(VK_CAPITAL), 0);
    sim::PressKey(VK_CAPITAL);
    EXPECT_EQ(GetKeyState(VK_CAPITAL), static_cast<SHORT>(0x8000));
}

TEST_F(SimInputTest, SidedModifiersHoldTheGenericOne) {
    sim::PressKey(VK_LSHIFT);
    sim::PressKey(VK_RSHIFT);
    sim::ReleaseKey(VK_LSHIFT);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0) << "right Shift is still down";
    sim::ReleaseKey(VK_RSHIFT);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
}

TEST_F(SimInputTest, AltMakesSystemKeysUnlessCtrlIsHeld) {
    sim::PressKey(VK_MENU);
    sim::PressKey(VK_F1);
    sim::ReleaseKey(VK_F1);
    sim::PressKey(VK_CONTROL);
    sim::PressKey('X');
    sim::ReleaseKey(VK_CONTROL);
    sim::ReleaseKey(VK_MENU);
    const WPARAM expected[] = {WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_KEYDOWN,
                               WM_KEYDOWN,    WM_SYSKEYUP,   WM_KEYUP};
    ASSERT_EQ(g_seen.size(), std::size(expected));
    for (size_t i = 0; i < g_seen.size(); ++i)
        EXPECT_EQ(g_seen[i].message, expected[i]) << "event " << i;
}

TEST_F(SimInputTest, ClicksLandWhereTheCursorIsAndTheCursorIsClipped) {
    sim::SetScreenSize(800, 600);
    SetCursorPos(-5, 700);
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 599);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    input.mi.dx = 30;
    input.mi.dy = -100;
    SendInput(1, &input, sizeof(INPUT));
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof(INPUT));
    auto log = sim::InputLog();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].kind, sim::InputKind::CursorSet);
    EXPECT_EQ(log[1].kind, sim::InputKind::Move);
    EXPECT_EQ(log[2].kind, sim::InputKind::ButtonDown);
    EXPECT_EQ(log[3].kind, sim::InputKind::ButtonUp);
    for (int i = 2; i < 4; ++i) {
        EXPECT_EQ(log[i].button, 1);
        EXPECT_EQ(log[i].pt.x, 30);
        EXPECT_EQ(log[i].pt.y, 499);
    }
    EXPECT_GE(GetAsyncKeyState(VK_LBUTTON), 0);
}

} // namespace
#else
#define KEYSEQ_SIM_ONLY(name)                                                                      \
    KEYSEQ_SIM_ONLY_TEST(SimInputTest, name, "uses the simulation's test interface")
KEYSEQ_SIM_ONLY(DeviceInputIsNotMarkedInjected)
KEYSEQ_SIM_ONLY(HookSeesTheStateBeforeTheEventAndASwallowedEventChangesNothing)
KEYSEQ_SIM_ONLY(ToggleBitFlipsOnEveryPress)
KEYSEQ_SIM_ONLY(SidedModifiersHoldTheGenericOne)
KEYSEQ_SIM_ONLY(AltMakesSystemKeysUnlessCtrlIsHeld)
KEYSEQ_SIM_ONLY(ClicksLandWhereTheCursorIsAndTheCursorIsClipped)
#endif
