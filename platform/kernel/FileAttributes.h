#pragma once
// The device attributes of a host file or folder (see FileSystem.h for the
// mapping), shared by the attribute calls and the folder search.

#include <filesystem>

#include "platform/kernel/FileSystemTypes.h"

struct stat;

namespace zorun {

// The extended attribute that marks a hidden file.
inline constexpr const char* kHiddenAttributeName = "user.zorun.hidden";

// INVALID_FILE_ATTRIBUTES when the path cannot be examined. Links are followed.
[[nodiscard]] DWORD HostFileAttributes(const std::filesystem::path& path);
// The same from a stat result already at hand.
[[nodiscard]] DWORD HostFileAttributes(const std::filesystem::path& path, const struct stat& info);

// Sets or clears the hidden mark. True also when the host file system keeps
// no extended attributes (the mark is then simply not kept); false on any
// other failure, with errno set.
[[nodiscard]] bool SetHostHidden(const std::filesystem::path& path, bool hidden);
[[nodiscard]] bool SetHostHidden(int fd, bool hidden);

// The device's error code for a host errno value.
[[nodiscard]] DWORD ErrorFromErrno(int error);

// 100-nanosecond intervals since 1601 from seconds and nanoseconds since 1970.
[[nodiscard]] FILETIME FileTimeFromUnix(std::int64_t seconds, std::int64_t nanoseconds);

} // namespace zorun
