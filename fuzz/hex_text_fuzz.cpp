// Fuzzes HexTextToInt64 over any UTF-16 units: the result must equal the low 64 bits of the
// leading hexadecimal digits, counted independently, and a value written as sixteen digits of
// either case must read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "runtime/core/int64_text.h"
#include "fuzz/support/fuzz_units.h"

namespace {

int DigitValue(WCHAR u) {
    static const char kDigits[] = "0123456789abcdef0123456789ABCDEF";
    for (int i = 0; i < 32; ++i)
        if (u == static_cast<WCHAR>(kDigits[i]))
            return i % 16;
    return -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<WCHAR> units = FuzzUnits(data, size);

    uint64_t expected = 0;
    for (const WCHAR* p = units.data(); DigitValue(*p) >= 0; ++p)
        expected = (expected << 4) | static_cast<uint64_t>(DigitValue(*p));
    if (static_cast<uint64_t>(HexTextToInt64(units.data())) != expected)
        std::abort();

    if (size >= 8) {
        uint64_t value;
        std::memcpy(&value, data, 8);
        const char* digits = (data[0] & 1) ? "0123456789ABCDEF" : "0123456789abcdef";
        WCHAR text[17];
        for (int i = 0; i < 16; ++i)
            text[i] = static_cast<WCHAR>(digits[(value >> (60 - 4 * i)) & 15]);
        text[16] = 0;
        if (static_cast<uint64_t>(HexTextToInt64(text)) != value)
            std::abort();
    }
    return 0;
}
