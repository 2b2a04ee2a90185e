#include "platform/kernel/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/base/Text.h"
#include "platform/kernel/DevicePath.h"
#include "platform/kernel/FileAttributes.h"

namespace {

using zorun::ErrorFromErrno;
using zorun::ExistingHostPath;
using zorun::HostPath;

class UniqueFd {
  public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    [[nodiscard]] int Get() const { return fd_; }
    [[nodiscard]] bool Valid() const { return fd_ >= 0; }
    // Closes now and reports the result: a delayed write error surfaces here.
    [[nodiscard]] bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

BOOL FailWithErrno() {
    SetLastError(ErrorFromErrno(errno));
    return FALSE;
}

bool IsDeviceRoot(LPCWSTR path) {
    auto components = zorun::SplitDevicePath(path ? path : u"");
    return components && components->empty();
}

constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

// The one bounded reader behind every file the program reads.
std::optional<std::vector<std::uint8_t>> ReadBounded(const std::filesystem::path& host,
                                                     std::size_t maxBytes, bool wholeOnly) {
    // Non-blocking so that a FIFO of the same name cannot hang the open.
    UniqueFd fd(::open(host.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.Valid()) {
        FailWithErrno();
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return std::nullopt;
    }
    // One byte beyond the limit tells a longer file.
    const std::size_t limit = maxBytes < SIZE_MAX ? maxBytes + 1 : SIZE_MAX;
    const std::size_t expected =
        info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : std::size_t{0};
    std::vector<std::uint8_t> bytes(std::min(limit, std::max<std::size_t>(expected + 1, 4096)));
    std::size_t used = 0;
    while (used < limit) {
        if (used == bytes.size())
            bytes.resize(std::min(limit, bytes.size() * 2));
        const ssize_t got = ::read(fd.Get(), bytes.data() + used, bytes.size() - used);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            SetLastError(ERROR_READ_FAULT);
            return std::nullopt;
        }
        if (got == 0)
            break;
        used += static_cast<std::size_t>(got);
    }
    if (used > maxBytes) {
        if (wholeOnly) {
            SetLastError(ERROR_FILE_TOO_LARGE);
            return std::nullopt;
        }
        used = maxBytes;
    }
    bytes.resize(used);
    return bytes;
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (wrote == 0) {
            errno = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

// The temporary file a replacement of `target` writes: "<name>.tmp-XXXXXX".
std::string TemporaryPattern(const std::filesystem::path& target) {
    return (target.parent_path() / (target.filename().string() + ".tmp-XXXXXX")).string();
}

void RemoveStaleTemporaries(const std::filesystem::path& target) {
    const std::string prefix = target.filename().string() + ".tmp-";
    std::error_code ec;
    std::filesystem::directory_iterator it(target.parent_path(), ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() != prefix.size() + 6 || !name.starts_with(prefix))
            continue;
        struct stat info {};
        if (::lstat(it->path().c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == ::geteuid())
            ::unlink(it->path().c_str());
    }
}

// Flushes a folder's entries so a rename in it survives a power loss.
void SyncFolder(const std::filesystem::path& folder) {
    UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Valid())
        (void)::fsync(fd.Get());
}

} // namespace

DWORD GetFileAttributesW(LPCWSTR path) {
    auto host = ExistingHostPath(path ? path : u"");
    if (!host)
        return INVALID_FILE_ATTRIBUTES;
    const DWORD attributes = zorun::HostFileAttributes(*host);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        SetLastError(ERROR_FILE_NOT_FOUND);
    return attributes;
}

BOOL SetFileAttributesW(LPCWSTR path, DWORD attributes) {
    auto host = ExistingHostPath(path ? path : u"");
    if (!host)
        return FALSE;
    struct stat info {};
    if (::stat(host->c_str(), &info) != 0)
        return FailWithErrno();
    const bool readOnly = attributes & FILE_ATTRIBUTE_READONLY;
    const bool hidden = attributes & FILE_ATTRIBUTE_HIDDEN;
    mode_t mode = info.st_mode & 07777;
    // The mark is written while the file is still writable: the host asks for
    // write permission to change extended attributes.
    if (!readOnly && (mode & kWriteBits) == 0) {
        mode |= S_IWUSR;
        if (::chmod(host->c_str(), mode) != 0)
            return FailWithErrno();
    }
    if (!zorun::SetHostHidden(*host, hidden))
        return FailWithErrno();
    if (readOnly && (mode & kWriteBits) != 0) {
        if (::chmod(host->c_str(), mode & ~kWriteBits) != 0)
            return FailWithErrno();
    }
    return TRUE;
}

BOOL CreateDirectoryW(LPCWSTR path, void* /*securityAttributes*/) {
    auto host = HostPath(path ? path : u"");
    if (!host)
        return FALSE;
    if (::mkdir(host->c_str(), 0777) != 0)
        return FailWithErrno();
    return TRUE;
}

BOOL DeleteFileW(LPCWSTR path) {
    auto host = ExistingHostPath(path ? path : u"");
    if (!host)
        return FALSE;
    std::error_code ec;
    if (std::filesystem::is_directory(std::filesystem::symlink_status(*host, ec))) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (::unlink(host->c_str()) != 0)
        return FailWithErrno();
    return TRUE;
}

BOOL MoveFileW(LPCWSTR existingPath, LPCWSTR newPath) {
    if (IsDeviceRoot(existingPath) || IsDeviceRoot(newPath)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    auto from = ExistingHostPath(existingPath ? existingPath : u"");
    if (!from)
        return FALSE;
    auto to = HostPath(newPath ? newPath : u"");
    if (!to)
        return FALSE;
    struct stat fromInfo {};
    struct stat toInfo {};
    if (::lstat(from->c_str(), &fromInfo) != 0)
        return FailWithErrno();
    if (::lstat(to->c_str(), &toInfo) == 0) {
        if (fromInfo.st_dev != toInfo.st_dev || fromInfo.st_ino != toInfo.st_ino) {
            SetLastError(ERROR_ALREADY_EXISTS);
            return FALSE;
        }
        // The same entry under another case: rename it to the name as given.
        auto components = zorun::SplitDevicePath(newPath);
        *to = to->parent_path() / zorun::ToUtf8(components->back());
    }
    if (::rename(from->c_str(), to->c_str()) != 0)
        return FailWithErrno();
    return TRUE;
}

namespace zorun {

void RemoveStaleReplacements(LPCWSTR path) {
    if (IsDeviceRoot(path))
        return;
    if (auto target = HostPath(path ? path : u""))
        RemoveStaleTemporaries(*target);
}

std::optional<std::vector<std::uint8_t>> ReadDeviceFile(LPCWSTR path, std::size_t maxBytes) {
    auto host = ExistingHostPath(path ? path : u"");
    if (!host)
        return std::nullopt;
    return ReadBounded(*host, maxBytes, true);
}

std::optional<std::vector<std::uint8_t>> ReadDeviceFilePrefix(LPCWSTR path, std::size_t maxBytes) {
    auto host = ExistingHostPath(path ? path : u"");
    if (!host)
        return std::nullopt;
    return ReadBounded(*host, maxBytes, false);
}

std::optional<std::vector<std::uint8_t>> ReadHostFile(const std::filesystem::path& path,
                                                      std::size_t maxBytes) {
    return ReadBounded(path, maxBytes, true);
}

std::optional<std::vector<std::uint8_t>> ReadHostFilePrefix(const std::filesystem::path& path,
                                                            std::size_t maxBytes) {
    return ReadBounded(path, maxBytes, false);
}

bool WriteDeviceFileAtomically(LPCWSTR path, std::span<const std::uint8_t> bytes,
                               DWORD attributes) {
    if (IsDeviceRoot(path)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    auto target = HostPath(path ? path : u"");
    if (!target)
        return false;
    const std::filesystem::path folder = target->parent_path();

    mode_t mode = 0644;
    struct stat old {};
    if (::stat(target->c_str(), &old) == 0) {
        // The device cannot overwrite a read-only file or a folder either.
        if (S_ISDIR(old.st_mode) || (old.st_mode & kWriteBits) == 0) {
            SetLastError(ERROR_ACCESS_DENIED);
            return false;
        }
        mode = old.st_mode & 07777;
    }

    RemoveStaleTemporaries(*target);
    std::string name = TemporaryPattern(*target);
    UniqueFd fd(::mkstemp(name.data()));
    if (!fd.Valid()) {
        FailWithErrno();
        return false;
    }
    const std::filesystem::path temporary = name;
    auto fail = [&temporary]() {
        const int error = errno;
        ::unlink(temporary.c_str());
        SetLastError(ErrorFromErrno(error == 0 ? EIO : error));
        return false;
    };
    if (attributes & FILE_ATTRIBUTE_READONLY)
        mode &= ~kWriteBits;
    // The hidden mark goes on before the mode: a read-only file takes no marks.
    if (!WriteAll(fd.Get(), bytes))
        return fail();
    if ((attributes & FILE_ATTRIBUTE_HIDDEN) && !SetHostHidden(fd.Get(), true))
        return fail();
    if (::fchmod(fd.Get(), mode) != 0)
        return fail();
    if (::fsync(fd.Get()) != 0 || !fd.Close())
        return fail();
    if (::rename(temporary.c_str(), target->c_str()) != 0)
        return fail();
    SyncFolder(folder);
    return true;
}

std::optional<std::filesystem::path> WriteNewHostFile(const std::filesystem::path& wanted,
                                                      std::span<const std::uint8_t> bytes) {
    const std::filesystem::path folder = wanted.parent_path();
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        std::filesystem::create_directories(folder, ec);
        if (ec) {
            errno = ec.value();
            return std::nullopt;
        }
        ::chmod(folder.c_str(), 0700);
    }
    std::string name = (folder / (wanted.filename().string() + ".tmp-XXXXXX")).string();
    UniqueFd fd(::mkstemp(name.data()));
    if (!fd.Valid())
        return std::nullopt;
    const std::filesystem::path temporary = name;
    auto fail = [&temporary]() -> std::optional<std::filesystem::path> {
        const int error = errno == 0 ? EIO : errno;
        ::unlink(temporary.c_str());
        errno = error;
        return std::nullopt;
    };
    if (!WriteAll(fd.Get(), bytes) || ::fchmod(fd.Get(), 0600) != 0 || ::fsync(fd.Get()) != 0 ||
        !fd.Close())
        return fail();
    // link() never replaces: a taken name moves on to the next number.
    for (int n = 1; n < 1000; ++n) {
        std::filesystem::path candidate = wanted;
        if (n > 1)
            candidate = folder / (wanted.stem().string() + "-" + std::to_string(n) +
                                  wanted.extension().string());
        if (::link(temporary.c_str(), candidate.c_str()) == 0) {
            ::unlink(temporary.c_str());
            SyncFolder(folder);
            return candidate;
        }
        if (errno != EEXIST)
            return fail();
    }
    errno = EEXIST;
    return fail();
}

} // namespace zorun
