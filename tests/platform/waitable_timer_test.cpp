// Waitable timers, on both backends: a set timer is signalled at its due time and not before,
// a wait on the timer and an event together answers for whichever comes first, and a
// cancelled timer stays unsignalled. Times are checked only against generous bounds.
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

LARGE_INTEGER RelativeMs(LONGLONG ms) {
    LARGE_INTEGER due;
    due.QuadPart = -ms * 10'000;
    return due;
}

double ElapsedMs(LONGLONG since) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - since) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

LONGLONG Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

class WaitableTimerTest : public ::testing::TestWithParam<DWORD> {};

TEST_P(WaitableTimerTest, SignalledAtItsDueTime) {
    HANDLE timer = CreateWaitableTimerExW(nullptr, nullptr, GetParam(), TIMER_ALL_ACCESS);
    if (timer == nullptr && GetParam() == CREATE_WAITABLE_TIMER_HIGH_RESOLUTION)
        GTEST_SKIP() << "this system refuses high-resolution timers";
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(WaitForSingleObject(timer, 0), WAIT_TIMEOUT) << "a new timer is not signalled";
    LARGE_INTEGER due = RelativeMs(30);
    LONGLONG start = Now();
    ASSERT_TRUE(SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE));
    EXPECT_EQ(WaitForSingleObject(timer, 5000), WAIT_OBJECT_0);
    double elapsed = ElapsedMs(start);
    EXPECT_GE(elapsed, 25.0);
    EXPECT_LT(elapsed, 2000.0);
    CloseHandle(timer);
}

TEST_P(WaitableTimerTest, EventAndTimerTogether) {
    HANDLE timer = CreateWaitableTimerExW(nullptr, nullptr, GetParam(), TIMER_ALL_ACCESS);
    if (timer == nullptr && GetParam() == CREATE_WAITABLE_TIMER_HIGH_RESOLUTION)
        GTEST_SKIP() << "this system refuses high-resolution timers";
    ASSERT_NE(timer, nullptr);
    HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE both[2] = {stop, timer};

    // The timer first.
    LARGE_INTEGER due = RelativeMs(10);
    ASSERT_TRUE(SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE));
    EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 5000), WAIT_OBJECT_0 + 1);

    // The event first: a timer set far ahead does not hold the wait.
    due = RelativeMs(60'000);
    ASSERT_TRUE(SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE));
    SetEvent(stop);
    LONGLONG start = Now();
    EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 5000), WAIT_OBJECT_0);
    EXPECT_LT(ElapsedMs(start), 2000.0);

    // Cancelled: never signalled.
    EXPECT_TRUE(CancelWaitableTimer(timer));
    due = RelativeMs(5);
    ASSERT_TRUE(SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE));
    EXPECT_TRUE(CancelWaitableTimer(timer));
    EXPECT_EQ(WaitForSingleObject(timer, 50), WAIT_TIMEOUT);

    CloseHandle(stop);
    CloseHandle(timer);
}

INSTANTIATE_TEST_SUITE_P(Flags, WaitableTimerTest,
                         ::testing::Values(DWORD{0}, DWORD{CREATE_WAITABLE_TIMER_HIGH_RESOLUTION}));

} // namespace
