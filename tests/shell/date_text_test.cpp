// Date texts in both styles, the scanner, and BuildDateTime's clamping. These run on both
// backends: the simulated OLE date arithmetic against the real one under Wine.
#include "runtime/shell/date_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "tests/core/text_testing.h"

namespace {

double Date(int64_t y, int64_t mo, int64_t d, int64_t h = 0, int64_t mi = 0, int64_t s = 0) {
    const double date = BuildDateTime(y, mo, d, h, mi, s, 1e9);
    EXPECT_NE(date, 1e9) << y << "-" << mo << "-" << d;
    return date;
}

std::string Write(double date, int style) {
    CWString target(TEXT("previous"));
    const WCHAR* text = DateTimeToText(date, style, target);
    EXPECT_EQ(text, target.GetText());
    return Utf8(target);
}

// Same second: dates built from whole seconds differ by far less than a second's 1/86400
// only through rounding.
void ExpectSameSecond(double a, double b, const std::string& what) {
    EXPECT_NEAR(a, b, 0.1 / 86400) << what;
}

TEST(DateTimeToText, BothStyles) {
    struct Case {
        double date;
        const char* chinese;
        const char* numeric;
    };
    const Case cases[] = {
        {45383.5, "2024年4月1日12时", "4/1/2024 12"},
        {Date(2024, 1, 1), "2024年1月1日", "1/1/2024"},
        {Date(2024, 1, 1, 15, 0, 30), "2024年1月1日15时0分30秒", "1/1/2024 15:0:30"},
        {Date(2024, 1, 1, 0, 5), "2024年1月1日0时5分", "1/1/2024 0:5"},
        {Date(2024, 1, 1, 0, 0, 1), "2024年1月1日0时0分1秒", "1/1/2024 0:0:1"},
        {Date(1999, 12, 31, 23, 59, 59), "1999年12月31日23时59分59秒", "12/31/1999 23:59:59"},
        {0.0, "1899年12月30日", "12/30/1899"},
        {-1.25, "1899年12月29日6时", "12/29/1899 6"},
        {-657434.0, "100年1月1日", "1/1/100"},
        {2958465.0, "9999年12月31日", "12/31/9999"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Write(c.date, kDateChinese), c.chinese) << c.date;
        EXPECT_EQ(Write(c.date, kDateNumeric), c.numeric) << c.date;
    }
}

TEST(DateTimeToText, OutOfRangeIsEmpty) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // The range ends at the midnights of its first and last days: a time on 1 January 100
    // lies below -657434.0, and one on 31 December 9999 above 2958465.0.
    const double first = Date(100, 1, 1, 0, 0, 1);
    const double last = Date(9999, 12, 31, 0, 0, 1);
    for (double date :
         {first, last, -657434.5, -657435.0, 2958465.5, 2958466.0, 1e300, -1e300, nan, inf, -inf})
        for (int style : {kDateChinese, kDateNumeric})
            EXPECT_EQ(Write(date, style), "") << date;
}

TEST(TextToDateTime, ChineseStyle) {
    struct Case {
        const WCHAR* text;
        double date;
    };
    const Case cases[] = {
        {TEXT("2024年4月1日12时"), 45383.5},
        {TEXT("2024年1月1日15时0分30秒"), Date(2024, 1, 1, 15, 0, 30)},
        {TEXT("2024年1月1日15时0分30秒以后不看"), Date(2024, 1, 1, 15, 0, 30)},
        {TEXT("2024-2-30"), Date(2024, 2, 29)},
        {TEXT("2023-2-30"), Date(2023, 2, 28)},
        {TEXT("2024.12.31 23:59:59"), Date(2024, 12, 31, 23, 59, 59)},
        {TEXT("2024/1/2/3:4:5"), Date(2024, 1, 2, 3, 4, 5)},
        // Digit groups stop at their length: 20240102 is 2024, 01, 02.
        {TEXT("20240102"), Date(2024, 1, 2)},
        {TEXT("2024010203"), Date(2024, 1, 2, 3)},
        {TEXT("2024"), Date(2024, 1, 1)},
        // Fields out of range are clamped, not rejected.
        {TEXT("2024-13-99 99:99:99"), Date(2024, 12, 31, 23, 59, 59)},
        {TEXT("2024-0-0"), Date(2024, 1, 1)},
        // The fifth digit is the month.
        {TEXT("99999"), Date(9999, 9, 1)},
        // A two-digit year is clamped to 100: the first second of the year 100 is the
        // invalid date itself.
        {TEXT("24年1月1日"), kInvalidDate},
        {TEXT("24年1月1日0时0分1秒"), Date(100, 1, 1, 0, 0, 1)},
        {TEXT("2024年1月1日x"), kInvalidDate},
        {TEXT("2024年1月1日 "), kInvalidDate},
        {TEXT(" 2024年1月1日"), kInvalidDate},
        {TEXT("2024--1"), Date(2024, 1, 1)},
        {TEXT("2024-1-1----"), kInvalidDate},
        {TEXT(""), kInvalidDate},
        {TEXT("年"), kInvalidDate}, // all groups empty: 100-01-01 00:00:00
        {TEXT("2024年1月1日12时30分5秒"), Date(2024, 1, 1, 12, 30, 5)},
        {TEXT("2024年1月1日12时30分5"), Date(2024, 1, 1, 12, 30, 5)},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        ExpectSameSecond(TextToDateTime(cases[i].text, kDateChinese), cases[i].date,
                         "case " + std::to_string(i) + ": " + Utf8(cases[i].text));
    EXPECT_EQ(TextToDateTime(nullptr, kDateChinese), kInvalidDate);
}

TEST(TextToDateTime, NumericStyle) {
    struct Case {
        const WCHAR* text;
        double date;
    };
    const Case cases[] = {
        {TEXT("12/31/2023 23:59:59"), Date(2023, 12, 31, 23, 59, 59)},
        {TEXT("4/1/2024 12"), 45383.5},
        {TEXT("1/1/2024 15:0:30"), Date(2024, 1, 1, 15, 0, 30)},
        {TEXT("2-30-2024"), Date(2024, 2, 29)},
        {TEXT("1.2.2024.3.4.5"), Date(2024, 1, 2, 3, 4, 5)},
        {TEXT("1/1/2024"), Date(2024, 1, 1)},
        // The Chinese units are not separators here.
        {TEXT("1/1/2024 15时"), kInvalidDate},
        {TEXT("1/1/2024 1:2:3秒"), kInvalidDate},
        {TEXT("12/31/2023 23:59:59 "), kInvalidDate},
        {TEXT("2023年"), kInvalidDate},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        ExpectSameSecond(TextToDateTime(cases[i].text, kDateNumeric), cases[i].date,
                         "case " + std::to_string(i) + ": " + Utf8(cases[i].text));
}

TEST(TextToDateTime, ReadsBackWhatItWrote) {
    // Every style, across the range, both sides of day 0, leap days and each time-part form.
    const double dates[] = {
        Date(100, 1, 2, 0, 0, 1),  Date(100, 12, 31, 23, 59, 59), Date(1600, 2, 29, 12),
        Date(1899, 12, 29, 6, 30), Date(1899, 12, 30, 0, 0, 59),  Date(1900, 2, 28, 1, 2, 3),
        Date(2000, 2, 29, 10),     Date(2024, 4, 1, 0, 1),        Date(9999, 12, 30, 23, 59, 59),
    };
    for (double date : dates) {
        for (int style : {kDateChinese, kDateNumeric}) {
            CWString text;
            DateTimeToText(date, style, text);
            ExpectSameSecond(TextToDateTime(text.GetText(), style), date, Utf8(text));
        }
    }
}

TEST(BuildDateTime, ClampsEveryField) {
    struct Case {
        int64_t y, mo, d, h, mi, s;
        int64_t ey, emo, ed, eh, emi, es;
    };
    const Case cases[] = {
        {24, 1, 1, 0, 0, 0, 100, 1, 1, 0, 0, 0},
        {-5, -5, -5, -5, -5, -5, 100, 1, 1, 0, 0, 0},
        {INT64_MAX, INT64_MAX, INT64_MAX, INT64_MAX, INT64_MAX, INT64_MAX, 9999, 12, 31, 23, 59,
         59},
        {INT64_MIN, 2, 31, 0, 0, 0, 100, 2, 28, 0, 0, 0},
        {2000, 2, 31, 0, 0, 0, 2000, 2, 29, 0, 0, 0},
        {1900, 2, 29, 0, 0, 0, 1900, 2, 28, 0, 0, 0},
        {2024, 4, 31, 0, 0, 0, 2024, 4, 30, 0, 0, 0},
        {2024, 0, 0, 24, 60, 60, 2024, 1, 1, 23, 59, 59},
    };
    for (const Case& c : cases) {
        const double got = BuildDateTime(c.y, c.mo, c.d, c.h, c.mi, c.s, 1e9);
        SYSTEMTIME st{};
        ASSERT_TRUE(VariantTimeToSystemTime(got, &st)) << c.y;
        EXPECT_EQ(st.wYear, c.ey);
        EXPECT_EQ(st.wMonth, c.emo);
        EXPECT_EQ(st.wDay, c.ed);
        EXPECT_EQ(st.wHour, c.eh);
        EXPECT_EQ(st.wMinute, c.emi);
        EXPECT_EQ(st.wSecond, c.es);
    }
}

TEST(TextToDateTime, AnyUnitsAreSafe) {
    // Lone surrogates, controls and digits beyond every group: none may read past the end.
    const WCHAR texts[][8] = {
        {0xD800, 0},
        {TEXT('1'), 0xDFFF, TEXT('2'), 0},
        {TEXT('2'), TEXT('0'), TEXT('2'), TEXT('4'), 0x5E74, 0x0001, 0},
        {0x79D2, 0},
        {TEXT('9'), TEXT('9'), TEXT('9'), TEXT('9'), TEXT('9'), TEXT('9'), TEXT('9'), 0},
    };
    for (const auto& text : texts) {
        for (int style : {int{kDateChinese}, int{kDateNumeric}, 7}) {
            const double date = TextToDateTime(text, style);
            EXPECT_TRUE(date == kInvalidDate || (date > kInvalidDate && date <= kLastDate + 1));
        }
    }
}

} // namespace
