// Step codes and their texts: list lines, key names, the key box and the reading of codes
// for replay.
#include <gtest/gtest.h>

#include <string>

#include "app/step_text.h"
#include "runtime/core/wstring.h"

namespace {

std::u16string Units(const CWString& text) {
    std::u16string out;
    for (const WCHAR* p = text.GetText(); *p != 0; ++p)
        out.push_back(static_cast<char16_t>(*p));
    return out;
}

CWString Code(const char16_t* units) {
    CWString code;
    for (; *units != 0; ++units)
        code.AppendChar(static_cast<WCHAR>(*units));
    return code;
}

TEST(StepTextTest, ListLines) {
    static constexpr struct {
        const char16_t* code;
        const char16_t* line;
    } kCases[] = {
        {u"A65", u"按键A"},
        {u"A9", u"按键Tab"},      // own table first
        {u"A112", u"按键F1"},     // then the framework table
        {u"A255", u"按键"},       // no table names 255
        {u"A106", u"按键PadMul"}, // the framework's name, not the key box's "*"
        {u"A32", u"按键空格"},
        {u"A37", u"按键向左"},
        {u"A20", u"按键Caps Lock"},
        {u"A  65x", u"按键A"},     // blanks skipped, digits up to the first other unit
        {u"A", u"按键"},           // no digits: code 0, which has no name
        {u"A321", u"按键A"},       // bits above the low byte without modifiers
        {u"A8257", u"按键Ctrl+A"}, // 0x2041
        {u"B1", u"鼠标左键"},
        {u"B2", u"鼠标右键"},
        {u"B3", u"鼠标中键"},
        {u"B0", u""},
        {u"B4", u""},
        {u"B", u""},
        {u"B01", u""}, // exactly "1", not the number 1
        {u"C-8@0", u"移动-8@0"},
        {u"C", u"移动"},
        {u"D50", u"延时50"},
        {u"D50~80", u"延时50~80"}, // a range reads as typed
        {u"D", u"延时"},
        {u"E100@200", u"坐标100@200"},
        {u"E@", u"坐标@"},
        {u"X1", u""},
        {u"a65", u""}, // letters are compared exactly
        {u"", u""},
    };
    for (size_t i = 0; i < std::size(kCases); ++i)
        EXPECT_EQ(Units(StepDisplayText(Code(kCases[i].code))), kCases[i].line) << "case " << i;
}

TEST(StepTextTest, KeyBoxAgainstListLine) {
    // The key box shows the key's character for 106 where the rebuilt line names the key.
    EXPECT_EQ(Units(KeyBoxText(106)), u"*");
    EXPECT_EQ(Units(StepDisplayText(Code(u"A106"))), u"按键PadMul");
    static constexpr struct {
        int32_t code;
        const char16_t* text;
    } kCases[] = {
        {9, u"Tab"}, {32, u"空格"}, {65, u"A"},         {48, u"0"}, {107, u"+"},
        {192, u"`"}, {220, u"\\"},  {222, u"'"},        {112, u""}, {255, u""},
        {256, u""},  {-1, u""},     {144, u"Num Lock"},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(Units(KeyBoxText(c.code)), c.text) << "code " << c.code;
}

TEST(StepTextTest, KeyCharTableEntries) {
    int nonZero = 0;
    for (int code = 0; code < 256; ++code)
        nonZero += KeyCharTable[code] != 0;
    // 4 control characters, 10 digits, 26 letters and 13 punctuation keys.
    EXPECT_EQ(nonZero, 53);
    EXPECT_EQ(KeyCharTable[13], 0x000D);
    EXPECT_EQ(KeyCharTable[190], static_cast<WCHAR>('.'));
    EXPECT_EQ(KeyCharTable[96], 0) << "keypad 0 has no character of its own";
}

TEST(StepTextTest, KeyDisplayNameIsTheOwnTableOnly) {
    EXPECT_EQ(Units(KeyDisplayName(145)), u"ScrLk");
    EXPECT_EQ(Units(KeyDisplayName(27)), u"Esc");
    EXPECT_TRUE(KeyDisplayName(65).IsEmpty());
    EXPECT_TRUE(KeyDisplayName(112).IsEmpty());
    EXPECT_TRUE(KeyDisplayName(-8).IsEmpty());
}

TEST(StepTextTest, ParseStepSetsOnlyWhatItsKindUses) {
    StepValues v;
    v.value = 77;
    EXPECT_EQ(ParseStep(Code(u"E@5"), v), static_cast<WCHAR>('E'));
    EXPECT_EQ(v.x, 5) << "the empty part is dropped";
    EXPECT_EQ(v.y, 0) << "the missing second part counts as 0";
    EXPECT_EQ(v.value, 77) << "a position leaves the value alone";

    EXPECT_EQ(ParseStep(Code(u"C-8@0"), v), static_cast<WCHAR>('C'));
    EXPECT_EQ(v.x, -8);
    EXPECT_EQ(v.y, 0);

    EXPECT_EQ(ParseStep(Code(u"C 3 @ -4 @ 9"), v), static_cast<WCHAR>('C'));
    EXPECT_EQ(v.x, 3);
    EXPECT_EQ(v.y, -4);

    EXPECT_EQ(ParseStep(Code(u"D-1"), v), static_cast<WCHAR>('D'));
    EXPECT_EQ(v.value, -1);
    EXPECT_EQ(v.x, 3) << "a delay leaves the position alone";

    EXPECT_EQ(ParseStep(Code(u"Dabc"), v), static_cast<WCHAR>('D'));
    EXPECT_EQ(v.value, 0);
    EXPECT_EQ(ParseStep(Code(u"A321"), v), static_cast<WCHAR>('A'));
    EXPECT_EQ(v.value, 321);
    EXPECT_EQ(ParseStep(Code(u""), v), 0);
}

TEST(StepTextTest, DecimalsSaturateAtThe32BitLimits) {
    static constexpr struct {
        const char16_t* text;
        int32_t value;
    } kCases[] = {
        {u"2147483647", 2147483647},
        {u"2147483648", 2147483647},
        {u"99999999999999999999", 2147483647},
        {u"-2147483648", -2147483647 - 1},
        {u"-4294967295", -2147483647 - 1},
        {u" +12", 12},
        {u"-", 0},
    };
    for (size_t i = 0; i < std::size(kCases); ++i)
        EXPECT_EQ(StepDecimal(Code(kCases[i].text).GetText()), kCases[i].value) << "case " << i;
}

} // namespace
