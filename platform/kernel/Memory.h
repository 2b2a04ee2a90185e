#pragma once
// The device's memory status from /proc/meminfo. Sizes are SIZE_T as in the
// current desktop record, so memory above 4 GiB is reported, not wrapped.

#include <cstddef>
#include <filesystem>

#include "platform/base/WinTypes.h"

using SIZE_T = std::size_t;

struct MEMORYSTATUS {
    DWORD dwLength;
    DWORD dwMemoryLoad; // percent in use
    SIZE_T dwTotalPhys;
    SIZE_T dwAvailPhys; // MemAvailable: what programs can still get without swapping
    SIZE_T dwTotalPageFile;
    SIZE_T dwAvailPageFile;
    SIZE_T dwTotalVirtual;
    SIZE_T dwAvailVirtual;
};

// Fills `status`; when /proc/meminfo cannot be read every size is 0.
void GlobalMemoryStatus(MEMORYSTATUS* status);

namespace zorun {

// The meminfo file read; an empty path returns to /proc/meminfo.
void SetMemInfoPath(const std::filesystem::path& file);

} // namespace zorun
