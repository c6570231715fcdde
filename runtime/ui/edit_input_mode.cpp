// The input modes of the edit box: filter and rewrite.
#include "runtime/ui/edit_input_mode.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "runtime/core/int64_text.h"
#include "runtime/shell/date_text.h"

namespace {

bool IsDigit(WCHAR ch) {
    return ch >= '0' && ch <= '9';
}

// The white space the C run-time skips before a number (iswspace in the "C" locale).
bool IsCSpace(WCHAR ch) {
    return ch == ' ' || (ch >= 9 && ch <= 13);
}

CWString Formatted(const WCHAR* format, double value) {
    // The platforms' printf disagree on how to spell the infinities; say it one way.
    if (std::isinf(value))
        return CWString(value < 0 ? TEXT("-INF") : TEXT("INF"));
    if (std::isnan(value))
        return CWString(TEXT("NAN"));
    // Negative zero is zero: "-0" would escape the rule that zero shows as empty text.
    if (value == 0.0)
        value = 0.0;
    CWString text;
    text.Format(format, value);
    return text;
}

CWString DateRewritten(const WCHAR* text, int style) {
    double date = TextToDateTime(text, style);
    CWString out;
    if (date > kValidDateAbove)
        DateTimeToText(date, style, out);
    return out;
}

} // namespace

DWORD EditModeStyle(int64_t mode) {
    if (mode == 1)
        return ES_READONLY;
    if (mode == 2)
        return ES_PASSWORD;
    return 0;
}

bool EditModeAcceptsChar(int64_t mode, WCHAR ch) {
    if (ch < 32)
        return true;
    switch (mode) {
    case 5:
        return IsDigit(ch);
    case 3:
    case 6:
    case 7:
    case 8:
        return ch == '-' || IsDigit(ch);
    case 4:
    case 9:
    case 10:
        return ch == '-' || ch == '.' || IsDigit(ch);
    default:
        return true;
    }
}

int32_t ReadTextInt32(const WCHAR* text) {
    if (text == nullptr)
        return 0;
    while (IsCSpace(*text))
        ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    int64_t value = 0;
    for (; IsDigit(*text); ++text) {
        value = value * 10 + (*text - '0');
        if (value > int64_t{1} << 32)
            value = int64_t{1} << 32; // far enough past either limit
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

namespace {
// The power of ten of the first significant digit of [sign] digits [. digits] [e [sign]
// digits]: negative for a magnitude below one. Exponents are saturated far beyond the range of
// a double.
int64_t LeadingPowerOfTen(const std::string& number) {
    constexpr int64_t kSaturated = 1000000000;
    size_t i = 0;
    const size_t n = number.size();
    auto digit = [&](size_t at) { return at < n && number[at] >= '0' && number[at] <= '9'; };
    if (i < n && (number[i] == '-' || number[i] == '+'))
        ++i;
    bool found = false;
    int64_t power = 0;
    for (; digit(i); ++i) {
        if (found)
            power = std::min(power + 1, kSaturated);
        else if (number[i] != '0')
            found = true;
    }
    if (i < n && number[i] == '.') {
        int64_t place = -1;
        for (++i; digit(i); ++i, place = std::max(place - 1, -kSaturated)) {
            if (!found && number[i] != '0') {
                found = true;
                power = place;
            }
        }
    }
    int64_t exponent = 0;
    if (i < n && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        bool negative = i < n && number[i] == '-';
        if (i < n && (number[i] == '-' || number[i] == '+'))
            ++i;
        for (; digit(i); ++i)
            exponent = std::min(exponent * 10 + (number[i] - '0'), kSaturated);
        if (negative)
            exponent = -exponent;
    }
    return power + exponent;
}
} // namespace

double ReadTextDouble(const WCHAR* text) {
    if (text == nullptr)
        return 0.0;
    while (IsCSpace(*text))
        ++text;
    // Copy the longest prefix of the form [sign] digits [. digits] [e [sign] digits] as
    // narrow characters, then convert it independently of the locale.
    std::string number;
    const WCHAR* p = text;
    if (*p == '-' || *p == '+')
        number.push_back(static_cast<char>(*p++));
    bool digits = false;
    for (; IsDigit(*p); ++p, digits = true)
        number.push_back(static_cast<char>(*p));
    if (*p == '.') {
        number.push_back('.');
        for (++p; IsDigit(*p); ++p, digits = true)
            number.push_back(static_cast<char>(*p));
    }
    if (!digits)
        return 0.0;
    if (*p == 'e' || *p == 'E') {
        const WCHAR* q = p + 1;
        std::string exponent = "e";
        if (*q == '-' || *q == '+')
            exponent.push_back(static_cast<char>(*q++));
        if (IsDigit(*q)) {
            for (; IsDigit(*q); ++q)
                exponent.push_back(static_cast<char>(*q));
            number += exponent;
        }
    }
    const char* first = number.c_str();
    bool negative = *first == '-';
    if (*first == '-' || *first == '+')
        ++first;
    double value = 0.0;
    auto [end, error] = std::from_chars(first, number.c_str() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves the value alone; the run-time answers infinity or zero, by the
        // magnitude of the number.
        value = LeadingPowerOfTen(number) < 0 ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

bool RewriteEditText(int64_t mode, const WCHAR* text, CWString& out) {
    WCHAR buffer[kInt64TextUnits];
    switch (mode) {
    case 5: {
        int32_t v = ReadTextInt32(text);
        out = CWString(Int64ToText(v < 0 ? 0 : (v > 255 ? 255 : v), buffer));
        break;
    }
    case 6: {
        int32_t v = ReadTextInt32(text);
        out = CWString(Int64ToText(v < -32768 ? -32768 : (v > 32767 ? 32767 : v), buffer));
        break;
    }
    case 7:
        out = CWString(Int64ToText(ReadTextInt32(text), buffer));
        break;
    case 8:
        out = CWString(Int64ToText(TextToInt64(text), buffer));
        break;
    case 9: {
        // Narrowed to single precision; beyond its range the value is an infinity (a plain
        // conversion would be undefined there).
        double v = ReadTextDouble(text);
        double narrowed = std::fabs(v) > std::numeric_limits<float>::max()
                              ? std::copysign(std::numeric_limits<double>::infinity(), v)
                              : static_cast<double>(static_cast<float>(v));
        out = Formatted(TEXT("%.6G"), narrowed);
        break;
    }
    case 10:
        out = Formatted(TEXT("%.13G"), ReadTextDouble(text));
        break;
    case 11:
        out = DateRewritten(text, kDateChinese);
        return true;
    case 12:
        out = DateRewritten(text, kDateNumeric);
        return true;
    case 13:
        out.Format(TEXT("%I64X"), static_cast<unsigned long long>(HexTextToInt64(text)));
        break;
    default:
        return false;
    }
    if (out.IsEqual(CWString(TEXT("0"))) != 0)
        out.Empty();
    return true;
}
