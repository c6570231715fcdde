// The replay engine against the simulated input stream's log: what was injected, in order,
// where the cursor was put and when. Host-only: the log is the simulation's test interface
// (on Windows, replay_engine_test.cpp watches through hooks and the end-to-end run watches a
// real window). Times are checked against lower bounds and generous upper ones only.
#include <gtest/gtest.h>

#include "tests/support/sim_only.h"

#include <vector>

#include "app/replay/replay_engine.h"
#include "app/replay/replay_schedule.h"
#include "app/steps/step_list.h"
#include "platform/platform.h"

#if defined(KEYSEQ_PLATFORM_SIM)
namespace {

using sim::InputKind;

class ReplayStreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::ResetInput();
        StepList.Clear();
    }
    void TearDown() override {
        StopReplay();
        WaitForReplayWorker(10000);
        StepList.Clear();
        sim::ResetInput();
    }
    static void RunToEnd(int32_t count) {
        StartReplay(count);
        ASSERT_TRUE(WaitForReplayWorker(10000));
        EXPECT_FALSE(IsReplayRunning());
    }
    // Waits until the log holds at least n records.
    static bool LogReaches(size_t n) {
        for (int i = 0; i < 10000; ++i) {
            if (sim::InputLog().size() >= n)
                return true;
            Sleep(1);
        }
        return false;
    }
};

// The most a wait is shortened to make up for the lateness of the step before.
constexpr double kCatchUp = CReplaySchedule::kCatchUpLimitMs;

double Ms(const sim::InputRecord& from, const sim::InputRecord& to) {
    return static_cast<double>(to.time_us - from.time_us) / 1000.0;
}

TEST_F(ReplayStreamTest, ThreePassesOfAKeyAndADelay) {
    StepList.LoadFromText(TEXT("A65 D100"));
    RunToEnd(3);
    auto log = sim::InputLog();
    ASSERT_EQ(log.size(), 6u);
    for (size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].kind, i % 2 == 0 ? InputKind::KeyDown : InputKind::KeyUp) << i;
        EXPECT_EQ(log[i].vk, 65u) << i;
        EXPECT_EQ(log[i].scan, MapVirtualKeyW(65, MAPVK_VK_TO_VSC)) << i;
        EXPECT_EQ(log[i].extra, kReplayInputMark) << i;
        EXPECT_TRUE(log[i].injected) << i;
    }
    for (size_t i = 0; i + 1 < log.size(); ++i) {
        // Holds last 50 ms and delays 100 ms, less at most what the run's timetable takes off
        // to make up for lateness; 2 s is only a sanity bound.
        double gap = Ms(log[i], log[i + 1]);
        EXPECT_GE(gap, (i % 2 == 0 ? 50.0 : 100.0) - kCatchUp) << "gap after event " << i;
        EXPECT_LT(gap, 2000.0) << "gap after event " << i;
    }
}

TEST_F(ReplayStreamTest, ClicksHappenWhereTheCursorIs) {
    StepList.LoadFromText(TEXT("E10@20 B1 B0 B4 E30@40 B2 B3"));
    RunToEnd(1);
    auto log = sim::InputLog();
    struct Expected {
        InputKind kind;
        int button;
        LONG x, y;
    };
    const Expected expected[] = {
        {InputKind::CursorSet, 0, 10, 20},  {InputKind::ButtonDown, 1, 10, 20},
        {InputKind::ButtonUp, 1, 10, 20},   {InputKind::CursorSet, 0, 30, 40},
        {InputKind::ButtonDown, 2, 30, 40}, {InputKind::ButtonUp, 2, 30, 40},
        {InputKind::ButtonDown, 3, 30, 40}, {InputKind::ButtonUp, 3, 30, 40},
    };
    ASSERT_EQ(log.size(), std::size(expected));
    for (size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].kind, expected[i].kind) << i;
        EXPECT_EQ(log[i].button, expected[i].button) << i;
        EXPECT_EQ(log[i].pt.x, expected[i].x) << i;
        EXPECT_EQ(log[i].pt.y, expected[i].y) << i;
    }
    EXPECT_GE(Ms(log[1], log[2]), 50.0 - kCatchUp);
}

TEST_F(ReplayStreamTest, MovesRelativeAndAbsolute) {
    // The last move starts at x = 1000, where adding the largest step overflows 32 bits: it
    // must clamp (and the screen then clips to 1279), not wrap round to a negative x.
    StepList.LoadFromText(
        TEXT("E100@200 C-8@0 C@7 E@5 E0@0 C-3@-3 C2147483647@0 E1000@0 C2147483647@0"));
    RunToEnd(1);
    auto log = sim::InputLog();
    const POINT expected[] = {{100, 200}, {92, 200}, {99, 200}, {5, 0},   {0, 0},
                              {0, 0},     {1279, 0}, {1000, 0}, {1279, 0}};
    ASSERT_EQ(log.size(), std::size(expected));
    for (size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].kind, InputKind::CursorSet) << i;
        EXPECT_EQ(log[i].pt.x, expected[i].x) << i;
        EXPECT_EQ(log[i].pt.y, expected[i].y) << i;
    }
}

TEST_F(ReplayStreamTest, AStopDuringALongDelayEndsTheRunWithNothingAfter) {
    StepList.LoadFromText(TEXT("E1@1 D60000 E2@2 A65"));
    StartReplay(1);
    ASSERT_TRUE(LogReaches(1));
    Sleep(20); // well inside the delay
    StopReplay();
    EXPECT_FALSE(IsReplayRunning()) << "cleared at once, before the worker has ended";
    ASSERT_TRUE(WaitForReplayWorker(5000)) << "the delay is cut short";
    Sleep(20);
    auto log = sim::InputLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].pt.x, 1);
}

TEST_F(ReplayStreamTest, ADelayOfMinusOneLastsUntilStopped) {
    StepList.LoadFromText(TEXT("D-1 E2@2"));
    StartReplay(1);
    EXPECT_FALSE(WaitForReplayWorker(300)) << "0xFFFFFFFF ms, not 0";
    EXPECT_TRUE(IsReplayRunning());
    StopReplay();
    ASSERT_TRUE(WaitForReplayWorker(5000));
    EXPECT_TRUE(sim::InputLog().empty());
}

TEST_F(ReplayStreamTest, ADelayWithoutANumberWaitsNothingAndAKeyWithoutOneSendsCodeZero) {
    StepList.LoadFromText(TEXT("Dx A"));
    RunToEnd(1);
    auto log = sim::InputLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].vk, 0u);
    EXPECT_EQ(log[0].kind, InputKind::KeyDown);
    EXPECT_EQ(log[1].kind, InputKind::KeyUp);
}

} // namespace
#else
#define KEYSEQ_SIM_ONLY(name)                                                                      \
    KEYSEQ_SIM_ONLY_TEST(ReplayStreamTest, name, "reads the simulated input stream's log")
KEYSEQ_SIM_ONLY(ThreePassesOfAKeyAndADelay)
KEYSEQ_SIM_ONLY(ClicksHappenWhereTheCursorIs)
KEYSEQ_SIM_ONLY(MovesRelativeAndAbsolute)
KEYSEQ_SIM_ONLY(AStopDuringALongDelayEndsTheRunWithNothingAfter)
KEYSEQ_SIM_ONLY(ADelayOfMinusOneLastsUntilStopped)
KEYSEQ_SIM_ONLY(ADelayWithoutANumberWaitsNothingAndAKeyWithoutOneSendsCodeZero)
#endif
