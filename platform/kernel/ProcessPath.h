#pragma once
// How a program named the device's way becomes a host file: the name is
// trimmed of blanks and surrounding quotes; a bare name (no folder) is looked
// up in "\Windows"; a relative path starts at the device root.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zorun {

// "PegHelp.exe" -> "\Windows\PegHelp.exe"; "\windows\x.exe" unchanged;
// "" for an empty name.
[[nodiscard]] std::u16string DeviceProgramPath(std::u16string_view program);
// A folder: trimmed and unquoted, made absolute at the device root.
[[nodiscard]] std::u16string DeviceFolderPath(std::u16string_view folder);

// The host path of a device path under the device root, each component
// matched ignoring case; nullopt when a component is missing or the path
// would leave the root.
[[nodiscard]] std::optional<std::filesystem::path> MapDevicePath(std::u16string_view devicePath);

} // namespace zorun
