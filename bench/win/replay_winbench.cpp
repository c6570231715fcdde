// Windows timing of the replay, with its own loop (Google Benchmark is not packaged for
// mingw-w64): the actual length of 200 key holds of 50 ms and of 200 delays of 10 ms, seen by
// a low-level keyboard hook as real injected input, and of the deadline wait alone; plain
// Sleep as the reference of the same run; and the stop latency of a worker in a long delay.
// Prints median and 99th percentile of each error.
//
// Then where the time of a short run goes, a pass of a key step against a pass of a delay as
// long. Then the drift of long runs: 500 passes of D10 and 100 passes of a key step and D5, the
// run's real length less the sum of its holds and delays, with the run's timetable and with
// every wait timed from its own step's start (catch-up limit 0, the reference), the two taking
// turns; and the errors of the single holds and delays of the second scheme in both.
#include "platform/platform.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <utility>
#include <vector>

#include "app/replay/replay_engine.h"
#include "app/steps/step_list.h"
#include "app/replay/replay_schedule.h"
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
// The start request and the moment the worker was seen ended, of the last RunAndPump.
LONGLONG g_run_start = 0, g_run_end = 0;

LRESULT CALLBACK Record(int code, WPARAM wparam, LPARAM lparam) {
    auto* record = reinterpret_cast<KBDLLHOOKSTRUCT*>(lparam);
    if (code == HC_ACTION && record->vkCode == kF13 && (record->flags & LLKHF_INJECTED))
        g_times.push_back(CDeadlineWait::Now());
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

// Runs the steps count times, pumping for the hook; the run's length in ms, from the start
// request until the worker is seen ended (polled at least every millisecond).
double RunAndPump(const WCHAR* steps, int32_t count) {
    g_times.clear();
    StepList.LoadFromText(steps);
    LONGLONG start = CDeadlineWait::Now();
    StartReplay(count);
    while (!WaitForReplayWorker(0)) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    g_run_start = start;
    g_run_end = CDeadlineWait::Now();
    double length = ToMs(g_run_end - start);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    return length;
}

std::vector<double> Gaps(size_t first, size_t step, double ms) {
    std::vector<double> errors;
    for (size_t i = first; i + 1 < g_times.size(); i += step)
        errors.push_back(ToMs(g_times[i + 1] - g_times[i]) - ms);
    return errors;
}

double Median(std::vector<double> v) {
    return Percentile(std::move(v), 0.5);
}

// One long scheme, run with the timetable and with per-step waits in turn.
struct DriftCase {
    const char* name;
    const WCHAR* steps;
    int32_t passes;
    double nominal_ms;            // the sum of its holds and delays
    std::vector<double> drift[2]; // [0] timetable, [1] reference
    std::vector<double> holds[2], delays[2];
};

void MeasureDrift(DriftCase& c, int rounds) {
    for (int r = 0; r < rounds; ++r) {
        for (int mode = 0; mode < 2; ++mode) {
            SetReplayCatchUpLimit(mode == 0 ? CReplaySchedule::kCatchUpLimitMs : 0);
            c.drift[mode].push_back(RunAndPump(c.steps, c.passes) - c.nominal_ms);
            std::vector<double> h = Gaps(0, 2, 50.0), d = Gaps(1, 2, 5.0);
            c.holds[mode].insert(c.holds[mode].end(), h.begin(), h.end());
            c.delays[mode].insert(c.delays[mode].end(), d.begin(), d.end());
        }
    }
    SetReplayCatchUpLimit(CReplaySchedule::kCatchUpLimitMs);
}

void PrintDrift(const DriftCase& c) {
    static const char* const kModes[] = {"timetable", "per-step waits (reference)"};
    for (int mode = 0; mode < 2; ++mode) {
        auto [low, high] = std::minmax_element(c.drift[mode].begin(), c.drift[mode].end());
        std::printf("%-18s %-28s drift median %8.3f ms  (min %.3f, max %.3f, n=%zu) over %.0f ms\n",
                    c.name, kModes[mode], Median(c.drift[mode]), *low, *high, c.drift[mode].size(),
                    c.nominal_ms);
    }
}

// The single holds and delays, the wait alone, plain Sleep as the reference, and the stop
// latency.
void MeasureSteps(CDeadlineWait& probe) {
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
        // Into its delay: the pass has begun (the worker made ready by the run before may
        // still have been getting ready), and a little more.
        int32_t pass = 0, count = 0;
        while (!GetReplayProgress(pass, count))
            Sleep(0);
        Sleep(2);
        LONGLONG start = CDeadlineWait::Now();
        StopReplay();
        WaitForReplayWorker(INFINITE);
        latencies.push_back(ToMs(CDeadlineWait::Now() - start));
    }
    Print("stop latency (StopReplay to worker end)", latencies);
}

} // namespace

// With the argument "runs", only the figures of whole runs (a pass against a delay's, and the
// long runs); without, everything.
int wmain(int argc, wchar_t** argv) {
    const bool runs_only = argc > 1 && std::wcscmp(argv[1], L"runs") == 0;
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, Record, GetModuleHandleW(nullptr), 0);
    if (hook == nullptr) {
        std::printf("no keyboard hook\n");
        return 1;
    }
    CDeadlineWait probe;
    std::printf("high-resolution timer: %s\n", probe.IsHighResolution() ? "yes" : "no (fallback)");

    if (!runs_only)
        MeasureSteps(probe);
    else
        RunAndPump(L"A124", 10); // the first run's costs of the process

    // Where a run's own time goes: one pass of a key step against one pass of a delay of the
    // same length, taking turns. The run's length beyond its 50 ms, and for the key step the
    // time from the start request to the key-down the hook sees and from the key-up it sees
    // to the worker's end.
    std::vector<double> key_extra, delay_extra, to_first_down, after_last_up;
    for (int i = 0; i < 40; ++i) {
        double key_length = RunAndPump(L"A124", 1);
        LONGLONG start = g_run_start, end = g_run_end;
        if (g_times.size() == 2) {
            key_extra.push_back(key_length - 50.0);
            to_first_down.push_back(ToMs(g_times[0] - start));
            after_last_up.push_back(ToMs(end - g_times[1]));
        }
        delay_extra.push_back(RunAndPump(L"D50", 1) - 50.0);
    }
    Print("1 pass A124: length beyond 50 ms", key_extra);
    Print("1 pass D50: length beyond 50 ms (reference)", delay_extra);
    Print("1 pass A124: StartReplay to key-down (hook)", to_first_down);
    Print("1 pass A124: key-up (hook) to worker end", after_last_up);

    // Drift of long runs, the timetable and the reference taking turns.
    DriftCase delays{"500 x D10", L"D10", 500, 500 * 10.0, {}, {}, {}};
    DriftCase keys{"100 x A124 D5", L"A124 D5", 100, 100 * (50.0 + 5.0), {}, {}, {}};
    constexpr int kRounds = 5;
    MeasureDrift(delays, kRounds);
    MeasureDrift(keys, kRounds);
    PrintDrift(delays);
    PrintDrift(keys);
    Print("key hold 50 ms, timetable (hook)", keys.holds[0]);
    Print("key hold 50 ms, per-step waits (hook)", keys.holds[1]);
    Print("delay 5 ms + key-down, timetable (hook)", keys.delays[0]);
    Print("delay 5 ms + key-down, per-step (hook)", keys.delays[1]);
    StepList.Clear();
    UnhookWindowsHookEx(hook);
    return 0;
}
