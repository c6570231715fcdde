// Integer text: decimal writing, decimal reading with saturation, hexadecimal reading.
#include "runtime/core/int64_text.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

namespace {

using Text = std::basic_string<WCHAR>;

Text Write(int64_t v) {
    WCHAR buffer[kInt64TextUnits];
    return Int64ToText(v, buffer);
}

TEST(Int64ToText, WritesPlainDecimal) {
    struct Case {
        int64_t value;
        const WCHAR* text;
    };
    const Case cases[] = {
        {0, TEXT("0")},
        {-1, TEXT("-1")},
        {7, TEXT("7")},
        {10, TEXT("10")},
        {-305, TEXT("-305")},
        {INT64_MAX, TEXT("9223372036854775807")},
        {INT64_MIN + 1, TEXT("-9223372036854775807")},
        {INT64_MIN, TEXT("-9223372036854775808")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Write(c.value), Text(c.text)) << c.value;
}

TEST(Int64ToText, FillsNoMoreThanItsBuffer) {
    // Guard units on both sides of an exactly sized buffer stay untouched.
    WCHAR area[kInt64TextUnits + 2];
    for (WCHAR& u : area)
        u = 0x7777;
    const WCHAR* text = Int64ToText(INT64_MIN + 1, area + 1);
    EXPECT_EQ(text, area + 1);
    EXPECT_EQ(area[0], 0x7777);
    EXPECT_EQ(area[kInt64TextUnits], 0);
    EXPECT_EQ(area[kInt64TextUnits + 1], 0x7777);
}

TEST(TextToInt64, ReadsAndSaturates) {
    struct Case {
        const WCHAR* text;
        int64_t value;
    };
    const Case cases[] = {
        {TEXT("  -12abc"), -12},
        {TEXT("99999999999999999999"), INT64_MAX},
        {TEXT("-9223372036854775809"), INT64_MIN},
        {TEXT("-9223372036854775808"), INT64_MIN},
        {TEXT("-9223372036854775807"), INT64_MIN + 1},
        {TEXT("9223372036854775807"), INT64_MAX},
        {TEXT("9223372036854775808"), INT64_MAX},
        // 2^64 - 1 still fits the unsigned accumulator, 2^64 does not.
        {TEXT("18446744073709551615"), INT64_MAX},
        {TEXT("-18446744073709551615"), INT64_MIN},
        {TEXT("-18446744073709551616"), INT64_MIN},
        {TEXT("-000000000000000000000000000042"), -42},
        {TEXT("+"), 0},
        {TEXT("-"), 0},
        {TEXT("+17"), 17},
        {TEXT(""), 0},
        {TEXT("   "), 0},
        {TEXT("\t\r\n 5"), 5},
        {TEXT("abc"), 0},
        {TEXT("- 5"), 0},
        {TEXT("+-5"), 0},
        {TEXT("12 34"), 12},
        // Full-width digits are not digits.
        {TEXT("\xFF11"), 0},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(TextToInt64(cases[i].text), cases[i].value) << "case " << i;
    EXPECT_EQ(TextToInt64(nullptr), 0);
}

TEST(TextToInt64, ReadsBackEveryWrittenValue) {
    const int64_t values[] = {0,
                              1,
                              -1,
                              9,
                              -10,
                              123456789,
                              INT64_MAX,
                              INT64_MIN,
                              INT64_MIN + 1,
                              INT64_MAX - 1,
                              int64_t{1} << 53,
                              -(int64_t{1} << 62)};
    for (int64_t v : values)
        EXPECT_EQ(TextToInt64(Write(v).c_str()), v);
}

TEST(HexTextToInt64, ReadsDigitsUntilTheFirstOther) {
    struct Case {
        const WCHAR* text;
        uint64_t value;
    };
    const Case cases[] = {
        {TEXT("1aF"), 431},
        {TEXT("0x10"), 0},
        {TEXT(""), 0},
        {TEXT(" 1"), 0},
        {TEXT("-1"), 0},
        {TEXT("ffffffffffffffff"), UINT64_MAX},
        {TEXT("8000000000000000"), uint64_t{1} << 63},
        // Seventeen digits: the first falls off the top.
        {TEXT("123456789abcdef01"), 0x23456789abcdef01},
        {TEXT("DEADbeefG1"), 0xdeadbeef},
        {TEXT("9g"), 9},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(static_cast<uint64_t>(HexTextToInt64(cases[i].text)), cases[i].value)
            << "case " << i;
    EXPECT_EQ(HexTextToInt64(nullptr), 0);
}

} // namespace
