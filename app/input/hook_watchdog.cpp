// The hook watchdog: the decision and the look on every clock tick.
#include "app/input/hook_watchdog.h"

namespace rg_lch_qmlt_ymk_lumeOak {

bool HookLooksLost(DWORD now, DWORD last_input, DWORD last_hook_event, DWORD limit_ms,
                   DWORD settle_ms) {
    // Unsigned differences of tick counts are right across the wrap-around.
    const uint64_t input_age = static_cast<DWORD>(now - last_input);
    const uint64_t hook_age = static_cast<DWORD>(now - last_hook_event);
    return input_age >= settle_ms && hook_age > input_age + limit_ms;
}

void CHookWatchdog::SetLimits(DWORD limit_ms, DWORD settle_ms) {
    m_nLimitMs = limit_ms;
    m_nSettleMs = settle_ms;
}

bool CHookWatchdog::Check() {
    // A hook object that a later one replaced has no hooks to look after.
    if (rg_qj_gzl__n::Current() != &m_Hook)
        return false;
    LASTINPUTINFO input{};
    input.cbSize = sizeof(input);
    if (!GetLastInputInfo(&input))
        return false;
    // Now is read last, so that neither time is later than it.
    DWORD seen = rg_qj_gzl__n::LastEventTick();
    DWORD now = GetTickCount();
    if (!HookLooksLost(now, input.dwTime, seen, m_nLimitMs, m_nSettleMs))
        return false;
    // Rehook counts the installation as an event, so a hook that is lost again at once is
    // tried again only after another limit of unheard input.
    m_Hook.Rehook();
    ++m_nRehooks;
    return true;
}

} // namespace rg_lch_qmlt_ymk_lumeOak
