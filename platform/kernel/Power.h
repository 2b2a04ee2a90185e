#pragma once
// The device's power status, read from the kernel's power_supply class
// (/sys/class/power_supply, or the folder in ZORUN_POWER_SUPPLY).

#include <filesystem>

#include "platform/base/WinTypes.h"

constexpr BYTE AC_LINE_OFFLINE = 0, AC_LINE_ONLINE = 1, AC_LINE_UNKNOWN = 255;
constexpr BYTE BATTERY_FLAG_HIGH = 1, BATTERY_FLAG_LOW = 2, BATTERY_FLAG_CRITICAL = 4,
               BATTERY_FLAG_CHARGING = 8, BATTERY_FLAG_NO_BATTERY = 128, BATTERY_FLAG_UNKNOWN = 255;
constexpr BYTE BATTERY_PERCENTAGE_UNKNOWN = 255;
constexpr DWORD BATTERY_LIFE_UNKNOWN = 0xFFFFFFFF;

// The device's record, field for field; 56 bytes, the battery percentage is
// its third byte.
struct SYSTEM_POWER_STATUS_EX2 {
    BYTE ACLineStatus;
    BYTE BatteryFlag;
    BYTE BatteryLifePercent;
    BYTE Reserved1;
    DWORD BatteryLifeTime;
    DWORD BatteryFullLifeTime;
    BYTE Reserved2;
    BYTE BackupBatteryFlag;
    BYTE BackupBatteryLifePercent;
    BYTE Reserved3;
    DWORD BackupBatteryLifeTime;
    DWORD BackupBatteryFullLifeTime;
    DWORD BatteryVoltage; // millivolts
    DWORD BatteryCurrent; // milliamperes, negative while discharging
    DWORD BatteryAverageCurrent;
    DWORD BatteryAverageInterval;
    DWORD BatterymAHourConsumed;
    DWORD BatteryTemperature; // tenths of a degree Celsius
    DWORD BackupBatteryVoltage;
    BYTE BatteryChemistry;
};
static_assert(sizeof(SYSTEM_POWER_STATUS_EX2) == 56);

// Fills `status` (of `length` bytes) from the system's batteries: power
// supplies of type Battery that are present and whose scope is absent or
// "System" (a wireless mouse's or a phone's battery is not the machine's).
// One battery gives `capacity`, else energy_now/energy_full, else
// charge_now/charge_full; several give their combined charge (summed energy,
// else summed charge, else the mean of their percentages). Readings out of
// any battery's range are unknown; the percentage is
// BATTERY_PERCENTAGE_UNKNOWN when there is no battery or no reading. Files
// that are not regular files (a FIFO) are not read. Returns the bytes
// written, or 0 when the record is too short or the power-supply folder
// cannot be read. Always reads afresh (`update` is moot).
DWORD GetSystemPowerStatusEx2(SYSTEM_POWER_STATUS_EX2* status, DWORD length, BOOL update);

namespace zorun {

// The folder of power supplies; an empty path returns to the default
// ($ZORUN_POWER_SUPPLY, else /sys/class/power_supply).
void SetPowerSupplyFolder(const std::filesystem::path& folder);
[[nodiscard]] std::filesystem::path PowerSupplyFolder();

} // namespace zorun
