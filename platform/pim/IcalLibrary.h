#pragma once
// libical, loaded when the first calendar is parsed: a start with no
// calendar to read (and every first frame) goes without it, and linking it
// (with the ICU libraries it needs) costs every start several milliseconds
// in the dynamic loader.

#include <libical/ical.h>

namespace zorun {

struct IcalLibrary {
    decltype(&::icalerror_set_errors_are_fatal) icalerror_set_errors_are_fatal = nullptr;
    decltype(&::icalparser_parse_string) icalparser_parse_string = nullptr;
    decltype(&::icalcomponent_free) icalcomponent_free = nullptr;
    decltype(&::icalcomponent_isa) icalcomponent_isa = nullptr;
    decltype(&::icalcomponent_get_first_component) icalcomponent_get_first_component = nullptr;
    decltype(&::icalcomponent_get_next_component) icalcomponent_get_next_component = nullptr;
    decltype(&::icalcomponent_get_first_property) icalcomponent_get_first_property = nullptr;
    decltype(&::icalproperty_get_first_parameter) icalproperty_get_first_parameter = nullptr;
    decltype(&::icalproperty_get_uid) icalproperty_get_uid = nullptr;
    decltype(&::icalproperty_get_duration) icalproperty_get_duration = nullptr;
    decltype(&::icalproperty_get_datetime_with_component) icalproperty_get_datetime_with_component =
        nullptr;
    decltype(&::icalparameter_get_tzid) icalparameter_get_tzid = nullptr;
    decltype(&::icaltime_is_utc) icaltime_is_utc = nullptr;
    decltype(&::icaltime_is_null_time) icaltime_is_null_time = nullptr;
    decltype(&::icaltime_as_timet_with_zone) icaltime_as_timet_with_zone = nullptr;
    decltype(&::icaldurationtype_is_bad_duration) icaldurationtype_is_bad_duration = nullptr;
    decltype(&::icaltimezone_get_utc_timezone) icaltimezone_get_utc_timezone = nullptr;
    decltype(&::icaltimezone_get_builtin_timezone) icaltimezone_get_builtin_timezone = nullptr;
    decltype(&::icaltimezone_get_builtin_timezone_from_tzid)
        icaltimezone_get_builtin_timezone_from_tzid = nullptr;
};

// The library (loaded once, with errors made non-fatal; it stays), or
// nullptr when libical cannot be loaded.
[[nodiscard]] const IcalLibrary* Ical();

} // namespace zorun
