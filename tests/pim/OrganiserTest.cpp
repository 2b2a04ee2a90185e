// Appointment and task counts from iCalendar files: end rules, zones and
// daylight saving against the true local time, series, sources, and the
// shared conformance corpus.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "tests/support/Corpora.h"
#include <regex>
#include <sstream>
#include <string>

#include "platform/kernel/TimeZone.h"
#include "platform/pim/Organiser.h"

namespace fs = std::filesystem;

namespace {

// Unix milliseconds of a UTC wall time.
std::int64_t Utc(int y, int mo, int d, int h, int mi) {
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    return static_cast<std::int64_t>(timegm(&tm)) * 1000;
}

std::string Event(const std::string& lines, const std::string& uid = "") {
    static int serial = 0;
    return "BEGIN:VEVENT\r\nUID:" + (uid.empty() ? "e" + std::to_string(++serial) : uid) +
           "\r\nDTSTAMP:20260101T000000Z\r\n" + lines + "END:VEVENT\r\n";
}

std::string Calendar(const std::string& body) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n" + body + "END:VCALENDAR\r\n";
}

class OrganiserTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zorun-organiser-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        zorun::SetCalendarSources(std::vector<fs::path>{root_ / "cal"});
        zorun::SetTaskSources(std::vector<fs::path>{root_ / "cal"});
        fs::create_directories(root_ / "cal");
    }
    void TearDown() override {
        zorun::SetCalendarSources(std::nullopt);
        zorun::SetTaskSources(std::nullopt);
        zorun::SetProcessTimeZone("");
        fs::remove_all(root_);
    }
    void Write(const std::string& name, const std::string& text) {
        fs::create_directories((root_ / "cal" / name).parent_path());
        std::ofstream(root_ / "cal" / name, std::ios::binary) << text;
    }
    std::string Count(std::int64_t nowMs) {
        const auto c = organiser_.CountAppointments(nowMs);
        return c ? std::to_string(c->notEnded) + " / " + std::to_string(c->total) : "error";
    }
    fs::path root_;
    zorun::Organiser organiser_;
};

} // namespace

TEST_F(OrganiserTest, EndRules) {
    zorun::SetProcessTimeZone("UTC0");
    const std::int64_t now = Utc(2026, 12, 7, 12, 0);
    EXPECT_EQ(Count(now), "0 / 0") << "an empty calendar";
    Write("past.ics", Calendar(Event("DTSTART:20261207T090000Z\r\nDTEND:20261207T100000Z\r\n") +
                               Event("DTSTART:20261206T090000Z\r\nDTEND:20261206T100000Z\r\n")));
    EXPECT_EQ(Count(now), "0 / 2") << "all in the past";
    // In progress: started, not ended. Ending exactly now is over.
    Write("now.ics", Calendar(Event("DTSTART:20261207T110000Z\r\nDTEND:20261207T130000Z\r\n") +
                              Event("DTSTART:20261207T110000Z\r\nDTEND:20261207T120000Z\r\n")));
    EXPECT_EQ(Count(now), "1 / 4");
    // DTSTART + DURATION; an all-day date lasts its day; a bare DATE-TIME
    // start ends when it starts; no dates at all never counts as upcoming.
    Write("rules.ics",
          Calendar(Event("DTSTART:20261207T113000Z\r\nDURATION:PT45M\r\n") +
                   Event("DTSTART;VALUE=DATE:20261207\r\n") +
                   Event("DTSTART:20261207T115900Z\r\n") + Event("SUMMARY:undated\r\n")));
    EXPECT_EQ(Count(now), "3 / 8");
    EXPECT_EQ(Count(Utc(2026, 12, 8, 0, 0)), "0 / 8") << "the all-day event ends at midnight";
}

TEST_F(OrganiserTest, FloatingTimesAreComparedWithTheTrueLocalTime) {
    // 10:15 local wall time, floating (no zone).
    Write("a.ics", Calendar(Event("DTSTART:20261207T093000\r\nDTEND:20261207T101500\r\n")));
    // India, UTC+5:30: at 04:50Z it is 10:20 there, so the appointment is
    // over (a whole-hour bias would make it 09:50 and count it).
    zorun::SetProcessTimeZone("Asia/Kolkata");
    EXPECT_EQ(Count(Utc(2026, 12, 7, 4, 40)), "1 / 1");
    EXPECT_EQ(Count(Utc(2026, 12, 7, 4, 50)), "0 / 1");

    // Berlin in summer, UTC+2: at 11:20Z it is 13:20, past a 13:15 end
    // (standard time alone would say 12:20).
    Write("a.ics", Calendar(Event("DTSTART:20260707T120000\r\nDTEND:20260707T131500\r\n")));
    zorun::SetProcessTimeZone("Europe/Berlin");
    EXPECT_EQ(Count(Utc(2026, 7, 7, 11, 10)), "1 / 1");
    EXPECT_EQ(Count(Utc(2026, 7, 7, 11, 20)), "0 / 1");

    // A shift across midnight: 23:00Z on the 6th is already the 7th in India,
    // so an all-day event of the 6th is over.
    Write("a.ics", Calendar(Event("DTSTART;VALUE=DATE:20261206\r\n")));
    zorun::SetProcessTimeZone("Asia/Kolkata");
    EXPECT_EQ(Count(Utc(2026, 12, 6, 18, 0)), "1 / 1");
    EXPECT_EQ(Count(Utc(2026, 12, 6, 19, 0)), "0 / 1");
}

TEST_F(OrganiserTest, ZonedTimesAreInstantsWhateverTheLocalZone) {
    zorun::SetProcessTimeZone("Asia/Kolkata");
    const std::string tz = "BEGIN:VTIMEZONE\r\nTZID:Custom/Plus3\r\nBEGIN:STANDARD\r\n"
                           "DTSTART:19700101T000000\r\nTZOFFSETFROM:+0300\r\nTZOFFSETTO:+0300\r\n"
                           "END:STANDARD\r\nEND:VTIMEZONE\r\n";
    // Ends 12:00 at +3 = 09:00Z; the tzdata zone ends 12:00 New York = 17:00Z.
    Write("z.ics", Calendar(tz +
                            Event("DTSTART;TZID=Custom/Plus3:20261207T110000\r\n"
                                  "DTEND;TZID=Custom/Plus3:20261207T120000\r\n") +
                            Event("DTSTART;TZID=America/New_York:20261207T110000\r\n"
                                  "DTEND;TZID=America/New_York:20261207T120000\r\n")));
    EXPECT_EQ(Count(Utc(2026, 12, 7, 8, 59)), "2 / 2");
    EXPECT_EQ(Count(Utc(2026, 12, 7, 9, 0)), "1 / 2");
    EXPECT_EQ(Count(Utc(2026, 12, 7, 16, 59)), "1 / 2");
    EXPECT_EQ(Count(Utc(2026, 12, 7, 17, 0)), "0 / 2");
}

TEST_F(OrganiserTest, SeriesCountOnceAndTasksCountAll) {
    zorun::SetProcessTimeZone("UTC0");
    // A daily series with one moved instance; an instance whose series is
    // missing counts as one appointment however many instances it has.
    Write("series.ics",
          Calendar(Event("DTSTART:20261201T090000Z\r\nDTEND:20261201T100000Z\r\n"
                         "RRULE:FREQ=DAILY;COUNT=10\r\n",
                         "series") +
                   Event("RECURRENCE-ID:20261203T090000Z\r\nDTSTART:20261203T110000Z\r\n"
                         "DTEND:20261203T120000Z\r\n",
                         "series") +
                   Event("RECURRENCE-ID:20261203T090000Z\r\nDTSTART:20261203T110000Z\r\n"
                         "DTEND:20261203T120000Z\r\n",
                         "orphan") +
                   Event("RECURRENCE-ID:20261204T090000Z\r\nDTSTART:20261204T110000Z\r\n"
                         "DTEND:20261204T120000Z\r\n",
                         "orphan")));
    EXPECT_EQ(Count(Utc(2026, 12, 7, 0, 0)), "0 / 2");

    // Four tasks, two of them complete, in a collection of one object per file.
    const char* status[] = {"NEEDS-ACTION", "COMPLETED", "COMPLETED", "IN-PROCESS"};
    for (int i = 0; i < 4; ++i)
        Write("tasks/t" + std::to_string(i) + ".ics",
              Calendar("BEGIN:VTODO\r\nUID:t" + std::to_string(i) + "\r\nSTATUS:" + status[i] +
                       "\r\nSUMMARY:task\r\nEND:VTODO\r\n"));
    EXPECT_EQ(organiser_.CountTasks(), 4);
    EXPECT_EQ(Count(Utc(2026, 12, 7, 0, 0)), "0 / 2") << "tasks are not appointments";
}

TEST_F(OrganiserTest, SourcesAndTheirFailures) {
    zorun::SetProcessTimeZone("UTC0");
    const std::int64_t now = Utc(2026, 12, 7, 0, 0);
    // Only .ics files count; dot folders and files are skipped; folders of
    // collections are read one level down.
    Write("work/a.ics", Calendar(Event("DTSTART:20270101T000000Z\r\n")));
    Write("home/b.ICS", Calendar(Event("DTSTART:20270101T000000Z\r\n")));
    Write("home/notes.txt", Calendar(Event("DTSTART:20270101T000000Z\r\n")));
    Write(".trash/c.ics", Calendar(Event("DTSTART:20270101T000000Z\r\n")));
    Write("home/deep/d.ics", Calendar(Event("DTSTART:20270101T000000Z\r\n")));
    EXPECT_EQ(Count(now), "2 / 2");

    // A single file as a source, also when named twice.
    zorun::SetCalendarSources(std::vector<fs::path>{root_ / "cal/work/a.ics", root_ / "cal/work"});
    EXPECT_EQ(Count(now), "1 / 1");

    // Edits are seen at the next refresh.
    Write("work/a.ics",
          Calendar(Event("DTSTART:20270101T000000Z\r\n") + Event("DTSTART:20260101T000000Z\r\n")));
    EXPECT_EQ(Count(now), "1 / 2");

    // No source at all is an empty calendar; one that cannot be read is an
    // error for the whole count.
    zorun::SetCalendarSources(std::vector<fs::path>{});
    EXPECT_EQ(Count(now), "0 / 0");
    zorun::SetTaskSources(std::vector<fs::path>{});
    EXPECT_EQ(organiser_.CountTasks(), 0);
    zorun::SetCalendarSources(std::vector<fs::path>{root_ / "cal/work", root_ / "missing.ics"});
    EXPECT_EQ(Count(now), "error");
    zorun::SetTaskSources(std::vector<fs::path>{root_ / "missing"});
    EXPECT_FALSE(organiser_.CountTasks());

    // The environment's list, separated by ':'.
    zorun::SetCalendarSources(std::nullopt);
    setenv("ZORUN_CALENDAR",
           (root_.string() + "/cal/work::" + root_.string() + "/cal/home").c_str(), 1);
    EXPECT_EQ(Count(now), "3 / 4");
    unsetenv("ZORUN_CALENDAR");
}

TEST_F(OrganiserTest, ChangesInReadFoldersShowAtTheNextRefresh) {
    zorun::SetProcessTimeZone("UTC0");
    const std::int64_t now = Utc(2026, 12, 7, 0, 0);
    Write("c1/a.ics", Calendar(Event("DTSTART:20270101T000000Z\r\n", "a")));
    Write("c1/b.ics", Calendar(Event("DTSTART:20270101T000000Z\r\n", "b")));
    EXPECT_EQ(Count(now), "2 / 2");
    EXPECT_EQ(Count(now), "2 / 2") << "read again from the index";
    // Rewritten in place, same size, likely within the same timestamp.
    {
        std::fstream f(root_ / "cal/c1/a.ics", std::ios::in | std::ios::out | std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        text.replace(text.find("20270101"), 8, "20260101");
        f.seekp(0);
        f << text;
    }
    EXPECT_EQ(Count(now), "1 / 2");
    fs::remove(root_ / "cal/c1/b.ics");
    EXPECT_EQ(Count(now), "0 / 1");
    Write("c2/c.ics", Calendar(Event("DTSTART:20270101T000000Z\r\n", "c")));
    EXPECT_EQ(Count(now), "1 / 2");
    fs::remove_all(root_ / "cal/c2");
    EXPECT_EQ(Count(now), "0 / 1");
    fs::remove_all(root_ / "cal");
    EXPECT_EQ(Count(now), "error");
}

namespace {

fs::path CalendarCorpus(const char* sub) {
    const char* corpora = std::getenv("ZORUN_CORPORA");
    if (!corpora)
        return {};
    const fs::path p = fs::path(corpora) / "icalendar" / sub;
    return fs::exists(p) ? p : fs::path();
}

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST_F(OrganiserTest, CalDavCollectionConformance) {
    const fs::path put = CalendarCorpus("caldavtester-put");
    if (put.empty())
        SKIP_WITHOUT_CORPUS("icalendar corpus");
    // The collection's dates are relative to "now": take the year 2030, and
    // read the EVENTS and TASKS collections as vdir folders.
    const int year = 2030;
    const std::regex placeholder(R"(\$now\.year\.(\d+):)");
    const auto place = [&](const std::string& name, const fs::path& folder) {
        std::string text = ReadAll(put / name), out;
        std::sregex_iterator it(text.begin(), text.end(), placeholder), end;
        std::size_t last = 0;
        for (; it != end; ++it) {
            out += text.substr(last, static_cast<std::size_t>(it->position()) - last);
            out += std::to_string(year + std::stoi((*it)[1]));
            last = static_cast<std::size_t>(it->position() + it->length());
        }
        out += text.substr(last);
        fs::create_directories(folder);
        std::ofstream(folder / (fs::path(name).stem().string() + ".ics"), std::ios::binary) << out;
    };
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 18, 19, 20, 21, 22})
        place(std::to_string(n) + ".txt", root_ / "events");
    place("27.ics", root_ / "events");
    for (int n = 101; n <= 106; ++n)
        place(std::to_string(n) + ".txt", root_ / "tasks");
    zorun::SetCalendarSources(std::vector<fs::path>{root_ / "events"});
    zorun::SetTaskSources(std::vector<fs::path>{root_ / "tasks"});
    zorun::SetProcessTimeZone("America/New_York");

    // Events ending after 2031-01-02 00:00Z: 1-3 end on 1 January and 4 ends
    // exactly then; every other series starts later. 15 is free/busy only.
    EXPECT_EQ(Count(Utc(year + 1, 1, 2, 0, 0)), "16 / 20");
    EXPECT_EQ(Count(Utc(year + 1, 1, 1, 23, 59)), "17 / 20") << "event 4 ends at 19:00 EST";
    EXPECT_EQ(Count(Utc(year, 6, 1, 0, 0)), "20 / 20");
    EXPECT_EQ(organiser_.CountTasks(), 6);
}

TEST(OrganiserCorpus, EveryFileParsesWithoutHarmAndKnownCountsHold) {
    const fs::path base = CalendarCorpus(".");
    if (base.empty())
        SKIP_WITHOUT_CORPUS("icalendar corpus");
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(base)) {
        const auto ext = entry.path().extension();
        if (!entry.is_regular_file() || (ext != ".ics" && ext != ".txt"))
            continue;
        (void)zorun::Organiser::ParseItems(ReadAll(entry.path()));
        ++files;
    }
    EXPECT_GT(files, 300);

    const auto events = [&](const char* file) {
        int n = 0;
        for (const auto& item : zorun::Organiser::ParseItems(ReadAll(base / file)))
            n += item.isEvent;
        return n;
    };
    EXPECT_EQ(events("python-icalendar/calendars/issue_1050_multiple_calendars.ics"), 2);
    EXPECT_EQ(events("python-icalendar/calendars/issue_165_missing_event.ics"), 1);
    EXPECT_EQ(zorun::Organiser::ParseItems("\xEF\xBB\xBF" +
                                           Calendar(Event("DTSTART:20260101T000000Z\r\n")))
                  .size(),
              1u)
        << "a byte-order mark is tolerated";
    const auto items = zorun::Organiser::ParseItems(
        ReadAll(base / "python-icalendar/calendars/issue_1050_calendar_with_events_and_todos.ics"));
    int todos = 0;
    for (const auto& item : items)
        todos += !item.isEvent;
    EXPECT_EQ(todos, 1);
}
