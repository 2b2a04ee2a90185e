#pragma once
// The device's object store: the file system that holds the device root.
// Sizes are 64-bit so stores above 4 GiB are reported, not wrapped.

#include <cstdint>
#include <filesystem>

#include "platform/base/WinTypes.h"

struct STORE_INFORMATION {
    std::uint64_t dwStoreSize; // bytes of the file system
    std::uint64_t dwFreeSize;  // bytes an unprivileged program can still write
};

// statvfs of the device root: f_blocks and f_bavail times f_frsize.
// FALSE (and both sizes 0) when the file system cannot be queried.
BOOL GetStoreInformation(STORE_INFORMATION* info);

namespace zorun {

// The folder whose file system is the store; an empty path returns to the
// device root.
void SetStoreFolder(const std::filesystem::path& folder);

} // namespace zorun
