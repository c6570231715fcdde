// The timing loop shared by the Windows benchmarks (Google Benchmark is not packaged for
// mingw-w64): each measured piece of work runs several times, and figures are medians of those
// runs with their spread, so that one busy moment of the machine does not make the figure.
// Subject and reference take turns, so that both see the same conditions.
#pragma once

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/platform.h"

namespace winbench {

inline double NowSeconds() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

// The performance counter's frequency, read once (it is fixed at boot).
inline LONGLONG TicksPerSecond() {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    return frequency;
}

// A raw performance-counter reading: the cheapest clock, for pieces of work of microseconds.
inline LONGLONG Ticks() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

inline double TicksToMicroseconds(LONGLONG from, LONGLONG to) {
    return static_cast<double>(to - from) * 1e6 / static_cast<double>(TicksPerSecond());
}

// Seconds that one call of `work` takes.
template <typename Work> double Time(Work&& work) {
    double start = NowSeconds();
    work();
    return NowSeconds() - start;
}

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The p-quantile of v (p from 0 to 1), the nearest sample by rank.
inline double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    size_t i = static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[i];
}

// The repeated times of one side.
struct Series {
    const char* name;
    std::vector<double> seconds;
};

inline void PrintSeries(const Series& s, double scale, const char* unit) {
    auto [low, high] = std::minmax_element(s.seconds.begin(), s.seconds.end());
    std::printf("  %-36s median %10.3f %s  (min %.3f, max %.3f, n=%zu)\n", s.name,
                Median(s.seconds) * scale, unit, *low * scale, *high * scale, s.seconds.size());
}

// The ratio of the medians, with the lowest and highest ratio of runs of the same rank.
inline void PrintRatio(const Series& subject, const Series& reference, const char* goal) {
    std::vector<double> a = subject.seconds, b = reference.seconds;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    double low = 0, high = 0;
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        double q = a[i] / b[i];
        low = i == 0 ? q : std::min(low, q);
        high = i == 0 ? q : std::max(high, q);
    }
    std::printf("  %-28s / %-28s = %6.2f (%.2f-%.2f)  goal: %s\n", subject.name, reference.name,
                Median(subject.seconds) / Median(reference.seconds), low, high, goal);
}

} // namespace winbench
