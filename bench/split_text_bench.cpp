// SplitText on a scheme-like text (step codes separated by single spaces) against the same split
// written with the standard library, and at 1 MiB and 8 MiB to show that the time grows with
// the input in proportion, up to 64 MiB.
#include "runtime/shell/split_text.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/support/ratio.h"
#include "bench/support/step_codes.h"

namespace {

using Text = std::basic_string<WCHAR>;

using bench_support::MakeSteps;

void BM_SplitText(benchmark::State& state) {
    const Text text = MakeSteps(static_cast<size_t>(state.range(0)));
    CMStringArray array;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SplitText(text.c_str(), array, TEXT(" "), false, false));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SplitText)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);
// A 64 MiB scheme (about seven million steps): one pass each, to show it takes seconds at
// most, not the minutes of a quadratic growth.
BENCHMARK(BM_SplitText)->Arg(64 << 20)->Iterations(1)->Unit(benchmark::kMillisecond);

// The same split: find the next separator, copy the piece into a vector of owned texts.
void BM_SplitStd(benchmark::State& state) {
    const Text text = MakeSteps(static_cast<size_t>(state.range(0)));
    std::vector<Text> pieces;
    for (auto _ : state) {
        pieces.clear();
        pieces.shrink_to_fit();
        size_t begin = 0;
        for (;;) {
            const size_t end = text.find_first_of(TEXT(" "), begin);
            if (end == Text::npos) {
                pieces.emplace_back(text, begin);
                break;
            }
            pieces.emplace_back(text, begin, end - begin);
            begin = end + 1;
        }
        benchmark::DoNotOptimize(pieces.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SplitStd)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);

BENCH_RATIO("BM_SplitText/1048576", "BM_SplitStd/1048576", "report (1 MiB)");
BENCH_RATIO("BM_SplitText/8388608", "BM_SplitStd/8388608", "report (8 MiB)");
BENCH_RATIO("BM_SplitText/8388608", "BM_SplitText/1048576", "<= 10 (linear: about 8)");
BENCH_RATIO("BM_SplitText/67108864/iterations:1", "BM_SplitText/8388608", "about 8 (linear)");
BENCH_RATIO("BM_SplitStd/8388608", "BM_SplitStd/1048576", "about 8 (reference)");

} // namespace
