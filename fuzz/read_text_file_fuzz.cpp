// Fuzzes ReadTextFile with arbitrary file contents. Besides the sanitizers' checks it holds the
// reader to the format: the text is every UTF-16LE unit after an optional byte-order mark (an
// odd last byte pairs with a zero), a zero unit read as a blank, so nothing after a zero is
// lost; and ReadFileBytes sees every byte.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "runtime/core/rix_mem.h"
#include "runtime/core/wstring.h"
#include "runtime/shell/text_file.h"

namespace {

std::basic_string<WCHAR> ScratchPath() {
    WCHAR dir[MAX_PATH + 1];
    DWORD n = GetTempPathW(MAX_PATH + 1, dir);
    std::basic_string<WCHAR> path(dir, n);
    path += TEXT("keyseq_read_text_file_fuzz_");
    for (DWORD pid = GetCurrentProcessId(); pid != 0; pid /= 10)
        path += static_cast<WCHAR>(TEXT('0') + pid % 10);
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::basic_string<WCHAR> path = ScratchPath();
    static const bool cleanup = std::atexit([] { DeleteFileW(path.c_str()); }) == 0;
    (void)cleanup;
    FILE* f = _wfopen(path.c_str(), TEXT("wb"));
    if (f == nullptr)
        std::abort();
    if (fwrite(data, 1, size, f) != size || fclose(f) != 0)
        std::abort();

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
