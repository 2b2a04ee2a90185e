#pragma once
// Named mutexes across processes, as the device uses them to keep a program
// to one instance: a lock (flock) on a file in the user's runtime folder.
// The lock lasts while its handle is open and ends with the process.

#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/base/WinTypes.h"
#include "platform/kernel/ProcessHandles.h"

// Creates or opens the mutex `name`. Always returns a handle unless the
// runtime folder is unusable; GetLastError is ERROR_ALREADY_EXISTS when another
// holder (any process, or another handle here) has it, else ERROR_SUCCESS.
// `initialOwner` is accepted and ignored: the creator holds the lock.
HANDLE CreateMutexW(void* attributes, BOOL initialOwner, LPCWSTR name);

namespace zorun {

// $XDG_RUNTIME_DIR when it is the user's own (owned by the user, mode 0700,
// writable), else the private folder "zorun-<uid>" under $TMPDIR (or /tmp),
// created 0700 when missing and used only when it passes the same checks
// (and is no link); nullopt when neither is usable.
[[nodiscard]] std::optional<std::filesystem::path> RuntimeFolder();

// A file name for `name` in the runtime folder: characters other than
// letters, digits, '-', '_' and '.' become '_', the length is bounded.
[[nodiscard]] std::string RuntimeFileName(std::u16string_view name, std::string_view suffix);

// A held named lock, or nothing when someone else holds it.
class NamedLock {
  public:
    // nullopt when the lock is held elsewhere or cannot be made.
    [[nodiscard]] static std::optional<NamedLock> TryAcquire(std::u16string_view name,
                                                             bool* heldElsewhere = nullptr);
    NamedLock(NamedLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    NamedLock& operator=(NamedLock&& other) noexcept;
    NamedLock(const NamedLock&) = delete;
    NamedLock& operator=(const NamedLock&) = delete;
    ~NamedLock();

  private:
    explicit NamedLock(int fd) : fd_(fd) {}
    int fd_;
};

} // namespace zorun
