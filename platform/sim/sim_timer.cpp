// Timers of the simulated backend. A timer is a record in its thread's queue with the time it
// is next due; WM_TIMER is made up when the queue is otherwise empty, so timers never pile up
// behind a busy thread.
#include "platform/sim/sim_window.h"

#include <algorithm>

#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_user_state.h"

using namespace sim::detail;

namespace sim::detail {

bool TakeDueTimer(ThreadQueue& queue, HWND filter, UINT filter_min, UINT filter_max, bool remove,
                  MSG* msg) {
    const auto now = Clock::now();
    Timer* earliest = nullptr;
    for (auto& timer : queue.timers) {
        if (timer.due > now || !PassesFilter(timer.hwnd, WM_TIMER, filter, filter_min, filter_max))
            continue;
        if (earliest == nullptr || timer.due < earliest->due)
            earliest = &timer;
    }
    if (earliest == nullptr)
        return false;
    *msg = MSG{earliest->hwnd, WM_TIMER, earliest->id, reinterpret_cast<LPARAM>(earliest->proc),
               GetTickCount(), {}};
    // The next tick counts from now: ticks missed while the thread was busy are not owed.
    if (remove)
        earliest->due = now + std::chrono::milliseconds(earliest->elapse);
    return true;
}

std::optional<Clock::time_point> NextTimerDue(const ThreadQueue& queue, HWND filter,
                                              UINT filter_min, UINT filter_max) {
    std::optional<Clock::time_point> next;
    for (const auto& timer : queue.timers) {
        if (!PassesFilter(timer.hwnd, WM_TIMER, filter, filter_min, filter_max))
            continue;
        if (!next.has_value() || timer.due < *next)
            next = timer.due;
    }
    return next;
}

void KillWindowTimers(HWND hwnd) {
    for (auto& [thread, queue] : User().queues) {
        auto& timers = queue->timers;
        timers.erase(std::remove_if(timers.begin(), timers.end(),
                                    [&](const Timer& t) { return t.hwnd == hwnd; }),
                     timers.end());
    }
}

} // namespace sim::detail

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    std::lock_guard<std::mutex> lock(Lock());
    elapse = std::clamp<UINT>(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    auto queue = CurrentQueue();
    if (hwnd != nullptr) {
        auto window = FindWindowRecord(hwnd);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        if (window->thread != GetCurrentThreadId()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return 0;
        }
    } else {
        // A thread timer keeps its id only when it replaces one of this thread's timers;
        // otherwise the system picks a new one.
        bool known =
            id != 0 && std::any_of(queue->timers.begin(), queue->timers.end(),
                                   [&](const Timer& t) { return t.hwnd == nullptr && t.id == id; });
        if (!known)
            id = queue->next_thread_timer_id++;
    }
    const auto due = Clock::now() + std::chrono::milliseconds(elapse);
    for (auto& timer : queue->timers) {
        if (timer.hwnd == hwnd && timer.id == id) {
            timer = Timer{hwnd, id, elapse, proc, due};
            return id != 0 ? id : 1;
        }
    }
    queue->timers.push_back(Timer{hwnd, id, elapse, proc, due});
    Changed().notify_all();
    return id != 0 ? id : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    std::lock_guard<std::mutex> lock(Lock());
    auto queue = CurrentQueue();
    auto& timers = queue->timers;
    auto it = std::find_if(timers.begin(), timers.end(),
                           [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == timers.end()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    timers.erase(it);
    return TRUE;
}
