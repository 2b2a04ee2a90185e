#include "platform/kernel/SingleInstance.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

#include "platform/base/Log.h"

namespace zorun {

namespace {

constexpr char kActivate[] = "activate";

bool MakeAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

} // namespace

SingleInstance::~SingleInstance() {
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(socketPath_.c_str());
    }
}

SingleInstance::Role SingleInstance::TryAcquire(std::u16string_view name) {
    const auto folder = RuntimeFolder();
    if (!folder) {
        LogWarning("no private runtime folder (XDG_RUNTIME_DIR, or zorun-<uid> under TMPDIR or "
                   "/tmp, owned by this user with mode 0700): running without the "
                   "single-instance rule");
        return Role::Unknown;
    }
    socketPath_ = (*folder / RuntimeFileName(name, ".sock")).string();
    bool elsewhere = false;
    // Nothing we make there is open to anyone else, whatever the user's umask.
    const mode_t oldMask = ::umask(0077);
    lock_ = NamedLock::TryAcquire(name, &elsewhere);
    if (!lock_) {
        ::umask(oldMask);
        if (!elsewhere)
            LogWarning("cannot make the instance lock in " + folder->string() +
                       ": running without the single-instance rule");
        return elsewhere ? Role::Second : Role::Unknown;
    }

    // We hold the lock, so a socket file left there belongs to a dead owner.
    sockaddr_un address{};
    if (!MakeAddress(socketPath_, address)) {
        ::umask(oldMask);
        return Role::Owner; // owner without a socket: later starts still exit
    }
    ::unlink(socketPath_.c_str());
    fd_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ >= 0 && ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
    ::umask(oldMask);
    return Role::Owner;
}

int SingleInstance::TakeActivateRequests() {
    int count = 0;
    if (fd_ < 0)
        return 0;
    char buffer[64];
    for (;;) {
        const auto n = ::recv(fd_, buffer, sizeof buffer, 0);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return count;
        }
        if (static_cast<std::size_t>(n) == sizeof kActivate - 1 &&
            std::memcmp(buffer, kActivate, sizeof kActivate - 1) == 0)
            ++count;
    }
}

bool SingleInstance::SendActivate() const {
    sockaddr_un address{};
    if (socketPath_.empty() || !MakeAddress(socketPath_, address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool sent = false;
    // The owner may hold the lock a moment before its socket exists.
    for (int attempt = 0; attempt < 5 && !sent; ++attempt) {
        sent = ::sendto(fd, kActivate, sizeof kActivate - 1, MSG_DONTWAIT,
                        reinterpret_cast<sockaddr*>(&address), sizeof address) >= 0;
        if (!sent && errno != ENOENT && errno != ECONNREFUSED)
            break;
        if (!sent)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::close(fd);
    return sent;
}

} // namespace zorun
