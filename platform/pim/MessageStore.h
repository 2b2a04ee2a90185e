#pragma once
// The inbox behind the messaging calls: a Maildir folder ($MAILDIR, else
// ~/Maildir). Unread = every message in new/ plus those in cur/ without the
// seen flag (S); total = new/ + cur/. Names starting with '.' and folders
// are not messages; tmp/ is never read.
//
// Each folder's counts are kept up to date from the kernel's reports of the
// names added, removed and renamed in it (MaildirFolderCount), so a refresh
// stays fast with a large inbox, also right after a message arrived or was
// read.

#include <cstdint>
#include <filesystem>
#include <optional>

#include "platform/pim/MaildirFolderCount.h"

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

    // Full listings of new/ and cur/ made so far (for tests and benchmarks).
    [[nodiscard]] std::uint64_t Listings() const {
        return newFolder_.Listings() + curFolder_.Listings();
    }

  private:
    MaildirFolderCount newFolder_{true};
    MaildirFolderCount curFolder_{false};
};

// The Maildir read; an empty path returns to $MAILDIR, else ~/Maildir.
void SetMaildirFolder(const std::filesystem::path& folder);
[[nodiscard]] std::filesystem::path MaildirFolder();

} // namespace zorun
