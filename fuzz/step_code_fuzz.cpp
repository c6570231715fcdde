// Fuzzes the reading of step codes: the list line, the replay reading and delay ranges. Input:
// the code as UTF-16 units. Besides the sanitizers' checks it holds the results to what the
// rules say: a D code's plain value is the decimal reading of its argument, as an older reader
// takes it; a range's ends are each a number; and every length drawn from a range lies between
// its ends (negative ends counting as 0).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <random>

#include "app/delay_range.h"
#include "app/step_text.h"
#include "fuzz/support/fuzz_units.h"
#include "runtime/core/wstring.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<WCHAR> units = FuzzUnits(data, size);
    CWString code(units.data());
    CWString line = StepDisplayText(code);
    (void)line;
    StepValues values;
    WCHAR kind = ParseStep(code, values);
    if (kind != TEXT('D'))
        return 0;
    const WCHAR* argument = code.GetText() + 1;
    if (values.value != StepDecimal(argument) || values.delay.first != values.value)
        std::abort();
    if (!values.delay.IsRange())
        return 0;
    std::mt19937 random(static_cast<unsigned>(size));
    uint32_t low =
        static_cast<uint32_t>(std::max(std::min(values.delay.first, values.delay.second), 0));
    uint32_t high =
        static_cast<uint32_t>(std::max(std::max(values.delay.first, values.delay.second), 0));
    for (int i = 0; i < 4; ++i) {
        uint32_t ms = DrawDelayMs(values.delay, random);
        if (ms < low || ms > high)
            std::abort();
    }
    return 0;
}
