#include "platform/pim/MessageStore.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace zorun {

namespace {

std::filesystem::path& FolderOverride() {
    static std::filesystem::path folder;
    return folder;
}

std::int32_t Clamped(std::int64_t n) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(n, 0, std::numeric_limits<std::int32_t>::max()));
}

} // namespace

std::optional<InboxCounts> MessageStore::ReadInbox() {
    const std::filesystem::path folder = MaildirFolder();
    const auto fresh = newFolder_.Read(folder / "new");
    if (!fresh)
        return std::nullopt;
    const auto current = curFolder_.Read(folder / "cur");
    if (!current)
        return std::nullopt;
    return InboxCounts{Clamped(fresh->unread + current->unread),
                       Clamped(fresh->total + current->total)};
}

void SetMaildirFolder(const std::filesystem::path& folder) {
    FolderOverride() = folder;
}

std::filesystem::path MaildirFolder() {
    if (!FolderOverride().empty())
        return FolderOverride();
    if (const char* env = std::getenv("MAILDIR"); env && *env)
        return env;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/") / "Maildir";
}

} // namespace zorun
