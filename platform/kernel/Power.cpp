#include "platform/kernel/Power.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace zorun {

namespace {

std::filesystem::path& FolderOverride() {
    static std::filesystem::path folder;
    return folder;
}

// The first line of a small attribute file, without trailing blanks.
std::optional<std::string> ReadAttribute(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    char buffer[128];
    in.read(buffer, sizeof buffer);
    std::string text(buffer, static_cast<std::size_t>(in.gcount()));
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

std::optional<int> Ratio(const std::optional<long long>& now,
                         const std::optional<long long>& full) {
    if (!now || !full || *full <= 0 || *now < 0)
        return std::nullopt;
    return static_cast<int>(std::min<long long>(100, (*now * 100) / *full));
}

std::optional<int> Percentage(const std::filesystem::path& supply) {
    if (const auto capacity = ReadNumber(supply / "capacity"))
        return static_cast<int>(std::clamp<long long>(*capacity, 0, 100));
    if (const auto p = Ratio(ReadNumber(supply / "energy_now"), ReadNumber(supply / "energy_full")))
        return p;
    return Ratio(ReadNumber(supply / "charge_now"), ReadNumber(supply / "charge_full"));
}

DWORD ToDword(long long v) {
    return static_cast<DWORD>(static_cast<std::int32_t>(v));
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
    bool haveBattery = false;
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
        if (*type != "Battery" || haveBattery)
            continue;
        if (const auto present = zorun::ReadNumber(supply / "present"); present && *present == 0)
            continue;
        haveBattery = true;
        const auto percent = zorun::Percentage(supply);
        const auto state = zorun::ReadAttribute(supply / "status");
        s.BatteryFlag = 0;
        if (percent) {
            s.BatteryLifePercent = static_cast<BYTE>(*percent);
            s.BatteryFlag = *percent > 66   ? BATTERY_FLAG_HIGH
                            : *percent < 5  ? BATTERY_FLAG_CRITICAL
                            : *percent < 33 ? BATTERY_FLAG_LOW
                                            : 0;
        }
        if (state && *state == "Charging")
            s.BatteryFlag |= BATTERY_FLAG_CHARGING;
        if (!percent && !(state && *state == "Charging"))
            s.BatteryFlag = BATTERY_FLAG_UNKNOWN;
        if (const auto uv = zorun::ReadNumber(supply / "voltage_now"))
            s.BatteryVoltage = zorun::ToDword(*uv / 1000);
        if (const auto ua = zorun::ReadNumber(supply / "current_now")) {
            const long long ma = *ua / 1000;
            s.BatteryCurrent =
                zorun::ToDword(state && *state == "Discharging" ? -std::abs(ma) : ma);
        }
        if (const auto temp = zorun::ReadNumber(supply / "temp"))
            s.BatteryTemperature = zorun::ToDword(*temp);
    }
    std::memcpy(status, &s, sizeof s);
    return sizeof s;
}
