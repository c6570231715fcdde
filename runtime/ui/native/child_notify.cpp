// Reflection of a parent's notifications to the child control's object.
#include "runtime/ui/native/child_notify.h"

#include "runtime/ui/native/rix_wnd.h"

HWND ReflectedChild(UINT message, LPARAM lparam) {
    switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        // WM_COMMAND from a menu or an accelerator has no control window.
        return reinterpret_cast<HWND>(lparam);
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lparam);
        return header != nullptr ? header->hwndFrom : nullptr;
    }
    default:
        return nullptr;
    }
}

BOOL ReflectToChild(HWND parent, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
    HWND child = ReflectedChild(message, lparam);
    if (child == nullptr || child == parent)
        return FALSE;
    CRixWnd* wnd = CRixWnd::FromHandlePermanent(child);
    if (wnd == nullptr)
        return FALSE;
    // The child's handler may let go of the child's object; it stays for the call.
    CRixWnd::KeepAlive hold(wnd);
    LRESULT answer = 0;
    if (!wnd->OnChildNotify(message, wparam, lparam, &answer))
        return FALSE;
    *result = answer;
    return TRUE;
}
