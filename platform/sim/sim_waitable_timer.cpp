// Waitable timers of the simulated backend. A set timer is a due time on its kernel object;
// every wait that includes the timer fires it when the time has come (FireDueTimers), so no
// thread is needed behind it.
#include "platform/sim/sim_waitable_timer.h"

#include "platform/sim/sim_dispatcher.h"
#include "platform/sim/sim_heap.h"

using namespace sim::detail;

namespace {

HANDLE NewTimer(bool manual_reset, LPCWSTR name) {
    if (name != nullptr) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return nullptr;
    }
    auto object = std::make_shared<KernelObject>();
    object->kind = ObjectKind::Timer;
    object->manual_reset = manual_reset;
    std::lock_guard<std::mutex> lock(Lock());
    return InsertHandle(std::move(object));
}

std::shared_ptr<KernelObject> FindTimer(HANDLE timer) {
    auto object = LookupHandle(timer);
    if (object == nullptr || object->kind != ObjectKind::Timer) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return object;
}

} // namespace

namespace sim::detail {

Clock::time_point FireDueTimers(const std::vector<std::shared_ptr<KernelObject>>& objects) {
    auto next = Clock::time_point::max();
    auto now = Clock::now();
    for (const auto& object : objects) {
        if (object->kind != ObjectKind::Timer || !object->armed)
            continue;
        if (object->due <= now) {
            object->armed = false;
            object->signalled = true;
        } else if (object->due < next) {
            next = object->due;
        }
    }
    return next;
}

} // namespace sim::detail

HANDLE CreateWaitableTimerExW(LPSECURITY_ATTRIBUTES, LPCWSTR name, DWORD flags, DWORD) {
    if ((flags & ~(CREATE_WAITABLE_TIMER_MANUAL_RESET | CREATE_WAITABLE_TIMER_HIGH_RESOLUTION)) !=
        0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return NewTimer((flags & CREATE_WAITABLE_TIMER_MANUAL_RESET) != 0, name);
}

HANDLE CreateWaitableTimerW(LPSECURITY_ATTRIBUTES, BOOL manual_reset, LPCWSTR name) {
    return NewTimer(manual_reset != FALSE, name);
}

BOOL SetWaitableTimer(HANDLE timer, const LARGE_INTEGER* due, LONG period,
                      PTIMERAPCROUTINE completion, LPVOID, BOOL) {
    if (due == nullptr || due->QuadPart > 0 || period != 0 || completion != nullptr) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    std::lock_guard<std::mutex> lock(Lock());
    auto object = FindTimer(timer);
    if (object == nullptr)
        return FALSE;
    // Setting a timer resets it, as on Windows.
    object->signalled = false;
    object->armed = true;
    object->due = Clock::now() + std::chrono::nanoseconds(-due->QuadPart * 100);
    Changed().notify_all();
    return TRUE;
}

BOOL CancelWaitableTimer(HANDLE timer) {
    std::lock_guard<std::mutex> lock(Lock());
    auto object = FindTimer(timer);
    if (object == nullptr)
        return FALSE;
    object->armed = false;
    return TRUE;
}
