// Date texts over the platform's OLE date conversions.
#include "runtime/shell/date_text.h"

namespace {

int64_t Clamp(int64_t v, int64_t low, int64_t high) {
    return v < low ? low : (v > high ? high : v);
}

bool IsLeapYear(int64_t y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

// Reads digit groups and single optional separators from a zero-terminated text; it never
// looks past the terminator.
class DateScanner {
public:
    explicit DateScanner(const WCHAR* text) : m_p(text) {}

    int64_t Digits(int maxDigits) {
        int64_t value = 0;
        for (int n = 0; n < maxDigits && *m_p >= TEXT('0') && *m_p <= TEXT('9'); ++n, ++m_p)
            value = value * 10 + (*m_p - TEXT('0'));
        return value;
    }

    // Consumes the next unit when it is one of the set (zero-terminated) or the extra unit.
    void Separator(const WCHAR* set, WCHAR extra = 0) {
        if (*m_p == 0)
            return;
        if (extra != 0 && *m_p == extra) {
            ++m_p;
            return;
        }
        for (const WCHAR* s = set; *s != 0; ++s) {
            if (*m_p == *s) {
                ++m_p;
                return;
            }
        }
    }

    WCHAR Peek() const { return *m_p; }

private:
    const WCHAR* m_p;
};

const WCHAR kSeparators[] = TEXT("-./:");
const WCHAR kSeparatorsOrSpace[] = TEXT(" -./:");

} // namespace

const WCHAR* DateTimeToText(double date, int style, CWString& target) {
    target.Empty();
    // Written so that NaN, which compares false both ways, is out of range too.
    if (!(date >= kInvalidDate && date <= kLastDate))
        return target.GetText();
    SYSTEMTIME st{};
    if (!VariantTimeToSystemTime(date, &st))
        return target.GetText();
    const bool chinese = style == kDateChinese;
    if (chinese)
        target.Format(TEXT("%d年%d月%d日"), int{st.wYear}, int{st.wMonth}, int{st.wDay});
    else
        target.Format(TEXT("%d/%d/%d"), int{st.wMonth}, int{st.wDay}, int{st.wYear});
    if (st.wSecond != 0)
        target.AppendFormat(chinese ? TEXT("%d时%d分%d秒") : TEXT(" %d:%d:%d"), int{st.wHour},
                            int{st.wMinute}, int{st.wSecond});
    else if (st.wMinute != 0)
        target.AppendFormat(chinese ? TEXT("%d时%d分") : TEXT(" %d:%d"), int{st.wHour},
                            int{st.wMinute});
    else if (st.wHour != 0)
        target.AppendFormat(chinese ? TEXT("%d时") : TEXT(" %d"), int{st.wHour});
    return target.GetText();
}

double TextToDateTime(const WCHAR* text, int style) {
    if (text == nullptr || text[0] == 0)
        return kInvalidDate;
    const bool chinese = style == kDateChinese;
    DateScanner scan(text);
    int64_t year, month, day;
    if (chinese) {
        year = scan.Digits(4);
        scan.Separator(kSeparators, TEXT('年'));
        month = scan.Digits(2);
        scan.Separator(kSeparators, TEXT('月'));
        day = scan.Digits(2);
        scan.Separator(kSeparatorsOrSpace, TEXT('日'));
    } else {
        month = scan.Digits(2);
        scan.Separator(kSeparators);
        day = scan.Digits(2);
        scan.Separator(kSeparators);
        year = scan.Digits(4);
        scan.Separator(kSeparatorsOrSpace);
    }
    const int64_t hour = scan.Digits(2);
    scan.Separator(kSeparators, chinese ? TEXT('时') : 0);
    const int64_t minute = scan.Digits(2);
    scan.Separator(kSeparators, chinese ? TEXT('分') : 0);
    const int64_t second = scan.Digits(2);
    if (scan.Peek() != 0 && !(chinese && scan.Peek() == TEXT('秒')))
        return kInvalidDate;
    return BuildDateTime(year, month, day, hour, minute, second, kInvalidDate);
}

double BuildDateTime(int64_t year, int64_t month, int64_t day, int64_t hour, int64_t minute,
                     int64_t second, double fallback) {
    static const int64_t kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    year = Clamp(year, 100, 9999);
    month = Clamp(month, 1, 12);
    const int64_t monthDays = month == 2 && IsLeapYear(year) ? 29 : kMonthDays[month - 1];
    day = Clamp(day, 1, monthDays);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    st.wHour = static_cast<WORD>(Clamp(hour, 0, 23));
    st.wMinute = static_cast<WORD>(Clamp(minute, 0, 59));
    st.wSecond = static_cast<WORD>(Clamp(second, 0, 59));
    double date = 0;
    if (!SystemTimeToVariantTime(&st, &date))
        return fallback;
    return date;
}
