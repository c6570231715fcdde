// Waits that end at a deadline on the performance-counter time line, or earlier when a stop
// event is signalled.
//
// Plain Sleep and wait time-outs are rounded up to the system tick (15.6 ms on most
// machines), which makes a 50 ms key hold last up to 62 ms and lets the errors of a long
// scheme add up. This wait sleeps on a high-resolution waitable timer together with the stop
// event, and measures against absolute deadlines taken from QueryPerformanceCounter, so each
// wait ends within about a millisecond of its deadline and one late wakeup does not shift the
// next deadline; the last millisecond is polled rather than slept, so a late timer wakeup
// does not show. Where the high-resolution flag is refused it falls back to a normal
// waitable timer, and where no timer can be made at all, to the stop event's own time-out.
#pragma once

#include <cstdint>

#include "platform/platform.h"

class CDeadlineWait {
public:
    CDeadlineWait();
    ~CDeadlineWait();
    CDeadlineWait(const CDeadlineWait&) = delete;
    CDeadlineWait& operator=(const CDeadlineWait&) = delete;

    // Attributes
    //
    // The current reading of the performance counter.
    static LONGLONG Now();
    // Counter ticks per second.
    static LONGLONG Frequency();
    // The deadline milliseconds after the given one, as an unsigned span: 0xFFFFFFFF ms is
    // some 49 days, and still a deadline.
    static LONGLONG After(LONGLONG from, uint32_t milliseconds);
    // Whether the timer is a high-resolution one (false on the fallbacks).
    bool IsHighResolution() const { return m_bHighResolution; }

    // Operations
    //
    // Waits until the counter reaches deadline or stop is signalled, whichever comes first;
    // answers true when stopped. A stop that is already signalled answers true at once, even
    // for a deadline in the past. stop may be null: then only the deadline ends the wait.
    bool WaitUntil(LONGLONG deadline, HANDLE stop);

private:
    // Guarded by nothing: a wait object belongs to the one thread that waits on it.
    HANDLE m_hTimer = nullptr;
    bool m_bHighResolution = false;
};
