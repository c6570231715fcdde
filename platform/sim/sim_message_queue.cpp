// Sending, posting and retrieving messages in the simulated backend.
//
// A thread's queue holds the messages sent to its windows from other threads, the posted
// messages and the quit flag; timers are checked when nothing else is waiting. A thread
// handles the messages sent to it whenever it retrieves messages or waits in a send of its
// own, which is what keeps two threads that send to each other from deadlocking.
#include "platform/sim/sim_window.h"

#include <algorithm>
#include <chrono>

#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_input.h"
#include "platform/sim/sim_user_state.h"

using namespace sim::detail;

namespace {

using Guard = std::unique_lock<std::mutex>;

// Handles the oldest message sent to this thread by another one and wakes its sender.
// Called with the lock held; releases it around the window procedure.
void HandleOneSent(Guard& lock, ThreadQueue& queue) {
    auto sent = queue.sent.front();
    queue.sent.pop_front();
    auto window = FindWindowRecord(sent->hwnd);
    WNDPROC proc = window != nullptr ? window->proc : nullptr;
    LRESULT result = 0;
    if (proc != nullptr) {
        lock.unlock();
        result = CallProc(proc, sent->hwnd, sent->message, sent->wparam, sent->lparam,
                          sim::MessageRoute::Sent);
        lock.lock();
    }
    sent->result = result;
    sent->done = true;
    Changed().notify_all();
}

// One pass over the queue in Windows' order: sent messages (always handled, whatever the
// filter), posted messages, key and mouse input, the quit message, a due timer.
bool Retrieve(Guard& lock, ThreadQueue& queue, MSG* msg, HWND filter, UINT filter_min,
              UINT filter_max, bool remove) {
    while (!queue.sent.empty())
        HandleOneSent(lock, queue);
    for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
        if (PassesFilter(it->hwnd, it->message, filter, filter_min, filter_max)) {
            *msg = *it;
            if (remove)
                queue.posted.erase(it);
            return true;
        }
    }
    if (TakeInput(lock, queue, msg, filter, filter_min, filter_max, remove))
        return true;
    if (queue.quit_pending && PassesFilter(nullptr, WM_QUIT, nullptr, filter_min, filter_max)) {
        *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue.quit_code), 0, GetTickCount(), {}};
        if (remove)
            queue.quit_pending = false;
        return true;
    }
    return TakeDueTimer(queue, filter, filter_min, filter_max, remove, msg);
}

bool IsValidFilter(HWND filter) {
    return filter == nullptr || filter == reinterpret_cast<HWND>(-1) ||
           FindWindowRecord(filter) != nullptr;
}

BOOL PostTo(DWORD thread, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto it = User().queues.find(thread);
    if (it == User().queues.end()) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    // The message carries the cursor position of its posting. (The input stream's lock is
    // only ever taken inside this one, never the other way round.)
    POINT cursor{};
    GetCursorPos(&cursor);
    it->second->posted.push_back(MSG{hwnd, message, wparam, lparam, GetTickCount(), cursor});
    Changed().notify_all();
    return TRUE;
}

} // namespace

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    Guard lock(Lock());
    auto window = FindWindowRecord(hwnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (window->thread == GetCurrentThreadId()) {
        WNDPROC proc = window->proc;
        lock.unlock();
        return CallProc(proc, hwnd, message, wparam, lparam, sim::MessageRoute::Sent);
    }
    auto target = User().queues.find(window->thread);
    if (target == User().queues.end())
        return 0;
    auto sent = std::make_shared<SentMessage>(SentMessage{hwnd, message, wparam, lparam});
    target->second->sent.push_back(sent);
    Changed().notify_all();
    auto own = CurrentQueue();
    while (!sent->done) {
        if (!own->sent.empty())
            HandleOneSent(lock, *own);
        else
            Changed().wait(lock);
    }
    return sent->result;
}

namespace sim::detail {

TimedSendOutcome SendMessageWithin(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                   DWORD limit_ms, LRESULT* result) {
    *result = 0;
    Guard lock(Lock());
    auto window = FindWindowRecord(hwnd);
    if (window == nullptr)
        return TimedSendOutcome::NoReceiver;
    if (window->thread == GetCurrentThreadId()) {
        WNDPROC proc = window->proc;
        lock.unlock();
        *result = CallProc(proc, hwnd, message, wparam, lparam, sim::MessageRoute::Sent);
        return TimedSendOutcome::Answered;
    }
    auto target = User().queues.find(window->thread);
    if (target == User().queues.end())
        return TimedSendOutcome::NoReceiver;
    auto queue = target->second;
    auto sent = std::make_shared<SentMessage>(SentMessage{hwnd, message, wparam, lparam});
    queue->sent.push_back(sent);
    Changed().notify_all();
    auto own = CurrentQueue();
    const auto deadline = Clock::now() + std::chrono::milliseconds(limit_ms);
    while (!sent->done) {
        // Like SendMessageW, the waiting thread handles what others send to it meanwhile.
        if (!own->sent.empty()) {
            HandleOneSent(lock, *own);
            continue;
        }
        if (Clock::now() >= deadline) {
            auto it = std::find(queue->sent.begin(), queue->sent.end(), sent);
            if (it == queue->sent.end())
                return TimedSendOutcome::Abandoned;
            queue->sent.erase(it);
            return TimedSendOutcome::TakenBack;
        }
        Changed().wait_until(lock, deadline);
    }
    *result = sent->result;
    return TimedSendOutcome::Answered;
}

} // namespace sim::detail

LRESULT SendMessageTimeoutW(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT,
                            UINT timeout_ms, PDWORD_PTR result) {
    LRESULT answer = 0;
    switch (SendMessageWithin(hwnd, message, wparam, lparam, timeout_ms, &answer)) {
    case TimedSendOutcome::Answered:
        if (result != nullptr)
            *result = static_cast<DWORD_PTR>(answer);
        return 1;
    case TimedSendOutcome::NoReceiver:
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    case TimedSendOutcome::TakenBack:
    case TimedSendOutcome::Abandoned:
        break;
    }
    SetLastError(ERROR_TIMEOUT);
    return 0;
}

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    Guard lock(Lock());
    if (hwnd == nullptr) // a thread message to the calling thread
        return PostTo(CurrentQueue()->thread, nullptr, message, wparam, lparam);
    auto window = FindWindowRecord(hwnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return PostTo(window->thread, hwnd, message, wparam, lparam);
}

BOOL PostThreadMessageW(DWORD thread_id, UINT message, WPARAM wparam, LPARAM lparam) {
    // Only a thread that has a queue (it has called a window or message function) can
    // receive, as on Windows.
    Guard lock(Lock());
    return PostTo(thread_id, nullptr, message, wparam, lparam);
}

BOOL GetMessageW(LPMSG msg, HWND hwnd, UINT filter_min, UINT filter_max) {
    Guard lock(Lock());
    if (msg == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    if (!IsValidFilter(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return -1;
    }
    auto queue = CurrentQueue();
    for (;;) {
        if (Retrieve(lock, *queue, msg, hwnd, filter_min, filter_max, true))
            return msg->message != WM_QUIT ? TRUE : FALSE;
        auto due = NextTimerDue(*queue, hwnd, filter_min, filter_max);
        if (due.has_value())
            Changed().wait_until(lock, *due);
        else
            Changed().wait(lock);
    }
}

BOOL PeekMessageW(LPMSG msg, HWND hwnd, UINT filter_min, UINT filter_max, UINT remove) {
    Guard lock(Lock());
    if (msg == nullptr || !IsValidFilter(hwnd)) {
        SetLastError(msg == nullptr ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    auto queue = CurrentQueue();
    return Retrieve(lock, *queue, msg, hwnd, filter_min, filter_max, (remove & PM_REMOVE) != 0)
               ? TRUE
               : FALSE;
}

LRESULT DispatchMessageW(const MSG* msg) {
    if (msg == nullptr)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam != 0) {
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    if (msg->hwnd == nullptr) // thread messages have no window to go to
        return 0;
    WNDPROC proc;
    {
        Guard lock(Lock());
        auto window = FindWindowRecord(msg->hwnd);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        if (window->thread != GetCurrentThreadId()) {
            SetLastError(ERROR_WINDOW_OF_OTHER_THREAD);
            return 0;
        }
        proc = window->proc;
    }
    return CallProc(proc, msg->hwnd, msg->message, msg->wParam, msg->lParam,
                    sim::MessageRoute::Posted);
}

void PostQuitMessage(int exit_code) {
    Guard lock(Lock());
    auto queue = CurrentQueue();
    queue->quit_pending = true;
    queue->quit_code = exit_code;
    Changed().notify_all();
}

DWORD GetQueueStatus(UINT flags) {
    Guard lock(Lock());
    auto queue = CurrentQueue();
    DWORD status = 0;
    if (!queue->sent.empty())
        status |= QS_SENDMESSAGE;
    if (!queue->posted.empty() || queue->quit_pending)
        status |= QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
    for (const InputMessage& input : queue->input) {
        const UINT m = input.msg.message;
        status |= m == WM_MOUSEMOVE                         ? QS_MOUSEMOVE
                  : m >= WM_MOUSEFIRST && m <= WM_MOUSELAST ? QS_MOUSEBUTTON
                                                            : QS_KEY;
    }
    if (NextTimerDue(*queue, nullptr, 0, 0).value_or(Clock::time_point::max()) <= Clock::now())
        status |= QS_TIMER;
    status &= flags;
    return (status << 16) | status;
}
