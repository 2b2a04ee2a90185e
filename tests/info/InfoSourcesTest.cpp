// The seven sources of the information panel: exact texts, roundings, cut
// rules and what each yields or keeps when its provider fails.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

#include "info/InfoSources.h"
#include "platform/base/Clock.h"
#include "platform/base/Text.h"
#include "platform/kernel/Locale.h"
#include "platform/kernel/Memory.h"
#include "platform/kernel/Power.h"
#include "platform/kernel/Store.h"
#include "platform/kernel/TimeZone.h"
#include "platform/pim/MessageStore.h"
#include "platform/pim/Organiser.h"

namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

// A device with a Maildir, a calendar, a task list, a battery and memory
// figures, all in a temporary folder, and a virtual clock at 7 December 2026.
class SourcesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zorun-sources-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        zorun::SetCurrentClock(&clock_);
        zorun::SetProcessTimeZone("UTC0");
        zorun::SetMaildirFolder(root_ / "Maildir");
        zorun::SetCalendarSources(std::vector<fs::path>{root_ / "calendar.ics"});
        zorun::SetTaskSources(std::vector<fs::path>{root_ / "tasks.ics"});
        zorun::SetPowerSupplyFolder(root_ / "power");
        zorun::SetMemInfoPath(root_ / "meminfo");
        zorun::SetStoreFolder(root_);
        zorun::SetProcessLocaleName("en_US.UTF-8");
        SetBattery("BAT0", "capacity", "45");
        WriteFile(root_ / "meminfo", "MemTotal: 2097152 kB\nMemAvailable: 8090 kB\n");
    }
    void TearDown() override {
        zorun::SetCurrentClock(nullptr);
        zorun::SetProcessTimeZone("");
        zorun::SetMaildirFolder({});
        zorun::SetCalendarSources(std::nullopt);
        zorun::SetTaskSources(std::nullopt);
        zorun::SetPowerSupplyFolder({});
        zorun::SetMemInfoPath({});
        zorun::SetStoreFolder({});
        zorun::SetProcessLocaleName("");
        fs::remove_all(root_);
    }
    void SetBattery(const std::string& name, const std::string& attr, const std::string& value) {
        WriteFile(root_ / "power" / name / "type", "Battery\n");
        WriteFile(root_ / "power" / name / attr, value + "\n");
    }
    fs::path root_;
    zorun::VirtualClock clock_{1796644800000}; // 2026-12-07 12:00:00 UTC
    InfoSources sources_;
};

} // namespace

TEST(SourceTexts, BatteryRounding) {
    const std::pair<int, const char16_t*> cases[] = {{0, u"1%"},   {1, u"1%"},   {3, u"3%"},
                                                     {5, u"5%"},   {7, u"5%"},   {10, u"10%"},
                                                     {44, u"40%"}, {99, u"95%"}, {100, u"100%"}};
    for (const auto& [percent, text] : cases)
        EXPECT_EQ(InfoSources::BatteryText(percent), text) << percent;
}

TEST(SourceTexts, MemoryDateAndNameCuts) {
    EXPECT_EQ(InfoSources::MemoryText(true, 1572864, 8283750), u"1.5\n7.9");
    // Above 4 GiB nothing wraps: 6 GiB free store, 20 GiB available memory.
    EXPECT_EQ(InfoSources::MemoryText(true, 6ull << 30, 20ull << 30), u"6144.0\n20480.0");
    EXPECT_EQ(InfoSources::MemoryText(true, 0, 0), u"0.0\n0.0");
    EXPECT_EQ(InfoSources::MemoryText(false, 0, 1048576), u"-\n1.0");
    EXPECT_EQ(InfoSources::MemoryText(true, 2ull << 40, 16ull << 30), u"2.0T\n16384.0")
        << "a 2 TiB store beside 16 GiB of memory";

    EXPECT_EQ(InfoSources::DateText(7, 12, 2026), u"07/12/26");
    EXPECT_EQ(InfoSources::DateText(31, 1, 2000), u"31/01/00");
    EXPECT_EQ(InfoSources::DateText(1, 10, 2109), u"01/10/09");

    EXPECT_EQ(InfoSources::CutName(u"Norwegian"), u"Norwegian") << "9 characters stay whole";
    EXPECT_EQ(InfoSources::CutName(u"Portuguese"), u"Portugu...") << "10 are cut to 7 and dots";
    EXPECT_EQ(InfoSources::CutName(u"United States"), u"United ...");
    EXPECT_EQ(InfoSources::CutName(u""), u"");
    // A cut never leaves half of a surrogate pair.
    EXPECT_EQ(InfoSources::CutName(u"abcdef\U0001F600xyz"), u"abcdef...");
}

TEST(SourceTexts, SizesTooWideForMegabytesTakeTheNextUnit) {
    constexpr std::uint64_t MiB = 1ull << 20, GiB = 1ull << 30, TiB = 1ull << 40;
    const std::pair<std::uint64_t, const char16_t*> cases[] = {
        {99999 * MiB + 900 * 1024, u"99999.9"}, // the widest figure a field holds
        {100000 * MiB, u"97.7G"},               // one more megabyte's tenth does not
        {312 * GiB + GiB / 2, u"312.5G"},
        {999 * GiB + 900 * MiB, u"999.9G"},
        {1000 * GiB, u"1.0T"}, // 1000.0G would be too wide
        {1946 * GiB, u"1.9T"},
        {999 * TiB + 900 * GiB, u"999.9T"},
        {1000 * TiB, u"1.0P"},
        {~0ull, u"16.0E"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(InfoSources::SizeText(bytes), text) << bytes;
}

TEST_F(SourcesTest, InboxCountsAndUnavailableInbox) {
    InfoTexts texts;
    sources_.ReadAll(texts);
    EXPECT_EQ(texts.inbox, u"") << "no Maildir yet: stays empty";
    fs::create_directories(root_ / "Maildir" / "new");
    fs::create_directories(root_ / "Maildir" / "cur");
    sources_.ReadAll(texts);
    EXPECT_EQ(texts.inbox, u"0 / 0");
    WriteFile(root_ / "Maildir" / "new" / "1.h", "x");
    WriteFile(root_ / "Maildir" / "cur" / "2.h:2,S", "x");
    WriteFile(root_ / "Maildir" / "cur" / "3.h:2,RS", "x");
    sources_.ReadAll(texts);
    EXPECT_EQ(texts.inbox, u"1 / 3");
    zorun::SetMaildirFolder(root_ / "gone");
    int unread = 7, total = 7;
    EXPECT_FALSE(sources_.ReadInboxCounts(unread, total));
    EXPECT_EQ(unread, 0);
    EXPECT_EQ(total, 0);
    sources_.ReadAll(texts);
    EXPECT_EQ(texts.inbox, u"1 / 3") << "the previous text stays";
}

TEST_F(SourcesTest, CalendarAndTasksWithTheirErrorTexts) {
    EXPECT_EQ(sources_.ReadCalendarText(), u"Calendar Setting Error");
    EXPECT_EQ(sources_.ReadTaskText(), u"Task Setting Error");
    WriteFile(root_ / "calendar.ics",
              "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:1\r\nDTSTART:20261207T110000Z\r\n"
              "DTEND:20261207T130000Z\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nUID:2\r\n"
              "DTSTART:20261201T110000Z\r\nDTEND:20261201T130000Z\r\nEND:VEVENT\r\n"
              "END:VCALENDAR\r\n");
    WriteFile(root_ / "tasks.ics", "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
    EXPECT_EQ(sources_.ReadCalendarText(), u"1 / 2");
    EXPECT_EQ(sources_.ReadTaskText(), u"0");
    clock_.Advance(3600 * 1000);
    EXPECT_EQ(sources_.ReadCalendarText(), u"0 / 2") << "the clock is the platform's";
}

TEST_F(SourcesTest, NothingConfiguredAndNoDefaultPlaceIsAnEmptyOrganiser) {
    zorun::SetCalendarSources(std::nullopt);
    zorun::SetTaskSources(std::nullopt);
    unsetenv("ZORUN_CALENDAR");
    unsetenv("ZORUN_TASKS");
    const char* oldData = std::getenv("XDG_DATA_HOME");
    const std::string savedData = oldData ? oldData : "";
    setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    EXPECT_EQ(sources_.ReadCalendarText(), u"0 / 0");
    EXPECT_EQ(sources_.ReadTaskText(), u"0");

    // A default place that exists but cannot be read is an error again.
    fs::create_directories(root_ / "data/evolution/tasks/system");
    ASSERT_EQ(mkfifo((root_ / "data/evolution/tasks/system/tasks.ics").c_str(), 0600), 0);
    EXPECT_EQ(sources_.ReadTaskText(), u"Task Setting Error");
    EXPECT_EQ(sources_.ReadCalendarText(), u"0 / 0");

    if (oldData)
        setenv("XDG_DATA_HOME", savedData.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

TEST_F(SourcesTest, BatteryKeepsItsTextWhenUnknownOrUnavailable) {
    EXPECT_EQ(sources_.ReadBatteryText(u""), u"45%");
    SetBattery("BAT0", "capacity", "0");
    EXPECT_EQ(sources_.ReadBatteryText(u"45%"), u"1%");
    fs::remove(root_ / "power" / "BAT0" / "capacity");
    EXPECT_EQ(sources_.ReadBatteryText(u"1%"), u"1%") << "percentage unknown";
    zorun::SetPowerSupplyFolder(root_ / "nothing");
    EXPECT_EQ(sources_.ReadBatteryText(u"1%"), u"1%") << "the call fails";
    EXPECT_EQ(sources_.ReadBatteryText(u""), u"") << "empty until a first reading";
}

TEST_F(SourcesTest, AllSevenInFieldOrder) {
    InfoTexts texts;
    texts.battery = u"old";
    sources_.ReadAll(texts);
    EXPECT_EQ(texts.battery, u"45%");
    // 8,090 kB = 7.9 MB available; the store line is this file system's.
    EXPECT_TRUE(texts.memory.ends_with(u"\n7.9")) << zorun::ToUtf8(texts.memory);
    EXPECT_EQ(texts.date, u"07/12/26");
    EXPECT_EQ(texts.region, u"English...\nUnited ...");
    zorun::SetProcessLocaleName("de_AT");
    EXPECT_EQ(sources_.ReadRegionText(), u"Deutsch...\nÖsterre...");
    zorun::SetProcessLocaleName("ja_JP");
    EXPECT_EQ(sources_.ReadRegionText(), u"日本語 (日本)\n日本");
    zorun::SetProcessLocaleName("sr_RS@latin");
    EXPECT_EQ(sources_.ReadRegionText(), u"srpski ...\nSrbija");
    // Local time decides the date: 23:30 in UTC is already the 8th in Tokyo.
    clock_.Advance(11 * 3600 * 1000 + 30 * 60 * 1000);
    zorun::SetProcessTimeZone("Asia/Tokyo");
    EXPECT_EQ(sources_.ReadDateText(), u"08/12/26");
}
