// Mouse messages, the capture and the cursor of the simulated backend (sim_mouse.h), and the
// retrieval of input messages from a queue.
#include "platform/sim/sim_mouse.h"

#include <cstdlib>

#include "platform/sim/sim_focus.h"
#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_user_state.h"

using namespace sim::detail;

namespace {

constexpr UINT kDoubleClickTime = 500; // milliseconds, the Windows default
constexpr LONG kDoubleClickReach = 2;  // half of SM_CXDOUBLECLK, as Wine compares

bool Contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

bool IsButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

bool IsDoubleClick(UINT message) {
    return message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK ||
           message == WM_MBUTTONDBLCLK;
}

WPARAM KeyFlags(const KeyState& state) {
    WPARAM flags = 0;
    const struct {
        int vk;
        WPARAM flag;
    } kFlags[] = {{VK_LBUTTON, MK_LBUTTON},
                  {VK_RBUTTON, MK_RBUTTON},
                  {VK_MBUTTON, MK_MBUTTON},
                  {VK_SHIFT, MK_SHIFT},
                  {VK_CONTROL, MK_CONTROL}};
    for (const auto& f : kFlags) {
        if ((state[static_cast<size_t>(f.vk)] & 0x80) != 0)
            flags |= f.flag;
    }
    return flags;
}

// The visible child of window under a screen point, down to the deepest one. Lock held.
HWND Descend(const std::shared_ptr<Window>& window, POINT screen) {
    POINT origin;
    if (!ClientOrigin(window->handle, &origin))
        return window->handle;
    for (HWND child : window->children) {
        auto record = FindWindowRecord(child);
        if (record == nullptr || (record->style & WS_VISIBLE) == 0)
            continue;
        const RECT& r = record->rect;
        RECT on_screen{r.left + origin.x, r.top + origin.y, r.right + origin.x,
                       r.bottom + origin.y};
        if (!Contains(on_screen, screen))
            continue;
        if ((record->style & WS_DISABLED) != 0)
            return window->handle;
        return Descend(record, screen);
    }
    return window->handle;
}

HWND RootOf(HWND hwnd) {
    std::lock_guard<std::mutex> lock(Lock());
    auto window = FindWindowRecord(hwnd);
    while (window != nullptr && window->parent != nullptr)
        window = FindWindowRecord(window->parent);
    return window != nullptr ? window->handle : nullptr;
}

// What Windows does before handing out a mouse message: activation for a button-down, then
// WM_SETCURSOR. Answers true when the message is to be eaten. Lock released.
bool BeforeMouseMessage(const MSG& msg) {
    bool eat = false;
    if (IsButtonDown(msg.message) || IsDoubleClick(msg.message)) {
        HWND top = RootOf(msg.hwnd);
        if (msg.hwnd != GetActiveWindow()) {
            const LRESULT answer =
                SendMessageW(msg.hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top),
                             MAKELPARAM(HTCLIENT, msg.message));
            bool activate = true;
            switch (answer) {
            case MA_NOACTIVATEANDEAT:
                eat = true;
                activate = false;
                break;
            case MA_NOACTIVATE:
                activate = false;
                break;
            case MA_ACTIVATEANDEAT:
                eat = true;
                break;
            default:
                break;
            }
            if (activate && top != nullptr && GetActiveWindow() != top) {
                SetActive(top, true, true);
                if (GetActiveWindow() != top)
                    eat = true;
            }
        }
    }
    if (IsWindow(msg.hwnd))
        SendMessageW(msg.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(msg.hwnd),
                     MAKELPARAM(HTCLIENT, msg.message));
    return eat;
}

} // namespace

namespace sim::detail {

HWND WindowAt(POINT screen) {
    UserState& user = User();
    // Topmost windows lie above the others.
    for (int pass = 0; pass < 2; ++pass) {
        for (HWND top : user.top_level) {
            auto window = FindWindowRecord(top);
            if (window == nullptr || (window->style & WS_VISIBLE) == 0 ||
                ((window->ex_style & WS_EX_TOPMOST) != 0) != (pass == 0) ||
                !Contains(window->rect, screen))
                continue;
            if ((window->style & WS_DISABLED) != 0)
                return nullptr;
            return Descend(window, screen);
        }
    }
    return nullptr;
}

void DeliverMouse(UINT message, POINT cursor, DWORD wheel_data, const KeyState& before,
                  const KeyState& after, DWORD time) {
    std::lock_guard<std::mutex> lock(Lock());
    UserState& user = User();
    MSG msg{nullptr, message, KeyFlags(after), 0, time, cursor};
    if (message == WM_MOUSEWHEEL) {
        auto foreground = FindWindowRecord(user.foreground);
        if (foreground == nullptr)
            return;
        auto queue = user.queues.find(foreground->thread);
        if (queue == user.queues.end())
            return;
        msg.hwnd = queue->second->focus != nullptr ? queue->second->focus : queue->second->active;
        msg.wParam = MAKEWPARAM(msg.wParam, static_cast<WORD>(wheel_data));
        msg.lParam = MAKELPARAM(cursor.x, cursor.y);
    } else {
        msg.hwnd = user.capture != nullptr ? user.capture : WindowAt(cursor);
    }
    auto window = FindWindowRecord(msg.hwnd);
    if (window == nullptr)
        return;
    auto queue = user.queues.find(window->thread);
    if (queue == user.queues.end())
        return;
    auto& input = queue->second->input;
    if (message == WM_MOUSEMOVE && !input.empty() && input.back().msg.message == WM_MOUSEMOVE &&
        input.back().msg.hwnd == msg.hwnd) {
        input.back().msg = msg;
    } else {
        input.push_back(InputMessage{msg, before});
    }
    Changed().notify_all();
}

bool TakeInput(std::unique_lock<std::mutex>& lock, ThreadQueue& queue, MSG* msg, HWND filter,
               UINT filter_min, UINT filter_max, bool remove) {
    for (;;) {
        auto it = queue.input.begin();
        while (it != queue.input.end() &&
               !PassesFilter(it->msg.hwnd, it->msg.message, filter, filter_min, filter_max))
            ++it;
        if (it == queue.input.end())
            return false;
        MSG m = it->msg;
        const bool mouse = m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST;
        auto window = FindWindowRecord(m.hwnd);
        if (mouse && m.message != WM_MOUSEWHEEL && window != nullptr) {
            POINT origin;
            ClientOrigin(m.hwnd, &origin);
            // The client coordinates travel as two 16-bit values, so a point left of or
            // above the window arrives as their two's complement.
            m.lParam = MAKELPARAM(m.pt.x - origin.x, m.pt.y - origin.y);
            if (remove && IsButtonDown(m.message)) {
                const MSG& last = queue.last_click;
                if ((window->window_class->wc.style & CS_DBLCLKS) != 0 &&
                    last.message == m.message && last.hwnd == m.hwnd &&
                    m.time - last.time < kDoubleClickTime &&
                    std::abs(m.pt.x - last.pt.x) < kDoubleClickReach &&
                    std::abs(m.pt.y - last.pt.y) < kDoubleClickReach) {
                    m.message += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
                    queue.last_click = MSG{};
                } else {
                    queue.last_click = m;
                }
            }
        }
        if (!remove) {
            *msg = m;
            return true;
        }
        queue.input.erase(it);
        if (!mouse || m.message == WM_MOUSEWHEEL) {
            *msg = m;
            return true;
        }
        lock.unlock();
        const bool eat = BeforeMouseMessage(m);
        lock.lock();
        if (!eat && FindWindowRecord(m.hwnd) != nullptr) {
            *msg = m;
            return true;
        }
    }
}

} // namespace sim::detail

HWND WindowFromPoint(POINT point) {
    std::lock_guard<std::mutex> lock(Lock());
    return WindowAt(point);
}

HWND ChildWindowFromPoint(HWND parent, POINT point) {
    std::lock_guard<std::mutex> lock(Lock());
    auto window = FindWindowRecord(parent);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    const RECT client{0, 0, window->rect.right - window->rect.left,
                      window->rect.bottom - window->rect.top};
    if (!Contains(client, point))
        return nullptr;
    for (HWND child : window->children) {
        auto record = FindWindowRecord(child);
        if (record != nullptr && Contains(record->rect, point))
            return child;
    }
    return parent;
}

HCURSOR SetCursor(HCURSOR cursor) {
    std::lock_guard<std::mutex> lock(Lock());
    HCURSOR previous = User().cursor;
    User().cursor = cursor;
    return previous;
}

HCURSOR GetCursor() {
    std::lock_guard<std::mutex> lock(Lock());
    return User().cursor;
}

HWND SetCapture(HWND hwnd) {
    HWND previous;
    {
        std::lock_guard<std::mutex> lock(Lock());
        if (FindWindowRecord(hwnd) == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        previous = User().capture;
        User().capture = hwnd;
    }
    if (previous != nullptr && previous != hwnd)
        SendMessageW(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return previous;
}

BOOL ReleaseCapture() {
    HWND previous;
    {
        std::lock_guard<std::mutex> lock(Lock());
        previous = User().capture;
        User().capture = nullptr;
    }
    if (previous != nullptr)
        SendMessageW(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    std::lock_guard<std::mutex> lock(Lock());
    auto window = FindWindowRecord(User().capture);
    return window != nullptr && window->thread == GetCurrentThreadId() ? window->handle : nullptr;
}

UINT GetDoubleClickTime() {
    return kDoubleClickTime;
}
