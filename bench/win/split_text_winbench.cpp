// Windows timing of SplitText on scheme-like texts (step codes separated by single spaces) of
// 1, 8 and 64 MiB, against the same split written with the standard library, as medians of
// repeated runs. The text array's slot buffer grows with the input; if its growth copied the
// whole buffer at every step, 8 MiB would take far more than eight times 1 MiB.
#include "platform/platform.h"

#include <cstdio>
#include <string>
#include <vector>

#include "bench/win/timing.h"
#include "bench/support/step_codes.h"
#include "runtime/core/mstring_array.h"
#include "runtime/shell/split_text.h"

namespace {

using Text = std::basic_string<WCHAR>;

using bench_support::MakeSteps;

size_t SplitStd(const Text& text) {
    std::vector<Text> pieces;
    size_t begin = 0;
    for (;;) {
        const size_t end = text.find_first_of(TEXT(' '), begin);
        if (end == Text::npos) {
            pieces.emplace_back(text, begin);
            break;
        }
        pieces.emplace_back(text, begin, end - begin);
        begin = end + 1;
    }
    return pieces.size();
}

volatile int64_t g_sink;

} // namespace

int wmain() {
    const Text mib1 = MakeSteps(1 << 20);
    const Text mib8 = MakeSteps(8 << 20);
    winbench::Series split1{"SplitText 1 MiB", {}}, split8{"SplitText 8 MiB", {}};
    winbench::Series std1{"std split 1 MiB", {}}, std8{"std split 8 MiB", {}};
    for (int round = 0; round < 7; ++round) {
        split1.seconds.push_back(winbench::Time([&] {
            CMStringArray array;
            g_sink = SplitText(mib1.c_str(), array, TEXT(" "), false, false);
        }));
        std1.seconds.push_back(winbench::Time([&] { g_sink = SplitStd(mib1); }));
        split8.seconds.push_back(winbench::Time([&] {
            CMStringArray array;
            g_sink = SplitText(mib8.c_str(), array, TEXT(" "), false, false);
        }));
        std8.seconds.push_back(winbench::Time([&] { g_sink = SplitStd(mib8); }));
    }
    std::printf("SplitText of step codes, milliseconds per split:\n");
    for (const winbench::Series* s : {&split1, &std1, &split8, &std8})
        winbench::PrintSeries(*s, 1e3, "ms");
    std::printf("ratios of medians (range of single ratios):\n");
    winbench::PrintRatio(split8, split1, "<= 10 (linear: about 8)");
    winbench::PrintRatio(std8, std1, "about 8 (reference)");
    winbench::PrintRatio(split1, std1, "report (1 MiB)");
    winbench::PrintRatio(split8, std8, "report (8 MiB)");

    // One 64 MiB text (about seven million steps), split once: seconds at most, not minutes.
    const Text mib64 = MakeSteps(64 << 20);
    int64_t pieces = 0;
    double seconds = winbench::Time([&] {
        CMStringArray array;
        pieces = SplitText(mib64.c_str(), array, TEXT(" "), false, false);
    });
    std::printf("SplitText 64 MiB once: %.3f s for %lld steps (goal: no pause a user takes "
                "for a hang)\n",
                seconds, static_cast<long long>(pieces));
    return 0;
}
