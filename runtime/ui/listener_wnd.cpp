// The two routing paths from a native window to its listener.
#include "runtime/ui/listener_wnd.h"

#include "runtime/ui/wnd_holder.h"

namespace {
bool IsSentInput(UINT message) {
    return message == WM_SETCURSOR || message == WM_SETFOCUS || message == WM_KILLFOCUS;
}
} // namespace

BOOL CRixListenerWnd::PreTranslateMessage(MSG* msg) {
    IBaseEventListener* listener = GetListener();
    HWND hwnd = GetSafeHwnd();
    if (listener == nullptr || hwnd == nullptr || msg->hwnd != hwnd || IsSentInput(msg->message))
        return FALSE;
    // The handler may destroy the window and this object with it: only locals from here on.
    if (listener->OnWindowMessage(msg) != 0 || msg->hwnd != hwnd || !IsWindow(hwnd))
        return TRUE;
    return FALSE;
}

LRESULT CRixListenerWnd::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    IBaseEventListener* listener = GetListener();
    bool routed = message == WM_SETCURSOR || (m_eFocus == FocusRoute::Sent && IsSentInput(message));
    if (listener != nullptr && routed) {
        HWND hwnd = GetSafeHwnd();
        MSG msg{hwnd, message, wparam, lparam, 0, {0, 0}};
        if (listener->OnWindowMessage(&msg) != 0 || !IsWindow(hwnd))
            return 1;
    }
    return CRixWnd::WindowProc(message, wparam, lparam);
}

BOOL CRixListenerWnd::RouteReflectedFocus(bool gained) {
    IBaseEventListener* listener = GetListener();
    if (listener == nullptr)
        return FALSE;
    HWND hwnd = GetSafeHwnd();
    MSG msg{hwnd, static_cast<UINT>(gained ? WM_SETFOCUS : WM_KILLFOCUS), 0, 0, 0, {0, 0}};
    return listener->OnWindowMessage(&msg) != 0 || !IsWindow(hwnd) ? TRUE : FALSE;
}

void CRixListenerWnd::PostNcDestroy() {
    if (m_pHolder != nullptr)
        m_pHolder->ForgetSelfDeletingWnd(this);
}
