// Timers: WM_TIMER to a window, the timer procedure form, KillTimer, and the coalescing of
// ticks that a busy thread missed. On both backends; time only in generous bounds.
#include "tests/platform/test_window.h"

namespace {

using keyseq_test::TestWindows;
using Timer = TestWindows;

TEST_F(Timer, TicksArriveAndStopAfterKillTimer) {
    HWND hwnd = Create(WS_POPUP);
    ASSERT_NE(hwnd, nullptr);
    int ticks = 0;
    handler = [&](HWND, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_TIMER && w == 5)
            ++ticks;
        return std::nullopt;
    };
    ASSERT_EQ(SetTimer(hwnd, 5, 20, nullptr), 5u);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
    EXPECT_TRUE(KillTimer(hwnd, 5));
    EXPECT_FALSE(KillTimer(hwnd, 5)) << "already gone";

    // Long enough for several more ticks; none may come.
    const int seen = ticks;
    Sleep(100);
    PostMessageW(hwnd, WM_USER + 1, 0, 0);
    bool marker = false;
    handler = [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_TIMER)
            ++ticks;
        if (m == WM_USER + 1)
            marker = true;
        return std::nullopt;
    };
    EXPECT_TRUE(PumpUntil([&] { return marker; }));
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, hwnd, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_EQ(ticks, seen);
}

TEST_F(Timer, TimersOfOneWindowAreToldApartByIdAndDieWithTheWindow) {
    HWND hwnd = Create(WS_POPUP);
    ASSERT_NE(hwnd, nullptr);
    int first = 0, second = 0;
    handler = [&](HWND, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_TIMER)
            (w == 1 ? first : second) += 1;
        return std::nullopt;
    };
    SetTimer(hwnd, 1, 15, nullptr);
    SetTimer(hwnd, 2, 15, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return first >= 2 && second >= 2; }));
    DestroyWindow(hwnd);
    EXPECT_FALSE(KillTimer(hwnd, 1)) << "the window took its timers along";
}

std::vector<UINT_PTR> g_proc_calls;

VOID CALLBACK CountTick(HWND hwnd, UINT message, UINT_PTR id, DWORD) {
    if (hwnd == nullptr && message == WM_TIMER)
        g_proc_calls.push_back(id);
}

TEST_F(Timer, ATimerProcedureIsCalledByDispatch) {
    g_proc_calls.clear();
    UINT_PTR id = SetTimer(nullptr, 0, 15, &CountTick);
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(PumpUntil([] { return g_proc_calls.size() >= 2; }));
    EXPECT_TRUE(KillTimer(nullptr, id));
    for (UINT_PTR called : g_proc_calls)
        EXPECT_EQ(called, id);
}

TEST_F(Timer, TicksMissedWhileBusyDoNotPileUp) {
    HWND hwnd = Create(WS_POPUP);
    ASSERT_NE(hwnd, nullptr);
    SetTimer(hwnd, 3, 20, nullptr);
    Sleep(400); // twenty periods without looking at the queue
    int waiting = 0;
    MSG msg;
    while (PeekMessageW(&msg, hwnd, WM_TIMER, WM_TIMER, PM_REMOVE))
        ++waiting;
    // One tick (two if the machine stalls between the looks), never one per missed period.
    EXPECT_GE(waiting, 1);
    EXPECT_LE(waiting, 2);
    KillTimer(hwnd, 3);
}

} // namespace
