// Focus, activation and enabling of windows in the simulated backend (sim_focus.h).
#include "platform/sim/sim_focus.h"

#include <map>

#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_user_state.h"

using namespace sim::detail;

namespace {

struct ThreadFocus {
    HWND focus = nullptr;
    HWND active = nullptr;
};

// Per thread, under Lock().
std::map<DWORD, ThreadFocus>& Focus() {
    static auto* focus = new std::map<DWORD, ThreadFocus>;
    return *focus;
}

HWND TopLevelOf(HWND hwnd) {
    auto window = FindWindowRecord(hwnd);
    while (window != nullptr && window->parent != nullptr)
        window = FindWindowRecord(window->parent);
    return window != nullptr ? window->handle : nullptr;
}

// The thread's record with windows that are gone forgotten.
ThreadFocus& Current() {
    ThreadFocus& mine = Focus()[GetCurrentThreadId()];
    if (FindWindowRecord(mine.focus) == nullptr)
        mine.focus = nullptr;
    if (FindWindowRecord(mine.active) == nullptr)
        mine.active = nullptr;
    return mine;
}

} // namespace

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
    } else if (!enable && !was_disabled) {
        SendMessageW(hwnd, WM_CANCELMODE, 0, 0);
        {
            std::lock_guard<std::mutex> lock(Lock());
            if (auto window = FindWindowRecord(hwnd))
                window->style |= WS_DISABLED;
        }
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

HWND GetFocus() {
    std::lock_guard<std::mutex> lock(Lock());
    return Current().focus;
}

HWND GetActiveWindow() {
    std::lock_guard<std::mutex> lock(Lock());
    return Current().active;
}

HWND SetActiveWindow(HWND hwnd) {
    HWND old;
    HWND top;
    {
        std::lock_guard<std::mutex> lock(Lock());
        ThreadFocus& mine = Current();
        old = mine.active;
        top = hwnd != nullptr ? TopLevelOf(hwnd) : nullptr;
        if (hwnd != nullptr && top == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        if (top == old)
            return old;
        mine.active = top;
    }
    if (old != nullptr)
        SendMessageW(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(top));
    if (top != nullptr)
        SendMessageW(top, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), reinterpret_cast<LPARAM>(old));
    return old;
}

HWND SetFocus(HWND hwnd) {
    HWND top = nullptr;
    {
        std::lock_guard<std::mutex> lock(Lock());
        if (hwnd != nullptr) {
            top = TopLevelOf(hwnd);
            if (top == nullptr) {
                SetLastError(ERROR_INVALID_WINDOW_HANDLE);
                return nullptr;
            }
        }
    }
    if (top != nullptr && GetActiveWindow() != top)
        SetActiveWindow(top);
    HWND old;
    {
        std::lock_guard<std::mutex> lock(Lock());
        ThreadFocus& mine = Current();
        old = mine.focus;
        if (old == hwnd || (hwnd != nullptr && FindWindowRecord(hwnd) == nullptr))
            return old;
        mine.focus = hwnd;
    }
    if (old != nullptr)
        SendMessageW(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (hwnd != nullptr)
        SendMessageW(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}
