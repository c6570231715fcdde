// The global hook procedure per event while a recording runs (the input sink feeds the
// recorder, which makes the step codes; the posts to a window are left out, the window is
// none) against the same procedure while none runs, called directly with the records of
// typing a letter and dragging the mouse, on the simulated backend.
#include <benchmark/benchmark.h>

#include "app/input/global_hook.h"
#include "app/input/recorder.h"
#include "app/input/recording_feed.h"
#include "bench/support/ratio.h"

namespace {

using rg_lch_qmlt_ymk_lumeOak::rg_qj_gzl__n;

// One round: a key press and release, a button press, 20 moves, the release (24 events).
constexpr int kEventsPerRound = 24;

void Round(int r) {
    KBDLLHOOKSTRUCT key{};
    key.vkCode = 'A' + static_cast<DWORD>(r % 26);
    rg_qj_gzl__n::HookProcedure(HC_ACTION, WM_KEYDOWN, reinterpret_cast<LPARAM>(&key));
    key.flags = LLKHF_UP;
    rg_qj_gzl__n::HookProcedure(HC_ACTION, WM_KEYUP, reinterpret_cast<LPARAM>(&key));
    MSLLHOOKSTRUCT mouse{};
    mouse.pt = {100 + r % 50, 100};
    rg_qj_gzl__n::HookProcedure(HC_ACTION, WM_LBUTTONDOWN, reinterpret_cast<LPARAM>(&mouse));
    for (int m = 1; m <= 20; ++m) {
        mouse.pt = {100 + r % 50 + 3 * m, 100 + m};
        rg_qj_gzl__n::HookProcedure(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&mouse));
    }
    rg_qj_gzl__n::HookProcedure(HC_ACTION, WM_LBUTTONUP, reinterpret_cast<LPARAM>(&mouse));
}

void RunRounds(benchmark::State& state, bool recording) {
    rg_qj_gzl__n hook;
    CRecorder recorder;
    CRecordingFeed feed(recorder);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    recorder.Start(0x70, frequency.QuadPart);
    if (recording)
        hook.SetInputSink(&feed);
    int r = 0;
    for (auto _ : state) {
        Round(r++);
        // The window's part, without the window: the steps are taken.
        if (r % 16 == 0)
            benchmark::DoNotOptimize(recorder.TakeSteps());
    }
    hook.SetInputSink(nullptr);
    state.SetItemsProcessed(state.iterations() * kEventsPerRound);
}

void BM_HookRecording(benchmark::State& state) {
    RunRounds(state, true);
}
BENCHMARK(BM_HookRecording);

void BM_HookNotRecording(benchmark::State& state) {
    RunRounds(state, false);
}
BENCHMARK(BM_HookNotRecording);

BENCH_RATIO("BM_HookRecording", "BM_HookNotRecording", "report (Wine: recorder_winbench.exe)");

} // namespace
