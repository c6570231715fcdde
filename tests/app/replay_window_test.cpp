// A replay types into and clicks on a window of ours that has the focus, through the input
// stream: on Windows the real one, on the host the simulation's, which routes input to the
// focus window and the window under the cursor in the same way.
#include <gtest/gtest.h>

#include <vector>

#include "app/replay_engine.h"
#include "app/step_list.h"
#include "platform/platform.h"
#include "tests/support/message_pump.h"

namespace {

std::vector<UINT> g_received; // the window's input messages, on this thread only

LRESULT CALLBACK TargetProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
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

TEST(ReplayWindowTest, AKeyAndAClickReachTheFocusedWindow) {
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
    ASSERT_NE(hwnd, nullptr);
    SetForegroundWindow(hwnd);
    SetFocus(hwnd);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == hwnd && GetFocus() == hwnd; }))
        << "the window did not get the focus";
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
    UnregisterClassW(wc.lpszClassName, wc.hInstance);

    ASSERT_TRUE(done) << "received " << g_received.size() << " of 5 messages";
    EXPECT_EQ(g_received,
              (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

} // namespace
