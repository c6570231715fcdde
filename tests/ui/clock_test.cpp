// The clock: its interval rules before and after creation, ticks on the user-interface thread,
// and the end of the ticks with the window. Both backends.
#include <gmock/gmock.h>

#include "runtime/ui/clock.h"
#include "tests/support/message_pump.h"
#include "tests/ui/test_controls.h"

namespace {

using namespace keyseq_test;
using rg_lch_MFCjm_jb::rg_shzh;
using ClockControl = ControlTest;

int g_ticks = 0; // main thread only
int64_t CountTick(CRixObject*, CRixObject*, int32_t, int64_t, int64_t, int64_t) {
    ++g_ticks;
    return 0;
}

CRWnd_Timer* TimerOf(const rg_shzh& clock) {
    return static_cast<CRWnd_Timer*>(clock.GetNativeWnd());
}

TEST_F(ClockControl, ANegativeIntervalIsStoredAsZeroAndStops) {
    rg_shzh clock;
    ASSERT_EQ(CreateChild(clock), 1);
    clock.SetInterval(50);
    EXPECT_TRUE(TimerOf(clock)->IsRunning());
    clock.SetInterval(-5);
    EXPECT_EQ(clock.GetInterval(), 0);
    EXPECT_FALSE(TimerOf(clock)->IsRunning());
    // Without a window only the value is stored.
    rg_shzh unmade;
    unmade.SetInterval(-5);
    EXPECT_EQ(unmade.GetInterval(), 0);
    unmade.SetInterval(30);
    EXPECT_EQ(unmade.GetInterval(), 30);
    EXPECT_FALSE(TimerOf(unmade)->IsRunning());
}

TEST_F(ClockControl, AnIntervalSetBeforeCreationStartsTickingAfterCreation) {
    g_ticks = 0;
    HandlerTarget target;
    rg_shzh clock;
    clock.BindTick(&CountTick, target.pointer);
    clock.SetInterval(100);
    ASSERT_EQ(CreateChild(clock), 1);
    HWND hwnd = clock.GetSafeHwnd();
    EXPECT_EQ(GetParent(hwnd), parent.GetSafeHwnd());
    EXPECT_FALSE(IsWindowVisible(hwnd)) << "the clock's window is never shown";
    EXPECT_TRUE(TimerOf(clock)->IsRunning());
    EXPECT_TRUE(PumpUntil([] { return g_ticks >= 2; }));
}

TEST_F(ClockControl, DestroyingTheParentStopsTheTicks) {
    g_ticks = 0;
    HandlerTarget target;
    rg_shzh clock;
    clock.BindTick(&CountTick, target.pointer);
    clock.SetInterval(10);
    ASSERT_EQ(CreateChild(clock), 1);
    ASSERT_TRUE(PumpUntil([] { return g_ticks >= 1; }));
    parent.DestroyWindow();
    EXPECT_EQ(clock.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(TimerOf(clock)->IsRunning());
    int ticks = g_ticks;
    PumpFor(100);
    EXPECT_EQ(g_ticks, ticks);
    // The stored interval survives; only the timer is gone.
    EXPECT_EQ(clock.GetInterval(), 10);
}

TEST_F(ClockControl, ZeroStopsARunningClock) {
    g_ticks = 0;
    HandlerTarget target;
    rg_shzh clock;
    clock.BindTick(&CountTick, target.pointer);
    ASSERT_EQ(CreateChild(clock), 1);
    clock.SetInterval(10);
    ASSERT_TRUE(PumpUntil([] { return g_ticks >= 1; }));
    clock.SetInterval(0);
    EXPECT_FALSE(TimerOf(clock)->IsRunning());
    int ticks = g_ticks;
    PumpFor(100);
    EXPECT_EQ(g_ticks, ticks);
}

} // namespace
