#include "platform/pim/MaildirFolderCount.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorun {

namespace {

constexpr std::uint32_t kEntryEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
constexpr std::uint32_t kLostEvents = IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT | IN_IGNORED;

// The seen flag is an 'S' in the info part after ":2," (or "!2,", the
// separator some tools use where ':' is not allowed in names).
bool IsSeen(const char* name) {
    const char* info = std::strrchr(name, ':');
    if (!info)
        info = std::strrchr(name, '!');
    if (!info || info[1] != '2' || info[2] != ',')
        return false;
    return std::strchr(info + 3, 'S') != nullptr;
}

} // namespace

MaildirFolderCount::MaildirFolderCount(bool allUnread)
    : allUnread_(allUnread), fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

MaildirFolderCount::~MaildirFolderCount() {
    if (fd_ >= 0)
        close(fd_);
}

bool MaildirFolderCount::IsUnread(const char* name) const {
    return allUnread_ || !IsSeen(name);
}

void MaildirFolderCount::Add(const char* name) {
    if (!names_.Insert(NameHashSet::Hash(name)))
        return; // counted already (listed, or replaced by a rename)
    ++counts_.total;
    counts_.unread += IsUnread(name);
}

void MaildirFolderCount::Remove(const char* name) {
    if (!names_.Erase(NameHashSet::Hash(name)))
        return;
    --counts_.total;
    counts_.unread -= IsUnread(name);
}

void MaildirFolderCount::Unwatch() {
    if (wd_ >= 0 && fd_ >= 0)
        inotify_rm_watch(fd_, wd_);
    wd_ = -1;
    trusted_ = false;
}

bool MaildirFolderCount::List(const std::filesystem::path& path) {
    const int dirFd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0)
        return false;
    struct stat st {};
    DIR* dir = fstat(dirFd, &st) == 0 ? fdopendir(dirFd) : nullptr;
    if (!dir) {
        close(dirFd);
        return false;
    }
    device_ = st.st_dev;
    inode_ = st.st_ino;
    counts_ = Counts{};
    names_.Clear();
    errno = 0;
    while (const dirent* entry = readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.')
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat es {};
            if (fstatat(dirFd, name, &es, AT_SYMLINK_NOFOLLOW) != 0)
                continue; // gone since listed
            isFolder = S_ISDIR(es.st_mode);
        }
        if (isFolder)
            continue;
        if (wd_ >= 0) {
            Add(name);
        } else { // not watched: nothing to keep for later readings
            ++counts_.total;
            counts_.unread += IsUnread(name);
        }
        errno = 0;
    }
    const bool ok = errno == 0;
    closedir(dir);
    ++listings_;
    return ok;
}

bool MaildirFolderCount::ApplyEvents() {
    alignas(inotify_event) char buffer[16384];
    bool trusted = true;
    for (;;) {
        const ssize_t n = read(fd_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                trusted = false; // reports were lost
                continue;
            }
            if (event->wd != wd_ || wd_ < 0)
                continue; // a watch given up before
            if (event->mask & kLostEvents) {
                if (event->mask & IN_IGNORED)
                    wd_ = -1;
                trusted = false;
                continue;
            }
            if (!trusted || event->len == 0 || (event->mask & IN_ISDIR) || event->name[0] == '.')
                continue;
            if (event->mask & (IN_CREATE | IN_MOVED_TO))
                Add(event->name);
            else if (event->mask & (IN_DELETE | IN_MOVED_FROM))
                Remove(event->name);
        }
    }
    return trusted;
}

bool MaildirFolderCount::Rebuild(const std::filesystem::path& path) {
    Unwatch();
    path_ = path;
    // Watch first: whatever changes from here on is reported, also while
    // the folder is being listed, and applied after the listing.
    if (fd_ >= 0)
        wd_ = inotify_add_watch(fd_, path.c_str(),
                                kEntryEvents | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR);
    if (!List(path)) {
        Unwatch();
        return false;
    }
    if (wd_ < 0)
        return true; // listed afresh at every reading
    trusted_ = ApplyEvents();
    return true;
}

std::optional<MaildirFolderCount::Counts>
MaildirFolderCount::Read(const std::filesystem::path& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        Unwatch();
        return std::nullopt;
    }
    // The same folder as watched, not another put in its place.
    const bool same = path == path_ && st.st_dev == device_ && st.st_ino == inode_;
    if (!(trusted_ && wd_ >= 0 && same && ApplyEvents()) && !Rebuild(path))
        return std::nullopt;
    return counts_;
}

} // namespace zorun
