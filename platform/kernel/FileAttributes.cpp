#include "platform/kernel/FileAttributes.h"

#include <cerrno>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace zorun {

namespace {

bool NoExtendedAttributes(int error) {
    return error == ENOTSUP || error == EOPNOTSUPP;
}

bool IsHidden(const std::filesystem::path& path) {
    char value = 0;
    return getxattr(path.c_str(), kHiddenAttributeName, &value, 1) >= 0;
}

} // namespace

DWORD HostFileAttributes(const std::filesystem::path& path, const struct stat& info) {
    DWORD attributes = 0;
    if (S_ISDIR(info.st_mode))
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        attributes |= FILE_ATTRIBUTE_READONLY;
    if (IsHidden(path))
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
}

DWORD HostFileAttributes(const std::filesystem::path& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return INVALID_FILE_ATTRIBUTES;
    return HostFileAttributes(path, info);
}

bool SetHostHidden(const std::filesystem::path& path, bool hidden) {
    const int result = hidden ? setxattr(path.c_str(), kHiddenAttributeName, "1", 1, 0)
                              : removexattr(path.c_str(), kHiddenAttributeName);
    if (result == 0 || NoExtendedAttributes(errno) || (!hidden && errno == ENODATA))
        return true;
    return false;
}

bool SetHostHidden(int fd, bool hidden) {
    const int result = hidden ? fsetxattr(fd, kHiddenAttributeName, "1", 1, 0)
                              : fremovexattr(fd, kHiddenAttributeName);
    if (result == 0 || NoExtendedAttributes(errno) || (!hidden && errno == ENODATA))
        return true;
    return false;
}

DWORD ErrorFromErrno(int error) {
    switch (error) {
    case 0:
        return ERROR_SUCCESS;
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return ERROR_ACCESS_DENIED;
    case EEXIST:
        return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY:
        return ERROR_DIR_NOT_EMPTY;
    case ENOSPC:
    case EDQUOT:
        return ERROR_DISK_FULL;
    case EFBIG:
        return ERROR_FILE_TOO_LARGE;
    case ENAMETOOLONG:
        return ERROR_INVALID_NAME;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    default:
        return ERROR_WRITE_FAULT;
    }
}

FILETIME FileTimeFromUnix(std::int64_t seconds, std::int64_t nanoseconds) {
    constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
    std::int64_t ticks = (seconds + kSecondsFrom1601To1970) * 10'000'000 + nanoseconds / 100;
    if (ticks < 0)
        ticks = 0;
    const auto value = static_cast<std::uint64_t>(ticks);
    return {static_cast<DWORD>(value & 0xFFFFFFFF), static_cast<DWORD>(value >> 32)};
}

} // namespace zorun
