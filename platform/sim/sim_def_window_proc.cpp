// The default window procedure of the simulated backend, for the messages the simulation
// knows: the window text, closing, the size and move messages after a change of place, and
// the focus that follows activation, mouse activation, the class cursor, the window's icons
// and the shut-down query (allowed).
#include "platform/sim/sim_window.h"
#include "platform/sim/sim_focus.h"
#include "platform/sim/sim_frame.h"
#include "platform/sim/sim_mouse.h"
#include "platform/sim/sim_paint.h"

#include <algorithm>

#include "platform/sim/sim_user_state.h"

using namespace sim::detail;

namespace {

void SetText(HWND hwnd, LPCWSTR text) {
    std::lock_guard<std::mutex> lock(Lock());
    if (auto window = FindWindowRecord(hwnd))
        window->text = text != nullptr ? std::u16string(text) : std::u16string();
}

HWND ParentOfChild(HWND hwnd) {
    std::lock_guard<std::mutex> lock(Lock());
    auto window = FindWindowRecord(hwnd);
    if (window == nullptr || (window->style & (WS_CHILD | WS_POPUP)) != WS_CHILD)
        return nullptr;
    return window->parent;
}

} // namespace

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    LogMessage(hwnd, message, wparam, lparam, sim::MessageRoute::DefWindowProc);
    switch (message) {
    case WM_NCCREATE: {
        // The title given to CreateWindowExW becomes the window text here, so a window
        // procedure that answers WM_NCCREATE itself starts without a text, as on Windows.
        auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        if (cs != nullptr && cs->lpszName != nullptr && !IS_INTRESOURCE(cs->lpszName))
            SetText(hwnd, cs->lpszName);
        return TRUE;
    }
    case WM_SETTEXT:
        SetText(hwnd, reinterpret_cast<LPCWSTR>(lparam));
        return TRUE;
    case WM_GETTEXT: {
        auto* buffer = reinterpret_cast<LPWSTR>(lparam);
        if (buffer == nullptr || wparam == 0)
            return 0;
        std::lock_guard<std::mutex> lock(Lock());
        auto window = FindWindowRecord(hwnd);
        if (window == nullptr) {
            buffer[0] = 0;
            return 0;
        }
        // Truncated to the buffer, always terminated; the result counts the units copied.
        size_t count = std::min(window->text.size(), static_cast<size_t>(wparam - 1));
        std::copy_n(window->text.data(), count, buffer);
        buffer[count] = 0;
        return static_cast<LRESULT>(count);
    }
    case WM_GETTEXTLENGTH: {
        std::lock_guard<std::mutex> lock(Lock());
        auto window = FindWindowRecord(hwnd);
        return window != nullptr ? static_cast<LRESULT>(window->text.size()) : 0;
    }
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_PAINT: {
        // Validates the update rectangle, so that UpdateWindow does not ask again.
        PAINTSTRUCT paint;
        if (BeginPaint(hwnd, &paint) != nullptr)
            EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_SYSCOMMAND:
        if ((wparam & 0xFFF0) == SC_CLOSE)
            SendMessageW(hwnd, WM_CLOSE, 0, 0);
        return 0;
    case WM_ACTIVATE:
        // An activated window takes the focus, unless it is minimized.
        if (LOWORD(wparam) != WA_INACTIVE && (GetWindowLongW(hwnd, GWL_STYLE) & WS_MINIMIZE) == 0)
            SetFocus(hwnd);
        return 0;
    case WM_NCACTIVATE:
        return TRUE;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_SETICON:
    case WM_GETICON: {
        if (wparam != ICON_SMALL && wparam != ICON_BIG)
            return 0;
        std::lock_guard<std::mutex> lock(Lock());
        auto window = FindWindowRecord(hwnd);
        if (window == nullptr)
            return 0;
        HICON previous = window->icons[wparam];
        if (message == WM_SETICON)
            window->icons[wparam] = reinterpret_cast<HICON>(lparam);
        return reinterpret_cast<LRESULT>(previous);
    }
    case WM_MOUSEACTIVATE: {
        // A child lets its parent decide first.
        HWND parent = ParentOfChild(hwnd);
        if (parent != nullptr) {
            if (LRESULT answer = SendMessageW(parent, WM_MOUSEACTIVATE, wparam, lparam))
                return answer;
        }
        return MA_ACTIVATE;
    }
    case WM_MOUSEWHEEL: {
        // Unhandled, the wheel goes up to the parent.
        HWND parent = ParentOfChild(hwnd);
        return parent != nullptr ? SendMessageW(parent, WM_MOUSEWHEEL, wparam, lparam) : 0;
    }
    case WM_SETCURSOR: {
        // A child lets its parent set the cursor first; otherwise the class cursor is set
        // over the client area.
        HWND parent = ParentOfChild(hwnd);
        if (parent != nullptr && SendMessageW(parent, WM_SETCURSOR, wparam, lparam) != 0)
            return TRUE;
        if (LOWORD(lparam) != HTCLIENT)
            return FALSE;
        HCURSOR cursor = nullptr;
        {
            std::lock_guard<std::mutex> lock(Lock());
            if (auto window = FindWindowRecord(hwnd))
                cursor = window->window_class->wc.hCursor;
        }
        if (cursor == nullptr)
            return FALSE;
        SetCursor(cursor);
        return TRUE;
    }
    case WM_WINDOWPOSCHANGED: {
        auto* pos = reinterpret_cast<const WINDOWPOS*>(lparam);
        if (pos == nullptr)
            return 0;
        if ((pos->flags & SWP_NOCLIENTMOVE) == 0)
            SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(pos->x, pos->y));
        if ((pos->flags & SWP_NOCLIENTSIZE) == 0)
            SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(pos->cx, pos->cy));
        return 0;
    }
    default:
        return 0;
    }
}

LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return proc != nullptr ? proc(hwnd, message, wparam, lparam) : 0;
}
