// The clock: rg_shzh ("clock", namespace rg_lch_MFCjm_jb), an invisible control that fires
// Tick at a fixed interval on the user-interface thread, and CRWnd_Timer, its native window,
// which owns the operating-system timer (id 1000).
//
// The interval is stored whether or not the window exists; a clock configured before its
// window is created starts ticking right after creation. A negative interval is stored as 0,
// which means stopped. Destroying the window stops the timer.
//
// Main thread only (binding Tick excepted, see event_binding.h).
#pragma once

#include <cstdint>

#include "runtime/ui/control.h"
#include "runtime/ui/dummy_wnd.h"
#include "runtime/ui/listeners.h"

class CRWnd_Timer : public CRWnd_Dummy {
public:
    static constexpr UINT_PTR kTimerId = 1000;

    // Stores the interval (negative as 0) and, with a window, restarts the timer from now.
    void SetInterval(int64_t milliseconds);
    int64_t GetInterval() const { return m_nInterval; }
    bool IsRunning() const { return m_bRunning != 0; }

    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    int64_t m_bRunning = 0;
    int64_t m_nInterval = 0;
};

namespace rg_lch_MFCjm_jb {

class rg_shzh : public CRixWinControl, public ITimerEventListener {
    RIX_OBJECT(rg_shzh, CRixWinControl, "rg_lch_MFCjm_jb::rg_shzh")
    RIX_NO_OWN_FIELDS(rg_shzh)
public:
    rg_shzh();
    rg_shzh(const rg_shzh& other) : CRixWinControl(other) {}
    ~rg_shzh() override;

    int64_t CreateNativeWindow(CreateParams& params) override;
    void AttachListener() override;
    void DetachListener() override;
    int64_t IsListenerAttached() const override;

    int64_t OnWindowMessage(MSG* msg) override { return DispatchInput(msg); }
    void OnTick() override { m_Tick.Fire(this); }

    void SetInterval(int64_t milliseconds);
    int64_t GetInterval() const;
    EventBinding& Tick() { return m_Tick; }
    void BindTick(EventCallback callback, CRixObjectPointer* target) {
        BindEvent(m_Tick, callback, target);
    }

private:
    CRWnd_Timer* TimerWnd() const;

    EventBinding m_Tick;
};

} // namespace rg_lch_MFCjm_jb
