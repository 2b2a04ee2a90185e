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

// The host file or folder of an existing device path (the device file
// system's ExistingHostPath: components matched ignoring case, never above
// the root); nullopt when it does not exist.
[[nodiscard]] std::optional<std::filesystem::path> MapDevicePath(std::u16string_view devicePath);

} // namespace zorun
