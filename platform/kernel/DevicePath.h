#pragma once
// Device paths on the host. The device's file tree lives in the device root
// (DeviceRoot()). A device path names folders and files with backslashes (a
// forward slash is accepted as well); a leading "\" is the device root and a
// path without one is read from the root too (the device has no current
// folder). Each component is matched against the host folder's entries
// ignoring case, as on the device: an entry of exactly that name wins, else
// the first of the entries equal ignoring case (in byte order of the host
// names, so the choice is stable). "." is dropped and ".." goes up one level
// but never above the root.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/WinTypes.h"

namespace zorun {

// The components of a device path after "." and ".." are applied; empty for
// the root itself. Nullopt for a name the device cannot hold: an empty path,
// a component with a control character or a wildcard ('*', '?').
[[nodiscard]] std::optional<std::vector<std::u16string>>
SplitDevicePath(std::u16string_view devicePath);

// The host path of a device path. Every component but the last must name an
// existing folder; the last names an existing entry (matched ignoring case)
// or, when no entry matches, a new one under the name as given, so callers
// can create it. Nullopt when the path is invalid (see SplitDevicePath) or
// a folder on the way is missing or is a file; GetLastError then says which
// (ERROR_INVALID_NAME, ERROR_PATH_NOT_FOUND).
// Symbolic links are followed: the provisioning step links device programs
// to the host's programs.
[[nodiscard]] std::optional<std::filesystem::path> HostPath(std::u16string_view devicePath);

// Like HostPath, but the whole path must exist; nullopt otherwise
// (ERROR_FILE_NOT_FOUND for a missing last component).
[[nodiscard]] std::optional<std::filesystem::path> ExistingHostPath(std::u16string_view devicePath);

// The entry of `folder` whose name equals `name` ignoring case (exact match
// first); nullopt when there is none or the folder cannot be read.
[[nodiscard]] std::optional<std::filesystem::path>
FindHostEntry(const std::filesystem::path& folder, std::u16string_view name);

// Where a device path leads once symbolic links are followed, as a device
// path: the path itself when no link is on the way, the target's device path
// when a link leads elsewhere inside the root (a dangling link names its
// missing target). Nullopt when it leads out of the device root, when a
// folder on the way is missing, or when the path is invalid.
[[nodiscard]] std::optional<std::u16string> ContainedDevicePath(std::u16string_view devicePath);

// Joins a device folder and a name with one backslash ("\Windows" + "a.exe"
// gives "\Windows\a.exe"; a folder already ending in a separator gets none).
[[nodiscard]] std::u16string JoinDevicePath(std::u16string_view folder, std::u16string_view name);

// Splits a device path at its last separator into folder and name
// ("\Windows\a.exe" gives "\Windows" and "a.exe"; "a.exe" gives "" and "a.exe").
struct DevicePathParts {
    std::u16string folder;
    std::u16string name;
};
[[nodiscard]] DevicePathParts SplitFolderAndName(std::u16string_view devicePath);

} // namespace zorun
