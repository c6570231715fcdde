// CRixListenerWnd: the native window of a framework control. It reports to at most one
// listener (the attached control) and routes input messages to it along two paths:
//
// - queued messages (keys, characters, mouse) through PreTranslateMessage, before dispatch:
//   a message for this window, other than WM_SETCURSOR, WM_SETFOCUS and WM_KILLFOCUS, goes to
//   OnWindowMessage; when that answers non-zero, changes the message's window, or destroys
//   the window, the message counts as translated and is not dispatched;
// - sent messages through WindowProc: WM_SETCURSOR always, WM_SETFOCUS and WM_KILLFOCUS for
//   classes whose focus is not reported by reflected notifications; a non-zero answer or a
//   destroyed window ends the message with 1 and no default processing.
//
// Edit, list and combo boxes learn of focus from their reflected notifications instead;
// RouteReflectedFocus turns one into WM_SETFOCUS or WM_KILLFOCUS for the listener.
//
// The listener field is atomic because an event binding may attach its control from another
// thread; everything else is main-thread only.
#pragma once

#include <atomic>

#include "runtime/ui/listeners.h"
#include "runtime/ui/native/rix_wnd.h"

class CMfcWndObject;

class CRixListenerWnd : public CRixWnd {
public:
    // Which sent messages WindowProc routes.
    enum class FocusRoute { Sent, Reflected };

    explicit CRixListenerWnd(FocusRoute focus = FocusRoute::Sent) : m_eFocus(focus) {}

    IBaseEventListener* GetListener() const { return m_pListener.load(std::memory_order_acquire); }
    void SetListener(IBaseEventListener* listener) {
        m_pListener.store(listener, std::memory_order_release);
    }
    // Clears the listener only while it is still `listener`.
    void ClearListener(IBaseEventListener* listener) {
        m_pListener.compare_exchange_strong(listener, nullptr, std::memory_order_acq_rel);
    }

    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
    // The holder that owns this object (set and cleared by the holder).
    void SetHolder(CMfcWndObject* holder) { m_pHolder = holder; }
    // A self-deleting object (the holder's flag) goes once its window is gone.
    void PostNcDestroy() override;

protected:
    // A reflected focus notification as WM_SETFOCUS (gained) or WM_KILLFOCUS for the
    // listener; TRUE when it answered non-zero or the window is gone.
    BOOL RouteReflectedFocus(bool gained);

private:
    std::atomic<IBaseEventListener*> m_pListener{nullptr};
    FocusRoute m_eFocus;
    CMfcWndObject* m_pHolder = nullptr; // not owned: the holder owns this object
};
