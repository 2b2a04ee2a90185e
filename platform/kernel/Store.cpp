#include "platform/kernel/Store.h"

#include <sys/statvfs.h>

#include "platform/kernel/DeviceRoot.h"

namespace zorun {

namespace {
std::filesystem::path& StoreFolder() {
    static std::filesystem::path folder;
    return folder;
}
} // namespace

void SetStoreFolder(const std::filesystem::path& folder) {
    StoreFolder() = folder;
}

} // namespace zorun

BOOL GetStoreInformation(STORE_INFORMATION* info) {
    if (!info)
        return FALSE;
    *info = STORE_INFORMATION{};
    const auto& folder = zorun::StoreFolder().empty() ? zorun::DeviceRoot() : zorun::StoreFolder();
    struct statvfs fs {};
    if (statvfs(folder.c_str(), &fs) != 0)
        return FALSE;
    const std::uint64_t unit = fs.f_frsize ? fs.f_frsize : fs.f_bsize;
    info->dwStoreSize = static_cast<std::uint64_t>(fs.f_blocks) * unit;
    info->dwFreeSize = static_cast<std::uint64_t>(fs.f_bavail) * unit;
    return TRUE;
}
