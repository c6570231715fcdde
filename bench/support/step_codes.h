// The input of the split benchmarks on both platforms: step codes of a few kinds and lengths,
// repeated up to a size in bytes, so the host and Windows figures are of the same text.
#pragma once

#include <cstddef>
#include <string>

#include "platform/platform.h"

namespace bench_support {

using StepText = std::basic_string<WCHAR>;

inline StepText MakeSteps(size_t bytes) {
    static const WCHAR* const kCodes[] = {TEXT("K65"),     TEXT("D50"),   TEXT("L"),
                                          TEXT("M-10,25"), TEXT("R"),     TEXT("P640,480"),
                                          TEXT("K8257"),   TEXT("D1000"), TEXT("C")};
    StepText text;
    const size_t units = bytes / sizeof(WCHAR);
    text.reserve(units + 16);
    for (size_t i = 0; text.size() < units; ++i) {
        if (!text.empty())
            text += TEXT(' ');
        text += kCodes[i % (sizeof kCodes / sizeof kCodes[0])];
    }
    text.resize(units);
    if (text.back() == TEXT(' '))
        text.back() = TEXT('C');
    return text;
}

} // namespace bench_support
