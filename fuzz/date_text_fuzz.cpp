// Fuzzes the date texts. The first byte picks the mode:
// - even: the rest is UTF-16 units read by TextToDateTime in both styles; the result must be
//   the invalid date or a date the platform can take apart.
// - odd: the next eight bytes are a date value; when DateTimeToText writes it (in either style)
//   the text must read back to the same second, and an out-of-range value must write nothing.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "runtime/shell/date_text.h"
#include "fuzz/support/fuzz_units.h"

namespace {

bool SameSecond(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

void ReadUnits(const uint8_t* data, size_t size) {
    const std::vector<WCHAR> units = FuzzUnits(data, size);
    for (int style : {int{kDateChinese}, int{kDateNumeric}}) {
        const double date = TextToDateTime(units.data(), style);
        if (date == kInvalidDate)
            continue;
        SYSTEMTIME st{};
        if (!VariantTimeToSystemTime(date, &st))
            std::abort();
    }
}

void WriteAndReadBack(double date) {
    for (int style : {int{kDateChinese}, int{kDateNumeric}}) {
        CWString text;
        DateTimeToText(date, style, text);
        const bool inRange = date >= kInvalidDate && date <= kLastDate;
        if (!inRange) {
            if (!text.IsEmpty())
                std::abort();
            continue;
        }
        SYSTEMTIME written{};
        if (!VariantTimeToSystemTime(date, &written))
            continue;
        if (text.IsEmpty())
            std::abort();
        SYSTEMTIME read{};
        if (!VariantTimeToSystemTime(TextToDateTime(text.GetText(), style), &read))
            std::abort();
        if (!SameSecond(written, read))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    if ((data[0] & 1) == 0) {
        ReadUnits(data + 1, size - 1);
    } else if (size >= 9) {
        double date;
        std::memcpy(&date, data + 1, 8);
        WriteAndReadBack(date);
        // Also a value spread over the valid range, which random doubles rarely hit.
        uint64_t bits;
        std::memcpy(&bits, data + 1, 8);
        WriteAndReadBack(kInvalidDate +
                         static_cast<double>(bits % (uint64_t{3615900} * 86400)) / 86400.0);
    }
    return 0;
}
