#pragma once
// Tells whether folders may have changed since they were last read, through
// inotify: an entry added, removed, renamed, written or given other
// attributes marks its folder. Where a folder cannot be watched (no inotify,
// too many watches) it is reported as changed every time, so callers read it
// afresh and stay correct, only slower.

#include <string>
#include <unordered_map>

namespace zorun {

class FolderWatch {
  public:
    FolderWatch();
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Call before reading `folder`: true when it must be read (first time,
    // changed since the last call, or not watchable). Changes made while the
    // caller reads are reported by the next call.
    [[nodiscard]] bool BeginRead(const std::string& folder);
    // Forgets a folder (its reading failed, or it is no longer a source).
    void Forget(const std::string& folder);

  private:
    void Drain();

    int fd_ = -1;
    struct Entry {
        int wd = -1;
        bool changed = true;
    };
    std::unordered_map<std::string, Entry> folders_;
    std::unordered_map<int, std::string> byWatch_;
};

} // namespace zorun
