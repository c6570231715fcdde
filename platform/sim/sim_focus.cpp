// Focus, activation and enabling of windows in the simulated backend (sim_focus.h).
#include "platform/sim/sim_focus.h"

#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_user_state.h"

using namespace sim::detail;

namespace {

bool IsChildStyle(DWORD style) {
    return (style & (WS_CHILD | WS_POPUP)) == WS_CHILD;
}

// The top-level window that holds hwnd. Lock held.
HWND RootOf(HWND hwnd) {
    auto window = FindWindowRecord(hwnd);
    while (window != nullptr && window->parent != nullptr)
        window = FindWindowRecord(window->parent);
    return window != nullptr ? window->handle : nullptr;
}

// Sets the calling thread's focus and sends the two messages; a handler of WM_KILLFOCUS that
// moves the focus elsewhere cancels the WM_SETFOCUS.
HWND SetFocusWindow(HWND hwnd) {
    HWND previous;
    std::shared_ptr<ThreadQueue> queue;
    {
        std::lock_guard<std::mutex> lock(Lock());
        queue = CurrentQueue();
        previous = queue->focus;
        if (previous == hwnd)
            return previous;
        queue->focus = hwnd;
    }
    if (previous != nullptr)
        SendMessageW(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    {
        std::lock_guard<std::mutex> lock(Lock());
        if (queue->focus != hwnd)
            return previous;
    }
    if (hwnd != nullptr)
        SendMessageW(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    return previous;
}

// WM_ACTIVATEAPP to every top-level window of the calling thread.
void SendActivateApp(bool active) {
    std::vector<HWND> tops;
    {
        std::lock_guard<std::mutex> lock(Lock());
        for (HWND top : User().top_level) {
            auto window = FindWindowRecord(top);
            if (window != nullptr && window->thread == GetCurrentThreadId())
                tops.push_back(top);
        }
    }
    for (HWND top : tops)
        SendMessageW(top, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
}

} // namespace

namespace sim::detail {

HWND SetActive(HWND hwnd, bool mouse, bool focus) {
    HWND previous;
    std::shared_ptr<ThreadQueue> queue;
    {
        std::lock_guard<std::mutex> lock(Lock());
        queue = CurrentQueue();
        previous = queue->active;
        if (previous == hwnd)
            return previous;
    }
    if (previous != nullptr) {
        SendMessageW(previous, WM_NCACTIVATE, FALSE, reinterpret_cast<LPARAM>(hwnd));
        SendMessageW(previous, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(hwnd));
    }
    {
        std::lock_guard<std::mutex> lock(Lock());
        if (hwnd != nullptr && FindWindowRecord(hwnd) == nullptr)
            return previous; // destroyed by a handler above
        queue->active = hwnd;
        UserState& user = User();
        if (hwnd != nullptr)
            user.foreground = hwnd;
        else if (user.foreground == previous)
            user.foreground = nullptr;
    }
    // The application (here: the thread) changes when one side has no active window.
    if (previous == nullptr || hwnd == nullptr)
        SendActivateApp(hwnd != nullptr);
    if (hwnd != nullptr && IsWindow(hwnd)) {
        SendMessageW(hwnd, WM_NCACTIVATE, GetForegroundWindow() == hwnd ? TRUE : FALSE,
                     reinterpret_cast<LPARAM>(previous));
        SendMessageW(hwnd, WM_ACTIVATE, mouse ? WA_CLICKACTIVE : WA_ACTIVE,
                     reinterpret_cast<LPARAM>(previous));
    }
    if (!focus)
        return previous;
    // A window that did not take the focus itself (its WM_ACTIVATE not passed on to the
    // default procedure) still gets it, unless the focus is inside it already.
    HWND focus_window = nullptr;
    {
        std::lock_guard<std::mutex> lock(Lock());
        if (queue->active != hwnd)
            return previous;
        focus_window = queue->focus;
        if (hwnd != nullptr && focus_window != nullptr && RootOf(focus_window) == hwnd)
            return previous;
    }
    SetFocusWindow(hwnd);
    return previous;
}

void AfterHide(HWND hwnd) {
    HWND owner = nullptr;
    bool was_active;
    {
        std::lock_guard<std::mutex> lock(Lock());
        auto window = FindWindowRecord(hwnd);
        if (window == nullptr || window->thread != GetCurrentThreadId())
            return;
        was_active = CurrentQueue()->active == hwnd;
        // A pop-up hands activation back to its owner; otherwise the next window in z-order
        // that can take it gets it. NOTE: Windows looks through the whole desktop; the
        // simulation looks through the windows of the calling thread.
        auto can_activate = [](const std::shared_ptr<Window>& w) {
            return w != nullptr && (w->style & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE &&
                   !IsChildStyle(w->style) && !w->destroying && w->thread == GetCurrentThreadId();
        };
        if ((window->style & WS_POPUP) != 0 && can_activate(FindWindowRecord(window->owner))) {
            owner = window->owner;
        } else {
            for (HWND top : User().top_level) {
                if (top != hwnd && can_activate(FindWindowRecord(top))) {
                    owner = top;
                    break;
                }
            }
        }
    }
    if (was_active)
        SetActive(owner, false, true);
    HWND parent = nullptr;
    {
        std::lock_guard<std::mutex> lock(Lock());
        auto window = FindWindowRecord(hwnd);
        HWND focus = CurrentQueue()->focus;
        if (window == nullptr || focus == nullptr || (focus != hwnd && !IsDescendant(hwnd, focus)))
            return;
        parent = window->parent;
    }
    SetFocus(parent);
}

} // namespace sim::detail

HWND GetFocus() {
    std::lock_guard<std::mutex> lock(Lock());
    return CurrentQueue()->focus;
}

HWND SetFocus(HWND hwnd) {
    if (hwnd == nullptr)
        return SetFocusWindow(nullptr);
    HWND top;
    {
        std::lock_guard<std::mutex> lock(Lock());
        auto window = FindWindowRecord(hwnd);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        auto queue = CurrentQueue();
        if (queue->focus == hwnd)
            return hwnd;
        if (window->thread != GetCurrentThreadId())
            return nullptr;
        // Neither the window nor any parent up to its top-level window may be disabled or
        // minimized.
        for (;;) {
            if ((window->style & (WS_MINIMIZE | WS_DISABLED)) != 0)
                return nullptr;
            if (!IsChildStyle(window->style) || window->parent == nullptr)
                break;
            window = FindWindowRecord(window->parent);
            if (window == nullptr)
                return nullptr;
        }
        top = window->handle;
        if (queue->active == top)
            top = nullptr; // no activation needed
    }
    if (top != nullptr) {
        SetActive(top, false, false);
        std::lock_guard<std::mutex> lock(Lock());
        if (FindWindowRecord(hwnd) == nullptr || CurrentQueue()->active != top)
            return nullptr;
    }
    return SetFocusWindow(hwnd);
}

HWND GetActiveWindow() {
    std::lock_guard<std::mutex> lock(Lock());
    return CurrentQueue()->active;
}

HWND SetActiveWindow(HWND hwnd) {
    if (hwnd != nullptr) {
        std::lock_guard<std::mutex> lock(Lock());
        auto window = FindWindowRecord(hwnd);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        if (IsChildStyle(window->style))
            return CurrentQueue()->active;
        if (window->thread != GetCurrentThreadId())
            return nullptr;
    }
    return SetActive(hwnd, false, true);
}

HWND GetForegroundWindow() {
    std::lock_guard<std::mutex> lock(Lock());
    return User().foreground;
}

BOOL SetForegroundWindow(HWND hwnd) {
    HWND top;
    {
        std::lock_guard<std::mutex> lock(Lock());
        auto window = FindWindowRecord(hwnd);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        top = RootOf(hwnd);
        if (window->thread != GetCurrentThreadId()) {
            User().foreground = top;
            auto queue = User().queues.find(window->thread);
            if (queue != User().queues.end())
                queue->second->active = top;
            return TRUE;
        }
    }
    SetActive(top, false, true);
    return TRUE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    bool was_disabled;
    {
        std::lock_guard<std::mutex> lock(Lock());
        auto window = FindWindowRecord(hwnd);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        was_disabled = (window->style & WS_DISABLED) != 0;
        if (enable && was_disabled)
            window->style &= ~static_cast<DWORD>(WS_DISABLED);
    }
    if (enable && was_disabled) {
        SendMessageW(hwnd, WM_ENABLE, TRUE, 0);
    } else if (!enable) {
        // Every request to disable cancels modes, even for a disabled window.
        SendMessageW(hwnd, WM_CANCELMODE, 0, 0);
        if (was_disabled)
            return TRUE;
        {
            std::lock_guard<std::mutex> lock(Lock());
            if (auto window = FindWindowRecord(hwnd))
                window->style |= WS_DISABLED;
        }
        // A disabled window cannot keep the focus; its children can, as on Windows.
        if (GetFocus() == hwnd)
            SetFocus(nullptr);
        SendMessageW(hwnd, WM_ENABLE, FALSE, 0);
    }
    return was_disabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
    std::lock_guard<std::mutex> lock(Lock());
    auto window = FindWindowRecord(hwnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return (window->style & WS_DISABLED) == 0 ? TRUE : FALSE;
}
