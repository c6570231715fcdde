// Timing of the replay on the host: how long a 50 ms key hold and a 10 ms delay really last
// (200 of each, error against the requested time as median and 99th percentile), and how
// long a stop takes to end a worker that waits in a long delay. The figures are counters of
// one-iteration benchmarks; the requested time is the reference.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "app/replay/replay_engine.h"
#include "app/steps/step_list.h"
#include "platform/platform.h"
#include "runtime/shell/deadline_wait.h"

namespace {

constexpr int kRuns = 200;

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    size_t i = static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

void Report(benchmark::State& state, const std::vector<double>& errors_ms) {
    state.counters["median_err_ms"] = Percentile(errors_ms, 0.5);
    state.counters["p99_err_ms"] = Percentile(errors_ms, 0.99);
    state.counters["max_err_ms"] = Percentile(errors_ms, 1.0);
}

// Gaps in the input log between record i and i + 1 for every i of the given parity.
std::vector<double> Gaps(const std::vector<sim::InputRecord>& log, size_t first, double ms) {
    std::vector<double> errors;
    for (size_t i = first; i + 1 < log.size(); i += 2)
        errors.push_back(static_cast<double>(log[i + 1].time_us - log[i].time_us) / 1000.0 - ms);
    return errors;
}

void BM_ReplayKeyHold50ms(benchmark::State& state) {
    for (auto _ : state) {
        sim::ResetInput();
        StepList.LoadFromText(TEXT("A124"));
        StartReplay(kRuns);
        WaitForReplayWorker(INFINITE);
        Report(state, Gaps(sim::InputLog(), 0, 50.0));
    }
    StepList.Clear();
}
BENCHMARK(BM_ReplayKeyHold50ms)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ReplayDelay10ms(benchmark::State& state) {
    for (auto _ : state) {
        sim::ResetInput();
        // Each pass: a cursor placement, the delay, a cursor placement.
        StepList.LoadFromText(TEXT("E1@1 D10 E2@2"));
        StartReplay(kRuns);
        WaitForReplayWorker(INFINITE);
        Report(state, Gaps(sim::InputLog(), 0, 10.0));
    }
    StepList.Clear();
}
BENCHMARK(BM_ReplayDelay10ms)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ReplayStopLatency(benchmark::State& state) {
    std::vector<double> latencies;
    StepList.LoadFromText(TEXT("D60000"));
    for (auto _ : state) {
        for (int i = 0; i < kRuns; ++i) {
            StartReplay(1);
            Sleep(2); // the worker is in the delay by now
            LONGLONG start = CDeadlineWait::Now();
            StopReplay();
            WaitForReplayWorker(INFINITE);
            latencies.push_back(static_cast<double>(CDeadlineWait::Now() - start) * 1000.0 /
                                static_cast<double>(CDeadlineWait::Frequency()));
        }
    }
    state.counters["median_ms"] = Percentile(latencies, 0.5);
    state.counters["p99_ms"] = Percentile(latencies, 0.99);
    StepList.Clear();
}
BENCHMARK(BM_ReplayStopLatency)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
