// The replay timetable against a fake clock: a counter of 1,000 ticks per millisecond, moved
// by hand, so lateness and stalls are exact.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "app/replay/replay_schedule.h"

namespace {

constexpr LONGLONG kTicksPerMs = 1000;
constexpr LONGLONG kFrequency = 1000 * kTicksPerMs;
constexpr LONGLONG kStart = 123'456'789; // any counter reading

LONGLONG Ms(double ms) {
    return static_cast<LONGLONG>(ms * kTicksPerMs);
}

TEST(ReplayScheduleTest, LatenessWithinTheLimitIsTakenOutOfTheNextWait) {
    // Each row: how late the step begins after the previous deadline, its length, and the
    // deadline expected, counted from the start.
    static constexpr struct {
        double late_ms;
        uint32_t length_ms;
        double deadline_ms;
        int64_t rebases;
    } kSteps[] = {
        {0.0, 50, 50, 0},       // on time
        {0.3, 10, 60, 0},       // a little late: still ends on the timetable
        {5.0, 10, 70, 0},       // exactly at the limit: made up
        {5.001, 10, 85.001, 1}, // beyond it: starts again from now
        {0.0, 0, 85.001, 1},    // a step of no length ends where it begins
        {12.0, 50, 147.001, 2}, {1.0, 5, 152.001, 2},
    };
    CReplaySchedule schedule(kStart, kFrequency);
    EXPECT_EQ(schedule.GetDeadline(), kStart);
    for (size_t i = 0; i < std::size(kSteps); ++i) {
        LONGLONG now = schedule.GetDeadline() + Ms(kSteps[i].late_ms);
        EXPECT_EQ(schedule.Next(now, kSteps[i].length_ms), kStart + Ms(kSteps[i].deadline_ms))
            << "step " << i;
        EXPECT_EQ(schedule.GetRebaseCount(), kSteps[i].rebases) << "step " << i;
    }
}

TEST(ReplayScheduleTest, NoWaitIsShortenedByMoreThanTheLimit) {
    // Random lateness, sometimes a stall: every wait is at least its length less 5 ms, and the
    // timetable never runs ahead of the sum of the lengths since the last re-basing.
    std::mt19937 random(20);
    std::uniform_int_distribution<int> late_us(0, 8000);
    std::uniform_int_distribution<uint32_t> length(0, 60);
    CReplaySchedule schedule(kStart, kFrequency);
    LONGLONG now = kStart;
    for (int i = 0; i < 10000; ++i) {
        now = schedule.GetDeadline() + late_us(random) * kTicksPerMs / 1000;
        uint32_t ms = length(random);
        LONGLONG deadline = schedule.Next(now, ms);
        ASSERT_GE(deadline - now, Ms(ms) - Ms(CReplaySchedule::kCatchUpLimitMs)) << "step " << i;
        ASSERT_LE(deadline - now, Ms(ms)) << "step " << i;
    }
    EXPECT_GT(schedule.GetRebaseCount(), 0);
}

TEST(ReplayScheduleTest, SmallLatenessDoesNotAddUp) {
    // 500 delays of 10 ms, each begun 0.8 ms after its deadline (the cost of a wake-up): the
    // run ends 5,000 ms after its start, plus the lateness of the last step only.
    CReplaySchedule schedule(kStart, kFrequency);
    LONGLONG now = kStart;
    for (int i = 0; i < 500; ++i)
        now = schedule.Next(now + Ms(0.8), 10);
    EXPECT_EQ(now, kStart + Ms(5000));
    EXPECT_EQ(schedule.GetRebaseCount(), 0);

    // Timed each from its own start instead (limit 0), the lateness adds up: 500 × 0.8 ms.
    CReplaySchedule per_step(kStart, kFrequency, 0);
    now = kStart;
    for (int i = 0; i < 500; ++i)
        now = per_step.Next(now + Ms(0.8), 10);
    EXPECT_EQ(now, kStart + Ms(5000 + 500 * 0.8));
}

TEST(ReplayScheduleTest, LongestDelayIsADeadlineWithoutOverflow) {
    // 0xFFFFFFFF ms at a 10 GHz counter: 4.3e16 ticks, far below the counter's range.
    constexpr LONGLONG kFast = 10'000'000'000;
    CReplaySchedule schedule(kStart, kFast);
    LONGLONG deadline = schedule.Next(kStart, 0xFFFFFFFFu);
    EXPECT_EQ(deadline - kStart, (LONGLONG{0xFFFFFFFF} / 1000) * kFast + 295 * (kFast / 1000));
    EXPECT_GT(deadline, kStart);
}

} // namespace
