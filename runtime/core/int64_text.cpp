// Decimal and hexadecimal integer text, written out by hand: the platform's wide printf and
// _wtoi64 differ between the backends in exactly the corners (overflow, sign) that matter here.
#include "runtime/core/int64_text.h"

namespace {

bool IsDigit(WCHAR c) {
    return c >= TEXT('0') && c <= TEXT('9');
}

} // namespace

const WCHAR* Int64ToText(int64_t v, WCHAR* buffer) {
    if (v == INT64_MIN)
        return TEXT("-9223372036854775808");
    uint64_t magnitude = v < 0 ? static_cast<uint64_t>(-v) : static_cast<uint64_t>(v);
    WCHAR digits[kInt64TextUnits];
    int n = 0;
    do {
        digits[n++] = static_cast<WCHAR>(TEXT('0') + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    WCHAR* out = buffer;
    if (v < 0)
        *out++ = TEXT('-');
    while (n > 0)
        *out++ = digits[--n];
    *out = 0;
    return buffer;
}

int64_t TextToInt64(const WCHAR* text) {
    if (text == nullptr)
        return 0;
    const WCHAR* p = text;
    while (*p != 0 && *p <= 32)
        ++p;
    bool negative = false;
    if (*p == TEXT('-')) {
        negative = true;
        ++p;
    } else if (*p == TEXT('+')) {
        ++p;
    }
    uint64_t number = 0;
    for (; IsDigit(*p); ++p) {
        const uint64_t digit = static_cast<uint64_t>(*p - TEXT('0'));
        // A further digit would pass 2^64 - 1: the text is out of range either way.
        if (number > (UINT64_MAX - digit) / 10)
            return negative ? INT64_MIN : INT64_MAX;
        number = number * 10 + digit;
    }
    if (negative)
        return number >= (uint64_t{1} << 63) ? INT64_MIN : -static_cast<int64_t>(number);
    return number > static_cast<uint64_t>(INT64_MAX) ? INT64_MAX : static_cast<int64_t>(number);
}

int64_t HexTextToInt64(const WCHAR* text) {
    if (text == nullptr)
        return 0;
    uint64_t number = 0;
    for (const WCHAR* p = text;; ++p) {
        unsigned digit;
        if (IsDigit(*p))
            digit = static_cast<unsigned>(*p - TEXT('0'));
        else if (*p >= TEXT('a') && *p <= TEXT('f'))
            digit = static_cast<unsigned>(*p - TEXT('a') + 10);
        else if (*p >= TEXT('A') && *p <= TEXT('F'))
            digit = static_cast<unsigned>(*p - TEXT('A') + 10);
        else
            break;
        number = (number << 4) | digit;
    }
    return static_cast<int64_t>(number);
}
