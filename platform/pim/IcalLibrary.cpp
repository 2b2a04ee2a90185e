#include "platform/pim/IcalLibrary.h"

#include <dlfcn.h>
#include <string>

#include "platform/base/LibrarySymbol.h"
#include "platform/base/Log.h"

namespace zorun {

namespace {

#define ZORUN_ICAL(name) ResolveSymbol(handle, #name, library.name)

IcalLibrary Load() {
    IcalLibrary library;
    void* handle = dlopen("libical.so.3", RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        LogWarning(std::string("libical could not be loaded: ") + dlerror());
        return library;
    }
    const bool all =
        ZORUN_ICAL(icalerror_set_errors_are_fatal) && ZORUN_ICAL(icalparser_parse_string) &&
        ZORUN_ICAL(icalcomponent_free) && ZORUN_ICAL(icalcomponent_isa) &&
        ZORUN_ICAL(icalcomponent_get_first_component) &&
        ZORUN_ICAL(icalcomponent_get_next_component) &&
        ZORUN_ICAL(icalcomponent_get_first_property) &&
        ZORUN_ICAL(icalproperty_get_first_parameter) && ZORUN_ICAL(icalproperty_get_uid) &&
        ZORUN_ICAL(icalproperty_get_duration) &&
        ZORUN_ICAL(icalproperty_get_datetime_with_component) &&
        ZORUN_ICAL(icalparameter_get_tzid) && ZORUN_ICAL(icaltime_is_utc) &&
        ZORUN_ICAL(icaltime_is_null_time) && ZORUN_ICAL(icaltime_as_timet_with_zone) &&
        ZORUN_ICAL(icaldurationtype_is_bad_duration) && ZORUN_ICAL(icaltimezone_get_utc_timezone) &&
        ZORUN_ICAL(icaltimezone_get_builtin_timezone) &&
        ZORUN_ICAL(icaltimezone_get_builtin_timezone_from_tzid);
    if (!all) {
        LogWarning("libical lacks a function the organiser uses");
        dlclose(handle);
        return {};
    }
    // A malformed calendar is the file's problem, never the program's end.
    library.icalerror_set_errors_are_fatal(0);
    return library;
}

#undef ZORUN_ICAL

} // namespace

const IcalLibrary* Ical() {
    static const IcalLibrary library = Load();
    return library.icalparser_parse_string ? &library : nullptr;
}

} // namespace zorun
