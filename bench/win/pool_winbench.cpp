// Windows timing loop (Google Benchmark is not packaged for mingw-w64): the pool's
// allocate-and-release pair against HeapAlloc/HeapFree of the process heap, in the same run,
// alone and with two threads contending. Prints the figures and their ratio.
#include "platform/platform.h"
#include "runtime/core/pool_mem.h"

#include <cstdio>
#include <thread>

namespace {

constexpr long long kIterations = 20'000'000;

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

template <typename Pair> double NanosPerPair(int threads, Pair pair) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    std::thread others[2];
    for (int t = 1; t < threads; ++t)
        others[t] = std::thread([&] {
            for (long long i = 0; i < kIterations; ++i)
                pair();
        });
    for (long long i = 0; i < kIterations; ++i)
        pair();
    for (int t = 1; t < threads; ++t)
        others[t].join();
    QueryPerformanceCounter(&end);
    return Seconds(start, end) * 1e9 / static_cast<double>(kIterations);
}

void* volatile g_sink;

} // namespace

int wmain() {
    CPoolMem& pool = GetMemManager();
    HANDLE heap = GetProcessHeap();
    auto poolPair = [&] {
        void* p = pool.PoolAlloc(64);
        g_sink = p;
        pool.PoolFree(p);
    };
    auto heapPair = [&] {
        void* p = HeapAlloc(heap, 0, 64);
        g_sink = p;
        HeapFree(heap, 0, p);
    };
    for (int threads = 1; threads <= 2; ++threads) {
        double poolNs = NanosPerPair(threads, poolPair);
        double heapNs = NanosPerPair(threads, heapPair);
        std::printf("threads %d: pool pair %.2f ns, HeapAlloc/HeapFree pair %.2f ns, "
                    "ratio %.2f (goal <= 0.5)\n",
                    threads, poolNs, heapNs, poolNs / heapNs);
    }
    return 0;
}
