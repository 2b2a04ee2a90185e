#include "platform/kernel/LocalTime.h"

#include <ctime>

#include "platform/base/Clock.h"
#include "platform/kernel/FileSystemTypes.h"

namespace zorun {

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

SYSTEMTIME FromTm(const std::tm& tm, int ms) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(tm.tm_year + 1900);
    st.wMonth = static_cast<WORD>(tm.tm_mon + 1);
    st.wDayOfWeek = static_cast<WORD>(tm.tm_wday);
    st.wDay = static_cast<WORD>(tm.tm_mday);
    st.wHour = static_cast<WORD>(tm.tm_hour);
    st.wMinute = static_cast<WORD>(tm.tm_min);
    st.wSecond = static_cast<WORD>(tm.tm_sec > 59 ? 59 : tm.tm_sec);
    st.wMilliseconds = static_cast<WORD>(ms);
    return st;
}

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = FloorDiv(y, 400);
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

} // namespace

SYSTEMTIME UtcTimeFromUnixMs(std::int64_t unixMs) {
    const std::time_t seconds = static_cast<std::time_t>(FloorDiv(unixMs, 1000));
    const int ms = static_cast<int>(unixMs - static_cast<std::int64_t>(seconds) * 1000);
    std::tm tm{};
    gmtime_r(&seconds, &tm);
    return FromTm(tm, ms);
}

SYSTEMTIME LocalTimeFromUnixMs(std::int64_t unixMs) {
    const std::time_t seconds = static_cast<std::time_t>(FloorDiv(unixMs, 1000));
    const int ms = static_cast<int>(unixMs - static_cast<std::int64_t>(seconds) * 1000);
    std::tm tm{};
    localtime_r(&seconds, &tm);
    return FromTm(tm, ms);
}

} // namespace zorun

void GetSystemTime(SYSTEMTIME* time) {
    if (time)
        *time = zorun::UtcTimeFromUnixMs(zorun::CurrentClock().WallTimeMs());
}

void GetLocalTime(SYSTEMTIME* time) {
    if (time)
        *time = zorun::LocalTimeFromUnixMs(zorun::CurrentClock().WallTimeMs());
}

BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime) {
    if (!fileTime || !systemTime || (fileTime->dwHighDateTime & 0x80000000u))
        return FALSE;
    const auto ticks =
        (static_cast<std::int64_t>(fileTime->dwHighDateTime) << 32) | fileTime->dwLowDateTime;
    // 1 January 1601 lies 11644473600 seconds before the Unix epoch.
    constexpr std::int64_t kTicksFrom1601To1970 = 116444736000000000;
    const std::int64_t unixMs = zorun::FloorDiv(ticks - kTicksFrom1601To1970, 10000);
    *systemTime = zorun::UtcTimeFromUnixMs(unixMs);
    return TRUE;
}

BOOL SystemTimeToVariantTime(const SYSTEMTIME* time, double* variantTime) {
    if (!time || !variantTime)
        return FALSE;
    const SYSTEMTIME& t = *time;
    if (t.wYear < 100 || t.wYear > 9999 || t.wMonth < 1 || t.wMonth > 12 || t.wDay < 1 ||
        t.wDay > zorun::DaysInMonth(t.wYear, t.wMonth) || t.wHour > 23 || t.wMinute > 59 ||
        t.wSecond > 59)
        return FALSE;
    // Day 0 is 30 December 1899, 25569 days before the Unix epoch.
    const std::int64_t days = zorun::DaysFromCivil(t.wYear, t.wMonth, t.wDay) + 25569;
    const double fraction = (t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond) / 86400.0;
    // Before day 0 the fraction still counts forward from midnight, so it is
    // stored with the integral part's sign.
    *variantTime =
        days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
    return TRUE;
}
