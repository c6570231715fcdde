// Windows timing of the replay, with its own loop (Google Benchmark is not packaged for
// mingw-w64): the actual length of 200 key holds of 50 ms and of 200 delays of 10 ms, seen by
// a low-level keyboard hook as real injected input, and of the deadline wait alone; plain
// Sleep as the reference of the same run; and the stop latency of a worker in a long delay.
// Prints median and 99th percentile of each error.
#include "platform/platform.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/replay_engine.h"
#include "app/step_list.h"
#include "runtime/shell/deadline_wait.h"

namespace {

constexpr int kRuns = 200;
constexpr DWORD kF13 = 0x7C;

double ToMs(LONGLONG ticks) {
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(CDeadlineWait::Frequency());
}

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    size_t i = static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

void Print(const char* what, const std::vector<double>& errors) {
    std::printf("%-44s median %7.3f ms   p99 %7.3f ms   max %7.3f ms  (n=%zu)\n", what,
                Percentile(errors, 0.5), Percentile(errors, 0.99), Percentile(errors, 1.0),
                errors.size());
}

std::vector<LONGLONG> g_times; // QPC of each injected F13 event, main thread only

LRESULT CALLBACK Record(int code, WPARAM wparam, LPARAM lparam) {
    auto* record = reinterpret_cast<KBDLLHOOKSTRUCT*>(lparam);
    if (code == HC_ACTION && record->vkCode == kF13 && (record->flags & LLKHF_INJECTED))
        g_times.push_back(CDeadlineWait::Now());
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

void RunAndPump(const WCHAR* steps, int32_t count) {
    g_times.clear();
    StepList.LoadFromText(steps);
    StartReplay(count);
    while (!WaitForReplayWorker(0)) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

std::vector<double> Gaps(size_t first, size_t step, double ms) {
    std::vector<double> errors;
    for (size_t i = first; i + 1 < g_times.size(); i += step)
        errors.push_back(ToMs(g_times[i + 1] - g_times[i]) - ms);
    return errors;
}

} // namespace

int wmain() {
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, Record, GetModuleHandleW(nullptr), 0);
    if (hook == nullptr) {
        std::printf("no keyboard hook\n");
        return 1;
    }
    CDeadlineWait probe;
    std::printf("high-resolution timer: %s\n", probe.IsHighResolution() ? "yes" : "no (fallback)");

    // The wait itself, and plain Sleep as the reference.
    std::vector<double> wait_errors, sleep_errors;
    for (int i = 0; i < kRuns; ++i) {
        LONGLONG start = CDeadlineWait::Now();
        probe.WaitUntil(CDeadlineWait::After(start, 50), nullptr);
        wait_errors.push_back(ToMs(CDeadlineWait::Now() - start) - 50.0);
    }
    for (int i = 0; i < kRuns; ++i) {
        LONGLONG start = CDeadlineWait::Now();
        Sleep(50);
        sleep_errors.push_back(ToMs(CDeadlineWait::Now() - start) - 50.0);
    }
    Print("deadline wait 50 ms", wait_errors);
    Print("Sleep(50) (reference)", sleep_errors);

    // Key holds: down to up of each press, as the hook sees them.
    RunAndPump(L"A124", kRuns);
    Print("replay key hold 50 ms (hook)", Gaps(0, 2, 50.0));
    // Delays: up of one press to down of the next, around a D10.
    RunAndPump(L"A124 D10", kRuns);
    Print("replay delay 10 ms + one key-down (hook)", Gaps(1, 2, 10.0));

    // Stop latency: from StopReplay to the worker's end, while it waits in a long delay.
    std::vector<double> latencies;
    StepList.LoadFromText(L"D60000");
    for (int i = 0; i < kRuns; ++i) {
        StartReplay(1);
        Sleep(2);
        LONGLONG start = CDeadlineWait::Now();
        StopReplay();
        WaitForReplayWorker(INFINITE);
        latencies.push_back(ToMs(CDeadlineWait::Now() - start));
    }
    Print("stop latency (StopReplay to worker end)", latencies);
    StepList.Clear();
    UnhookWindowsHookEx(hook);
    return 0;
}
