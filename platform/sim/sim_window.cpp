// Creation and destruction of windows in the simulated backend, and the parent/owner links.
//
// The messages and their order follow Windows: creation sends WM_NCCREATE, WM_CREATE,
// WM_SIZE, WM_MOVE, WM_PARENTNOTIFY to a child's parent, and shows a WS_VISIBLE window last;
// destruction notifies the parent, destroys owned windows, sends WM_DESTROY to the window and
// then to its children, and WM_NCDESTROY to the children before the window itself; the menu
// bar of a window that is not a child is destroyed with it.
#include "platform/sim/sim_window.h"

#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_menu.h"
#include "platform/sim/sim_module.h"
#include "platform/sim/sim_testing.h"
#include "platform/sim/sim_user_state.h"

using namespace sim::detail;

namespace {

// Where a top-level window goes when the caller leaves it to the system.
constexpr LONG kDefaultLeft = 100;
constexpr LONG kDefaultTop = 100;
constexpr LONG kDefaultWidth = 640;
constexpr LONG kDefaultHeight = 480;

bool IsChildStyle(DWORD style) {
    return (style & (WS_CHILD | WS_POPUP)) == WS_CHILD;
}

void SendParentNotify(HWND hwnd, UINT event) {
    HWND parent = nullptr;
    LONG_PTR id = 0;
    {
        std::lock_guard<std::mutex> lock(Lock());
        auto window = FindWindowRecord(hwnd);
        if (window == nullptr || !IsChildStyle(window->style) ||
            (window->ex_style & WS_EX_NOPARENTNOTIFY) != 0)
            return;
        parent = window->parent;
        id = window->id;
    }
    if (parent != nullptr)
        SendMessageW(parent, WM_PARENTNOTIFY, MAKEWPARAM(event, id),
                     reinterpret_cast<LPARAM>(hwnd));
}

// Every window of the subtree, parents before children.
void CollectSubtree(HWND hwnd, std::vector<HWND>& out) {
    out.push_back(hwnd);
    if (auto window = FindWindowRecord(hwnd)) {
        for (HWND child : window->children)
            CollectSubtree(child, out);
    }
}

void SendDestroy(HWND hwnd) {
    SendMessageW(hwnd, WM_DESTROY, 0, 0);
    std::vector<HWND> children;
    {
        std::lock_guard<std::mutex> lock(Lock());
        if (auto window = FindWindowRecord(hwnd))
            children = window->children;
    }
    for (HWND child : children)
        SendDestroy(child);
}

// WM_NCDESTROY goes to the children first; each window leaves the tables right after its own
// WM_NCDESTROY, so it is still valid while it handles it.
void FreeWindow(HWND hwnd) {
    std::vector<HWND> children;
    {
        std::lock_guard<std::mutex> lock(Lock());
        if (auto window = FindWindowRecord(hwnd))
            children = window->children;
    }
    for (HWND child : children)
        FreeWindow(child);
    SendMessageW(hwnd, WM_NCDESTROY, 0, 0);
    HMENU menu_bar = nullptr;
    {
        std::lock_guard<std::mutex> lock(Lock());
        if (auto window = FindWindowRecord(hwnd)) {
            if (!IsChildStyle(window->style))
                menu_bar = reinterpret_cast<HMENU>(window->id);
            UnlinkWindow(*window);
        }
        Changed().notify_all();
    }
    // The menu bar goes with its window, as on Windows (the menus have their own lock).
    if (menu_bar != nullptr && IsMenu(menu_bar))
        DestroyMenu(menu_bar);
}

// Destroys a window whose creation failed: WM_NCCREATE failure sends only WM_NCDESTROY.
HWND AbandonCreation(HWND hwnd, bool send_destroy) {
    if (send_destroy)
        SendDestroy(hwnd);
    FreeWindow(hwnd);
    return nullptr;
}

} // namespace

HWND CreateWindowExW(DWORD ex_style, LPCWSTR class_name, LPCWSTR window_name, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
    HWND hwnd;
    {
        std::lock_guard<std::mutex> lock(Lock());
        UserState& user = User();
        auto window_class = FindClassRecord(class_name);
        if (window_class == nullptr) {
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
        std::shared_ptr<Window> parent_window;
        if (parent != nullptr) {
            parent_window = FindWindowRecord(parent);
            if (parent_window == nullptr) {
                SetLastError(ERROR_INVALID_WINDOW_HANDLE);
                return nullptr;
            }
        } else if (IsChildStyle(style)) {
            SetLastError(ERROR_TLW_WITH_WSCHILD);
            return nullptr;
        }
        CurrentQueue();

        auto window = std::make_shared<Window>();
        hwnd = reinterpret_cast<HWND>(user.next_hwnd);
        user.next_hwnd += 2;
        window->handle = hwnd;
        window->window_class = window_class;
        window->proc = window_class->wc.lpfnWndProc;
        window->thread = GetCurrentThreadId();
        // WS_VISIBLE is set by the ShowWindow at the end of creation, not before.
        window->style = style & ~static_cast<DWORD>(WS_VISIBLE);
        // Windows corrects the styles of top-level windows: they always clip their
        // siblings, and an overlapped window always has a caption.
        if (!IsChildStyle(style)) {
            window->style |= WS_CLIPSIBLINGS;
            if ((style & WS_POPUP) == 0)
                window->style |= WS_CAPTION;
        }
        window->ex_style = ex_style;
        window->instance = instance;
        window->id = reinterpret_cast<LONG_PTR>(menu);
        window->extra.assign(static_cast<size_t>(window_class->wc.cbWndExtra), 0);

        const bool overlapped = (style & (WS_CHILD | WS_POPUP)) == 0;
        if (x == CW_USEDEFAULT) {
            x = overlapped ? kDefaultLeft : 0;
            y = overlapped ? kDefaultTop : 0;
        }
        if (width == CW_USEDEFAULT) {
            width = overlapped ? kDefaultWidth : 0;
            height = overlapped ? kDefaultHeight : 0;
        }
        window->rect = {x, y, x + width, y + height};

        if (IsChildStyle(style)) {
            window->parent = parent;
            parent_window->children.push_back(hwnd);
        } else {
            // A top-level window created with a parent is owned by that window's top level.
            auto top = parent_window;
            while (top != nullptr && top->parent != nullptr)
                top = FindWindowRecord(top->parent);
            window->owner = top != nullptr ? top->handle : nullptr;
            user.top_level.insert(user.top_level.begin(), hwnd);
        }
        ++window_class->window_count;
        user.windows.emplace(hwnd, window);
    }

    CREATESTRUCTW cs{};
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parent;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = window_name;
    cs.lpszClass = class_name;
    cs.dwExStyle = ex_style;
    {
        std::lock_guard<std::mutex> lock(Lock());
        auto window = FindWindowRecord(hwnd);
        cs.x = window->rect.left;
        cs.y = window->rect.top;
        cs.cx = window->rect.right - window->rect.left;
        cs.cy = window->rect.bottom - window->rect.top;
    }
    if (SendMessageW(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) == 0)
        return AbandonCreation(hwnd, false);
    if (SendMessageW(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1)
        return AbandonCreation(hwnd, true);
    if (!IsWindow(hwnd)) // destroyed by its own WM_CREATE
        return nullptr;

    RECT client{};
    RECT placed{};
    {
        std::lock_guard<std::mutex> lock(Lock());
        auto window = FindWindowRecord(hwnd);
        placed = window->rect;
    }
    GetClientRect(hwnd, &client);
    SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(placed.left, placed.top));
    SendParentNotify(hwnd, WM_CREATE);
    if (!IsWindow(hwnd))
        return nullptr;
    if ((style & WS_VISIBLE) != 0)
        ShowWindow(hwnd, SW_SHOW);
    return hwnd;
}

BOOL DestroyWindow(HWND hwnd) {
    std::vector<HWND> owned;
    {
        std::lock_guard<std::mutex> lock(Lock());
        auto window = FindWindowRecord(hwnd);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        if (window->thread != GetCurrentThreadId()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        // A DestroyWindow from inside the destruction (a WM_DESTROY handler closing itself or
        // a child) has nothing left to do.
        if (window->destroying)
            return TRUE;
        std::vector<HWND> subtree;
        CollectSubtree(hwnd, subtree);
        for (HWND member : subtree) {
            if (auto record = FindWindowRecord(member))
                record->destroying = true;
        }
        for (HWND top : User().top_level) {
            if (auto record = FindWindowRecord(top); record != nullptr && record->owner == hwnd)
                owned.push_back(top);
        }
    }
    SendParentNotify(hwnd, WM_DESTROY);
    // A visible window is hidden first: a child as by ShowWindow, a top-level window by
    // SetWindowPos, which sends no WM_SHOWWINDOW. Activation and focus then leave it.
    bool visible = false;
    bool child = false;
    {
        std::lock_guard<std::mutex> lock(Lock());
        if (auto window = FindWindowRecord(hwnd)) {
            visible = (window->style & WS_VISIBLE) != 0;
            child = IsChildStyle(window->style);
        }
    }
    if (visible && child)
        ShowWindow(hwnd, SW_HIDE);
    else if (visible)
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW);
    AfterHide(hwnd);
    for (HWND owned_window : owned)
        DestroyWindow(owned_window);
    SendDestroy(hwnd);
    FreeWindow(hwnd);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) {
    std::lock_guard<std::mutex> lock(Lock());
    return FindWindowRecord(hwnd) != nullptr ? TRUE : FALSE;
}

HWND GetParent(HWND hwnd) {
    std::lock_guard<std::mutex> lock(Lock());
    auto window = FindWindowRecord(hwnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (IsChildStyle(window->style))
        return window->parent;
    // A top-level window reports its owner only when it is a pop-up, as on Windows.
    return (window->style & WS_POPUP) != 0 ? window->owner : nullptr;
}

BOOL IsChild(HWND parent, HWND hwnd) {
    std::lock_guard<std::mutex> lock(Lock());
    return IsDescendant(parent, hwnd) ? TRUE : FALSE;
}

DWORD GetWindowThreadProcessId(HWND hwnd, LPDWORD process_id) {
    std::lock_guard<std::mutex> lock(Lock());
    auto window = FindWindowRecord(hwnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (process_id != nullptr)
        *process_id = window->process != 0 ? window->process : GetCurrentProcessId();
    return window->thread;
}

void sim::SetWindowProcess(HWND hwnd, DWORD process_id) {
    std::lock_guard<std::mutex> lock(Lock());
    if (auto window = FindWindowRecord(hwnd))
        window->process = process_id;
}
