// Step codes and their texts: list lines, key names, the key box and the reading of codes
// for replay.
#include <gtest/gtest.h>

#include <string>

#include "app/steps/step_text.h"
#include "runtime/core/wstring.h"
#include "runtime/ui/key_names.h"
#include "tests/app/step_code_testing.h"

namespace {

using step_code_testing::Code;
using step_code_testing::Units;

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
        {u"B01", u"鼠标左键"}, // the number 1: the replay clicks the left button
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

// The held, pressed and released forms and shortcuts read as such; every code around them that
// is not exactly one of them reads as it always did (the second half of the table: what the
// plain rules gave for these codes before the forms existed).
TEST(StepTextTest, ExtendedFormsAndTheOldReadingOfCodesNearThem) {
    static constexpr struct {
        const char16_t* code;
        const char16_t* line;
    } kCases[] = {
        {u"A8278", u"按键Ctrl+V"},            // 0x2056
        {u"A49264", u"按键Shift+Alt+F1"},     // 0xC070
        {u"A57409", u"按键Ctrl+Shift+Alt+A"}, // 0xE041
        {u"A87@2000", u"按键W，按住2000毫秒"},
        {u"A87@0", u"按键W，按住0毫秒"},
        {u"A87@007", u"按键W，按住7毫秒"},
        {u"A32840@150", u"按键Shift+H，按住150毫秒"},
        {u"A16+", u"按键Shift按下"},
        {u"A16-", u"按键Shift松开"},
        {u"A8278+", u"按键Ctrl+V按下"},
        {u"A9-", u"按键Tab松开"},
        {u"A87@2147483647", u"按键W，按住2147483647毫秒"},
        {u"B1+", u"鼠标左键按下"},
        {u"B2-", u"鼠标右键松开"},
        {u"B3@500", u"鼠标中键，按住500毫秒"},
        // Not one of the forms: the plain reading.
        {u"A65abc", u"按键A"},
        {u"A87@", u"按键W"},
        {u"A87@x", u"按键W"},
        {u"A87@-5", u"按键W"},
        {u"A87@+5", u"按键W"},
        {u"A87@ 5", u"按键W"},
        {u"A87@2000x", u"按键W"},
        {u"A87@2147483648", u"按键W"}, // a hold beyond 31 bits
        {u"A87+-", u"按键W"},
        {u"A87++", u"按键W"},
        {u"A87+@5", u"按键W"},
        {u"A 87+", u"按键W"},
        {u"A+87", u"按键W"},
        {u"A-87-", u"按键"},         // -87 is no key with a name
        {u"A321@500", u"按键A"},     // 0x141: a bit that is no modifier
        {u"A12345678901+", u"按键"}, // saturates at 0x7FFFFFFF
        {u"A+", u"按键"},
        {u"A@5", u"按键"},
        // The replay clicks the button these name (the plain reading), so the line says so.
        {u"B1x", u"鼠标左键"},
        {u"B1@", u"鼠标左键"},
        {u"B1@x", u"鼠标左键"},
        {u"B1@-5", u"鼠标左键"},
        {u"B01+", u"鼠标左键"},
        {u"B0+", u""},
        {u"B4-", u""},
        {u"B+1", u"鼠标左键"},
        {u"B1+x", u"鼠标左键"},
        {u"B12@5", u""},
        {u"B@5", u""},
        {u"B-", u""},
    };
    for (size_t i = 0; i < std::size(kCases); ++i)
        EXPECT_EQ(Units(StepDisplayText(Code(kCases[i].code))), kCases[i].line) << "case " << i;
}

// What the replay does with each: the value (as the plain rule reads it, so the key and button
// are what they always were), the action, the hold and the shortcut's modifiers. Codes that
// are none of the forms tap without modifiers, as they always did.
TEST(StepTextTest, ParseStepReadsTheFormsAndLeavesOtherCodesAsTaps) {
    static constexpr struct {
        const char16_t* code;
        int32_t value;
        StepAction action;
        int64_t hold; // -1: the standard hold
        uint32_t modifiers;
    } kCases[] = {
        {u"A8278", 8278, StepAction::kTap, -1, 0x2000},
        {u"A57409", 57409, StepAction::kTap, -1, 0xE000},
        {u"A87@2000", 87, StepAction::kTap, 2000, 0},
        {u"A49264@40", 49264, StepAction::kTap, 40, 0xC000},
        {u"A16+", 16, StepAction::kPress, -1, 0},
        {u"A49264-", 49264, StepAction::kRelease, -1, 0xC000},
        {u"B2@300", 2, StepAction::kTap, 300, 0},
        {u"B3+", 3, StepAction::kPress, -1, 0},
        {u"B1-", 1, StepAction::kRelease, -1, 0},
        {u"A65abc", 65, StepAction::kTap, -1, 0},
        {u"A8257abc", 8257, StepAction::kTap, -1, 0}, // taps A alone, as it always did
        {u"A 8257", 8257, StepAction::kTap, -1, 0},
        {u"A321", 321, StepAction::kTap, -1, 0},
        {u"A321+", 321, StepAction::kTap, -1, 0},
        {u"A87@2147483648", 87, StepAction::kTap, -1, 0},
        {u"B1x", 1, StepAction::kTap, -1, 0}, // still clicks the left button
        {u"B2@x", 2, StepAction::kTap, -1, 0},
        {u"B01+", 1, StepAction::kTap, -1, 0},
    };
    for (size_t i = 0; i < std::size(kCases); ++i) {
        StepValues v;
        // Left over from an earlier step, to see that every field is set again.
        v.action = StepAction::kRelease;
        v.hold_ms = 9;
        v.modifiers = kKeyAlt;
        const auto& c = kCases[i];
        EXPECT_EQ(ParseStep(Code(c.code), v), static_cast<WCHAR>(c.code[0])) << "case " << i;
        EXPECT_EQ(v.value, c.value) << "case " << i;
        EXPECT_EQ(v.action, c.action) << "case " << i;
        EXPECT_EQ(v.hold_ms.has_value(), c.hold >= 0) << "case " << i;
        if (v.hold_ms && c.hold >= 0) {
            EXPECT_EQ(*v.hold_ms, static_cast<uint32_t>(c.hold)) << "case " << i;
        }
        EXPECT_EQ(v.modifiers, c.modifiers) << "case " << i;
    }
}

// A line says what the replay does. Codes that carry modifier bits but are none of the shortcut
// forms tap the key alone, so their line names the key alone; the well-formed forms name the
// shortcut. Each line is checked against ParseStep's reading, which the replay performs: the
// key pressed (the low byte of the value), the modifiers pressed with it and the action.
TEST(StepTextTest, KeyAndButtonLinesSayWhatTheReplayDoes) {
    static constexpr struct {
        const char16_t* code;
        const char16_t* line;
        int32_t pressed; // the key's low byte, or the button
        uint32_t modifiers;
        StepAction action;
    } kCases[] = {
        {u"A8257x", u"按键A", 0x41, 0, StepAction::kTap},
        {u"A8257@", u"按键A", 0x41, 0, StepAction::kTap},
        {u"A8257@100x", u"按键A", 0x41, 0, StepAction::kTap},
        {u"A8513", u"按键A", 0x41, 0, StepAction::kTap}, // 0x2141: 0x100 is no modifier
        {u"A8513+", u"按键A", 0x41, 0, StepAction::kTap},
        {u"A-65", u"按键/", 0xBF, 0, StepAction::kTap},     // every bit set, none a shortcut's
        {u"A272", u"按键Shift", 0x10, 0, StepAction::kTap}, // the key's own name
        {u"A8257", u"按键Ctrl+A", 0x41, kKeyCtrl, StepAction::kTap},
        {u"A8257+", u"按键Ctrl+A按下", 0x41, kKeyCtrl, StepAction::kPress},
        {u"A8257-", u"按键Ctrl+A松开", 0x41, kKeyCtrl, StepAction::kRelease},
        {u"A8257@100", u"按键Ctrl+A，按住100毫秒", 0x41, kKeyCtrl, StepAction::kTap},
        {u"A57409", u"按键Ctrl+Shift+Alt+A", 0x41, kKeyCtrl | kKeyShift | kKeyAlt,
         StepAction::kTap},
        {u"A16+", u"按键Shift按下", 0x10, 0, StepAction::kPress},
        {u"B1", u"鼠标左键", 1, 0, StepAction::kTap},
        {u"B3@500", u"鼠标中键，按住500毫秒", 3, 0, StepAction::kTap},
        {u"B2x", u"鼠标右键", 2, 0, StepAction::kTap},
        {u"B4", u"", 4, 0, StepAction::kTap}, // no button: the replay does nothing
    };
    for (size_t i = 0; i < std::size(kCases); ++i) {
        const auto& c = kCases[i];
        EXPECT_EQ(Units(StepDisplayText(Code(c.code))), c.line) << "case " << i;
        StepValues v;
        ParseStep(Code(c.code), v);
        EXPECT_EQ(c.code[0] == u'A' ? v.value & 0xFF : v.value, c.pressed) << "case " << i;
        EXPECT_EQ(v.modifiers, c.modifiers) << "case " << i;
        EXPECT_EQ(v.action, c.action) << "case " << i;
    }
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
