// Dates and times as text, in the Chinese style (2024年4月1日12时) and the numeric style
// (4/1/2024 12), and dates built from calendar fields.
//
// Dates are OLE automation dates: days from 30 December 1899, the fraction being the time of
// day, valid from 1 January 100 (-657434.0) to 31 December 9999 (2958465.0). -657434.0 doubles
// as the invalid date, so the first second of the year 100 reads as invalid; callers take a
// date as valid only when it is greater than kValidDateAbove.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "runtime/core/wstring.h"

constexpr double kInvalidDate = -657434.0;
constexpr double kLastDate = 2958465.0;
constexpr double kValidDateAbove = -657433.999999;

enum DateTextStyle : int {
    kDateNumeric = 0, // month/day/year hour:minute:second
    kDateChinese = 1, // year年month月day日hour时minute分second秒
};

// Writes the date into target and returns target's text. Numbers carry no leading zeros; the
// time part is left out at midnight and is cut after the last non-zero of hour, minute,
// second. A date outside the valid range, or NaN, gives the empty text.
const WCHAR* DateTimeToText(double date, int style, CWString& target);

// Reads a date written in either style. Digit groups (year up to 4 digits, the others up to
// 2) may each be followed by one separator; a missing group reads as 0. After the second the
// text must end (or, in the Chinese style, go on with 秒). Fields out of range are clamped as
// BuildDateTime does. Anything else, and a null or empty text, gives kInvalidDate.
double TextToDateTime(const WCHAR* text, int style);

// Clamps the fields (year 100…9999, month 1…12, day 1…the month's length, hour 0…23, minute
// and second 0…59) and converts them; fallback when the platform conversion fails.
double BuildDateTime(int64_t year, int64_t month, int64_t day, int64_t hour, int64_t minute,
                     int64_t second, double fallback);
