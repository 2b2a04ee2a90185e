#pragma once
// The message counts of one Maildir folder (new/ or cur/), kept exact from
// the kernel's reports of its entries (inotify) instead of listing the
// folder at every reading.
//
// A message is an entry whose name does not start with '.' and that is not
// itself a folder (a symbolic link counts as the message it stands for).
// In new/ every message is unread; in cur/ a message is unread unless the
// info part of its name (after ":2," or "!2,") holds the seen flag S.
//
// The folder is listed in full only when it is first read, when the
// kernel's queue overflowed or when the watch is lost (the folder removed,
// moved, replaced or unmounted); otherwise a reading applies the names
// created, deleted and moved since the last one. The names counted are
// kept (as hashes), so that a name reported twice, a rename over an existing
// name (which the kernel reports as a move only) and changes made while the
// folder was being listed all come out right: the last report about a name
// decides whether it is there. Where the folder cannot be watched at all it
// is listed at every reading: slower, never wrong.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <sys/types.h>

#include "platform/pim/NameHashSet.h"

namespace zorun {

class MaildirFolderCount {
  public:
    struct Counts {
        std::int64_t unread = 0;
        std::int64_t total = 0;
    };

    // `allUnread`: the folder is new/, where no message has been seen.
    explicit MaildirFolderCount(bool allUnread);
    ~MaildirFolderCount();
    MaildirFolderCount(const MaildirFolderCount&) = delete;
    MaildirFolderCount& operator=(const MaildirFolderCount&) = delete;

    // The counts of the folder at `path`; nothing when it is not a folder
    // or cannot be listed.
    [[nodiscard]] std::optional<Counts> Read(const std::filesystem::path& path);

    // How many full listings were made (for tests and benchmarks).
    [[nodiscard]] std::uint64_t Listings() const { return listings_; }

  private:
    [[nodiscard]] bool IsUnread(const char* name) const;
    void Add(const char* name);
    void Remove(const char* name);
    // Counts every entry afresh; false when the folder cannot be listed.
    [[nodiscard]] bool List(const std::filesystem::path& path);
    // Watches the folder anew, lists it and applies what changed meanwhile.
    [[nodiscard]] bool Rebuild(const std::filesystem::path& path);
    // Applies the reported changes; false when they cannot be trusted (the
    // queue overflowed, the watch was lost) and the folder must be listed again.
    [[nodiscard]] bool ApplyEvents();
    void Unwatch();

    bool allUnread_;
    int fd_ = -1; // the inotify instance; -1 where there is none
    int wd_ = -1; // the folder's watch; -1 when it is not watched
    std::filesystem::path path_;
    dev_t device_ = 0;
    ino_t inode_ = 0;
    bool trusted_ = false; // counts_ may be kept up to date from the reports
    Counts counts_;
    NameHashSet names_;
    std::uint64_t listings_ = 0;
};

} // namespace zorun
