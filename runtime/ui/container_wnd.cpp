// The container's native window: life-cycle reports and the focus search.
#include "runtime/ui/container_wnd.h"

namespace {

// What a child must answer to WM_GETDLGCODE to take the container's focus.
constexpr LRESULT kWantsKeys = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS;

bool IsOpen(HWND hwnd) {
    return IsWindowVisible(hwnd) && IsWindowEnabled(hwnd);
}

// Depth first through the children, descending only into open windows: the first that wants
// keys is the answer; the first tab stop and the first child met are kept as fall-backs.
HWND FindKeyTaker(HWND parent, HWND& first_tab_stop, HWND& first_child) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (first_child == nullptr)
            first_child = child;
        if ((SendMessageW(child, WM_GETDLGCODE, 0, 0) & kWantsKeys) != 0)
            return child;
        if (first_tab_stop == nullptr && (GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) != 0)
            first_tab_stop = child;
        if (IsOpen(child)) {
            if (HWND found = FindKeyTaker(child, first_tab_stop, first_child))
                return found;
        }
    }
    return nullptr;
}

} // namespace

CRWnd_Container::~CRWnd_Container() {
    if (m_hPicture != nullptr)
        DeleteObject(m_hPicture);
}

IContainerEventListener* CRWnd_Container::ContainerListener() const {
    return dynamic_cast<IContainerEventListener*>(GetListener());
}

void CRWnd_Container::PassFocusToChild() {
    HWND self = GetSafeHwnd();
    if (self == nullptr || !IsOpen(self))
        return;
    HWND first_tab_stop = nullptr;
    HWND first_child = nullptr;
    HWND target = FindKeyTaker(self, first_tab_stop, first_child);
    if (target == nullptr)
        target = first_tab_stop != nullptr ? first_tab_stop : first_child;
    if (target != nullptr)
        SetFocus(target);
}

LRESULT CRWnd_Container::WindowProc(UINT message, WPARAM wparam, LPARAM lparam) {
    HWND self = GetSafeHwnd();
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_PAINT:
        PaintBackground(self, m_nBackColour, m_nPictureMode, m_hPicture);
        return 0;
    case WM_SETFOCUS: {
        LRESULT result = CRixListenerWnd::WindowProc(message, wparam, lparam);
        if (IsWindow(self))
            PassFocusToChild();
        return result;
    }
    case WM_CREATE: {
        LRESULT result = CRixListenerWnd::WindowProc(message, wparam, lparam);
        if (result != -1) {
            if (IContainerEventListener* listener = ContainerListener())
                listener->OnCreated();
        }
        return result;
    }
    case WM_DESTROY:
        if (IContainerEventListener* listener = ContainerListener())
            listener->OnDestroyed();
        return CRixListenerWnd::WindowProc(message, wparam, lparam);
    case WM_SIZE:
    case WM_SHOWWINDOW:
    case WM_MOVE: {
        LRESULT result = CRixListenerWnd::WindowProc(message, wparam, lparam);
        // After Destroyed nothing more is reported (taking the menu bar off a form that is
        // being destroyed changes its client size).
        IContainerEventListener* listener =
            IsWindow(self) && !IsBeingDestroyed() ? ContainerListener() : nullptr;
        if (listener == nullptr)
            return result;
        if (message == WM_SIZE)
            listener->OnResized();
        else if (message == WM_MOVE)
            listener->OnMoved();
        else
            listener->OnShowChanged(static_cast<int64_t>(wparam));
        return result;
    }
    default:
        return CRixListenerWnd::WindowProc(message, wparam, lparam);
    }
}
