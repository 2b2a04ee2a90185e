#pragma once
// The program does not run beside the device's test tool: start-up ends
// silently while a process of that name runs.

#include <string_view>

// The test tool's executable name, compared ignoring case.
inline constexpr std::u16string_view kExcludedProcessName = u"Hopper.exe";

// True when a process named `name` (ignoring case) is in the host's process
// table. False when the table cannot be read: start-up carries on.
[[nodiscard]] bool IsProcessRunning(std::u16string_view name);
