// OLE automation date arithmetic on the proleptic Gregorian calendar.
#include "platform/sim/sim_oleaut.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr int64_t kFirstDay = -657434; // 1 January 100
constexpr int64_t kLastDay = 2958465;  // 31 December 9999
constexpr int64_t kSecondsPerDay = 86400;

bool IsLeapYear(int64_t y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int64_t DaysInMonth(int64_t y, int64_t m) {
    static const int64_t days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

// Days from 1 March of year 0 counted in 400-year eras; only positive years reach here, so
// plain division is floor division.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2 ? 1 : 0;
    const int64_t era = y / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe;
}

// 30 December 1899, the day numbered 0.
const int64_t kEpoch = DaysFromCivil(1899, 12, 30);

void CivilFromDays(int64_t days, int64_t& y, int64_t& m, int64_t& d) {
    const int64_t era = days / 146097; // days > 0 for every valid date
    const int64_t doe = days - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = yoe + era * 400 + (m <= 2 ? 1 : 0);
}

} // namespace

INT SystemTimeToVariantTime(LPSYSTEMTIME st, DOUBLE* date) {
    if (st == nullptr || date == nullptr)
        return FALSE;
    const int64_t y = st->wYear, m = st->wMonth, d = st->wDay;
    if (y < 100 || y > 9999 || m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m))
        return FALSE;
    if (st->wHour > 23 || st->wMinute > 59 || st->wSecond > 59)
        return FALSE;
    const int64_t day = DaysFromCivil(y, m, d) - kEpoch;
    const double time =
        static_cast<double>(st->wHour * 3600 + st->wMinute * 60 + st->wSecond) / kSecondsPerDay;
    // Before day 0 the time is still counted forward from midnight, so it moves the value
    // further from zero.
    *date = day < 0 ? static_cast<double>(day) - time : static_cast<double>(day) + time;
    return TRUE;
}

INT VariantTimeToSystemTime(DOUBLE date, LPSYSTEMTIME st) {
    if (st == nullptr || std::isnan(date))
        return FALSE;
    // Range first, so the truncation below never meets a value that does not fit.
    if (date <= static_cast<double>(kFirstDay - 1) || date >= static_cast<double>(kLastDay + 1))
        return FALSE;
    int64_t day = static_cast<int64_t>(std::trunc(date));
    const double fraction = std::fabs(date - static_cast<double>(day));
    int64_t seconds = std::llround(fraction * kSecondsPerDay);
    // Half a second before midnight rounds up into the next calendar day.
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        ++day;
    }
    if (day < kFirstDay || day > kLastDay)
        return FALSE;
    int64_t y = 0, m = 0, d = 0;
    CivilFromDays(day + kEpoch, y, m, d);
    st->wYear = static_cast<WORD>(y);
    st->wMonth = static_cast<WORD>(m);
    st->wDay = static_cast<WORD>(d);
    // Day 0 was a Saturday (6).
    st->wDayOfWeek = static_cast<WORD>(((day % 7) + 7 + 6) % 7);
    st->wHour = static_cast<WORD>(seconds / 3600);
    st->wMinute = static_cast<WORD>(seconds / 60 % 60);
    st->wSecond = static_cast<WORD>(seconds % 60);
    st->wMilliseconds = 0;
    return TRUE;
}
