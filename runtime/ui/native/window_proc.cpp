// The one window procedure of our window classes and subclassed windows.
#include "runtime/ui/native/window_proc.h"

#include "runtime/ui/native/child_notify.h"
#include "runtime/ui/native/creating_window.h"
#include "runtime/ui/native/rix_wnd.h"
#include "runtime/ui/native/window_map.h"

LRESULT CALLBACK RixWndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    CRixWnd* wnd = CRixWindowMap::Find(hwnd);
    if (wnd == nullptr) {
        // The first message of a window of our class: it belongs to the object being created.
        wnd = CRixCreatingWindow::Take();
        if (wnd == nullptr)
            return DefWindowProcW(hwnd, message, wparam, lparam);
        wnd->Bind(hwnd, nullptr);
    }
    // A handler may let go of the object; it stays for the whole of this message.
    CRixWnd::KeepAlive hold(wnd);
    if (message == WM_DESTROY)
        wnd->m_bDestroying = true;
    LRESULT result = 0;
    if (ReflectedChild(message, lparam) != nullptr &&
        wnd->PreReflectNotify(message, wparam, lparam, &result))
        return result;
    if (ReflectToChild(hwnd, message, wparam, lparam, &result))
        return result;
    if (message != WM_NCDESTROY)
        return wnd->WindowProc(message, wparam, lparam);
    // The window's last message: after it the object no longer stands for the window.
    result = wnd->WindowProc(message, wparam, lparam);
    if (CRixWindowMap::Find(hwnd) == wnd) {
        WNDPROC super = wnd->m_pfnSuper;
        bool subclassed = wnd->m_bSubclassed;
        wnd->Unbind();
        if (subclassed && super != nullptr)
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
        wnd->PostNcDestroy();
    }
    return result;
}
