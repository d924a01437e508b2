// Date-time text forms and the OLE Automation day count.
//
// The OLE Automation date counts days from 30 December 1899 (day 0); the
// time of day is the fractional part. Before day 0 the convention is sign
// and magnitude: the integer part is the (negative) day and the fraction,
// taken as a positive amount, is the time of that day, so -1.25 is
// 29 December 1899 06:00 and -0.5 is the same instant as 0.5. Both
// directions below follow that convention in full: whole negative days
// are exact, and a negative value's fraction is read as the time of its
// day. The valid range is 1 January 100 (-657434) to 31 December 9999.

#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>

#include "store/DrawStore.h"

namespace tricala {
namespace {

constexpr long long kSecondsPerDay = 86400;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant).
constexpr long long DaysFromCivil(long long y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153LL * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

struct Civil {
    long long year;
    int month;
    int day;
};

constexpr Civil CivilFromDays(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (m <= 2 ? 1 : 0), m, d};
}

// Day 0 of the OLE count, in days since 1970-01-01.
constexpr long long kOleEpoch = DaysFromCivil(1899, 12, 30);
static_assert(kOleEpoch == -25569);
static_assert(DaysFromCivil(100, 1, 1) - kOleEpoch == static_cast<long long>(kEarliestOleDate));
constexpr long long kLatestOleDay = DaysFromCivil(9999, 12, 31) - kOleEpoch;  // 2958465

constexpr bool IsLeap(long long y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

constexpr int DaysInMonth(long long y, int m) {
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

bool ValidParts(long long year, int month, int day, int hour, int minute, int second) {
    return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month) && hour >= 0 && hour <= 23 && minute >= 0 &&
           minute <= 59 && second >= 0 && second <= 59;
}

// The unit characters of ParseDate, by position (UTF-8).
constexpr std::string_view kUnits[6] = {"年", "月", "日", "时", "分", "秒"};

bool IsSeparator(char c) { return c == '-' || c == '/' || c == '.' || c == ':' || c == ' '; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

double OleDateFromParts(int year, int month, int day, int hour, int minute, int second) {
    if (!ValidParts(year, month, day, hour, minute, second)) return kEarliestOleDate;
    const double days = static_cast<double>(DaysFromCivil(year, month, day) - kOleEpoch);
    const double fraction = static_cast<double>(hour * 3600 + minute * 60 + second) /
                            static_cast<double>(kSecondsPerDay);
    return days >= 0 ? days + fraction : days - fraction;
}

std::string DateText(double oleDate) {
    // Outside the OLE range (or not a number) there is no text form.
    if (!(oleDate > -657435.0 && oleDate < static_cast<double>(kLatestOleDay + 1))) return {};
    const double whole = std::trunc(oleDate);
    long long day = static_cast<long long>(whole);
    // Round to the nearest second, so 23:59:59.9999 is the next midnight.
    long long seconds = std::llround(std::fabs(oleDate - whole) * static_cast<double>(kSecondsPerDay));
    if (seconds >= kSecondsPerDay) {
        ++day;
        seconds -= kSecondsPerDay;
    }
    if (day > kLatestOleDay) return {};
    const Civil civil = CivilFromDays(day + kOleEpoch);
    const int hour = static_cast<int>(seconds / 3600);
    const int minute = static_cast<int>(seconds / 60 % 60);
    const int second = static_cast<int>(seconds % 60);

    char text[96];
    int n = std::snprintf(text, sizeof text, "%lld年%d月%d日", civil.year, civil.month, civil.day);
    if (second != 0) {
        n += std::snprintf(text + n, sizeof text - n, "%d时%d分%d秒", hour, minute, second);
    } else if (minute != 0) {
        n += std::snprintf(text + n, sizeof text - n, "%d时%d分", hour, minute);
    } else if (hour != 0) {
        n += std::snprintf(text + n, sizeof text - n, "%d时", hour);
    }
    return std::string(text, static_cast<size_t>(n));
}

// Grammar: three to six runs of ASCII digits (year, month, day, hour,
// minute, second). After each run stands either its own unit character
// (年 after the year, 月 after the month, ...), optionally followed by
// blanks, or one separator "-", "/", ".", ":" or a run of blanks. The unit
// character may end the text; a separator may not. Leading and trailing
// white space is ignored. Anything else, a field out of range or an
// impossible day gives kEarliestOleDate.
double ParseDate(const std::string& input) {
    std::string_view text(input);
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);

    long long parts[6] = {0, 0, 0, 0, 0, 0};
    int count = 0;
    size_t pos = 0;
    while (true) {
        if (pos >= text.size() || !IsDigit(text[pos])) return kEarliestOleDate;
        long long value = 0;
        size_t digits = 0;
        while (pos < text.size() && IsDigit(text[pos])) {
            if (++digits > 9) return kEarliestOleDate;
            value = value * 10 + (text[pos] - '0');
            ++pos;
        }
        parts[count++] = value;
        if (pos == text.size()) break;

        bool unit = false;
        if (text.substr(pos).starts_with(kUnits[count - 1])) {
            pos += kUnits[count - 1].size();
            unit = true;
        }
        size_t blanks = 0;
        while (pos < text.size() && text[pos] == ' ') {
            ++pos;
            ++blanks;
        }
        if (pos == text.size()) {
            if (unit) break;
            return kEarliestOleDate;  // cannot happen after trimming; kept for safety
        }
        if (!unit && blanks == 0) {
            if (!IsSeparator(text[pos])) return kEarliestOleDate;
            ++pos;
        }
        if (count == 6) return kEarliestOleDate;  // text after the seconds
    }
    if (count < 3) return kEarliestOleDate;
    for (int i = 1; i < 6; ++i) {
        if (parts[i] > 99) return kEarliestOleDate;
    }
    if (!ValidParts(parts[0], static_cast<int>(parts[1]), static_cast<int>(parts[2]),
                    static_cast<int>(parts[3]), static_cast<int>(parts[4]), static_cast<int>(parts[5]))) {
        return kEarliestOleDate;
    }
    return OleDateFromParts(static_cast<int>(parts[0]), static_cast<int>(parts[1]),
                            static_cast<int>(parts[2]), static_cast<int>(parts[3]),
                            static_cast<int>(parts[4]), static_cast<int>(parts[5]));
}

}  // namespace tricala
