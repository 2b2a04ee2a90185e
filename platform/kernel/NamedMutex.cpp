#include "platform/kernel/NamedMutex.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/base/Text.h"

namespace zorun {

namespace {

// The user's own folder that no one else can enter, and that we can write
// in: owned by us, mode exactly 0700, a folder (not a link to one, when
// `followLinks` is false).
bool IsPrivateFolder(const std::string& path, bool followLinks) {
    struct stat st {};
    const int got = followLinks ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st);
    return got == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & 07777) == 0700 && ::access(path.c_str(), W_OK | X_OK) == 0;
}

class MutexObject final : public KernelObject {
  public:
    explicit MutexObject(std::optional<NamedLock> lock) : lock_(std::move(lock)) {}

  private:
    std::optional<NamedLock> lock_;
};

} // namespace

std::optional<std::filesystem::path> RuntimeFolder() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime == '/') {
        if (IsPrivateFolder(runtime, true))
            return std::filesystem::path(runtime);
    }
    std::string base = "/tmp";
    if (const char* tmp = std::getenv("TMPDIR"); tmp && *tmp == '/')
        base = tmp;
    const std::string folder = base + "/zorun-" + std::to_string(::getuid());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return std::nullopt;
    if (!IsPrivateFolder(folder, false))
        return std::nullopt;
    return std::filesystem::path(folder);
}

std::string RuntimeFileName(std::u16string_view name, std::string_view suffix) {
    std::string out = "zorun-";
    for (char16_t c : name.substr(0, 64)) {
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                           (c >= u'0' && c <= u'9') || c == u'-' || c == u'_' || c == u'.';
        out.push_back(plain ? static_cast<char>(c) : '_');
    }
    out += suffix;
    return out;
}

std::optional<NamedLock> NamedLock::TryAcquire(std::u16string_view name, bool* heldElsewhere) {
    if (heldElsewhere)
        *heldElsewhere = false;
    const auto folder = RuntimeFolder();
    if (!folder)
        return std::nullopt;
    const auto path = *folder / RuntimeFileName(name, ".lock");
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    // A lock file someone else made (or left open to others) is not ours to trust.
    struct stat st {};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid() ||
                    (st.st_mode & 0077) != 0)) {
        ::close(fd);
        return std::nullopt;
    }
    if (fd < 0)
        return std::nullopt;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (heldElsewhere)
            *heldElsewhere = errno == EWOULDBLOCK;
        ::close(fd);
        return std::nullopt;
    }
    return NamedLock(fd);
}

NamedLock& NamedLock::operator=(NamedLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

NamedLock::~NamedLock() {
    if (fd_ >= 0)
        ::close(fd_);
}

} // namespace zorun

HANDLE CreateMutexW(void*, BOOL, LPCWSTR name) {
    if (!name || !*name) {
        // An unnamed mutex is private to the process and always new.
        SetLastError(ERROR_SUCCESS);
        return zorun::AddKernelHandle(std::make_unique<zorun::MutexObject>(std::nullopt));
    }
    bool elsewhere = false;
    auto lock = zorun::NamedLock::TryAcquire(name, &elsewhere);
    if (!lock && !elsewhere) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    const bool exists = !lock.has_value();
    HANDLE handle = zorun::AddKernelHandle(std::make_unique<zorun::MutexObject>(std::move(lock)));
    SetLastError(exists ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}
