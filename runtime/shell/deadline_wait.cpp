// High-resolution waitable timer plus stop event, against performance-counter deadlines.
#include "runtime/shell/deadline_wait.h"

namespace {

// Timer due times are in 100 ns units; negative means relative to now.
constexpr LONGLONG kUnitsPerSecond = 10'000'000;
// The last stretch of every wait that is polled instead of slept.
constexpr LONGLONG kPollTailMs = 1;

bool IsSignalled(HANDLE stop) {
    return stop != nullptr && WaitForSingleObject(stop, 0) == WAIT_OBJECT_0;
}

} // namespace

CDeadlineWait::CDeadlineWait() {
    m_hTimer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                      TIMER_ALL_ACCESS);
    m_bHighResolution = m_hTimer != nullptr;
    if (m_hTimer == nullptr)
        m_hTimer = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
}

CDeadlineWait::~CDeadlineWait() {
    if (m_hTimer != nullptr)
        CloseHandle(m_hTimer);
}

LONGLONG CDeadlineWait::Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

LONGLONG CDeadlineWait::Frequency() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}

LONGLONG CDeadlineWait::After(LONGLONG from, uint32_t milliseconds) {
    // Split to stay exact and far from overflow: 0xFFFFFFFF ms at a 1 GHz counter is 4.3e15.
    LONGLONG f = Frequency();
    LONGLONG ms = static_cast<LONGLONG>(milliseconds);
    return from + (ms / 1000) * f + (ms % 1000) * f / 1000;
}

bool CDeadlineWait::WaitUntil(LONGLONG deadline, HANDLE stop) {
    const LONGLONG frequency = Frequency();
    // Timers wake up late by up to about a millisecond (more under load), so the sleep aims
    // this far before the deadline and the rest is passed polling the counter and the stop
    // event. A millisecond of polling per wait is a small price for holds that last their time.
    const LONGLONG tail = frequency / 1000 * kPollTailMs;
    for (;;) {
        if (IsSignalled(stop))
            return true;
        LONGLONG remaining = deadline - Now();
        if (remaining <= 0)
            return false;
        if (remaining <= tail) {
            Sleep(0); // gives the processor to anyone ready, and comes straight back
            continue;
        }
        remaining -= tail;
        if (m_hTimer != nullptr) {
            // Rounded up to whole 100 ns units, so the timer never fires before the deadline
            // because of the conversion.
            LARGE_INTEGER due;
            due.QuadPart =
                -((remaining / frequency) * kUnitsPerSecond +
                  ((remaining % frequency) * kUnitsPerSecond + frequency - 1) / frequency);
            if (SetWaitableTimer(m_hTimer, &due, 0, nullptr, nullptr, FALSE)) {
                HANDLE handles[2] = {stop, m_hTimer};
                DWORD first = stop != nullptr ? 0 : 1;
                DWORD result = WaitForMultipleObjects(2 - first, handles + first, FALSE, INFINITE);
                if (stop != nullptr && result == WAIT_OBJECT_0) {
                    CancelWaitableTimer(m_hTimer);
                    return true;
                }
                if (result != WAIT_FAILED)
                    continue; // the timer fired: the loop re-reads the counter
            }
        }
        // No timer: the stop event's own time-out, rounded up to whole milliseconds.
        LONGLONG ms = (remaining * 1000 + frequency - 1) / frequency;
        DWORD timeout =
            ms >= static_cast<LONGLONG>(INFINITE) ? INFINITE - 1 : static_cast<DWORD>(ms);
        if (stop != nullptr) {
            if (WaitForSingleObject(stop, timeout) == WAIT_OBJECT_0)
                return true;
        } else {
            Sleep(timeout);
        }
    }
}
