// Declares that one benchmark is to be read as a ratio against another of the same run.
// Names are Google Benchmark's run names, e.g. "BM_PoolPair/threads:2".
#pragma once

#include <string>

struct RatioPair {
    std::string subject;
    std::string reference;
    std::string goal;
};

int RegisterRatio(const char* subject, const char* reference, const char* goal);

#define BENCH_RATIO_CAT2(a, b) a##b
#define BENCH_RATIO_CAT(a, b) BENCH_RATIO_CAT2(a, b)
#define BENCH_RATIO(subject, reference, goal)                                                      \
    static const int BENCH_RATIO_CAT(bench_ratio_, __LINE__) =                                     \
        RegisterRatio(subject, reference, goal)
