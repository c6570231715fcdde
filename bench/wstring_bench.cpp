// Building a long text by appending one-character texts: CWString, whose buffer grows in
// steps of 254 bytes, against std::basic_string<WCHAR>, which grows geometrically, in the
// same run. Both start empty and append the same 100,000 texts.
#include "runtime/core/wstring.h"

#include <benchmark/benchmark.h>

#include <string>

#include "bench/support/ratio.h"

namespace {

constexpr int kAppends = 100'000;
const WCHAR* const kPieces[] = {TEXT("a"), TEXT("b"), TEXT("文"), TEXT("z")};

void BM_WStringAppend(benchmark::State& state) {
    for (auto _ : state) {
        CWString text;
        for (int i = 0; i < kAppends; ++i)
            text.Append(kPieces[i & 3]);
        benchmark::DoNotOptimize(text.GetText());
    }
    state.SetItemsProcessed(state.iterations() * kAppends);
}
BENCHMARK(BM_WStringAppend);

void BM_StdStringAppend(benchmark::State& state) {
    for (auto _ : state) {
        std::basic_string<WCHAR> text;
        for (int i = 0; i < kAppends; ++i)
            text += kPieces[i & 3];
        benchmark::DoNotOptimize(text.c_str());
    }
    state.SetItemsProcessed(state.iterations() * kAppends);
}
BENCHMARK(BM_StdStringAppend);

// One unit at a time, the path of the character-by-character producers.
void BM_WStringAppendChar(benchmark::State& state) {
    for (auto _ : state) {
        CWString text;
        for (int i = 0; i < kAppends; ++i)
            text.AppendChar(kPieces[i & 3][0]);
        benchmark::DoNotOptimize(text.GetText());
    }
    state.SetItemsProcessed(state.iterations() * kAppends);
}
BENCHMARK(BM_WStringAppendChar);

void BM_StdStringPushBack(benchmark::State& state) {
    for (auto _ : state) {
        std::basic_string<WCHAR> text;
        for (int i = 0; i < kAppends; ++i)
            text.push_back(kPieces[i & 3][0]);
        benchmark::DoNotOptimize(text.c_str());
    }
    state.SetItemsProcessed(state.iterations() * kAppends);
}
BENCHMARK(BM_StdStringPushBack);

BENCH_RATIO("BM_WStringAppend", "BM_StdStringAppend", "<= 1.5");
BENCH_RATIO("BM_WStringAppendChar", "BM_StdStringPushBack", "report");

} // namespace
