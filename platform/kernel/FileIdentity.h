#pragma once
// Telling one version of a device file from another without reading it, and
// comparing a file with bytes in memory without loading the file.

#include <cstdint>
#include <optional>
#include <span>

#include "platform/kernel/FileSystemTypes.h"

namespace zorun {

// The entry (device and inode), its size, and its modification and change
// times in nanoseconds. A write in place changes the times, a replacing
// rename the inode, a change of attributes or mode the change time.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;

    bool operator==(const FileIdentity&) const = default;
};

// The identity of the regular file at a device path (links followed);
// nullopt when it is missing or not a regular file.
[[nodiscard]] std::optional<FileIdentity> DeviceFileIdentity(LPCWSTR path);

// True when the device path is a regular file holding exactly `bytes`. A
// file of another size is told at once; an equal size is compared piece by
// piece, so nothing of the file's size is allocated. A FIFO or other
// non-regular file is never opened for reading in a way that can block.
[[nodiscard]] bool DeviceFileHolds(LPCWSTR path, std::span<const std::uint8_t> bytes);

} // namespace zorun
