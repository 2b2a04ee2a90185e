#pragma once
// Starting a host program file (platform/host/HostProgramFile.h): which
// candidates its text gives for the arguments it was started with.
//
// Arguments that equal those of an "[Arguments ...]" section (compared as
// split argument lists, ignoring case) choose that section, and are not
// passed on. Otherwise the main section is used and each argument (or the
// file's Open= line when there are none) is something for the application
// to open: a URL as it is, a device file or folder as its host path (a
// name without a folder is looked up in \Windows; "page.htm#part" keeps its
// anchor as a file URL), anything else as written. "Program=" lines put the
// candidates of another device program in their place.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host/HostProtocol.h"

namespace zorun {

// The text of a device file when it is a host program file; nullopt for
// anything else (a program, a script, a missing file).
[[nodiscard]] std::optional<std::string> ReadHostProgramText(std::u16string_view devicePath);

// Provisioning plans files it has not written yet: it reads them its own way.
using HostProgramReader = std::function<std::optional<std::string>(std::u16string_view)>;

// The candidates in the order they are tried; nullopt when `devicePath` is
// not a host program file.
[[nodiscard]] std::optional<std::vector<HostCandidate>>
PlanHostProgram(std::u16string_view devicePath, const std::vector<std::u16string>& arguments,
                const HostProgramReader& read = ReadHostProgramText);

// One argument as the host application is given it.
[[nodiscard]] std::string HostItem(std::u16string_view argument);

} // namespace zorun
