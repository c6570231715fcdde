// Visibility, rectangles and moves of windows in the simulated backend. There is no screen
// and no frame: the client area is the whole window, and a child's rectangle is kept in its
// parent's client coordinates.
#include "platform/sim/sim_window.h"

#include <algorithm>

#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_paint_hooks.h"
#include "platform/sim/sim_user_state.h"

using namespace sim::detail;

// Showing goes through SetWindowPos, which activates a top-level window unless the command
// says otherwise; hiding moves activation and focus away afterwards, as on Windows.
//
// Minimizing and restoring a top-level window keep what callers read, IsIconic, and the
// activation: a window minimized (SW_MINIMIZE, SW_SHOWMINIMIZED, SW_SHOWMINNOACTIVE) stays
// visible with its rectangle (there is no screen to minimize to) and hands activation on as a
// hidden one does; SW_RESTORE and SW_SHOWNORMAL take the minimized state off and activate it.
BOOL ShowWindow(HWND hwnd, int command) {
    bool was_visible;
    const bool show = command != SW_HIDE;
    const bool minimize =
        command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE;
    const bool restore = command == SW_RESTORE || command == SW_SHOWNORMAL;
    bool minimized_now = false;
    bool restored_now = false;
    {
        std::lock_guard<std::mutex> lock(Lock());
        auto window = FindWindowRecord(hwnd);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        was_visible = (window->style & WS_VISIBLE) != 0;
        if ((window->style & (WS_CHILD | WS_POPUP)) != WS_CHILD) {
            const bool was_minimized = (window->style & WS_MINIMIZE) != 0;
            if (minimize && !was_minimized) {
                window->style |= WS_MINIMIZE;
                minimized_now = true;
            } else if (restore && was_minimized) {
                window->style &= ~static_cast<DWORD>(WS_MINIMIZE);
                restored_now = true;
            }
        }
    }
    if (show == was_visible) {
        if (minimized_now)
            AfterHide(hwnd);
        else if (restored_now)
            SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
        return was_visible ? TRUE : FALSE;
    }
    SendMessageW(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
    if (!show) {
        flags |= SWP_HIDEWINDOW | SWP_NOACTIVATE;
    } else {
        flags |= SWP_SHOWWINDOW;
        if (command == SW_SHOWNA || command == SW_SHOWNOACTIVATE || command == SW_SHOWMINNOACTIVE ||
            command == SW_MINIMIZE)
            flags |= SWP_NOACTIVATE;
    }
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, flags);
    if (!show)
        AfterHide(hwnd);
    return was_visible ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (sim::detail::NeedsPaint(hwnd))
        SendMessageW(hwnd, WM_PAINT, 0, 0);
    return TRUE;
}

BOOL IsWindowVisible(HWND hwnd) {
    std::lock_guard<std::mutex> lock(Lock());
    auto window = FindWindowRecord(hwnd);
    while (window != nullptr) {
        if ((window->style & WS_VISIBLE) == 0)
            return FALSE;
        if (window->parent == nullptr)
            return TRUE;
        window = FindWindowRecord(window->parent);
    }
    return FALSE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
    std::lock_guard<std::mutex> lock(Lock());
    auto window = FindWindowRecord(hwnd);
    if (window == nullptr || rect == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *rect = {0, 0, window->rect.right - window->rect.left, window->rect.bottom - window->rect.top};
    return TRUE;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
    std::lock_guard<std::mutex> lock(Lock());
    auto window = FindWindowRecord(hwnd);
    if (window == nullptr || rect == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    // Screen coordinates: the parents' origins added up.
    RECT result = window->rect;
    for (auto parent = FindWindowRecord(window->parent); parent != nullptr;
         parent = FindWindowRecord(parent->parent)) {
        result.left += parent->rect.left;
        result.right += parent->rect.left;
        result.top += parent->rect.top;
        result.bottom += parent->rect.top;
    }
    *rect = result;
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

// Moves a window within its siblings (or the top-level windows) as insert_after asks.
void Restack(Window& window, HWND insert_after) {
    std::vector<HWND>* order = &User().top_level;
    if (window.parent != nullptr) {
        auto parent = FindWindowRecord(window.parent);
        if (parent == nullptr)
            return;
        order = &parent->children;
    }
    if (insert_after == HWND_TOPMOST)
        window.ex_style |= WS_EX_TOPMOST;
    else if (insert_after == HWND_NOTOPMOST)
        window.ex_style &= ~static_cast<DWORD>(WS_EX_TOPMOST);
    auto it = std::find(order->begin(), order->end(), window.handle);
    if (it == order->end() || insert_after == window.handle)
        return;
    order->erase(it);
    if (insert_after == HWND_BOTTOM) {
        order->push_back(window.handle);
        return;
    }
    auto after = std::find(order->begin(), order->end(), insert_after);
    order->insert(after == order->end() ? order->begin() : after + 1, window.handle);
}

} // namespace

BOOL SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int width, int height, UINT flags) {
    WINDOWPOS pos{};
    RECT old{};
    bool activate = false;
    {
        std::lock_guard<std::mutex> lock(Lock());
        auto window = FindWindowRecord(hwnd);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        old = window->rect;
        const bool visible = (window->style & WS_VISIBLE) != 0;
        // Requests that change nothing are dropped from the flags, as Windows does, so that
        // the messages below describe what really changes.
        if ((flags & SWP_SHOWWINDOW) != 0 && visible)
            flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
        if ((flags & SWP_HIDEWINDOW) != 0 && !visible)
            flags &= ~static_cast<UINT>(SWP_HIDEWINDOW);
        if ((flags & SWP_NOMOVE) != 0) {
            x = old.left;
            y = old.top;
        }
        if ((flags & SWP_NOSIZE) != 0) {
            width = old.right - old.left;
            height = old.bottom - old.top;
        }
        if (width < 0)
            width = 0;
        if (height < 0)
            height = 0;
        if (x == old.left && y == old.top)
            flags |= SWP_NOMOVE;
        if (width == old.right - old.left && height == old.bottom - old.top)
            flags |= SWP_NOSIZE;
        pos = {hwnd, insert_after, x, y, width, height, flags};
    }
    // WM_WINDOWPOSCHANGING may still adjust the new place; WM_WINDOWPOSCHANGED tells what
    // changed, and the default window procedure turns that into WM_MOVE and WM_SIZE.
    if ((pos.flags & SWP_NOSENDCHANGING) == 0)
        SendMessageW(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    {
        // A change that turns out to change nothing (as asked, or after the handler above)
        // is not confirmed.
        std::lock_guard<std::mutex> lock(Lock());
        auto window = FindWindowRecord(hwnd);
        if (window == nullptr)
            return FALSE;
        const bool same_place = pos.x == old.left && pos.y == old.top &&
                                pos.cx == old.right - old.left && pos.cy == old.bottom - old.top;
        const UINT changes = SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED;
        const bool active = (pos.flags & SWP_NOACTIVATE) != 0 ||
                            (window->style & (WS_CHILD | WS_POPUP)) == WS_CHILD ||
                            CurrentQueue()->active == hwnd;
        if (same_place && (pos.flags & SWP_NOZORDER) != 0 && (pos.flags & changes) == 0 && active)
            return TRUE;
    }
    if ((pos.flags & SWP_NOSIZE) == 0 || (pos.flags & SWP_FRAMECHANGED) != 0) {
        // The client area of a frameless window is the window; what the handler answers
        // cannot shrink it.
        NCCALCSIZE_PARAMS params{};
        params.rgrc[0] = {pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
        params.rgrc[1] = old;
        params.rgrc[2] = old;
        params.lppos = &pos;
        SendMessageW(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    }
    {
        std::lock_guard<std::mutex> lock(Lock());
        auto window = FindWindowRecord(hwnd);
        if (window == nullptr)
            return FALSE;
        if ((pos.flags & SWP_NOMOVE) == 0 || (pos.flags & SWP_NOSIZE) == 0)
            window->rect = {pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
        const RECT& now = window->rect;
        if (old.left == now.left && old.top == now.top)
            pos.flags |= SWP_NOCLIENTMOVE;
        if (old.right - old.left == now.right - now.left &&
            old.bottom - old.top == now.bottom - now.top)
            pos.flags |= SWP_NOCLIENTSIZE;
        if ((pos.flags & SWP_NOZORDER) == 0)
            Restack(*window, pos.hwndInsertAfter);
        if ((pos.flags & SWP_SHOWWINDOW) != 0)
            window->style |= WS_VISIBLE;
        if ((pos.flags & SWP_HIDEWINDOW) != 0)
            window->style &= ~static_cast<DWORD>(WS_VISIBLE);
        // A top-level window of this thread that is not active yet becomes active, before
        // the change is confirmed.
        activate = (pos.flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW)) == 0 &&
                   (window->style & (WS_CHILD | WS_POPUP)) != WS_CHILD &&
                   window->thread == GetCurrentThreadId() && CurrentQueue()->active != hwnd;
    }
    // A window shown or resized has all of its client area to paint.
    if ((pos.flags & SWP_SHOWWINDOW) != 0 || (pos.flags & SWP_NOCLIENTSIZE) == 0)
        sim::detail::InvalidateWindow(hwnd, nullptr);
    if (activate)
        SetActive(hwnd, false, true);
    SendMessageW(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL) {
    // A null window stands for all windows, which is always valid.
    // FIXME: the null window invalidates nothing (no caller repaints the whole screen).
    if (hwnd != nullptr && !IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (hwnd != nullptr)
        sim::detail::InvalidateWindow(hwnd, rect);
    return TRUE;
}
