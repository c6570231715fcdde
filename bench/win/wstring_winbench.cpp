// Windows timing of building a long text from one-character texts: CWString against
// std::basic_string<WCHAR>, the same 100,000 appends as the host benchmark
// (bench/wstring_bench.cpp), in turns, as medians of repeated runs.
#include "platform/platform.h"

#include <cstdio>
#include <string>

#include "bench/win/timing.h"
#include "runtime/core/wstring.h"

namespace {

constexpr int kAppends = 100'000;
constexpr int kRounds = 15;   // medians are taken over these
constexpr int kPerRound = 20; // builds timed together in one round
const WCHAR* const kPieces[] = {TEXT("a"), TEXT("b"), TEXT("文"), TEXT("z")};

volatile WCHAR g_sink;

} // namespace

int wmain() {
    winbench::Series text{"CWString::Append", {}};
    winbench::Series reference{"std::basic_string +=", {}};
    winbench::Series chars{"CWString::AppendChar", {}};
    winbench::Series pushBack{"std::basic_string push_back", {}};
    for (int round = 0; round < kRounds; ++round) {
        text.seconds.push_back(winbench::Time([] {
            for (int k = 0; k < kPerRound; ++k) {
                CWString t;
                for (int i = 0; i < kAppends; ++i)
                    t.Append(kPieces[i & 3]);
                g_sink = t.GetText()[kAppends - 1];
            }
        }));
        reference.seconds.push_back(winbench::Time([] {
            for (int k = 0; k < kPerRound; ++k) {
                std::basic_string<WCHAR> t;
                for (int i = 0; i < kAppends; ++i)
                    t += kPieces[i & 3];
                g_sink = t[kAppends - 1];
            }
        }));
        chars.seconds.push_back(winbench::Time([] {
            for (int k = 0; k < kPerRound; ++k) {
                CWString t;
                for (int i = 0; i < kAppends; ++i)
                    t.AppendChar(kPieces[i & 3][0]);
                g_sink = t.GetText()[kAppends - 1];
            }
        }));
        pushBack.seconds.push_back(winbench::Time([] {
            for (int k = 0; k < kPerRound; ++k) {
                std::basic_string<WCHAR> t;
                for (int i = 0; i < kAppends; ++i)
                    t.push_back(kPieces[i & 3][0]);
                g_sink = t[kAppends - 1];
            }
        }));
    }
    const double usPerBuild = 1e6 / kPerRound;
    std::printf("%d appends of one-character texts, microseconds per build:\n", kAppends);
    for (const winbench::Series* s : {&text, &reference, &chars, &pushBack})
        winbench::PrintSeries(*s, usPerBuild, "us");
    std::printf("ratios of medians (range of single ratios):\n");
    winbench::PrintRatio(text, reference, "<= 1.5");
    winbench::PrintRatio(chars, pushBack, "report");
    return 0;
}
