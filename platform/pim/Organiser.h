#pragma once
// The personal organiser behind the appointment and task calls: iCalendar
// data read with libical from vdir folders (one object per .ics file, or a
// folder of such folders) and single .ics files.
//
// An appointment is a VEVENT, a task a VTODO. A recurring item counts once,
// as a series: components that only override one instance (RECURRENCE-ID)
// are not counted beside their series, unless the series itself is absent.
// An appointment ends at DTEND, else at DTSTART plus DURATION, else at the end
// of an all-day DTSTART's day, else at DTSTART. Times with a zone are compared
// as instants; floating times and dates as the local wall time they name.
//
// Each file's summary is kept with its modification time, size and inode and
// parsed again only when one of them changes; a folder is listed again only
// when the kernel reports a change in it (FolderWatch), so a refresh of a
// large calendar costs a few system calls.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/kernel/FolderWatch.h"

struct stat;

namespace zorun {

struct AppointmentCounts {
    std::int32_t notEnded = 0; // ending after now
    std::int32_t total = 0;
};

class Organiser {
  public:
    Organiser();
    ~Organiser();
    Organiser(const Organiser&) = delete;
    Organiser& operator=(const Organiser&) = delete;

    // Appointments of the calendar sources, those ending after `nowUnixMs`
    // (strictly) and all; none at all when there is no source; nothing when
    // a source cannot be read.
    [[nodiscard]] std::optional<AppointmentCounts> CountAppointments(std::int64_t nowUnixMs);
    // Tasks of the task sources, done or not; nothing as above.
    [[nodiscard]] std::optional<std::int32_t> CountTasks();

    // One component's end, as the organiser keeps it.
    struct End {
        enum class Kind : std::uint8_t { None, Instant, Floating } kind = Kind::None;
        // Instant: Unix seconds. Floating: the named wall time as seconds
        // since 1970-01-01 00:00 of that calendar (no zone).
        std::int64_t seconds = 0;
    };
    struct Item {
        bool isEvent = false;
        bool isOverride = false; // has RECURRENCE-ID
        std::string uid;
        End end;
    };
    // The items of one iCalendar text (exposed for the fuzzer and tests).
    [[nodiscard]] static std::vector<Item> ParseItems(const std::string& text);

  private:
    struct FileSummary;
    struct Collected;
    [[nodiscard]] bool Collect(const std::vector<std::filesystem::path>& sources, Collected& out);
    void Use(FileSummary& summary, Collected& out);
    [[nodiscard]] bool AddFolder(const std::string& folder, bool descend, Collected& out);
    [[nodiscard]] bool AddFile(std::string key, const struct stat& st, int dirFd, const char* name,
                               Collected& out);

    // What a folder held when last read: its .ics files (keys of files_) and
    // its collections.
    struct Listing {
        bool valid = false;
        bool hasLinks = false;
        std::uint64_t lastPass = 0;
        std::vector<std::string> files;
        std::vector<std::string> collections;
    };

    FolderWatch watch_;
    std::unordered_map<std::string, std::unique_ptr<FileSummary>> files_;
    std::unordered_map<std::string, Listing> listings_;
    std::uint64_t pass_ = 0;
};

// The sources read; nothing returns to the environment's lists
// (ZORUN_CALENDAR / ZORUN_TASKS, paths separated by ':') or the defaults:
// ~/.local/share/calendars and the desktop's local calendar or task file,
// those that exist (possibly none).
void SetCalendarSources(std::optional<std::vector<std::filesystem::path>> sources);
void SetTaskSources(std::optional<std::vector<std::filesystem::path>> sources);
[[nodiscard]] std::vector<std::filesystem::path> CalendarSources();
[[nodiscard]] std::vector<std::filesystem::path> TaskSources();

} // namespace zorun
