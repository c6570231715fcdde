// Fuzzes the reading of scheme files: arbitrary bytes as a scheme file, read into a step list.
// Besides the sanitizers' checks it holds the reading to what a scheme file means: no code is
// empty, holds a separator (space, tab, CR, LF) or starts or ends with a blank; no unit of the
// file is lost (the codes, blanks taken out, are the file's units after the byte-order mark,
// blanks and zero units taken out); and what a save writes of the list reads back as the same
// codes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/schemes/scheme_files.h"
#include "app/steps/step_list.h"
#include "fuzz/support/fuzz_scratch_file.h"
#include "platform/platform.h"

namespace {

using Units = std::basic_string<WCHAR>;

std::vector<Units> CodesOf(const CStepList& list) {
    return list.WithCodes([](const CStepList::Codes& codes) {
        std::vector<Units> out;
        for (int64_t i = 0; i < codes.GetCount(); ++i)
            out.emplace_back(codes.GetTextAt(i));
        return out;
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::basic_string<WCHAR>& path = FuzzScratchPath(TEXT("keyseq_scheme_text_fuzz_"));
    WriteFuzzScratchFile(path, data, size);

    CStepList list;
    list.Append(TEXT("stale"));
    const int64_t count = ReadSchemeFile(path.c_str(), list);
    const std::vector<Units> codes = CodesOf(list);
    if (count != list.GetCount() || static_cast<size_t>(count) != codes.size())
        std::abort();

    // The file's units that are no blank, decoded independently.
    Units expected;
    size_t units = (size + 1) / 2;
    auto unit = [&](size_t i) {
        unsigned lo = data[2 * i];
        unsigned hi = 2 * i + 1 < size ? data[2 * i + 1] : 0;
        return static_cast<WCHAR>(lo | (hi << 8));
    };
    for (size_t i = units > 0 && unit(0) == 0xFEFF ? 1 : 0; i < units; ++i)
        if (unit(i) > 0x20)
            expected += unit(i);

    Units kept;
    for (const Units& code : codes) {
        if (code.empty() || code.front() <= 0x20 || code.back() <= 0x20)
            std::abort();
        for (WCHAR u : code) {
            if (u == TEXT(' ') || u == TEXT('\t') || u == TEXT('\r') || u == TEXT('\n'))
                std::abort();
            if (u > 0x20)
                kept += u;
        }
    }
    if (kept != expected)
        std::abort();

    CStepList again;
    again.LoadFromText(JoinStepCodes(list).GetText());
    if (CodesOf(again) != codes)
        std::abort();
    return 0;
}
