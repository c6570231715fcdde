// Fuzzes the edit box's rewrite on focus loss (RewriteEditText) over any text, as pasting can
// put anything into an edit: the first byte picks the input mode, the rest is UTF-16. Checks
// that the numeric modes keep their ranges, that zero never shows as "0", and that a rewritten
// text is a fixed point (rewriting it again changes nothing), except for the infinities, which
// are written as words that no number reader takes back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz/support/fuzz_units.h"
#include "runtime/ui/edit_input_mode.h"

namespace {

bool Same(const CWString& a, const CWString& b) {
    return a.IsEqual(b) != 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const int64_t mode = data[0] % 16;
    const std::vector<WCHAR> units = FuzzUnits(data + 1, size - 1);
    CWString out;
    if (!RewriteEditText(mode, units.data(), out))
        return 0;
    if (Same(out, CWString(TEXT("0"))) && mode != 11 && mode != 12)
        std::abort();
    const int32_t v = ReadTextInt32(out.GetText());
    if (mode == 5 && (v < 0 || v > 255))
        std::abort();
    if (mode == 6 && (v < -32768 || v > 32767))
        std::abort();
    const bool infinite = Same(out, CWString(TEXT("INF"))) || Same(out, CWString(TEXT("-INF")));
    if (!infinite) {
        CWString again;
        RewriteEditText(mode, out.GetText(), again);
        if (!Same(again, out))
            std::abort();
    }
    return 0;
}
