// A replay types into and clicks on a window of ours that has the focus, through the input
// stream: on Windows the real one, on the host the simulation's, which routes input to the
// focus window and the window under the cursor in the same way.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/replay/replay_engine.h"
#include "app/steps/step_list.h"
#include "platform/platform.h"
#include "tests/support/message_pump.h"

namespace {

std::vector<UINT> g_received; // the window's input messages, on this thread only
// The key-downs of the extended-key test: key and whether bit 24 (extended) was set.
std::vector<std::pair<WPARAM, bool>> g_key_downs;

LRESULT CALLBACK TargetProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (message == WM_KEYDOWN && wparam != 'A')
            g_key_downs.emplace_back(wparam, ((static_cast<DWORD>(lparam) >> 24) & 1) != 0);
        if (wparam == 'A')
            g_received.push_back(message);
        return 0;
    case WM_CHAR:
        if (wparam == 'a' || wparam == 'A')
            g_received.push_back(message);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        g_received.push_back(message);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

// A focused top-level window of the target class; null on failure.
HWND CreateFocusedTarget() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = TEXT("KeyseqReplayTarget");
    RegisterClassExW(&wc);
    HWND hwnd = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, TEXT("replay target"),
                                WS_POPUP | WS_VISIBLE, 200, 200, 300, 200, nullptr, nullptr,
                                wc.hInstance, nullptr);
    if (hwnd == nullptr)
        return nullptr;
    SetForegroundWindow(hwnd);
    SetFocus(hwnd);
    if (!PumpUntil([&] { return GetForegroundWindow() == hwnd && GetFocus() == hwnd; })) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    return hwnd;
}

TEST(ReplayWindowTest, AKeyAndAClickReachTheFocusedWindow) {
    HWND hwnd = CreateFocusedTarget();
    ASSERT_NE(hwnd, nullptr) << "no focused target window";
    SetCursorPos(350, 300); // the middle of the window, where the click lands
    PumpFor(100);

    g_received.clear();
    StepList.Clear();
    StepList.LoadFromText(TEXT("A65 B1"));
    StartReplay(1);
    bool done = PumpUntil([] { return WaitForReplayWorker(0) && g_received.size() >= 5; });
    PumpFor(100);
    StepList.Clear();
    DestroyWindow(hwnd);

    ASSERT_TRUE(done) << "received " << g_received.size() << " of 5 messages";
    EXPECT_EQ(g_received,
              (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

// The keys that a keyboard sends with the extended-key prefix arrive with it when replayed
// (bit 24 of lParam), so that a program reading scan codes sees the arrow key and not the
// keypad key sharing its scan code; keypad keys arrive without it.
TEST(ReplayWindowTest, ExtendedKeysArriveWithTheExtendedBit) {
    HWND hwnd = CreateFocusedTarget();
    ASSERT_NE(hwnd, nullptr) << "no focused target window";
    g_key_downs.clear();
    StepList.Clear();
    // Left, Up, Delete, Home; keypad 4, keypad 8, keypad decimal point.
    StepList.LoadFromText(TEXT("A37 A38 A46 A36 A100 A104 A110"));
    StartReplay(1);
    bool done = PumpUntil([] { return WaitForReplayWorker(0) && g_key_downs.size() >= 7; });
    PumpFor(100);
    StepList.Clear();
    DestroyWindow(hwnd);

    ASSERT_TRUE(done) << "received " << g_key_downs.size() << " of 7 key-downs";
    const std::vector<std::pair<WPARAM, bool>> want = {
        {VK_LEFT, true},         {VK_UP, true},           {VK_DELETE, true},  {VK_HOME, true},
        {VK_NUMPAD0 + 4, false}, {VK_NUMPAD0 + 8, false}, {VK_DECIMAL, false}};
    EXPECT_EQ(g_key_downs, want);
}

} // namespace
