#pragma once
// The inbox behind the messaging calls: a Maildir folder ($MAILDIR, else
// ~/Maildir). Unread = every message in new/ plus those in cur/ without the
// seen flag (S); total = new/ + cur/. Names starting with '.' and folders
// are not messages; tmp/ is never read.
//
// Each folder's counts are kept with the folder's change time and read
// again only when it changes (a message arriving, leaving or changing its
// flags renames an entry, which touches the folder), so a refresh stays fast
// with a large inbox.

#include <cstdint>
#include <filesystem>
#include <optional>

namespace zorun {

struct InboxCounts {
    std::int32_t unread = 0;
    std::int32_t total = 0;
};

class MessageStore {
  public:
    // The counts, or nothing when the folder is not a readable Maildir
    // (new/ and cur/ must both be folders).
    [[nodiscard]] std::optional<InboxCounts> ReadInbox();

  private:
    struct FolderIndex {
        std::filesystem::path path;
        std::int64_t changedNs = -1;
        std::uint64_t inode = 0;
        std::int64_t scannedNs = 0;
        InboxCounts counts;
    };
    [[nodiscard]] static bool Refresh(FolderIndex& index, const std::filesystem::path& path,
                                      bool isNew);

    FolderIndex newIndex_;
    FolderIndex curIndex_;
};

// The Maildir read; an empty path returns to $MAILDIR, else ~/Maildir.
void SetMaildirFolder(const std::filesystem::path& folder);
[[nodiscard]] std::filesystem::path MaildirFolder();

} // namespace zorun
