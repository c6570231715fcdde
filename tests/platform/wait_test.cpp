// Threads, events and waits of the platform layer, on both backends.
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

struct Gate {
    HANDLE event;
    DWORD code;
};

DWORD WINAPI WaitThenReturn(LPVOID param) {
    auto* gate = static_cast<Gate*>(param);
    WaitForSingleObject(gate->event, INFINITE);
    return gate->code;
}

HANDLE AutoEvent(BOOL initial = FALSE) {
    return CreateEventW(nullptr, FALSE, initial, nullptr);
}
HANDLE ManualEvent(BOOL initial = FALSE) {
    return CreateEventW(nullptr, TRUE, initial, nullptr);
}

TEST(Thread, HandleIsSignalledWhenTheThreadEndsAndKeepsTheExitCode) {
    Gate gate{ManualEvent(), 42};
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, &WaitThenReturn, &gate, 0, &id);
    ASSERT_NE(thread, nullptr);
    EXPECT_NE(id, 0u);
    EXPECT_NE(id, GetCurrentThreadId());

    // The thread cannot end before the event is set.
    DWORD code = 0;
    EXPECT_EQ(WaitForSingleObject(thread, 20), WAIT_TIMEOUT);
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, STILL_ACTIVE);

    SetEvent(gate.event);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 42u);
    // An ended thread stays signalled.
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
    CloseHandle(thread);
    CloseHandle(gate.event);
}

struct Handoff {
    HANDLE wake;
    HANDLE done;
    int value;
};

DWORD WINAPI WaitForWake(LPVOID param) {
    auto* handoff = static_cast<Handoff*>(param);
    if (WaitForSingleObject(handoff->wake, INFINITE) != WAIT_OBJECT_0)
        return 1;
    handoff->value += 1; // published by the event below
    SetEvent(handoff->done);
    return 0;
}

TEST(Event, WakesAWaitingThread) {
    Handoff handoff{AutoEvent(), AutoEvent(), 10};
    HANDLE thread = CreateThread(nullptr, 0, &WaitForWake, &handoff, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(WaitForSingleObject(handoff.done, 20), WAIT_TIMEOUT);
    ASSERT_TRUE(SetEvent(handoff.wake));
    EXPECT_EQ(WaitForSingleObject(handoff.done, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(handoff.value, 11);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    for (HANDLE h : {thread, handoff.wake, handoff.done})
        CloseHandle(h);
}

TEST(Event, AutoResetIsTakenByOneWaitManualResetStaysUntilReset) {
    struct Case {
        BOOL manual;
        DWORD second_wait;
    };
    for (Case c : {Case{FALSE, WAIT_TIMEOUT}, Case{TRUE, WAIT_OBJECT_0}}) {
        SCOPED_TRACE(c.manual ? "manual reset" : "auto reset");
        HANDLE event = CreateEventW(nullptr, c.manual, FALSE, nullptr);
        ASSERT_NE(event, nullptr);
        EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
        SetEvent(event);
        EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
        EXPECT_EQ(WaitForSingleObject(event, 0), c.second_wait);
        SetEvent(event);
        ResetEvent(event);
        EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
        CloseHandle(event);
    }
    HANDLE initially_set = AutoEvent(TRUE);
    EXPECT_EQ(WaitForSingleObject(initially_set, 0), WAIT_OBJECT_0);
    CloseHandle(initially_set);
}

TEST(WaitForMultipleObjects, AnyAnswersTheLowestSignalledIndexAndTakesOnlyIt) {
    HANDLE events[3] = {AutoEvent(), AutoEvent(), AutoEvent()};
    SetEvent(events[2]);
    SetEvent(events[1]);
    EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), WAIT_OBJECT_0 + 2);
    EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), WAIT_TIMEOUT);
    for (HANDLE h : events)
        CloseHandle(h);
}

TEST(WaitForMultipleObjects, AllTakesNothingUntilEveryObjectIsSignalled) {
    HANDLE events[2] = {AutoEvent(), AutoEvent()};
    SetEvent(events[0]);
    EXPECT_EQ(WaitForMultipleObjects(2, events, TRUE, 0), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForMultipleObjects(2, events, TRUE, 30), WAIT_TIMEOUT);
    // The failed wait-all must have left the first event alone.
    SetEvent(events[1]);
    EXPECT_EQ(WaitForMultipleObjects(2, events, TRUE, 0), WAIT_OBJECT_0);
    // ...and the successful one took both.
    EXPECT_EQ(WaitForSingleObject(events[0], 0), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(events[1], 0), WAIT_TIMEOUT);
    for (HANDLE h : events)
        CloseHandle(h);
}

TEST(WaitForMultipleObjects, AllWaitsForAThreadAndAnEventTogether) {
    Gate gate{ManualEvent(), 5};
    HANDLE thread = CreateThread(nullptr, 0, &WaitThenReturn, &gate, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    HANDLE both[2] = {thread, gate.event};
    EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 20), WAIT_TIMEOUT);
    SetEvent(gate.event);
    EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, INFINITE), WAIT_OBJECT_0);
    CloseHandle(thread);
    CloseHandle(gate.event);
}

TEST(WaitForMultipleObjects, TimeOutLastsAtLeastTheGivenTime) {
    HANDLE events[2] = {AutoEvent(), ManualEvent()};
    for (BOOL all : {FALSE, TRUE}) {
        ULONGLONG start = GetTickCount64();
        EXPECT_EQ(WaitForMultipleObjects(2, events, all, 60), WAIT_TIMEOUT);
        ULONGLONG elapsed = GetTickCount64() - start;
        // Tick counts move in steps of up to 16 ms on Windows; the upper bound only catches a
        // wait that never timed out.
        EXPECT_GE(elapsed, 60u - 16u);
        EXPECT_LT(elapsed, 10000u);
    }
    for (HANDLE h : events)
        CloseHandle(h);
}

TEST(WaitForMultipleObjects, BadArgumentsFail) {
    HANDLE event = AutoEvent(TRUE);
    HANDLE closed = AutoEvent(TRUE);
    ASSERT_TRUE(CloseHandle(closed));

    SetLastError(0);
    EXPECT_EQ(WaitForMultipleObjects(0, &event, FALSE, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    HANDLE too_many[MAXIMUM_WAIT_OBJECTS + 1];
    for (HANDLE& h : too_many)
        h = event;
    SetLastError(0);
    EXPECT_EQ(WaitForMultipleObjects(MAXIMUM_WAIT_OBJECTS + 1, too_many, FALSE, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    SetLastError(0);
    EXPECT_EQ(WaitForSingleObject(closed, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(CloseHandle(closed));

    // A failed wait takes nothing: the event is still set.
    HANDLE mixed[2] = {event, closed};
    EXPECT_EQ(WaitForMultipleObjects(2, mixed, FALSE, 0), WAIT_FAILED);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    CloseHandle(event);
}

struct Counter {
    CRITICAL_SECTION lock;
    long value;
};

DWORD WINAPI CountUnderLock(LPVOID param) {
    auto* counter = static_cast<Counter*>(param);
    for (int i = 0; i < 20000; ++i) {
        EnterCriticalSection(&counter->lock);
        EnterCriticalSection(&counter->lock); // re-entered by its owner
        long v = counter->value;
        counter->value = v + 1;
        LeaveCriticalSection(&counter->lock);
        LeaveCriticalSection(&counter->lock);
    }
    return 0;
}

TEST(CriticalSection, ExcludesOtherThreadsAndMayBeReentered) {
    Counter counter{};
    InitializeCriticalSection(&counter.lock);
    HANDLE threads[3];
    for (HANDLE& t : threads) {
        t = CreateThread(nullptr, 0, &CountUnderLock, &counter, 0, nullptr);
        ASSERT_NE(t, nullptr);
    }
    EXPECT_EQ(WaitForMultipleObjects(3, threads, TRUE, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(counter.value, 3 * 20000);
    for (HANDLE t : threads)
        CloseHandle(t);
    DeleteCriticalSection(&counter.lock);
}

TEST(Clock, SleepLastsAtLeastTheGivenTimeAndCountersAdvance) {
    LARGE_INTEGER frequency, before, after;
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    EXPECT_GT(frequency.QuadPart, 0);
    ASSERT_TRUE(QueryPerformanceCounter(&before));
    ULONGLONG start = GetTickCount64();
    Sleep(50);
    ULONGLONG elapsed = GetTickCount64() - start;
    ASSERT_TRUE(QueryPerformanceCounter(&after));
    // The tick count moves in steps of about 16 ms and either reading may fall just before a
    // step, so it may show up to two steps less than the time that really passed.
    EXPECT_GE(elapsed, 50u - 2 * 16u);
    // The high-resolution counter has no tick steps: it shows (nearly) the whole 50 ms.
    EXPECT_GE((after.QuadPart - before.QuadPart) * 1000, 49 * frequency.QuadPart);
    // GetTickCount is the low half of GetTickCount64.
    DWORD low = GetTickCount();
    ULONGLONG full = GetTickCount64();
    EXPECT_LE(static_cast<DWORD>(full) - low, 1000u);
}

} // namespace
