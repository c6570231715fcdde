// Shared records and helpers of the simulated window system: the tables, the per-thread
// queues and their teardown when a thread ends.
#include "platform/sim/sim_user_state.h"

#include <algorithm>

namespace sim::detail {
namespace {

// When a thread ends, its windows go without messages (there is no thread left to run their
// window procedures), and anyone still waiting for it to handle a sent message gets 0.
void DropQueueOfExitingThread() {
    std::lock_guard<std::mutex> lock(Lock());
    UserState& user = User();
    const DWORD thread = GetCurrentThreadId();
    auto it = user.queues.find(thread);
    if (it == user.queues.end())
        return;
    // FIXME: Windows destroys the windows of an ending thread through its window manager;
    // the simulation simply forgets them, children before parents.
    std::vector<std::shared_ptr<Window>> owned;
    for (auto& [handle, window] : user.windows) {
        if (window->thread == thread)
            owned.push_back(window);
    }
    for (auto& window : owned) {
        window->children.clear();
        window->parent = nullptr;
    }
    for (auto& window : owned)
        UnlinkWindow(*window);
    for (auto& sent : it->second->sent)
        sent->done = true;
    user.queues.erase(it);
    Changed().notify_all();
}

} // namespace

UserState& User() {
    // Leaked for the same reason as the dispatcher state: threads may outlive static
    // destruction.
    static UserState* state = [] {
        auto* fresh = new UserState;
        AddSystemClasses(*fresh);
        return fresh;
    }();
    return *state;
}

std::u16string FoldCase(const WCHAR* text) {
    // NOTE: class names and titles compare without case for ASCII letters only, which is all
    // the names this system uses.
    std::u16string folded;
    for (; text != nullptr && *text != 0; ++text) {
        WCHAR c = *text;
        folded.push_back(c >= u'a' && c <= u'z' ? static_cast<WCHAR>(c - u'a' + u'A') : c);
    }
    return folded;
}

std::shared_ptr<Window> FindWindowRecord(HWND hwnd) {
    auto& windows = User().windows;
    auto it = windows.find(hwnd);
    return it == windows.end() ? nullptr : it->second;
}

std::shared_ptr<WindowClass> FindClassRecord(LPCWSTR name_or_atom) {
    if (name_or_atom == nullptr)
        return nullptr;
    UserState& user = User();
    if (IS_INTRESOURCE(name_or_atom)) {
        ATOM atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name_or_atom));
        for (auto& [name, record] : user.classes) {
            if (record->atom == atom)
                return record;
        }
        return nullptr;
    }
    auto it = user.classes.find(FoldCase(name_or_atom));
    return it == user.classes.end() ? nullptr : it->second;
}

std::shared_ptr<ThreadQueue> CurrentQueue() {
    UserState& user = User();
    const DWORD thread = GetCurrentThreadId();
    auto& queue = user.queues[thread];
    if (queue == nullptr) {
        queue = std::make_shared<ThreadQueue>();
        queue->thread = thread;
        SetThreadExitHook(&DropQueueOfExitingThread);
    }
    return queue;
}

bool IsDescendant(HWND ancestor, HWND hwnd) {
    auto window = FindWindowRecord(hwnd);
    while (window != nullptr && window->parent != nullptr) {
        if (window->parent == ancestor)
            return true;
        window = FindWindowRecord(window->parent);
    }
    return false;
}

void UnlinkWindow(Window& window) {
    UserState& user = User();
    if (window.parent != nullptr) {
        if (auto parent = FindWindowRecord(window.parent)) {
            auto& siblings = parent->children;
            siblings.erase(std::remove(siblings.begin(), siblings.end(), window.handle),
                           siblings.end());
        }
    } else {
        user.top_level.erase(
            std::remove(user.top_level.begin(), user.top_level.end(), window.handle),
            user.top_level.end());
    }
    // Messages still queued for the window are dropped with it.
    auto queue = user.queues.find(window.thread);
    if (queue != user.queues.end()) {
        auto& posted = queue->second->posted;
        posted.erase(std::remove_if(posted.begin(), posted.end(),
                                    [&](const MSG& m) { return m.hwnd == window.handle; }),
                     posted.end());
        auto& input = queue->second->input;
        input.erase(
            std::remove_if(input.begin(), input.end(),
                           [&](const InputMessage& m) { return m.msg.hwnd == window.handle; }),
            input.end());
    }
    // A window that goes without the messages of a hide (a hidden window, or one of a thread
    // that ends) leaves focus, activation and the foreground silently.
    if (queue != user.queues.end()) {
        ThreadQueue& q = *queue->second;
        if (q.focus == window.handle)
            q.focus = nullptr;
        if (q.active == window.handle)
            q.active = nullptr;
    }
    if (user.foreground == window.handle)
        user.foreground = nullptr;
    if (user.capture == window.handle)
        user.capture = nullptr;
    KillWindowTimers(window.handle);
    if (window.window_class != nullptr)
        --window.window_class->window_count;
    user.windows.erase(window.handle);
}

LRESULT CallProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                 MessageRoute route) {
    LogMessage(hwnd, message, wparam, lparam, route);
    return proc != nullptr ? proc(hwnd, message, wparam, lparam) : 0;
}

bool PassesFilter(HWND msg_hwnd, UINT message, HWND filter, UINT filter_min, UINT filter_max) {
    if (filter == reinterpret_cast<HWND>(-1)) {
        if (msg_hwnd != nullptr)
            return false;
    } else if (filter != nullptr) {
        if (msg_hwnd != filter && !IsDescendant(filter, msg_hwnd))
            return false;
    }
    if (filter_min == 0 && filter_max == 0)
        return true;
    if (filter_min <= filter_max)
        return message >= filter_min && message <= filter_max;
    // A reversed range wraps around, as on Windows.
    return message >= filter_min || message <= filter_max;
}

} // namespace sim::detail
