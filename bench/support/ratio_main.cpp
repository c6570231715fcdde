// Entry point of the host benchmarks: runs them as Google Benchmark does, then prints every
// benchmark that names a reference (see ratio.h) as a ratio of the two times from this run.
#include "bench/support/ratio.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

std::vector<RatioPair>& Pairs() {
    static std::vector<RatioPair> pairs;
    return pairs;
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times; // run name -> real time per iteration, ns

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (!run.error_occurred && run.run_type == Run::RT_Iteration)
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int RegisterRatio(const char* subject, const char* reference, const char* goal) {
    Pairs().push_back({subject, reference, goal});
    return 0;
}

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nratios (same run):\n");
    for (const RatioPair& p : Pairs()) {
        auto s = reporter.times.find(p.subject);
        auto r = reporter.times.find(p.reference);
        if (s == reporter.times.end() || r == reporter.times.end() || r->second <= 0)
            continue;
        std::printf("  %-44s / %-36s = %6.2f   (goal: %s)\n", p.subject.c_str(),
                    p.reference.c_str(), s->second / r->second, p.goal.c_str());
    }
    benchmark::Shutdown();
    return 0;
}
