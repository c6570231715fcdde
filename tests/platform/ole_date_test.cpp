// OLE automation dates: the platform's conversions between a date value and calendar fields.
// The same table runs against the simulation and against the real oleaut32 under Wine.
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct DateCase {
    double date;
    WORD year, month, day, hour, minute, second;
    WORD dayOfWeek;
};

// Values worked out by hand from 30 December 1899 = day 0 (a Saturday).
const DateCase kDates[] = {
    {0.0, 1899, 12, 30, 0, 0, 0, 6},
    {1.0, 1899, 12, 31, 0, 0, 0, 0},
    {2.0, 1900, 1, 1, 0, 0, 0, 1},
    // No 29 February 1900: day 60 is the 28th, day 61 the first of March.
    {60.0, 1900, 2, 28, 0, 0, 0, 3},
    {61.0, 1900, 3, 1, 0, 0, 0, 4},
    {36526.0, 2000, 1, 1, 0, 0, 0, 6},
    {45383.5, 2024, 4, 1, 12, 0, 0, 1},
    {45383.75, 2024, 4, 1, 18, 0, 0, 1},
    // Before day 0 the fraction still runs forward from midnight.
    {-1.25, 1899, 12, 29, 6, 0, 0, 5},
    {-2.5, 1899, 12, 28, 12, 0, 0, 4},
    {-109512.0, 1600, 2, 29, 0, 0, 0, 2},
    {-657434.0, 100, 1, 1, 0, 0, 0, 5},
    {-657434.5, 100, 1, 1, 12, 0, 0, 5},
    {2958465.0, 9999, 12, 31, 0, 0, 0, 5},
    {2958465.25, 9999, 12, 31, 6, 0, 0, 5},
};

TEST(OleDate, DateToFields) {
    for (const DateCase& c : kDates) {
        SYSTEMTIME st{};
        ASSERT_TRUE(VariantTimeToSystemTime(c.date, &st)) << c.date;
        EXPECT_EQ(st.wYear, c.year) << c.date;
        EXPECT_EQ(st.wMonth, c.month) << c.date;
        EXPECT_EQ(st.wDay, c.day) << c.date;
        EXPECT_EQ(st.wHour, c.hour) << c.date;
        EXPECT_EQ(st.wMinute, c.minute) << c.date;
        EXPECT_EQ(st.wSecond, c.second) << c.date;
        EXPECT_EQ(st.wDayOfWeek, c.dayOfWeek) << c.date;
        EXPECT_EQ(st.wMilliseconds, 0) << c.date;
    }
}

TEST(OleDate, FieldsToDate) {
    for (const DateCase& c : kDates) {
        SYSTEMTIME st{};
        st.wYear = c.year;
        st.wMonth = c.month;
        st.wDay = c.day;
        st.wHour = c.hour;
        st.wMinute = c.minute;
        st.wSecond = c.second;
        double date = 12345.0;
        ASSERT_TRUE(SystemTimeToVariantTime(&st, &date)) << c.date;
        EXPECT_DOUBLE_EQ(date, c.date);
    }
}

TEST(OleDate, EverySecondOfADayRoundTrips) {
    // Both sides of day 0, where the sign of the fraction flips.
    for (WORD day : {28, 31}) {
        for (int s = 0; s < 86400; s += 7) {
            SYSTEMTIME st{};
            st.wYear = 1899;
            st.wMonth = 12;
            st.wDay = day;
            st.wHour = static_cast<WORD>(s / 3600);
            st.wMinute = static_cast<WORD>(s / 60 % 60);
            st.wSecond = static_cast<WORD>(s % 60);
            double date = 0;
            ASSERT_TRUE(SystemTimeToVariantTime(&st, &date));
            SYSTEMTIME back{};
            ASSERT_TRUE(VariantTimeToSystemTime(date, &back));
            ASSERT_EQ(back.wDay, day) << s;
            ASSERT_EQ(back.wHour * 3600 + back.wMinute * 60 + back.wSecond, s) << day;
        }
    }
}

TEST(OleDate, TimeRoundsToTheNearestSecond) {
    const double second = 1.0 / 86400;
    SYSTEMTIME st{};
    ASSERT_TRUE(VariantTimeToSystemTime(45383.5 + 0.3 * second, &st));
    EXPECT_EQ(st.wSecond, 0);
    ASSERT_TRUE(VariantTimeToSystemTime(45383.5 + 0.7 * second, &st));
    EXPECT_EQ(st.wSecond, 1);
    // A hair before midnight reads as midnight of the next day.
    ASSERT_TRUE(VariantTimeToSystemTime(45383.0 - 0.2 * second, &st));
    EXPECT_EQ(st.wDay, 1);
    EXPECT_EQ(st.wHour, 0);
    EXPECT_EQ(st.wSecond, 0);
}

TEST(OleDate, DatesOutsideTheYears100To9999Fail) {
    SYSTEMTIME st{};
    EXPECT_FALSE(VariantTimeToSystemTime(-657435.0, &st));
    EXPECT_FALSE(VariantTimeToSystemTime(2958466.0, &st));
    EXPECT_FALSE(VariantTimeToSystemTime(1e300, &st));
    EXPECT_FALSE(VariantTimeToSystemTime(-1e300, &st));
}

TEST(OleDate, ImpossibleFieldsFail) {
    SYSTEMTIME st{};
    st.wYear = 2024;
    st.wMonth = 13;
    st.wDay = 1;
    double date = 0;
    EXPECT_FALSE(SystemTimeToVariantTime(&st, &date));
    st.wMonth = 1;
    st.wDay = 32;
    EXPECT_FALSE(SystemTimeToVariantTime(&st, &date));
}

} // namespace
