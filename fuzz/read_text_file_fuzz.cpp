// Fuzzes ReadTextFile with arbitrary file contents. Besides the sanitizers' checks it holds the
// reader to the format: the text is every UTF-16LE unit after an optional byte-order mark (an
// odd last byte pairs with a zero), a zero unit read as a blank, so nothing after a zero is
// lost; and ReadFileBytes sees every byte.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/support/fuzz_scratch_file.h"
#include "platform/platform.h"
#include "runtime/core/rix_mem.h"
#include "runtime/core/wstring.h"
#include "runtime/shell/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::basic_string<WCHAR>& path = FuzzScratchPath(TEXT("keyseq_read_text_file_fuzz_"));
    WriteFuzzScratchFile(path, data, size);

    CRixMem bytes;
    if (ReadFileBytes(path.c_str(), -1, bytes) != static_cast<int64_t>(size))
        std::abort();

    // The expected text, decoded independently.
    std::basic_string<WCHAR> expected;
    size_t units = (size + 1) / 2;
    auto unit = [&](size_t i) {
        unsigned lo = data[2 * i];
        unsigned hi = 2 * i + 1 < size ? data[2 * i + 1] : 0;
        return static_cast<WCHAR>(lo | (hi << 8));
    };
    size_t i = units > 0 && unit(0) == 0xFEFF ? 1 : 0;
    for (; i < units; ++i)
        expected += unit(i) != 0 ? unit(i) : static_cast<WCHAR>(' ');

    CWString text(TEXT("stale"));
    ReadTextFile(path.c_str(), text);
    if (text.GetLength() != static_cast<int64_t>(expected.size()))
        std::abort();
    if (expected.compare(0, expected.size(), text.GetText(), expected.size()) != 0)
        std::abort();
    if (text.GetText()[text.GetLength()] != 0)
        std::abort();
    return 0;
}
