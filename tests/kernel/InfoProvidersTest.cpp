// The kernel providers behind the information panel: power, memory, store,
// locale names, local time and time zone, each pointed at fixtures.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

#include "platform/base/Clock.h"
#include "platform/base/Text.h"
#include "platform/kernel/LocalTime.h"
#include "platform/kernel/Locale.h"
#include "platform/kernel/Memory.h"
#include "platform/kernel/Power.h"
#include "platform/kernel/Store.h"
#include "platform/kernel/TimeZone.h"

namespace fs = std::filesystem;

namespace {

fs::path MakeTempDir() {
    std::string pattern = (fs::temp_directory_path() / "zorun-kernel-XXXXXX").string();
    const char* made = mkdtemp(pattern.data());
    EXPECT_NE(made, nullptr);
    return pattern;
}

void WriteFile(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

class PowerSupplyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = MakeTempDir();
        zorun::SetPowerSupplyFolder(root_);
    }
    void TearDown() override {
        zorun::SetPowerSupplyFolder({});
        fs::remove_all(root_);
    }
    int Percent() {
        SYSTEM_POWER_STATUS_EX2 s{};
        EXPECT_EQ(GetSystemPowerStatusEx2(&s, sizeof s, TRUE), sizeof s);
        return s.BatteryLifePercent;
    }
    fs::path root_;
};

} // namespace

TEST_F(PowerSupplyTest, OneBatteryAndItsFallbacks) {
    // The percentage is the record's third byte, as the panel reads it.
    SYSTEM_POWER_STATUS_EX2 s{};
    WriteFile(root_ / "AC" / "type", "Mains\n");
    WriteFile(root_ / "AC" / "online", "1\n");
    WriteFile(root_ / "BAT0" / "type", "Battery\n");
    WriteFile(root_ / "BAT0" / "capacity", "87\n");
    WriteFile(root_ / "BAT0" / "status", "Charging\n");
    ASSERT_EQ(GetSystemPowerStatusEx2(&s, sizeof s, TRUE), 56u);
    EXPECT_EQ(reinterpret_cast<const BYTE*>(&s)[2], 87);
    EXPECT_EQ(s.ACLineStatus, AC_LINE_ONLINE);
    EXPECT_EQ(s.BatteryFlag, BATTERY_FLAG_HIGH | BATTERY_FLAG_CHARGING);

    fs::remove(root_ / "BAT0" / "capacity");
    WriteFile(root_ / "BAT0" / "energy_now", "25000000\n");
    WriteFile(root_ / "BAT0" / "energy_full", "50000000\n");
    EXPECT_EQ(Percent(), 50);

    fs::remove(root_ / "BAT0" / "energy_now");
    WriteFile(root_ / "BAT0" / "charge_now", "3000\n");
    WriteFile(root_ / "BAT0" / "charge_full", "4000\n");
    EXPECT_EQ(Percent(), 75);

    // Out-of-range readings are clamped rather than wrapped into a byte.
    WriteFile(root_ / "BAT0" / "capacity", "130\n");
    EXPECT_EQ(Percent(), 100);
}

TEST_F(PowerSupplyTest, UnknownAndFailedReadings) {
    // No battery at all: unknown.
    WriteFile(root_ / "AC" / "type", "Mains\n");
    EXPECT_EQ(Percent(), BATTERY_PERCENTAGE_UNKNOWN);
    // A battery without any usable reading, or an absent one: unknown.
    WriteFile(root_ / "BAT0" / "type", "Battery\n");
    WriteFile(root_ / "BAT0" / "capacity", "garbage\n");
    WriteFile(root_ / "BAT0" / "energy_full", "0\n");
    WriteFile(root_ / "BAT0" / "energy_now", "10\n");
    EXPECT_EQ(Percent(), BATTERY_PERCENTAGE_UNKNOWN);
    WriteFile(root_ / "BAT0" / "capacity", "50\n");
    WriteFile(root_ / "BAT0" / "present", "0\n");
    EXPECT_EQ(Percent(), BATTERY_PERCENTAGE_UNKNOWN);

    SYSTEM_POWER_STATUS_EX2 s{};
    EXPECT_EQ(GetSystemPowerStatusEx2(&s, 40, TRUE), 0u) << "a short record is refused";
    zorun::SetPowerSupplyFolder(root_ / "missing");
    EXPECT_EQ(GetSystemPowerStatusEx2(&s, sizeof s, TRUE), 0u) << "no power-supply class";
}

TEST_F(PowerSupplyTest, OnlyTheSystemsBatteriesCountTogether) {
    WriteFile(root_ / "BAT0" / "type", "Battery\n");
    WriteFile(root_ / "BAT0" / "capacity", "80\n");
    // A wireless mouse and a phone charging over USB report their own
    // batteries, sorted before BAT0 by name.
    WriteFile(root_ / "A-hid-mouse-battery" / "type", "Battery\n");
    WriteFile(root_ / "A-hid-mouse-battery" / "scope", "Device\n");
    WriteFile(root_ / "A-hid-mouse-battery" / "capacity", "5\n");
    WriteFile(root_ / "A-hid-mouse-battery" / "status", "Charging\n");
    WriteFile(root_ / "A-phone" / "type", "Battery\n");
    WriteFile(root_ / "A-phone" / "scope", "Unknown\n");
    WriteFile(root_ / "A-phone" / "capacity", "20\n");
    SYSTEM_POWER_STATUS_EX2 s{};
    ASSERT_EQ(GetSystemPowerStatusEx2(&s, sizeof s, TRUE), 56u);
    EXPECT_EQ(s.BatteryLifePercent, 80);
    EXPECT_EQ(s.BatteryFlag, BATTERY_FLAG_HIGH) << "the mouse's charging is not the machine's";

    // Two system batteries, one marked so: what both hold over what both
    // hold when full (45 of 60 Wh), not the mean of 90% and 30%.
    WriteFile(root_ / "BAT0" / "energy_now", "36000000\n");
    WriteFile(root_ / "BAT0" / "energy_full", "40000000\n");
    WriteFile(root_ / "BAT1" / "type", "Battery\n");
    WriteFile(root_ / "BAT1" / "scope", "System\n");
    WriteFile(root_ / "BAT1" / "capacity", "30\n");
    WriteFile(root_ / "BAT1" / "energy_now", "6000000\n");
    WriteFile(root_ / "BAT1" / "energy_full", "20000000\n");
    WriteFile(root_ / "BAT1" / "status", "Charging\n");
    ASSERT_EQ(GetSystemPowerStatusEx2(&s, sizeof s, TRUE), 56u);
    EXPECT_EQ(s.BatteryLifePercent, 70);
    EXPECT_EQ(s.BatteryFlag, BATTERY_FLAG_HIGH | BATTERY_FLAG_CHARGING);
    // By charge when not both report energy.
    fs::remove(root_ / "BAT1" / "energy_now");
    WriteFile(root_ / "BAT0" / "charge_now", "1000000\n");
    WriteFile(root_ / "BAT0" / "charge_full", "4000000\n");
    WriteFile(root_ / "BAT1" / "charge_now", "3000000\n");
    WriteFile(root_ / "BAT1" / "charge_full", "4000000\n");
    EXPECT_EQ(Percent(), 50);
    // Else the mean of their own percentages (80 and 30).
    fs::remove(root_ / "BAT1" / "charge_now");
    EXPECT_EQ(Percent(), 55);
    // A battery that is not present is no part of it.
    WriteFile(root_ / "BAT1" / "present", "0\n");
    EXPECT_EQ(Percent(), 80);
}

TEST_F(PowerSupplyTest, AbsurdReadingsAreUnknownAndFifosAreNotRead) {
    WriteFile(root_ / "BAT0" / "type", "Battery\n");
    WriteFile(root_ / "BAT0" / "energy_now", "9223372036854775807\n");
    WriteFile(root_ / "BAT0" / "energy_full", "50000000\n");
    WriteFile(root_ / "BAT0" / "voltage_now", "9223372036854775807\n");
    WriteFile(root_ / "BAT0" / "current_now", "-9223372036854775807\n");
    SYSTEM_POWER_STATUS_EX2 s{};
    ASSERT_EQ(GetSystemPowerStatusEx2(&s, sizeof s, TRUE), 56u);
    EXPECT_EQ(s.BatteryLifePercent, BATTERY_PERCENTAGE_UNKNOWN) << "not 245%";
    EXPECT_EQ(s.BatteryVoltage, 0x7FFFFFFFu) << "clamped, not wrapped";
    WriteFile(root_ / "BAT0" / "energy_now", "9200000000000000\n");
    WriteFile(root_ / "BAT0" / "energy_full", "9300000000000000\n");
    EXPECT_EQ(Percent(), BATTERY_PERCENTAGE_UNKNOWN) << "beyond any battery";
    WriteFile(root_ / "BAT0" / "energy_now", "1000000000000000\n");
    WriteFile(root_ / "BAT0" / "energy_full", "1000000000000000\n");
    EXPECT_EQ(Percent(), 100) << "the largest reading taken";
    WriteFile(root_ / "BAT0" / "energy_now", "-5\n");
    EXPECT_EQ(Percent(), BATTERY_PERCENTAGE_UNKNOWN);
    WriteFile(root_ / "BAT0" / "energy_now", "51000000\n");
    WriteFile(root_ / "BAT0" / "energy_full", "50000000\n");
    EXPECT_EQ(Percent(), 100) << "a little over full";
    WriteFile(root_ / "BAT0" / "capacity", "9223372036854775807\n");
    EXPECT_EQ(Percent(), 100) << "an absurd capacity falls back to the energy";
    fs::remove(root_ / "BAT0" / "capacity");

    // A FIFO in place of an attribute is passed over, never waited on.
    ASSERT_EQ(mkfifo((root_ / "BAT0" / "capacity").c_str(), 0600), 0);
    EXPECT_EQ(Percent(), 100);
    fs::remove(root_ / "BAT0" / "type");
    ASSERT_EQ(mkfifo((root_ / "BAT0" / "type").c_str(), 0600), 0);
    EXPECT_EQ(Percent(), BATTERY_PERCENTAGE_UNKNOWN);
}

TEST(MemoryAndStore, SizesAboveFourGigabytesAreNotWrapped) {
    const fs::path dir = MakeTempDir();
    WriteFile(dir / "meminfo", "MemTotal:       33554432 kB\n"
                               "MemFree:         1000000 kB\n"
                               "MemAvailable:   20971520 kB\n"
                               "SwapTotal:             0 kB\n");
    zorun::SetMemInfoPath(dir / "meminfo");
    MEMORYSTATUS m{};
    GlobalMemoryStatus(&m);
    EXPECT_EQ(m.dwTotalPhys, 32ull << 30);
    EXPECT_EQ(m.dwAvailPhys, 20ull << 30);
    EXPECT_EQ(m.dwMemoryLoad, 38u);

    // An old kernel without MemAvailable: free + buffers + cached.
    WriteFile(dir / "meminfo",
              "MemTotal: 4096 kB\nMemFree: 1024 kB\nBuffers: 512 kB\nCached: 512 kB\n");
    GlobalMemoryStatus(&m);
    EXPECT_EQ(m.dwAvailPhys, 2048u * 1024);
    zorun::SetMemInfoPath(dir / "none");
    GlobalMemoryStatus(&m);
    EXPECT_EQ(m.dwAvailPhys, 0u);
    zorun::SetMemInfoPath({});

    zorun::SetStoreFolder(dir);
    STORE_INFORMATION store{};
    ASSERT_TRUE(GetStoreInformation(&store));
    const auto space = fs::space(dir);
    EXPECT_EQ(store.dwStoreSize, space.capacity);
    // The free size moves with other writers; it only has to be in range.
    EXPECT_LE(store.dwFreeSize, store.dwStoreSize);
    zorun::SetStoreFolder(dir / "missing");
    EXPECT_FALSE(GetStoreInformation(&store));
    zorun::SetStoreFolder({});
    fs::remove_all(dir);
}

TEST(LocaleInfo, NamesInTheLocalesOwnLanguageAndTheSizeProtocol) {
    struct Case {
        const char* env;
        std::u16string language, country;
    };
    const Case cases[] = {
        {"en_US.UTF-8", u"English (United States)", u"United States"},
        {"de_DE.UTF-8@euro", u"Deutsch (Deutschland)", u"Deutschland"},
        {"ja_JP", u"日本語 (日本)", u"日本"},
        {"C", u"English (United States)", u"United States"},
        // A modifier that names a script chooses the script of the names.
        {"sr_RS.UTF-8@latin", u"srpski (latinica, Srbija)", u"Srbija"},
        {"sr_RS", u"српски (Србија)", u"Србија"},
        {"uz_UZ@cyrillic", u"ўзбекча (Кирил, Ўзбекистон)", u"Ўзбекистон"},
        {"ca_ES.UTF-8@valencia", u"català (Espanya, valencià)", u"Espanya"},
    };
    char16_t buffer[256];
    for (const Case& c : cases) {
        zorun::SetProcessLocaleName(c.env);
        const int needed = GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_SLANGUAGE, nullptr, 0);
        EXPECT_EQ(needed, static_cast<int>(c.language.size()) + 1) << c.env;
        EXPECT_EQ(GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_SLANGUAGE, buffer, 256), needed);
        EXPECT_EQ(std::u16string(buffer), c.language) << c.env;
        ASSERT_GT(GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_SCOUNTRY, buffer, 256), 0);
        EXPECT_EQ(std::u16string(buffer), c.country) << c.env;
        EXPECT_EQ(GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_SLANGUAGE, buffer, needed - 1), 0)
            << "a buffer one short is refused";
    }
    // The names are read once per locale and ICU let go of; folding beyond
    // ASCII loads it again and keeps it, and the names still come.
    EXPECT_EQ(zorun::FoldCase(U'Ä'), U'ä');
    zorun::SetProcessLocaleName("de_DE");
    ASSERT_GT(GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_SCOUNTRY, buffer, 256), 0);
    EXPECT_EQ(std::u16string(buffer), u"Deutschland");
    EXPECT_EQ(zorun::FoldCase(U'Ж'), U'ж');
    zorun::SetProcessLocaleName("");
}

namespace {

class ZoneTest : public ::testing::Test {
  protected:
    void SetUp() override { zorun::SetCurrentClock(&clock_); }
    void TearDown() override {
        zorun::SetCurrentClock(nullptr);
        zorun::SetProcessTimeZone("");
    }
    zorun::VirtualClock clock_{1783423800000}; // 2026-07-07 11:30:00 UTC
};

} // namespace

TEST_F(ZoneTest, LocalTimeFollowsTheZoneAndDaylightSaving) {
    SYSTEMTIME utc{}, local{};
    zorun::SetProcessTimeZone("Asia/Kolkata");
    GetSystemTime(&utc);
    GetLocalTime(&local);
    EXPECT_EQ(utc.wHour, 11);
    EXPECT_EQ(local.wHour, 17);
    EXPECT_EQ(local.wMinute, 0);
    TIME_ZONE_INFORMATION tz{};
    EXPECT_EQ(GetTimeZoneInformation(&tz), TIME_ZONE_ID_UNKNOWN);
    EXPECT_EQ(tz.Bias, -330);

    zorun::SetProcessTimeZone("Europe/Berlin");
    GetLocalTime(&local);
    EXPECT_EQ(local.wHour, 13) << "summer time is applied";
    EXPECT_EQ(GetTimeZoneInformation(&tz), TIME_ZONE_ID_DAYLIGHT);
    EXPECT_EQ(tz.Bias, -60);
    EXPECT_EQ(tz.DaylightBias, -60);
    EXPECT_EQ(tz.DaylightDate.wMonth, 3);
    EXPECT_EQ(tz.DaylightDate.wDay, 29);
    EXPECT_EQ(tz.DaylightDate.wHour, 2);
    EXPECT_EQ(tz.StandardDate.wMonth, 10);
    EXPECT_EQ(tz.StandardDate.wDay, 25);
    EXPECT_EQ(tz.StandardDate.wHour, 3);

    // Crossing midnight backwards moves the date.
    zorun::SetProcessTimeZone("America/Los_Angeles");
    zorun::VirtualClock early(1783382400000); // 2026-07-07 00:00:00 UTC
    zorun::SetCurrentClock(&early);
    GetLocalTime(&local);
    EXPECT_EQ(local.wDay, 6);
    EXPECT_EQ(local.wHour, 17);
}

TEST(VariantTime, AutomationDates) {
    double v = 0;
    SYSTEMTIME t{1899, 12, 0, 30, 0, 0, 0, 0};
    ASSERT_TRUE(SystemTimeToVariantTime(&t, &v));
    EXPECT_EQ(v, 0.0);
    t = SYSTEMTIME{2026, 12, 0, 7, 18, 0, 0, 0};
    ASSERT_TRUE(SystemTimeToVariantTime(&t, &v));
    EXPECT_DOUBLE_EQ(v, 46363.75);
    t = SYSTEMTIME{1899, 12, 0, 29, 6, 0, 0, 0};
    ASSERT_TRUE(SystemTimeToVariantTime(&t, &v));
    EXPECT_DOUBLE_EQ(v, -1.25);
    t = SYSTEMTIME{2026, 2, 0, 29, 0, 0, 0, 0};
    EXPECT_FALSE(SystemTimeToVariantTime(&t, &v)) << "no 29 February in 2026";
}
