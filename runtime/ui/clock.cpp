// The clock control and its timer window.
#include "runtime/ui/clock.h"

#include "runtime/ui/window_classes.h"
#include "runtime/ui/wnd_holder.h"

void CRWnd_Timer::SetInterval(int64_t milliseconds) {
    m_nInterval = milliseconds < 0 ? 0 : milliseconds;
    if (!HasWindow())
        return;
    if (m_bRunning != 0) {
        KillTimer(GetSafeHwnd(), kTimerId);
        m_bRunning = 0;
    }
    if (m_nInterval > 0) {
        // The platform takes 32 bits; longer intervals are clamped rather than wrapped.
        auto elapse = static_cast<UINT>(m_nInterval > 0x7FFFFFFF ? 0x7FFFFFFF : m_nInterval);
        if (SetTimer(GetSafeHwnd(), kTimerId, elapse, nullptr) != 0)
            m_bRunning = 1;
    }
}

LRESULT CRWnd_Timer::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY && m_bRunning != 0) {
        KillTimer(GetSafeHwnd(), kTimerId);
        m_bRunning = 0;
    }
    HWND hwnd = GetSafeHwnd();
    LRESULT result = CRWnd_Dummy::WindowProc(message, wparam, lparam);
    if (message == WM_TIMER && wparam == kTimerId && IsWindow(hwnd)) {
        // Only a clock attaches itself to a timer window.
        if (auto* listener = static_cast<ITimerEventListener*>(GetListener()))
            listener->OnTick();
    }
    return result;
}

namespace rg_lch_MFCjm_jb {

rg_shzh::rg_shzh() {
    InstallHolder(WS_VISIBLE | WS_CLIPSIBLINGS, 0, new CRWnd_Timer);
}

rg_shzh::~rg_shzh() {
    DetachListener();
}

CRWnd_Timer* rg_shzh::TimerWnd() const {
    return static_cast<CRWnd_Timer*>(GetNativeWnd());
}

int64_t rg_shzh::CreateNativeWindow(CreateParams& params) {
    if (!PrepareCreate(params))
        return 0;
    // The clock's window is never shown.
    params.style &= ~static_cast<DWORD>(WS_VISIBLE);
    if (!CreateWindowOfClass(params, kDummyWndClass))
        return 0;
    CRWnd_Timer* wnd = TimerWnd();
    wnd->SetInterval(wnd->GetInterval());
    AfterCreate(wnd, params);
    return 1;
}

void rg_shzh::AttachListener() {
    if (CRWnd_Timer* wnd = TimerWnd())
        wnd->SetListener(static_cast<ITimerEventListener*>(this));
}

void rg_shzh::DetachListener() {
    if (CRWnd_Timer* wnd = TimerWnd())
        wnd->ClearListener(static_cast<ITimerEventListener*>(this));
}

int64_t rg_shzh::IsListenerAttached() const {
    CRWnd_Timer* wnd = TimerWnd();
    return wnd != nullptr && wnd->GetListener() != nullptr ? 1 : 0;
}

void rg_shzh::SetInterval(int64_t milliseconds) {
    if (CRWnd_Timer* wnd = TimerWnd())
        wnd->SetInterval(milliseconds);
}

int64_t rg_shzh::GetInterval() const {
    CRWnd_Timer* wnd = TimerWnd();
    return wnd != nullptr ? wnd->GetInterval() : 0;
}

} // namespace rg_lch_MFCjm_jb
