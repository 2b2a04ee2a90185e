#pragma once
// The device's time-zone record, filled from the C library's zone (TZ or the
// system's zone from tzdata), and a way to change the process's zone.

#include <string>

#include "platform/base/WinTypes.h"
#include "platform/kernel/LocalTime.h"

constexpr DWORD TIME_ZONE_ID_UNKNOWN = 0, TIME_ZONE_ID_STANDARD = 1, TIME_ZONE_ID_DAYLIGHT = 2,
                TIME_ZONE_ID_INVALID = 0xFFFFFFFF;

// Biases are minutes with UTC = local time + bias. StandardDate and
// DaylightDate hold this year's switch instants (local time) in absolute
// form; wMonth 0 means the zone keeps no daylight saving.
struct TIME_ZONE_INFORMATION {
    LONG Bias;
    char16_t StandardName[32];
    SYSTEMTIME StandardDate;
    LONG StandardBias;
    char16_t DaylightName[32];
    SYSTEMTIME DaylightDate;
    LONG DaylightBias;
};

// TIME_ZONE_ID_STANDARD or _DAYLIGHT for what is in force now, or
// TIME_ZONE_ID_UNKNOWN when the zone has no daylight saving.
DWORD GetTimeZoneInformation(TIME_ZONE_INFORMATION* info);

namespace zorun {

// Sets the process's zone by its TZ name ("Asia/Kolkata", "UTC0") for every
// local-time call; an empty name returns to the system's zone.
void SetProcessTimeZone(const std::string& tzName);

} // namespace zorun
