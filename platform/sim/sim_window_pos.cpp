// Visibility, rectangles and moves of windows in the simulated backend. There is no screen
// and no frame: the client area is the whole window, and a child's rectangle is kept in its
// parent's client coordinates.
#include "platform/sim/sim_window.h"

#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_user_state.h"

using namespace sim::detail;

BOOL ShowWindow(HWND hwnd, int command) {
    bool was_visible;
    const bool show = command != SW_HIDE;
    {
        std::lock_guard<std::mutex> lock(Lock());
        auto window = FindWindowRecord(hwnd);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        was_visible = (window->style & WS_VISIBLE) != 0;
    }
    if (show != was_visible) {
        SendMessageW(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        std::lock_guard<std::mutex> lock(Lock());
        if (auto window = FindWindowRecord(hwnd)) {
            if (show)
                window->style |= WS_VISIBLE;
            else
                window->style &= ~static_cast<DWORD>(WS_VISIBLE);
        }
    }
    return was_visible ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND hwnd) {
    // FIXME: nothing is painted yet, so there is never an update region to flush.
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
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
    WINDOWPOS pos{};
    {
        std::lock_guard<std::mutex> lock(Lock());
        auto window = FindWindowRecord(hwnd);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        pos = {hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE};
    }
    // WM_WINDOWPOSCHANGING may still adjust the new place; WM_WINDOWPOSCHANGED tells what
    // changed, and the default window procedure turns that into WM_MOVE and WM_SIZE.
    SendMessageW(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    {
        std::lock_guard<std::mutex> lock(Lock());
        auto window = FindWindowRecord(hwnd);
        if (window == nullptr)
            return FALSE;
        const RECT old = window->rect;
        window->rect = {pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
        if (old.left == window->rect.left && old.top == window->rect.top)
            pos.flags |= SWP_NOCLIENTMOVE;
        if (old.right - old.left == pos.cx && old.bottom - old.top == pos.cy)
            pos.flags |= SWP_NOCLIENTSIZE;
    }
    SendMessageW(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    return TRUE;
}
