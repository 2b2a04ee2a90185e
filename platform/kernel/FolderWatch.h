#pragma once
// Tells whether folders may have changed since they were last read, through
// inotify: an entry added, removed, renamed, written or given other
// attributes marks its folder. Where a folder cannot be watched (no inotify,
// too many watches) it is reported as changed every time, so callers read it
// afresh and stay correct, only slower.

#include <cstdint>
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

    // For callers that keep several things read from one folder: a number
    // that stays the same while `folder` has not changed and is new after
    // any change (and at every call where the folder cannot be watched).
    // The first call starts watching it. Changes are taken in by Poll().
    [[nodiscard]] std::uint64_t Version(const std::string& folder);
    // Takes in the changes reported since the last call.
    void Poll();

  private:
    struct Entry {
        int wd = -1;
        bool changed = true;
        std::uint64_t version = 0;
    };
    void Drain();
    // The folder's entry, watched from now on; nullptr when it cannot be.
    Entry* Watch(const std::string& folder);

    int fd_ = -1;
    std::unordered_map<std::string, Entry> folders_;
    std::unordered_map<int, std::string> byWatch_;
    std::uint64_t nextVersion_ = 1;
};

} // namespace zorun
