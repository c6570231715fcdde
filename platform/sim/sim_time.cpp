// Clocks and Sleep of the simulated backend, all read from the monotonic clock.
#include "platform/sim/sim_thread.h"

#include <chrono>
#include <thread>

namespace {
using Clock = std::chrono::steady_clock;

ULONGLONG MillisecondsSinceStart() {
    return static_cast<ULONGLONG>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch())
            .count());
}
} // namespace

void Sleep(DWORD milliseconds) {
    if (milliseconds == 0) {
        std::this_thread::yield();
        return;
    }
    if (milliseconds == INFINITE) {
        for (;;)
            std::this_thread::sleep_for(std::chrono::hours(24));
    }
    // sleep_for waits at least the given time, which is all that callers may rely on.
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

DWORD GetTickCount() {
    return static_cast<DWORD>(MillisecondsSinceStart());
}
ULONGLONG GetTickCount64() {
    return MillisecondsSinceStart();
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
    if (count == nullptr)
        return FALSE;
    count->QuadPart =
        std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
            .count();
    return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
    if (frequency == nullptr)
        return FALSE;
    frequency->QuadPart = 1000000000; // the counter counts nanoseconds
    return TRUE;
}
