// The block pool's hot path against the C library allocator and against the floor of its lock
// design: two uncontended locked decrements, one for the pop and one for the push.
#include "runtime/core/pool_mem.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>

#include "bench/support/ratio.h"

namespace {

void BM_PoolPair(benchmark::State& state) {
    CPoolMem& pool = GetMemManager();
    for (auto _ : state) {
        void* p = pool.PoolAlloc(64);
        benchmark::DoNotOptimize(p);
        pool.PoolFree(p);
    }
}
BENCHMARK(BM_PoolPair);
BENCHMARK(BM_PoolPair)->Threads(2)->UseRealTime();

void BM_MallocPair(benchmark::State& state) {
    for (auto _ : state) {
        void* p = std::malloc(64);
        benchmark::DoNotOptimize(p);
        std::free(p);
    }
}
BENCHMARK(BM_MallocPair);
BENCHMARK(BM_MallocPair)->Threads(2)->UseRealTime();

// Each thread decrements its own word, on its own cache line: the floor without contention.
struct alignas(64) PaddedWord {
    std::atomic<int64_t> word{1};
};
PaddedWord g_words[2];

void BM_AtomicFloor(benchmark::State& state) {
    std::atomic<int64_t>& w = g_words[state.thread_index() % 2].word;
    for (auto _ : state) {
        benchmark::DoNotOptimize(w.fetch_sub(1, std::memory_order_acq_rel));
        benchmark::DoNotOptimize(w.fetch_sub(1, std::memory_order_acq_rel));
    }
}
BENCHMARK(BM_AtomicFloor);
BENCHMARK(BM_AtomicFloor)->Threads(2)->UseRealTime();

BENCH_RATIO("BM_PoolPair", "BM_AtomicFloor", "<= 1.3");
BENCH_RATIO("BM_PoolPair", "BM_MallocPair", "report");
BENCH_RATIO("BM_PoolPair/real_time/threads:2", "BM_AtomicFloor/real_time/threads:2",
            "report (contended)");
BENCH_RATIO("BM_PoolPair/real_time/threads:2", "BM_MallocPair/real_time/threads:2",
            "report (contended)");

} // namespace
