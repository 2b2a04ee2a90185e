#pragma once
// The device's time calls, read from the platform clock (real or virtual) and
// the C library's time zone (TZ, else the system's zone from tzdata).

#include <cstdint>

#include "platform/base/WinTypes.h"

struct FILETIME;

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;     // 1..12
    WORD wDayOfWeek; // 0 = Sunday
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};

// The current time as UTC.
void GetSystemTime(SYSTEMTIME* time);
// The current time in the local zone, daylight saving applied.
void GetLocalTime(SYSTEMTIME* time);
// A file time (100-nanosecond intervals since 1601, UTC) broken down as it
// is, without conversion to local time. FALSE for a time the device cannot
// represent (the top bit set).
BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime);
// Automation date: days since 30 December 1899, the time of day as the fraction.
// FALSE for a time outside the years 100..9999 or with fields out of range.
BOOL SystemTimeToVariantTime(const SYSTEMTIME* time, double* variantTime);

namespace zorun {

// Wall-clock milliseconds since the Unix epoch broken down as UTC or as local time.
[[nodiscard]] SYSTEMTIME UtcTimeFromUnixMs(std::int64_t unixMs);
[[nodiscard]] SYSTEMTIME LocalTimeFromUnixMs(std::int64_t unixMs);

} // namespace zorun
