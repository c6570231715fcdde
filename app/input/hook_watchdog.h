// CHookWatchdog: notices that the system has removed the global hooks and installs them again.
//
// Windows removes a low-level hook whose procedure misses the time limit (after a heavy load
// or a debugger pause), silently and for good; the trigger key would do nothing from then on.
// The system's last-input time (GetLastInputInfo) still moves with every key and mouse event,
// injected ones included, while the hook procedure records the tick of each event it sees
// (rg_qj_gzl__n::LastEventTick). Input that is newer than the procedure's last event by more
// than a limit means the procedure no longer hears it: the watchdog then calls Rehook, which
// keeps the bindings and with them the trigger handler and its state.
//
// Only the mouse hook may be alive while the keyboard hook is gone; as long as the mouse keeps
// moving, its events count as seen and the lost keyboard hook is noticed only once the user
// types more than the limit after the last mouse event. Input the hooks cannot see at all
// (another desktop, such as the secure one) makes the watchdog re-hook at most once per limit,
// which does no harm.
//
// User-interface thread only: Check runs on the clock's tick, the hook procedure on the same
// thread.
#pragma once

#include <cstdint>

#include "app/input/global_hook.h"
#include "platform/platform.h"

namespace rg_lch_qmlt_ymk_lumeOak {

// The decision, on GetTickCount times: the last input is at least `settle_ms` old (so that
// its hook call, if any, has had the time to arrive) and newer than the hook's last event by
// more than `limit_ms`. Both are measured as ages back from `now`, so the 32-bit wrap-around
// of the tick count does not matter while each age is below 49.7 days; an older hook event
// looks young again and is noticed at most one limit later.
bool HookLooksLost(DWORD now, DWORD last_input, DWORD last_hook_event, DWORD limit_ms,
                   DWORD settle_ms);

class CHookWatchdog {
public:
    static constexpr DWORD kDefaultLimitMs = 2000;
    // A clock period: a hook call for input older than that has been handled before the tick.
    static constexpr DWORD kDefaultSettleMs = 100;

    explicit CHookWatchdog(rg_qj_gzl__n& hook) : m_Hook(hook) {}
    CHookWatchdog(const CHookWatchdog&) = delete;
    CHookWatchdog& operator=(const CHookWatchdog&) = delete;

    // Tests shorten the limits so that no test waits seconds.
    void SetLimits(DWORD limit_ms, DWORD settle_ms);

    // One look, on the clock's tick: re-hooks when the hooks look lost. Answers whether it did.
    bool Check();
    // How many times it has re-hooked.
    uint32_t GetRehookCount() const { return m_nRehooks; }

private:
    rg_qj_gzl__n& m_Hook;
    DWORD m_nLimitMs = kDefaultLimitMs;
    DWORD m_nSettleMs = kDefaultSettleMs;
    uint32_t m_nRehooks = 0;
};

} // namespace rg_lch_qmlt_ymk_lumeOak
