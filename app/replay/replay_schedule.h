// The timetable of one replay run: when each of its holds and delays ends.
//
// A run keeps one deadline, carried from step to step from the moment the run starts. A step
// that lasts L ends at the previous step's deadline plus L, not L after the moment it began,
// so the time that injecting input and waking up cost is taken out of the next wait instead
// of adding up over hundreds of passes. A step that begins more than the catch-up limit behind
// the deadline (after a system stall or a slow injection) does not rush to make it up: the
// timetable starts again from the current time, so no wait is ever shortened by more than the
// limit. Steps without a length (cursor moves and positions) do not touch it.
//
// Times are readings of a counter at a given frequency (the performance counter in the
// engine), so tests drive it with a fake clock. One per run, used by its worker only.
#pragma once

#include <cstdint>

#include "platform/platform.h"

class CReplaySchedule {
public:
    // The most a wait is shortened to make up for lateness.
    static constexpr uint32_t kCatchUpLimitMs = 5;

    // A timetable that starts at start; frequency is the counter's ticks per second. A limit
    // of 0 times every step from its own start, as a plain sleep would.
    CReplaySchedule(LONGLONG start, LONGLONG frequency,
                    uint32_t catch_up_limit_ms = kCatchUpLimitMs);

    // Attributes
    //
    // The deadline of the last step with a length (the start while there was none).
    LONGLONG GetDeadline() const { return m_nDeadline; }
    // How often the timetable started again from the current time.
    int64_t GetRebaseCount() const { return m_nRebases; }

    // Operations
    //
    // The deadline of a step of ms milliseconds that begins at now; the next step starts from
    // it. ms is unsigned: 0xFFFFFFFF is some 49 days, and still a deadline.
    LONGLONG Next(LONGLONG now, uint32_t ms);

private:
    LONGLONG Ticks(uint32_t ms) const;

    LONGLONG m_nDeadline;
    LONGLONG m_nFrequency;
    LONGLONG m_nLimit; // in ticks
    int64_t m_nRebases = 0;
};
