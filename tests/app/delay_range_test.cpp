// Delay ranges: the reading of "50~80", and the lengths drawn from a range with a seeded
// random source.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "app/steps/delay_range.h"
#include "app/steps/step_text.h"
#include "runtime/core/wstring.h"
#include "tests/app/step_code_testing.h"

namespace {

using step_code_testing::Code;
using step_code_testing::Units;

TEST(DelayRangeTest, ArgumentsAndWhatTheyRead) {
    static constexpr struct {
        const char16_t* argument;
        int32_t first;
        int32_t second;
    } kCases[] = {
        {u"50~80", 50, 80},
        {u"80~50", 80, 50},     // either order
        {u" 50 ~ 80 ", 50, 80}, // blanks before each number, as the decimal rule skips them
        {u"-5~5", -5, 5},
        {u"50~80~99", 50, 80}, // the first "~" divides
        {u"50~80ms", 50, 80},  // digits up to the first other unit
        {u"50~", 50, 50},      // missing part: the plain delay of the first number
        {u"50~x", 50, 50},     // not a number
        {u"50~-", 50, 50},     // a sign alone is no number
        {u"~80", 0, 0},        // the first number missing: D~80 reads 0, as it always did
        {u"x~80", 0, 0},
        {u"50", 50, 50},
        {u"60~60", 60, 60}, // both ends equal: a plain delay
        {u"", 0, 0},
        {u"-1", -1, -1},
    };
    for (const auto& c : kCases) {
        DelayRange range = ParseDelayRange(Code(c.argument).GetText());
        EXPECT_EQ(range.first, c.first) << "case " << (&c - kCases);
        EXPECT_EQ(range.second, c.second) << "case " << (&c - kCases);
    }
}

TEST(DelayRangeTest, AnOlderReaderAndTheListLineSeeTheFirstNumber) {
    EXPECT_EQ(StepDecimal(Code(u"50~80").GetText()), 50);
    StepValues values;
    EXPECT_EQ(ParseStep(Code(u"D50~80"), values), static_cast<WCHAR>('D'));
    EXPECT_EQ(values.value, 50);
    EXPECT_EQ(values.delay.first, 50);
    EXPECT_EQ(values.delay.second, 80);
    EXPECT_EQ(ParseStep(Code(u"D70"), values), static_cast<WCHAR>('D'));
    EXPECT_FALSE(values.delay.IsRange()) << "a plain delay after a range is plain again";
    EXPECT_EQ(Units(StepDisplayText(Code(u"D50~80"))), u"延时50~80");
}

TEST(DelayRangeTest, DrawsStayInTheRangeAndCoverIt) {
    static constexpr struct {
        DelayRange range;
        uint32_t low;
        uint32_t high;
    } kCases[] = {
        {{50, 80, true}, 50, 80},
        {{80, 50, true}, 50, 80},
        {{-5, 3, true}, 0, 3}, // a negative end counts as 0: a range is always a bounded wait
        {{0, 1, true}, 0, 1},
    };
    std::mt19937 random(20);
    for (const auto& c : kCases) {
        std::set<uint32_t> seen;
        for (int i = 0; i < 5000; ++i) {
            uint32_t ms = DrawDelayMs(c.range, random);
            ASSERT_GE(ms, c.low);
            ASSERT_LE(ms, c.high);
            seen.insert(ms);
        }
        EXPECT_EQ(seen.size(), c.high - c.low + 1) << "every whole value is drawn";
    }
}

TEST(DelayRangeTest, APlainDelayWaitsItsValueUnsigned) {
    std::mt19937 random(20);
    EXPECT_EQ(DrawDelayMs({50, 50}, random), 50u);
    EXPECT_EQ(DrawDelayMs({-1, -1}, random), 0xFFFFFFFFu) << "D-1 still waits until stopped";
}

// A range is a bounded wait whatever its ends: written with equal or negative ends it is
// still a range, never the endless wait of a plain -1.
TEST(DelayRangeTest, ARangeWithEqualOrNegativeEndsIsABoundedWait) {
    static constexpr struct {
        const char16_t* argument;
        bool range;
        uint32_t ms;
    } kCases[] = {
        {u"-1~-1", true, 0},
        {u"-5~-2", true, 0},
        {u"60~60", true, 60},
        {u" -1 ~ -1", true, 0},
        {u"-1", false, 0xFFFFFFFFu},
        {u"-1~", false, 0xFFFFFFFFu}, // no second number: the plain delay it always was
    };
    std::mt19937 random(20);
    for (const auto& c : kCases) {
        DelayRange range = ParseDelayRange(Code(c.argument).GetText());
        EXPECT_EQ(range.IsRange(), c.range) << "case " << (&c - kCases);
        EXPECT_EQ(DrawDelayMs(range, random), c.ms) << "case " << (&c - kCases);
    }
}

} // namespace
