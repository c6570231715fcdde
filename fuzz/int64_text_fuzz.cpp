// Fuzzes the integer texts. The first eight bytes are a value that must survive Int64ToText and
// TextToInt64 unchanged; the rest, as UTF-16 units, is read by TextToInt64, whose result must
// read back the same when written, and must agree with a reading done in 128 bits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "runtime/core/int64_text.h"
#include "fuzz/support/fuzz_units.h"

namespace {

// The reading rule, with a wide accumulator instead of the overflow test.
int64_t Reference(const WCHAR* p) {
    while (*p != 0 && *p <= 32)
        ++p;
    bool negative = *p == TEXT('-');
    if (*p == TEXT('-') || *p == TEXT('+'))
        ++p;
    unsigned __int128 number = 0;
    for (; *p >= TEXT('0') && *p <= TEXT('9'); ++p) {
        number = number * 10 + static_cast<unsigned>(*p - TEXT('0'));
        if (number > UINT64_MAX)
            return negative ? INT64_MIN : INT64_MAX;
    }
    if (negative)
        return number >= (static_cast<unsigned __int128>(1) << 63)
                   ? INT64_MIN
                   : -static_cast<int64_t>(static_cast<uint64_t>(number));
    return number > INT64_MAX ? INT64_MAX : static_cast<int64_t>(number);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size >= 8) {
        int64_t value;
        std::memcpy(&value, data, 8);
        WCHAR buffer[kInt64TextUnits];
        const WCHAR* text = Int64ToText(value, buffer);
        if (TextToInt64(text) != value)
            std::abort();
        data += 8;
        size -= 8;
    }
    const std::vector<WCHAR> units = FuzzUnits(data, size);
    const int64_t read = TextToInt64(units.data());
    if (read != Reference(units.data()))
        std::abort();
    WCHAR buffer[kInt64TextUnits];
    if (TextToInt64(Int64ToText(read, buffer)) != read)
        std::abort();
    return 0;
}
