// Reading and drawing delay ranges.
#include "app/steps/delay_range.h"

#include <algorithm>

#include "app/steps/step_text.h"

namespace {

constexpr WCHAR kRangeMark = TEXT('~');

// Whether the decimal rule finds a digit: blanks (every unit up to U+0020), then an optional
// sign, then a digit.
bool HoldsNumber(const WCHAR* text) {
    while (*text != 0 && *text <= 0x20)
        ++text;
    if (*text == TEXT('+') || *text == TEXT('-'))
        ++text;
    return *text >= TEXT('0') && *text <= TEXT('9');
}

} // namespace

DelayRange ParseDelayRange(const WCHAR* argument) {
    int32_t plain = StepDecimal(argument);
    DelayRange range{plain, plain};
    const WCHAR* mark = argument;
    while (*mark != 0 && *mark != kRangeMark)
        ++mark;
    if (*mark == 0 || !HoldsNumber(argument) || !HoldsNumber(mark + 1))
        return range;
    range.second = StepDecimal(mark + 1);
    range.ranged = true;
    return range;
}

uint32_t DrawDelayMs(const DelayRange& range, std::mt19937& random) {
    if (!range.IsRange())
        return static_cast<uint32_t>(range.first);
    uint32_t a = static_cast<uint32_t>(std::max(range.first, 0));
    uint32_t b = static_cast<uint32_t>(std::max(range.second, 0));
    std::uniform_int_distribution<uint32_t> pick(std::min(a, b), std::max(a, b));
    return pick(random);
}
