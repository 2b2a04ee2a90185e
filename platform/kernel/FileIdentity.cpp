#include "platform/kernel/FileIdentity.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/kernel/DevicePath.h"

namespace zorun {

namespace {

FileIdentity IdentityOf(const struct stat& info) {
    constexpr std::int64_t kNs = 1'000'000'000;
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::uint64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * kNs + info.st_mtim.tv_nsec,
            static_cast<std::int64_t>(info.st_ctim.tv_sec) * kNs + info.st_ctim.tv_nsec};
}

} // namespace

std::optional<FileIdentity> DeviceFileIdentity(LPCWSTR path) {
    auto host = ExistingHostPath(path ? path : u"");
    struct stat info {};
    if (!host || ::stat(host->c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return IdentityOf(info);
}

bool DeviceFileHolds(LPCWSTR path, std::span<const std::uint8_t> bytes) {
    auto host = ExistingHostPath(path ? path : u"");
    if (!host)
        return false;
    struct stat info {};
    if (::stat(host->c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::uint64_t>(info.st_size) != bytes.size())
        return false;
    const int fd = ::open(host->c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat opened {};
    bool same = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode);
    std::array<std::uint8_t, 64 * 1024> chunk;
    std::size_t done = 0;
    while (same) {
        const ssize_t got = ::read(fd, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            same = false;
        } else if (got == 0) {
            same = done == bytes.size();
            break;
        } else {
            const auto n = static_cast<std::size_t>(got);
            same =
                n <= bytes.size() - done && std::memcmp(chunk.data(), bytes.data() + done, n) == 0;
            done += n;
        }
    }
    ::close(fd);
    return same;
}

} // namespace zorun
