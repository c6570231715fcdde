// The edit box's input modes as a table: the characters each mode lets through and the text it
// writes back on focus loss. On both backends, since the numbers are written with the
// platform's formatting and the dates with its date conversions.
#include <gtest/gtest.h>

#include <string>

#include "runtime/ui/edit_input_mode.h"

namespace {

using WText = std::basic_string<WCHAR>;

TEST(EditInputMode, EachModeLetsThroughItsCharactersAndControlKeysAlways) {
    struct Case {
        int64_t mode;
        const WCHAR* accepted;
        const WCHAR* refused;
    };
    const Case cases[] = {
        {0, TEXT("aZ-.5 键"), TEXT("")},          {1, TEXT("aZ-.5 键"), TEXT("")},
        {2, TEXT("aZ-.5 键"), TEXT("")},          {3, TEXT("-0123456789"), TEXT("a.+ e键")},
        {4, TEXT("-.0123456789"), TEXT("a+ e,")}, {5, TEXT("0123456789"), TEXT("-.a+ ")},
        {6, TEXT("-0123456789"), TEXT(".a+ ")},   {7, TEXT("-0123456789"), TEXT(".a+ ")},
        {8, TEXT("-0123456789"), TEXT(".a+ ")},   {9, TEXT("-.0123456789"), TEXT("ae+ ")},
        {10, TEXT("-.0123456789"), TEXT("ae+ ")}, {11, TEXT("年月日/: 0a"), TEXT("")},
        {12, TEXT("年月日/: 0a"), TEXT("")},      {13, TEXT("0xfgZ"), TEXT("")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode);
        for (const WCHAR* p = c.accepted; *p != 0; ++p)
            EXPECT_TRUE(EditModeAcceptsChar(c.mode, *p)) << "unit " << int(*p);
        for (const WCHAR* p = c.refused; *p != 0; ++p)
            EXPECT_FALSE(EditModeAcceptsChar(c.mode, *p)) << "unit " << int(*p);
        for (WCHAR control : {WCHAR{8}, WCHAR{13}, WCHAR{27}, WCHAR{1}})
            EXPECT_TRUE(EditModeAcceptsChar(c.mode, control)) << "control " << int(control);
    }
}

TEST(EditInputMode, TheModesStylesAreReadOnlyAndPassword) {
    EXPECT_EQ(EditModeStyle(1), static_cast<DWORD>(ES_READONLY));
    EXPECT_EQ(EditModeStyle(2), static_cast<DWORD>(ES_PASSWORD));
    for (int64_t mode : {0, 3, 5, 13})
        EXPECT_EQ(EditModeStyle(mode), 0u) << "mode " << mode;
}

TEST(EditInputMode, EachModeRewritesItsTextOnFocusLoss) {
    struct Case {
        int64_t mode;
        const WCHAR* text;
        const WCHAR* shown; // null: the mode leaves the text alone
    };
    const Case cases[] = {
        {0, TEXT("300"), nullptr},
        {3, TEXT("--1"), nullptr},
        {4, TEXT("1..2"), nullptr},
        // 0 to 255; 0 shows as empty text.
        {5, TEXT("300"), TEXT("255")},
        {5, TEXT("-4"), TEXT("")},
        {5, TEXT("0"), TEXT("")},
        {5, TEXT(" 12abc"), TEXT("12")},
        {5, TEXT(""), TEXT("")},
        {6, TEXT("40000"), TEXT("32767")},
        {6, TEXT("-40000"), TEXT("-32768")},
        {6, TEXT("-0"), TEXT("")},
        // 32 bits, saturated as the run-time reads it.
        {7, TEXT("99999999999"), TEXT("2147483647")},
        {7, TEXT("-99999999999"), TEXT("-2147483648")},
        {7, TEXT("-12-3"), TEXT("-12")},
        {7, TEXT("+7"), TEXT("7")},
        {8, TEXT("9223372036854775808"), TEXT("9223372036854775807")},
        {8, TEXT("-123456789012"), TEXT("-123456789012")},
        // Single precision, six significant digits.
        {9, TEXT("3.14159265"), TEXT("3.14159")},
        {9, TEXT("1234567"), TEXT("1.23457E+06")},
        {9, TEXT("-.5"), TEXT("-0.5")},
        {9, TEXT("0.0"), TEXT("")},
        {9, TEXT("-0"), TEXT("")},
        {9, TEXT("1e39"), TEXT("INF")},
        // Thirteen significant digits; no trailing zeros.
        {10, TEXT("1.50"), TEXT("1.5")},
        {10, TEXT("0.1"), TEXT("0.1")},
        {10, TEXT("3.14159265358979"), TEXT("3.14159265359")},
        {10, TEXT("2.5e3x"), TEXT("2500")},
        {10, TEXT("abc"), TEXT("")},
        // Dates: written back in the mode's style, empty when they do not read.
        {11, TEXT("2024/4/1 12"), TEXT("2024年4月1日12时")},
        {11, TEXT("2024年4月1日"), TEXT("2024年4月1日")},
        {11, TEXT("明天"), TEXT("")},
        {12, TEXT("4-1-2024 12:30"), TEXT("4/1/2024 12:30")},
        {12, TEXT("x"), TEXT("")},
        // Hexadecimal, upper case, no leading zeros; the "0" of "0x10" ends the digits at x.
        {13, TEXT("ff"), TEXT("FF")},
        {13, TEXT("00ab"), TEXT("AB")},
        {13, TEXT("0x10"), TEXT("")},
        {13, TEXT("FFFFFFFFFFFFFFFF"), TEXT("FFFFFFFFFFFFFFFF")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", case " << (&c - cases));
        CWString out(TEXT("untouched"));
        bool rewrites = RewriteEditText(c.mode, c.text, out);
        EXPECT_EQ(rewrites, c.shown != nullptr);
        if (c.shown != nullptr) {
            EXPECT_EQ(WText(out.GetText()), WText(c.shown));
        }
    }
}

// Numbers beyond the range of a double become 0 or an infinity by their magnitude, whatever
// the spelling: a tiny one needs no exponent, and a huge one may have a negative exponent.
TEST(EditInputMode, OutOfRangeNumbersGoToZeroOrInfinityByTheirMagnitude) {
    using Units = std::basic_string<WCHAR>;
    Units tiny = TEXT("0.");
    tiny.append(400, '0');
    tiny += TEXT("1");
    Units huge = TEXT("1");
    huge.append(400, '0');
    huge += TEXT("e-5");
    struct Case {
        int64_t mode;
        Units text;
        const WCHAR* shown;
    };
    const Case cases[] = {
        {10, tiny, TEXT("")},
        {10, huge, TEXT("INF")},
        {9, tiny, TEXT("")},
        {9, huge, TEXT("INF")},
        {10, TEXT("1e-400"), TEXT("")},
        {10, TEXT("1e400"), TEXT("INF")},
        {10, TEXT("-") + huge, TEXT("-INF")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", case " << (&c - cases));
        CWString out;
        ASSERT_TRUE(RewriteEditText(c.mode, c.text.c_str(), out));
        EXPECT_EQ(WText(out.GetText()), WText(c.shown));
    }
}

} // namespace
