// Fuzzes SplitText. Input: one byte of flags (bit 0 trim, bit 1 skipEmpty), one byte giving the
// number of separator units (0 to 3), those units, then the text; units are little-endian
// pairs of bytes, any value but zero. Besides the sanitizers' checks it holds the result to
// what a split means: no element holds a separator; without trim or skipping the text has one
// more piece than separators; trimmed elements have no blank ends; skipped ones no blank
// elements.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "runtime/shell/split_text.h"
#include "fuzz/support/fuzz_units.h"

namespace {

bool IsIn(WCHAR u, const std::vector<WCHAR>& set) {
    for (size_t i = 0; i + 1 < set.size(); ++i)
        if (set[i] == u)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const bool trim = data[0] & 1;
    const bool skipEmpty = data[0] & 2;
    const size_t separatorBytes = 2 * (data[1] % 4);
    if (size - 2 < separatorBytes)
        return 0;
    const std::vector<WCHAR> separators = FuzzUnits(data + 2, separatorBytes);
    const std::vector<WCHAR> text = FuzzUnits(data + 2 + separatorBytes, size - 2 - separatorBytes);

    CMStringArray array;
    const int64_t count = SplitText(text.data(), array, separators.data(), trim, skipEmpty);
    if (count != array.GetCount())
        std::abort();

    int64_t separatorsInText = 0;
    for (size_t i = 0; i + 1 < text.size(); ++i)
        separatorsInText += IsIn(text[i], separators) ? 1 : 0;
    const bool emptyText = text.size() == 1;
    if (!trim && !skipEmpty && count != (emptyText ? 0 : separatorsInText + 1))
        std::abort();
    if (count > separatorsInText + 1)
        std::abort();

    for (int64_t i = 0; i < count; ++i) {
        const WCHAR* element = array.GetAt(i);
        if (element == nullptr) {
            if (skipEmpty)
                std::abort();
            continue;
        }
        bool blankOnly = true;
        const WCHAR* p = element;
        for (; *p != 0; ++p) {
            if (IsIn(*p, separators))
                std::abort();
            blankOnly = blankOnly && *p <= 32;
        }
        if (p == element) // stored elements are never empty
            std::abort();
        if (skipEmpty && blankOnly)
            std::abort();
        if (trim && (element[0] <= 32 || p[-1] <= 32))
            std::abort();
    }
    return 0;
}
