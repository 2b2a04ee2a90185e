#include "platform/kernel/Memory.h"

#include <charconv>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

namespace zorun {

namespace {

std::filesystem::path& MemInfoPath() {
    static std::filesystem::path path;
    return path;
}

struct MemInfo {
    std::optional<unsigned long long> total, available, free, buffers, cached, swapTotal, swapFree;
};

// "Name:   12345 kB" -> bytes; lines without a number are skipped.
MemInfo ReadMemInfo(const std::filesystem::path& file) {
    MemInfo info;
    std::ifstream in(file);
    std::string line;
    int lines = 0;
    while (lines++ < 256 && std::getline(in, line)) {
        const auto colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        const std::string_view name(line.data(), colon);
        std::size_t p = colon + 1;
        while (p < line.size() && line[p] == ' ')
            ++p;
        unsigned long long value = 0;
        const auto [end, ec] = std::from_chars(line.data() + p, line.data() + line.size(), value);
        if (ec != std::errc())
            continue;
        const std::string_view unit = std::string_view(end, line.data() + line.size() - end);
        if (unit.find("kB") != std::string_view::npos) {
            if (value > (~0ULL >> 10))
                continue;
            value <<= 10;
        }
        if (name == "MemTotal")
            info.total = value;
        else if (name == "MemAvailable")
            info.available = value;
        else if (name == "MemFree")
            info.free = value;
        else if (name == "Buffers")
            info.buffers = value;
        else if (name == "Cached")
            info.cached = value;
        else if (name == "SwapTotal")
            info.swapTotal = value;
        else if (name == "SwapFree")
            info.swapFree = value;
    }
    return info;
}

} // namespace

void SetMemInfoPath(const std::filesystem::path& file) {
    MemInfoPath() = file;
}

} // namespace zorun

void GlobalMemoryStatus(MEMORYSTATUS* status) {
    if (!status)
        return;
    const auto& configured = zorun::MemInfoPath();
    const auto info = zorun::ReadMemInfo(configured.empty() ? "/proc/meminfo" : configured);
    MEMORYSTATUS s{};
    s.dwLength = sizeof(MEMORYSTATUS);
    s.dwTotalPhys = info.total.value_or(0);
    // Kernels before 3.14 have no MemAvailable; its nearest older estimate.
    s.dwAvailPhys =
        info.available ? *info.available
                       : info.free.value_or(0) + info.buffers.value_or(0) + info.cached.value_or(0);
    if (s.dwTotalPhys && s.dwAvailPhys > s.dwTotalPhys)
        s.dwAvailPhys = s.dwTotalPhys;
    if (s.dwTotalPhys)
        s.dwMemoryLoad = static_cast<DWORD>(100 - (s.dwAvailPhys * 100) / s.dwTotalPhys);
    s.dwTotalPageFile = s.dwTotalPhys + info.swapTotal.value_or(0);
    s.dwAvailPageFile = s.dwAvailPhys + info.swapFree.value_or(0);
    // A process's address space: 128 TiB of user space on 64-bit Linux.
    s.dwTotalVirtual = s.dwAvailVirtual = SIZE_T{1} << 47;
    *status = s;
}
