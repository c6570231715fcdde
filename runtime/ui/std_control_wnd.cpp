// Colours, focus notifications and reflected notifications of the standard controls.
#include "runtime/ui/std_control_wnd.h"

namespace {
bool IsCtlColour(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}
} // namespace

CRixStdControlWnd::CRixStdControlWnd(uint32_t text, uint32_t back, uint32_t brush_colour)
    : CRixListenerWnd(FocusRoute::Sent), m_Colours(text, back, brush_colour),
      m_bFocusByNotification(false) {}

CRixStdControlWnd::CRixStdControlWnd(uint32_t text, uint32_t back, uint32_t brush_colour,
                                     WORD set_focus_code, WORD kill_focus_code)
    : CRixListenerWnd(FocusRoute::Reflected), m_Colours(text, back, brush_colour),
      m_bFocusByNotification(true), m_nSetFocusCode(set_focus_code),
      m_nKillFocusCode(kill_focus_code) {}

BOOL CRixStdControlWnd::OnReflectedCommand(WORD, LRESULT*) {
    return FALSE;
}

BOOL CRixStdControlWnd::OnReflectedNotify(const NMHDR*, LRESULT*) {
    return FALSE;
}

BOOL CRixStdControlWnd::OnChildNotify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
    if (IsCtlColour(message)) {
        *result = reinterpret_cast<LRESULT>(m_Colours.Apply(reinterpret_cast<HDC>(wparam)));
        return TRUE;
    }
    if (message == WM_NOTIFY)
        return OnReflectedNotify(reinterpret_cast<const NMHDR*>(lparam), result);
    if (message != WM_COMMAND)
        return FALSE;
    WORD code = HIWORD(wparam);
    if (m_bFocusByNotification && (code == m_nSetFocusCode || code == m_nKillFocusCode)) {
        *result = 0;
        if (code == m_nSetFocusCode) {
            RouteReflectedFocus(true);
            return TRUE;
        }
        HWND hwnd = GetSafeHwnd();
        BeforeLostFocus();
        // BeforeLostFocus may have run application code that destroyed the window and this
        // object with it.
        if (IsWindow(hwnd))
            RouteReflectedFocus(false);
        return TRUE;
    }
    return OnReflectedCommand(code, result);
}
