// Entry point of the host benchmarks: runs them as Google Benchmark does, then prints every
// benchmark that names a reference (see ratio.h) as a ratio of the two from this run.
//
// One measurement of each side is at the mercy of whatever else the machine does at that
// moment, so every benchmark runs several times (5 unless --benchmark_repetitions says
// otherwise), with the repetitions of all benchmarks interleaved in random order so that a
// busy spell hits both sides alike. The ratio printed is that of the two medians, for real
// time and for CPU time (the steadier figure on a loaded machine), with the spread of the
// ratios of the single repetitions.
#include "bench/support/ratio.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr const char* kDefaultRepetitions = "--benchmark_repetitions=5";
constexpr const char* kInterleave = "--benchmark_enable_random_interleaving=true";

std::vector<RatioPair>& Pairs() {
    static std::vector<RatioPair> pairs;
    return pairs;
}

struct Times {
    std::vector<double> real; // per repetition, ns per iteration
    std::vector<double> cpu;
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, Times> times; // run name -> its repetitions

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration)
                continue;
            Times& t = times[run.benchmark_name()];
            t.real.push_back(run.GetAdjustedRealTime());
            t.cpu.push_back(run.GetAdjustedCPUTime());
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

// "1.23 (1.10-1.41)": the ratio of the medians and the lowest and highest ratio of one
// subject repetition to the reference repetition of the same rank.
std::string Ratio(const std::vector<double>& subject, const std::vector<double>& reference) {
    double median = Median(subject) / Median(reference);
    std::vector<double> s = subject, r = reference;
    std::sort(s.begin(), s.end());
    std::sort(r.begin(), r.end());
    size_t n = std::min(s.size(), r.size());
    double low = 0, high = 0;
    for (size_t i = 0; i < n; ++i) {
        double q = r[i] > 0 ? s[i] / r[i] : 0;
        low = i == 0 ? q : std::min(low, q);
        high = i == 0 ? q : std::max(high, q);
    }
    char text[64];
    std::snprintf(text, sizeof text, "%6.2f (%.2f-%.2f)", median, low, high);
    return text;
}

bool HasOption(int argc, char** argv, const char* name) {
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], name, std::strlen(name)) == 0)
            return true;
    return false;
}

} // namespace

int RegisterRatio(const char* subject, const char* reference, const char* goal) {
    Pairs().push_back({subject, reference, goal});
    return 0;
}

int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    if (!HasOption(argc, argv, "--benchmark_repetitions"))
        args.push_back(const_cast<char*>(kDefaultRepetitions));
    if (!HasOption(argc, argv, "--benchmark_enable_random_interleaving"))
        args.push_back(const_cast<char*>(kInterleave));
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nratios of medians over repetitions (same run), with the range of single "
                "ratios:\n");
    std::printf("  %-40s / %-32s %-20s %-20s goal\n", "subject", "reference", "real time",
                "CPU time");
    for (const RatioPair& p : Pairs()) {
        auto s = reporter.times.find(p.subject);
        auto r = reporter.times.find(p.reference);
        if (s == reporter.times.end() || r == reporter.times.end())
            continue;
        std::printf("  %-40s / %-32s %-20s %-20s %s (n=%zu)\n", p.subject.c_str(),
                    p.reference.c_str(), Ratio(s->second.real, r->second.real).c_str(),
                    Ratio(s->second.cpu, r->second.cpu).c_str(), p.goal.c_str(),
                    s->second.real.size());
    }
    benchmark::Shutdown();
    return 0;
}
