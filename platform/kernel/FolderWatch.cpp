#include "platform/kernel/FolderWatch.h"

#include <cerrno>
#include <sys/inotify.h>
#include <unistd.h>

namespace zorun {

namespace {
constexpr unsigned kEvents = IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB | IN_CREATE | IN_DELETE |
                             IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;
}

FolderWatch::FolderWatch() : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

FolderWatch::~FolderWatch() {
    if (fd_ >= 0)
        close(fd_);
}

void FolderWatch::Drain() {
    alignas(inotify_event) char buffer[16384];
    for (;;) {
        const ssize_t n = read(fd_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                // Events were lost: nothing can be trusted.
                for (auto& [folder, entry] : folders_) {
                    entry.changed = true;
                    entry.version = nextVersion_++;
                }
                continue;
            }
            const auto watched = byWatch_.find(event->wd);
            if (watched == byWatch_.end())
                continue;
            auto& entry = folders_[watched->second];
            entry.changed = true;
            entry.version = nextVersion_++;
            if (event->mask & IN_IGNORED) {
                // The folder is gone or unmounted; watch it anew next time.
                entry.wd = -1;
                byWatch_.erase(watched);
            }
        }
    }
}

FolderWatch::Entry* FolderWatch::Watch(const std::string& folder) {
    if (fd_ < 0)
        return nullptr;
    auto& entry = folders_[folder];
    if (entry.wd < 0) {
        // Watch before reading, so nothing done during the read is missed.
        const int wd = inotify_add_watch(fd_, folder.c_str(), kEvents | IN_ONLYDIR);
        if (wd < 0) {
            folders_.erase(folder);
            return nullptr;
        }
        const auto other = byWatch_.find(wd);
        if (other != byWatch_.end() && other->second != folder) {
            // The same folder under another name: keep one watch per name.
            folders_.erase(folder);
            return nullptr;
        }
        entry.wd = wd;
        byWatch_[wd] = folder;
        entry.changed = true;
        entry.version = nextVersion_++;
    }
    return &entry;
}

bool FolderWatch::BeginRead(const std::string& folder) {
    if (fd_ < 0)
        return true;
    Drain();
    Entry* entry = Watch(folder);
    if (!entry)
        return true;
    const bool changed = entry->changed;
    entry->changed = false;
    return changed;
}

std::uint64_t FolderWatch::Version(const std::string& folder) {
    Entry* entry = Watch(folder);
    return entry ? entry->version : nextVersion_++;
}

void FolderWatch::Poll() {
    if (fd_ >= 0)
        Drain();
}

void FolderWatch::Forget(const std::string& folder) {
    const auto found = folders_.find(folder);
    if (found == folders_.end())
        return;
    if (found->second.wd >= 0 && fd_ >= 0) {
        inotify_rm_watch(fd_, found->second.wd);
        byWatch_.erase(found->second.wd);
    }
    folders_.erase(found);
}

} // namespace zorun
