#include "platform/kernel/TimeZone.h"

#include <cstdlib>
#include <ctime>
#include <string_view>

#include "platform/base/Clock.h"

namespace {

struct Sample {
    long gmtoff = 0;
    bool dst = false;
    std::string zone;
};

Sample At(std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_gmtoff, tm.tm_isdst > 0, tm.tm_zone ? tm.tm_zone : ""};
}

void CopyName(char16_t (&out)[32], std::string_view name) {
    std::size_t n = 0;
    for (; n < name.size() && n < 31; ++n)
        out[n] = static_cast<unsigned char>(name[n]);
    out[n] = 0;
}

// The first second in (lo, hi] whose daylight flag differs from lo's.
std::time_t FindSwitch(std::time_t lo, std::time_t hi) {
    const bool startDst = At(lo).dst;
    while (hi - lo > 1) {
        const std::time_t mid = lo + (hi - lo) / 2;
        if (At(mid).dst == startDst)
            lo = mid;
        else
            hi = mid;
    }
    return hi;
}

} // namespace

DWORD GetTimeZoneInformation(TIME_ZONE_INFORMATION* info) {
    if (!info)
        return TIME_ZONE_ID_INVALID;
    *info = TIME_ZONE_INFORMATION{};
    const std::time_t now = static_cast<std::time_t>(zorun::CurrentClock().WallTimeMs() / 1000);
    const Sample current = At(now);

    // Walk this year day by day to find the standard and daylight offsets and
    // the instants where the zone switches between them.
    std::tm startTm{};
    gmtime_r(&now, &startTm);
    startTm.tm_mon = 0;
    startTm.tm_mday = 1;
    startTm.tm_hour = 0;
    startTm.tm_min = 0;
    startTm.tm_sec = 0;
    const std::time_t yearStart = timegm(&startTm);
    const Sample first = At(yearStart);
    Sample standardSample = first.dst ? Sample{} : first;
    Sample daylightSample = first.dst ? first : Sample{};
    bool haveStandard = !first.dst, haveDaylight = first.dst;
    std::time_t toDaylight = 0, toStandard = 0;
    Sample previous = first;
    std::time_t previousTime = yearStart;
    for (int day = 1; day <= 366; ++day) {
        const std::time_t t = yearStart + static_cast<std::time_t>(day) * 86400;
        const Sample s = At(t);
        if (s.dst != previous.dst) {
            const std::time_t at = FindSwitch(previousTime, t);
            (s.dst ? toDaylight : toStandard) = at;
        }
        if (s.dst && !haveDaylight) {
            daylightSample = s;
            haveDaylight = true;
        } else if (!s.dst && !haveStandard) {
            standardSample = s;
            haveStandard = true;
        }
        previous = s;
        previousTime = t;
    }
    if (!haveStandard)
        standardSample = current;

    info->Bias = static_cast<LONG>(-standardSample.gmtoff / 60);
    CopyName(info->StandardName, standardSample.zone);
    info->StandardBias = 0;
    if (!haveDaylight)
        return TIME_ZONE_ID_UNKNOWN;
    CopyName(info->DaylightName, daylightSample.zone);
    info->DaylightBias = static_cast<LONG>(-(daylightSample.gmtoff - standardSample.gmtoff) / 60);
    // The switch instants are given in the local time in force before each switch.
    if (toDaylight)
        info->DaylightDate = zorun::UtcTimeFromUnixMs(
            (static_cast<std::int64_t>(toDaylight) + standardSample.gmtoff) * 1000);
    if (toStandard)
        info->StandardDate = zorun::UtcTimeFromUnixMs(
            (static_cast<std::int64_t>(toStandard) + daylightSample.gmtoff) * 1000);
    return current.dst ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD;
}

namespace zorun {

void SetProcessTimeZone(const std::string& tzName) {
    if (tzName.empty())
        unsetenv("TZ");
    else
        setenv("TZ", tzName.c_str(), 1);
    tzset();
}

} // namespace zorun
