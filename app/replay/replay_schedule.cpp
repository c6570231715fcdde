// The deadline carried from step to step of a replay run.
#include "app/replay/replay_schedule.h"

CReplaySchedule::CReplaySchedule(LONGLONG start, LONGLONG frequency, uint32_t catch_up_limit_ms)
    : m_nDeadline(start), m_nFrequency(frequency), m_nLimit(0) {
    m_nLimit = Ticks(catch_up_limit_ms);
}

LONGLONG CReplaySchedule::Ticks(uint32_t ms) const {
    // Split to stay exact and far from overflow: 0xFFFFFFFF ms at a 1 GHz counter is 4.3e15.
    LONGLONG whole = static_cast<LONGLONG>(ms);
    return (whole / 1000) * m_nFrequency + (whole % 1000) * m_nFrequency / 1000;
}

LONGLONG CReplaySchedule::Next(LONGLONG now, uint32_t ms) {
    if (now - m_nDeadline > m_nLimit) {
        m_nDeadline = now;
        ++m_nRebases;
    }
    m_nDeadline += Ticks(ms);
    return m_nDeadline;
}
