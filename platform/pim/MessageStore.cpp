#include "platform/pim/MessageStore.h"

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace zorun {

namespace {

std::filesystem::path& FolderOverride() {
    static std::filesystem::path folder;
    return folder;
}

std::int64_t Nanoseconds(const timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

std::int64_t RealNowNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return Nanoseconds(now);
}

// A folder touched this recently may change again within the same
// timestamp, so its counts are not trusted from the index.
constexpr std::int64_t kSettleNs = 2'000'000'000;

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

void AddClamped(std::int32_t& counter) {
    if (counter < std::numeric_limits<std::int32_t>::max())
        ++counter;
}

} // namespace

bool MessageStore::Refresh(FolderIndex& index, const std::filesystem::path& path, bool isNew) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    // The change time moves with every entry added, removed or renamed, and
    // with a change of permissions.
    const std::int64_t changed = Nanoseconds(st.st_ctim);
    if (index.path == path && index.changedNs == changed && index.inode == st.st_ino &&
        index.scannedNs - changed >= kSettleNs)
        return true;

    const std::int64_t scanned = RealNowNs();
    DIR* dir = opendir(path.c_str());
    if (!dir)
        return false;
    const int dirFd = dirfd(dir);
    InboxCounts counts;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        unsigned char type = entry->d_type;
        if (type == DT_UNKNOWN || type == DT_LNK) {
            struct stat es {};
            if (fstatat(dirFd, entry->d_name, &es, 0) != 0)
                continue;
            type = S_ISDIR(es.st_mode) ? DT_DIR : DT_REG;
        }
        if (type == DT_DIR)
            continue;
        AddClamped(counts.total);
        if (isNew || !IsSeen(entry->d_name))
            AddClamped(counts.unread);
    }
    closedir(dir);
    index = FolderIndex{path, changed, static_cast<std::uint64_t>(st.st_ino), scanned, counts};
    return true;
}

std::optional<InboxCounts> MessageStore::ReadInbox() {
    const std::filesystem::path folder = MaildirFolder();
    if (!Refresh(newIndex_, folder / "new", true) || !Refresh(curIndex_, folder / "cur", false))
        return std::nullopt;
    InboxCounts counts;
    const auto add = [](std::int32_t a, std::int32_t b) {
        const std::int64_t sum = static_cast<std::int64_t>(a) + b;
        return static_cast<std::int32_t>(sum > std::numeric_limits<std::int32_t>::max()
                                             ? std::numeric_limits<std::int32_t>::max()
                                             : sum);
    };
    counts.unread = add(newIndex_.counts.unread, curIndex_.counts.unread);
    counts.total = add(newIndex_.counts.total, curIndex_.counts.total);
    return counts;
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
