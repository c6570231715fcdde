// The add boxes' texts read as numbers (full-width input, blanks around and inside numbers,
// ranges, faults), the codes made of them, and the check that a code reads back as the step
// the boxes meant.
#include <gtest/gtest.h>

#include <string>

#include "app/steps/box_input.h"
#include "runtime/core/wstring.h"
#include "tests/app/step_code_testing.h"

namespace {

using step_code_testing::Code;
using step_code_testing::Units;

struct DelayCase {
    const char16_t* text;
    BoxFault fault;
    const char16_t* code; // when read: the code made of the numbers
};

// What the delay box gives and the code it adds; the texts of a Chinese input method among
// them. Each code made must read back as the numbers read.
TEST(BoxInputTest, DelayBoxTextsAndTheirCodes) {
    static const DelayCase kCases[] = {
        {u"50", BoxFault::kNone, u"D50"},
        {u"50~80", BoxFault::kNone, u"D50~80"},
        {u"50 ~ 80", BoxFault::kNone, u"D50~80"},    // blanks around the tilde dropped
        {u" 50 ", BoxFault::kNone, u"D50"},          // and around the number
        {u"50\t~\t80", BoxFault::kNone, u"D50~80"},  // a tab is a blank too
        {u"\uFF15\uFF10", BoxFault::kNone, u"D50"},  // "５０"
        {u"50\uFF5E80", BoxFault::kNone, u"D50~80"}, // "50～80"
        {u"\uFF15\uFF10\u301C\uFF18\uFF10", BoxFault::kNone, u"D50~80"}, // "５０〜８０"
        {u"\u300050\u3000", BoxFault::kNone, u"D50"},                    // ideographic spaces
        {u"\uFF0D1", BoxFault::kNone, u"D-1"}, // "－1": waits until stopped
        {u"\u22121", BoxFault::kNone, u"D-1"}, // the minus sign
        {u"+7", BoxFault::kNone, u"D7"},
        {u"007", BoxFault::kNone, u"D7"},
        {u"80~50", BoxFault::kNone, u"D80~50"}, // the ends in either order
        {u"-5~10", BoxFault::kNone, u"D-5~10"},
        {u"", BoxFault::kNone, u"D0"}, // an empty box means 0, as it did
        {u"   ", BoxFault::kNone, u"D0"},
        {u"-2147483648", BoxFault::kNone, u"D-2147483648"},
        {u"2147483647", BoxFault::kNone, u"D2147483647"},
        {u"5 0", BoxFault::kBlankInNumber, nullptr},
        {u"\uFF15\u3000\uFF10", BoxFault::kBlankInNumber, nullptr}, // "５　０"
        {u"50~8 0", BoxFault::kBlankInNumber, nullptr},
        {u"- 5", BoxFault::kBlankInNumber, nullptr},
        {u"50 80", BoxFault::kBlankInNumber, nullptr},
        {u"abc", BoxFault::kNotANumber, nullptr},
        {u"50ms", BoxFault::kNotANumber, nullptr},
        {u"50~", BoxFault::kNotANumber, nullptr},
        {u"~80", BoxFault::kNotANumber, nullptr},
        {u"50~80~90", BoxFault::kNotANumber, nullptr},
        {u"5-3", BoxFault::kNotANumber, nullptr},
        {u"-", BoxFault::kNotANumber, nullptr},
        {u"2147483648", BoxFault::kOutOfRange, nullptr},
        {u"-2147483649", BoxFault::kOutOfRange, nullptr},
        {u"99999999999999999999", BoxFault::kOutOfRange, nullptr},
        {u"50~99999999999", BoxFault::kOutOfRange, nullptr},
    };
    for (size_t i = 0; i < std::size(kCases); ++i) {
        const DelayCase& c = kCases[i];
        BoxNumbers n = ReadDelayBox(Code(c.text).GetText());
        EXPECT_EQ(n.fault, c.fault) << "case " << i;
        if (c.code == nullptr || n.fault != BoxFault::kNone)
            continue;
        CWString code = DelayCode(n);
        EXPECT_EQ(Units(code), c.code) << "case " << i;
        EXPECT_TRUE(DelayCodeReadsBack(code, n)) << "case " << i;
    }
}

TEST(BoxInputTest, NumberBoxTextsAndTheirCodes) {
    static constexpr struct {
        const char16_t* x;
        const char16_t* y;
        BoxFault fault; // of the first box that has one
        const char16_t* code;
    } kCases[] = {
        {u"3", u"4", BoxFault::kNone, u"C3@4"},
        {u" -8 ", u"0", BoxFault::kNone, u"C-8@0"},
        {u"\uFF13", u"\uFF0D\uFF14", BoxFault::kNone, u"C3@-4"}, // "３", "－４"
        {u"", u"5", BoxFault::kNone, u"C0@5"}, // an empty box is 0, not a part dropped
        {u"", u"", BoxFault::kNone, u"C0@0"},
        {u"3 4", u"5", BoxFault::kBlankInNumber, nullptr},
        {u"3", u"4 5", BoxFault::kBlankInNumber, nullptr},
        {u"3~4", u"5", BoxFault::kNotANumber, nullptr}, // only the delay box takes a range
        {u"3@4", u"5", BoxFault::kNotANumber, nullptr},
        {u"3", u"4294967296", BoxFault::kOutOfRange, nullptr},
    };
    for (size_t i = 0; i < std::size(kCases); ++i) {
        const auto& c = kCases[i];
        BoxNumbers x = ReadNumberBox(Code(c.x).GetText());
        BoxNumbers y = ReadNumberBox(Code(c.y).GetText());
        EXPECT_EQ(x.fault != BoxFault::kNone ? x.fault : y.fault, c.fault) << "case " << i;
        EXPECT_FALSE(x.range || y.range) << "case " << i;
        if (c.code == nullptr)
            continue;
        CWString code = PairCode(TEXT('C'), x.first, y.first);
        EXPECT_EQ(Units(code), c.code) << "case " << i;
        EXPECT_TRUE(PairCodeReadsBack(code, TEXT('C'), x.first, y.first)) << "case " << i;
    }
}

// The check itself: the codes the boxes' texts made before, which a scheme file cut into
// pieces or whose empty part the reading dropped, do not read back as what was meant.
TEST(BoxInputTest, CodesThatWouldChangeOnTheirWayThroughAFileDoNotReadBack) {
    BoxNumbers range;
    range.first = 50;
    range.second = 80;
    range.range = true;
    EXPECT_TRUE(DelayCodeReadsBack(Code(u"D50~80"), range));
    EXPECT_FALSE(DelayCodeReadsBack(Code(u"D50 ~ 80"), range)) << "three codes in a file";
    EXPECT_FALSE(DelayCodeReadsBack(Code(u"D50"), range)) << "a plain delay";
    EXPECT_FALSE(DelayCodeReadsBack(Code(u"D50~81"), range));
    EXPECT_FALSE(DelayCodeReadsBack(Code(u"C50~80"), range)) << "another kind";
    BoxNumbers plain;
    plain.first = plain.second = 50;
    EXPECT_TRUE(DelayCodeReadsBack(Code(u"D50"), plain));
    EXPECT_FALSE(DelayCodeReadsBack(Code(u"D\uFF15\uFF10"), plain)) << "full-width reads 0";
    EXPECT_FALSE(DelayCodeReadsBack(Code(u"D50~80"), plain));
    EXPECT_TRUE(PairCodeReadsBack(Code(u"C3@4"), TEXT('C'), 3, 4));
    EXPECT_FALSE(PairCodeReadsBack(Code(u"C3 4@5"), TEXT('C'), 34, 5)) << "two codes in a file";
    EXPECT_FALSE(PairCodeReadsBack(Code(u"C@5"), TEXT('C'), 0, 5)) << "reads as 5, 0";
    EXPECT_FALSE(PairCodeReadsBack(Code(u"E3@4"), TEXT('C'), 3, 4));
    EXPECT_FALSE(PairCodeReadsBack(Code(u""), TEXT('C'), 0, 0));
}

} // namespace
