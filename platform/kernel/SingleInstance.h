#pragma once
// Keeps the program to one instance per user. The first instance holds the
// named lock and listens on a datagram socket beside it in the runtime folder;
// a later instance finds the lock taken, asks the first over the socket to
// come to the front ("activate"), and exits quietly.

#include <optional>
#include <string>
#include <string_view>

#include "platform/kernel/NamedMutex.h"

namespace zorun {

class SingleInstance {
  public:
    enum class Role {
        Owner,   // this process is the instance; requests arrive on ListenFd()
        Second,  // another process is the instance
        Unknown, // no private runtime folder: run as if alone (said on stderr)
    };

    SingleInstance() = default;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;
    ~SingleInstance();

    // The lock and the socket live in RuntimeFolder() and are made with the
    // umask tightened to 0077, so no other user can hold, read or reach them.
    [[nodiscard]] Role TryAcquire(std::u16string_view name);

    // The owner's non-blocking socket, readable when a request waits; -1 when
    // this process is not the owner. The message loop watches it.
    [[nodiscard]] int ListenFd() const { return fd_; }
    // Reads every waiting request without blocking; the number of
    // "activate" requests among them (anything else is ignored).
    [[nodiscard]] int TakeActivateRequests();

    // From a second instance: asks the owner to come to the front. False when
    // no owner answers (it may be starting or gone); never blocks for long.
    [[nodiscard]] bool SendActivate() const;

  private:
    std::optional<NamedLock> lock_;
    std::string socketPath_;
    int fd_ = -1;
};

} // namespace zorun
