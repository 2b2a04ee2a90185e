#include "platform/kernel/Power.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/kernel/FileSystem.h"

namespace zorun {

namespace {

std::filesystem::path& FolderOverride() {
    static std::filesystem::path folder;
    return folder;
}

// The first line of a small attribute file, without trailing blanks. Read
// through the bounded reader: a FIFO or a device node in the folder gives
// nothing instead of blocking the panel.
std::optional<std::string> ReadAttribute(const std::filesystem::path& file) {
    const auto bytes = ReadHostFilePrefix(file, 128);
    if (!bytes)
        return std::nullopt;
    std::string text(bytes->begin(), bytes->end());
    if (const auto eol = text.find('\n'); eol != std::string::npos)
        text.resize(eol);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r' || text.back() == '\t'))
        text.pop_back();
    return text;
}

std::optional<long long> ReadNumber(const std::filesystem::path& file) {
    const auto text = ReadAttribute(file);
    if (!text || text->empty())
        return std::nullopt;
    long long value = 0;
    const char* end = text->data() + text->size();
    const auto [ptr, ec] = std::from_chars(text->data(), end, value);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

// Energy (µWh) and charge (µAh) readings beyond this (a gigawatt-hour) come
// from a broken driver or file, not from a battery: they count as unknown.
constexpr long long kLargestReading = 1'000'000'000'000'000;

// A reading of what a battery holds now and when full.
struct Store {
    long long now = 0;
    long long full = 0;
};

std::optional<Store> ReadStore(const std::filesystem::path& supply, const char* now,
                               const char* full) {
    const auto n = ReadNumber(supply / now);
    const auto f = ReadNumber(supply / full);
    if (!n || !f || *n < 0 || *f <= 0 || *n > kLargestReading || *f > kLargestReading)
        return std::nullopt;
    return Store{*n, *f};
}

// The percentage of `now` in `full`, rounded down, at most 100 (a battery
// may report a little more than its full charge). In long double, so that no
// sum of readings can overflow on the way.
int Ratio(const Store& s) {
    const long double percent = std::floor(100.0L * s.now / s.full);
    return static_cast<int>(std::min<long double>(100, percent));
}

// One system battery's readings.
struct Battery {
    std::filesystem::path folder;
    std::optional<int> capacity; // the kernel's own percentage
    std::optional<Store> energy;
    std::optional<Store> charge;
    bool charging = false;
    bool discharging = false;

    [[nodiscard]] std::optional<int> Percentage() const {
        if (capacity)
            return capacity;
        if (energy)
            return Ratio(*energy);
        if (charge)
            return Ratio(*charge);
        return std::nullopt;
    }
};

Battery ReadBattery(const std::filesystem::path& supply) {
    Battery b;
    b.folder = supply;
    // The kernel's range is 0-100; a little above is clamped, anything
    // further off is no reading.
    if (const auto c = ReadNumber(supply / "capacity"); c && *c >= 0 && *c <= 200)
        b.capacity = static_cast<int>(std::min<long long>(*c, 100));
    b.energy = ReadStore(supply, "energy_now", "energy_full");
    b.charge = ReadStore(supply, "charge_now", "charge_full");
    const auto state = ReadAttribute(supply / "status");
    b.charging = state && *state == "Charging";
    b.discharging = state && *state == "Discharging";
    return b;
}

// The charge of several batteries together: what they hold over what they
// hold when full, by energy when every one reports it, else by charge, else
// the mean of their own percentages.
std::optional<int> CombinedPercentage(const std::vector<Battery>& batteries) {
    if (batteries.size() == 1)
        return batteries.front().Percentage();
    for (const auto member : {&Battery::energy, &Battery::charge}) {
        Store sum;
        bool all = true;
        for (const auto& b : batteries) {
            const auto& s = b.*member;
            all = all && s.has_value();
            if (!all)
                break;
            sum.now += s->now;
            sum.full += s->full;
        }
        if (all)
            return Ratio(sum);
    }
    long long total = 0;
    int known = 0;
    for (const auto& b : batteries)
        if (const auto p = b.Percentage()) {
            total += *p;
            ++known;
        }
    if (known == 0)
        return std::nullopt;
    return static_cast<int>(total / known);
}

// Whether a power supply of type Battery powers the system: its scope is
// absent or "System" (a wireless mouse, keyboard or a phone on USB reports
// "Device").
bool IsSystemBattery(const std::filesystem::path& supply) {
    if (const auto present = ReadNumber(supply / "present"); present && *present == 0)
        return false;
    const auto scope = ReadAttribute(supply / "scope");
    return !scope || *scope == "System";
}

DWORD ToDword(long long v) {
    return static_cast<DWORD>(static_cast<std::int32_t>(std::clamp<long long>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max())));
}

} // namespace

void SetPowerSupplyFolder(const std::filesystem::path& folder) {
    FolderOverride() = folder;
}

std::filesystem::path PowerSupplyFolder() {
    if (!FolderOverride().empty())
        return FolderOverride();
    if (const char* env = std::getenv("ZORUN_POWER_SUPPLY"); env && *env)
        return env;
    return "/sys/class/power_supply";
}

} // namespace zorun

DWORD GetSystemPowerStatusEx2(SYSTEM_POWER_STATUS_EX2* status, DWORD length, BOOL /*update*/) {
    if (!status || length < sizeof(SYSTEM_POWER_STATUS_EX2))
        return 0;
    std::error_code ec;
    std::vector<std::filesystem::path> supplies;
    for (std::filesystem::directory_iterator it(zorun::PowerSupplyFolder(), ec), end;
         !ec && it != end; it.increment(ec))
        supplies.push_back(it->path());
    if (ec)
        return 0;
    // Directory order is arbitrary; "first" means first by name (BAT0 before BAT1).
    std::sort(supplies.begin(), supplies.end());

    SYSTEM_POWER_STATUS_EX2 s{};
    s.ACLineStatus = AC_LINE_UNKNOWN;
    s.BatteryFlag = BATTERY_FLAG_NO_BATTERY;
    s.BatteryLifePercent = BATTERY_PERCENTAGE_UNKNOWN;
    s.BatteryLifeTime = s.BatteryFullLifeTime = BATTERY_LIFE_UNKNOWN;
    s.BackupBatteryFlag = BATTERY_FLAG_UNKNOWN;
    s.BackupBatteryLifePercent = BATTERY_PERCENTAGE_UNKNOWN;
    s.BackupBatteryLifeTime = s.BackupBatteryFullLifeTime = BATTERY_LIFE_UNKNOWN;
    std::vector<zorun::Battery> batteries;
    for (const auto& supply : supplies) {
        const auto type = zorun::ReadAttribute(supply / "type");
        if (!type)
            continue;
        if (*type == "Mains" || *type == "USB") {
            if (const auto online = zorun::ReadNumber(supply / "online"))
                if (*online != 0 || s.ACLineStatus == AC_LINE_UNKNOWN)
                    s.ACLineStatus = *online != 0 ? AC_LINE_ONLINE : AC_LINE_OFFLINE;
            continue;
        }
        // A machine has a few batteries; a folder claiming more is not read
        // further (and no sum of readings can grow without bound).
        if (*type == "Battery" && batteries.size() < 64 && zorun::IsSystemBattery(supply))
            batteries.push_back(zorun::ReadBattery(supply));
    }
    if (!batteries.empty()) {
        const auto percent = zorun::CombinedPercentage(batteries);
        const bool charging = std::any_of(batteries.begin(), batteries.end(),
                                          [](const zorun::Battery& b) { return b.charging; });
        s.BatteryFlag = 0;
        if (percent) {
            s.BatteryLifePercent = static_cast<BYTE>(*percent);
            s.BatteryFlag = *percent > 66   ? BATTERY_FLAG_HIGH
                            : *percent < 5  ? BATTERY_FLAG_CRITICAL
                            : *percent < 33 ? BATTERY_FLAG_LOW
                                            : 0;
        }
        if (charging)
            s.BatteryFlag |= BATTERY_FLAG_CHARGING;
        if (!percent && !charging)
            s.BatteryFlag = BATTERY_FLAG_UNKNOWN;
        // The record has room for one battery's electrical readings: the first's.
        const zorun::Battery& first = batteries.front();
        if (const auto uv = zorun::ReadNumber(first.folder / "voltage_now"))
            s.BatteryVoltage = zorun::ToDword(*uv / 1000);
        if (const auto ua = zorun::ReadNumber(first.folder / "current_now")) {
            const long long ma = *ua / 1000;
            s.BatteryCurrent = zorun::ToDword(first.discharging ? -std::abs(ma) : ma);
        }
        if (const auto temp = zorun::ReadNumber(first.folder / "temp"))
            s.BatteryTemperature = zorun::ToDword(*temp);
    }
    std::memcpy(status, &s, sizeof s);
    return sizeof s;
}
