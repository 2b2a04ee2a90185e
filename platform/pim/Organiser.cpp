#include "platform/pim/Organiser.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <unordered_set>

#include "platform/pim/IcalLibrary.h"

namespace zorun {

namespace {

// Larger files are refused rather than read into memory.
constexpr std::uintmax_t kMaxFileBytes = 64u << 20;
// A file changed this recently may change again within the same timestamp.
constexpr std::int64_t kSettleNs = 2'000'000'000;

std::int64_t Nanoseconds(const timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

std::int64_t RealNowNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return Nanoseconds(now);
}

std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// libical, loaded by ParseItems before anything below is called.
const IcalLibrary* lib = nullptr;

bool Plausible(const icaltimetype& t) {
    return t.year >= 1 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= 31 && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 &&
           t.second >= 0 && t.second <= 60;
}

std::int64_t WallSeconds(const icaltimetype& t) {
    std::int64_t s =
        DaysFromCivil(t.year, static_cast<unsigned>(t.month), static_cast<unsigned>(t.day)) * 86400;
    if (!t.is_date)
        s += t.hour * 3600 + t.minute * 60 + t.second;
    return s;
}

const icaltimezone* ZoneOf(const icaltimetype& t, icalproperty* prop) {
    if (lib->icaltime_is_utc(t))
        return lib->icaltimezone_get_utc_timezone();
    if (t.zone)
        return t.zone;
    icalparameter* param = lib->icalproperty_get_first_parameter(prop, ICAL_TZID_PARAMETER);
    const char* tzid = param ? lib->icalparameter_get_tzid(param) : nullptr;
    if (!tzid || !*tzid)
        return nullptr;
    // A zone named by its tzdata name without a VTIMEZONE; anything else
    // (a Windows zone name, a typo) is read as floating local time.
    if (const icaltimezone* zone = lib->icaltimezone_get_builtin_timezone(tzid))
        return zone;
    return lib->icaltimezone_get_builtin_timezone_from_tzid(tzid);
}

// The time of a DTSTART or DTEND property, shifted by `shiftSeconds`.
Organiser::End EndOf(icalproperty* prop, icalcomponent* comp, std::int64_t shiftSeconds) {
    Organiser::End end;
    icaltimetype t = lib->icalproperty_get_datetime_with_component(prop, comp);
    if (lib->icaltime_is_null_time(t) || !Plausible(t))
        return end;
    if (!t.is_date) {
        if (const icaltimezone* zone = ZoneOf(t, prop)) {
            // The wall time read in its own zone.
            end.kind = Organiser::End::Kind::Instant;
            end.seconds =
                static_cast<std::int64_t>(lib->icaltime_as_timet_with_zone(t, zone)) + shiftSeconds;
            return end;
        }
    }
    end.kind = Organiser::End::Kind::Floating;
    end.seconds = WallSeconds(t) + shiftSeconds;
    return end;
}

std::int64_t DurationSeconds(const icaldurationtype& d) {
    // Each field is bounded by the parser; the sum fits easily in 64 bits.
    const std::int64_t s = static_cast<std::int64_t>(d.weeks) * 7 * 86400 +
                           static_cast<std::int64_t>(d.days) * 86400 +
                           static_cast<std::int64_t>(d.hours) * 3600 +
                           static_cast<std::int64_t>(d.minutes) * 60 + d.seconds;
    return d.is_neg ? -s : s;
}

Organiser::End EventEnd(icalcomponent* event) {
    if (icalproperty* dtend = lib->icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY)) {
        const Organiser::End end = EndOf(dtend, event, 0);
        if (end.kind != Organiser::End::Kind::None)
            return end;
    }
    icalproperty* dtstart = lib->icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
    if (!dtstart)
        return {};
    if (icalproperty* duration =
            lib->icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY)) {
        const icaldurationtype d = lib->icalproperty_get_duration(duration);
        if (!lib->icaldurationtype_is_bad_duration(d))
            return EndOf(dtstart, event, DurationSeconds(d));
    }
    const icaltimetype start = lib->icalproperty_get_datetime_with_component(dtstart, event);
    return EndOf(dtstart, event, start.is_date ? 86400 : 0);
}

void Walk(icalcomponent* comp, std::vector<Organiser::Item>& items, int depth) {
    const icalcomponent_kind kind = lib->icalcomponent_isa(comp);
    if (kind == ICAL_VEVENT_COMPONENT || kind == ICAL_VTODO_COMPONENT) {
        Organiser::Item item;
        item.isEvent = kind == ICAL_VEVENT_COMPONENT;
        item.isOverride =
            lib->icalcomponent_get_first_property(comp, ICAL_RECURRENCEID_PROPERTY) != nullptr;
        if (icalproperty* uid = lib->icalcomponent_get_first_property(comp, ICAL_UID_PROPERTY))
            if (const char* text = lib->icalproperty_get_uid(uid))
                item.uid = text;
        if (item.isEvent)
            item.end = EventEnd(comp);
        items.push_back(std::move(item));
        return;
    }
    if ((kind != ICAL_VCALENDAR_COMPONENT && kind != ICAL_XROOT_COMPONENT) || depth > 8)
        return;
    for (icalcomponent* child = lib->icalcomponent_get_first_component(comp, ICAL_ANY_COMPONENT);
         child; child = lib->icalcomponent_get_next_component(comp, ICAL_ANY_COMPONENT))
        Walk(child, items, depth + 1);
}

bool HasIcsExtension(std::string_view name) {
    if (name.size() < 4)
        return false;
    const std::string_view ext = name.substr(name.size() - 4);
    return ext[0] == '.' && (ext[1] | 0x20) == 'i' && (ext[2] | 0x20) == 'c' &&
           (ext[3] | 0x20) == 's';
}

// The whole file, or nothing when it cannot be read or is too large.
std::optional<std::string> ReadWhole(int dirFd, const char* name, std::uintmax_t size) {
    if (size > kMaxFileBytes)
        return std::nullopt;
    const int fd = openat(dirFd, name, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::string text(static_cast<std::size_t>(size), '\0');
    std::size_t got = 0;
    while (got < text.size()) {
        const ssize_t n = read(fd, text.data() + got, text.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break; // shrunk since stat: keep what is there
        got += static_cast<std::size_t>(n);
    }
    close(fd);
    text.resize(got);
    return text;
}

std::vector<std::filesystem::path> SplitList(const char* text) {
    std::vector<std::filesystem::path> out;
    std::string s(text);
    std::size_t start = 0;
    while (start <= s.size()) {
        const std::size_t colon = std::min(s.find(':', start), s.size());
        if (colon > start)
            out.emplace_back(s.substr(start, colon - start));
        start = colon + 1;
    }
    return out;
}

std::optional<std::vector<std::filesystem::path>>& CalendarOverride() {
    static std::optional<std::vector<std::filesystem::path>> sources;
    return sources;
}
std::optional<std::vector<std::filesystem::path>>& TaskOverride() {
    static std::optional<std::vector<std::filesystem::path>> sources;
    return sources;
}

std::vector<std::filesystem::path>
Sources(const std::optional<std::vector<std::filesystem::path>>& set, const char* variable,
        const char* desktopFile) {
    if (set)
        return *set;
    if (const char* env = std::getenv(variable); env && *env)
        return SplitList(env);
    std::filesystem::path data;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        data = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        data = std::filesystem::path(home) / ".local" / "share";
    else
        return {};
    std::vector<std::filesystem::path> found;
    std::error_code ec;
    for (const auto& candidate : {data / "calendars", data / desktopFile})
        if (std::filesystem::exists(candidate, ec))
            found.push_back(candidate);
    return found;
}

} // namespace

struct Organiser::FileSummary {
    std::int64_t mtimeNs = 0;
    std::int64_t size = 0;
    std::uint64_t inode = 0;
    std::int64_t parsedNs = 0;
    std::uint64_t lastPass = 0;
    std::vector<Item> items;
};

struct Organiser::Collected {
    std::vector<const Item*> items;
};

Organiser::Organiser() = default;
Organiser::~Organiser() = default;

std::vector<Organiser::Item> Organiser::ParseItems(const std::string& text) {
    std::vector<Item> items;
    std::size_t start = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        start = 3;
    lib = Ical();
    if (!lib)
        return items;
    icalcomponent* root = lib->icalparser_parse_string(text.c_str() + start);
    if (!root)
        return items;
    Walk(root, items, 0);
    lib->icalcomponent_free(root);
    return items;
}

bool Organiser::AddFile(std::string key, const struct stat& st, int dirFd, const char* name,
                        Collected& out) {
    auto found = files_.find(key);
    if (found != files_.end() && found->second->lastPass == pass_)
        return true;
    const std::int64_t mtime = Nanoseconds(st.st_mtim);
    if (found == files_.end() || found->second->mtimeNs != mtime ||
        found->second->size != st.st_size || found->second->inode != st.st_ino ||
        found->second->parsedNs - mtime < kSettleNs) {
        const std::int64_t parsed = RealNowNs();
        const auto text = ReadWhole(dirFd, name, static_cast<std::uintmax_t>(st.st_size));
        // Without libical no calendar can be read.
        if (!text || !Ical())
            return false;
        auto fresh = std::make_unique<FileSummary>();
        fresh->mtimeNs = mtime;
        fresh->size = st.st_size;
        fresh->inode = st.st_ino;
        fresh->parsedNs = parsed;
        fresh->items = ParseItems(*text);
        found = files_.insert_or_assign(std::move(key), std::move(fresh)).first;
    }
    Use(*found->second, out);
    return true;
}

void Organiser::Use(FileSummary& summary, Collected& out) {
    // A file named twice (directly and through its folder) counts once.
    if (summary.lastPass == pass_)
        return;
    summary.lastPass = pass_;
    for (const Item& item : summary.items)
        out.items.push_back(&item);
}

bool Organiser::AddFolder(const std::string& folder, bool descend, Collected& out) {
    Listing& listing = listings_[folder];
    listing.lastPass = pass_;
    const bool changed = watch_.BeginRead(folder);
    if (!changed && listing.valid && !listing.hasLinks) {
        // Nothing in the folder changed: its files are as last read.
        std::vector<FileSummary*> summaries;
        summaries.reserve(listing.files.size());
        for (const auto& key : listing.files) {
            const auto found = files_.find(key);
            if (found == files_.end())
                break;
            summaries.push_back(found->second.get());
        }
        if (summaries.size() == listing.files.size()) {
            for (FileSummary* summary : summaries)
                Use(*summary, out);
            for (const auto& collection : listing.collections)
                if (!AddFolder(collection, false, out))
                    return false;
            return true;
        }
    }

    listing = Listing{};
    listing.lastPass = pass_;
    DIR* dir = opendir(folder.c_str());
    if (!dir) {
        listings_.erase(folder);
        watch_.Forget(folder);
        return false;
    }
    const int fd = dirfd(dir);
    bool ok = true;
    errno = 0;
    while (const dirent* entry = readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.')
            continue;
        // A link's target can change without its folder hearing of it.
        if (entry->d_type == DT_LNK)
            listing.hasLinks = true;
        const bool mayBeFolder =
            entry->d_type == DT_DIR || entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN;
        if (!mayBeFolder && !HasIcsExtension(name))
            continue;
        struct stat st {};
        if (fstatat(fd, name, &st, 0) != 0)
            continue; // gone since listed, or a dangling link
        if (S_ISDIR(st.st_mode)) {
            if (descend)
                listing.collections.push_back(folder + "/" + name);
        } else if (S_ISREG(st.st_mode) && HasIcsExtension(name)) {
            std::string key = folder + "/" + name;
            if (!AddFile(key, st, fd, name, out)) {
                ok = false;
                break;
            }
            listing.files.push_back(std::move(key));
        }
        errno = 0;
    }
    if (ok && errno != 0)
        ok = false; // the listing itself failed
    closedir(dir);
    if (!ok) {
        listings_.erase(folder);
        watch_.Forget(folder);
        return false;
    }
    listing.valid = true;
    const std::vector<std::string> collections = listing.collections;
    for (const auto& collection : collections)
        if (!AddFolder(collection, false, out))
            return false;
    return true;
}

bool Organiser::Collect(const std::vector<std::filesystem::path>& sources, Collected& out) {
    // No source at all (nothing configured, no default place) is an empty
    // organiser, not a broken one.
    ++pass_;
    for (const auto& source : sources) {
        struct stat st {};
        if (stat(source.c_str(), &st) != 0)
            return false;
        if (S_ISDIR(st.st_mode)) {
            // A vdir collection, or a folder of collections one level down.
            if (!AddFolder(source.string(), true, out))
                return false;
        } else if (!S_ISREG(st.st_mode) ||
                   !AddFile(source.string(), st, AT_FDCWD, source.c_str(), out)) {
            return false;
        }
    }
    // Forget files that neither this pass nor the one before (the other kind
    // of item) listed.
    std::erase_if(files_, [&](const auto& entry) { return entry.second->lastPass + 1 < pass_; });
    std::erase_if(listings_, [&](const auto& entry) {
        if (entry.second.lastPass + 1 >= pass_)
            return false;
        watch_.Forget(entry.first);
        return true;
    });
    return true;
}

namespace {

// Series counted once; an override counts only when its series is absent,
// and then once per series.
template <typename Visit>
void ForEachCounted(const std::vector<const Organiser::Item*>& items, bool events, Visit visit) {
    bool anyOverride = false;
    for (const Organiser::Item* item : items) {
        if (item->isEvent != events)
            continue;
        if (item->isOverride)
            anyOverride = true;
        else
            visit(*item);
    }
    if (!anyOverride)
        return;
    std::unordered_set<std::string> series;
    for (const Organiser::Item* item : items)
        if (item->isEvent == events && !item->isOverride)
            series.insert(item->uid);
    for (const Organiser::Item* item : items)
        if (item->isEvent == events && item->isOverride &&
            (item->uid.empty() || series.insert(item->uid).second))
            visit(*item);
}

std::int32_t Clamp(std::int64_t n) {
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(n, std::numeric_limits<std::int32_t>::max()));
}

} // namespace

std::optional<AppointmentCounts> Organiser::CountAppointments(std::int64_t nowUnixMs) {
    Collected collected;
    if (!Collect(CalendarSources(), collected))
        return std::nullopt;
    // Floating ends name a wall time: compare them with the wall time now.
    const std::time_t nowSeconds =
        static_cast<std::time_t>(nowUnixMs >= 0 ? nowUnixMs / 1000 : (nowUnixMs - 999) / 1000);
    const std::int64_t msPart = nowUnixMs - static_cast<std::int64_t>(nowSeconds) * 1000;
    std::tm local{};
    localtime_r(&nowSeconds, &local);
    const std::int64_t wallNowMs = static_cast<std::int64_t>(timegm(&local)) * 1000 + msPart;

    std::int64_t total = 0, notEnded = 0;
    ForEachCounted(collected.items, true, [&](const Item& item) {
        ++total;
        const std::int64_t endMs = item.end.seconds * 1000;
        if ((item.end.kind == End::Kind::Instant && nowUnixMs < endMs) ||
            (item.end.kind == End::Kind::Floating && wallNowMs < endMs))
            ++notEnded;
    });
    return AppointmentCounts{Clamp(notEnded), Clamp(total)};
}

std::optional<std::int32_t> Organiser::CountTasks() {
    Collected collected;
    if (!Collect(TaskSources(), collected))
        return std::nullopt;
    std::int64_t total = 0;
    ForEachCounted(collected.items, false, [&](const Item&) { ++total; });
    return Clamp(total);
}

void SetCalendarSources(std::optional<std::vector<std::filesystem::path>> sources) {
    CalendarOverride() = std::move(sources);
}
void SetTaskSources(std::optional<std::vector<std::filesystem::path>> sources) {
    TaskOverride() = std::move(sources);
}
std::vector<std::filesystem::path> CalendarSources() {
    return Sources(CalendarOverride(), "ZORUN_CALENDAR", "evolution/calendar/system/calendar.ics");
}
std::vector<std::filesystem::path> TaskSources() {
    return Sources(TaskOverride(), "ZORUN_TASKS", "evolution/tasks/system/tasks.ics");
}

} // namespace zorun
