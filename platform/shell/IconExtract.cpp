#include "platform/shell/IconExtract.h"

#include <algorithm>
#include <map>

#include "platform/gdi/Icon.h"
#include "platform/kernel/ProcessPath.h"
#include "platform/shell/HostIconIndex.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLarge = 32;
constexpr int kSmall = 16;

// Decoded icon files, kept while the file is unchanged.
struct CachedFile {
    fs::file_time_type time;
    std::uintmax_t length = 0;
    std::optional<zorun::IconPicture> pixels;
};

const zorun::IconPicture* FileIcon(const fs::path& file, int size) {
    static std::map<std::pair<std::string, int>, CachedFile> cache;
    std::error_code ec;
    const auto time = fs::last_write_time(file, ec);
    const auto length = fs::file_size(file, ec);
    if (ec)
        return nullptr;
    auto& entry = cache[{file.string(), size}];
    if (entry.time != time || entry.length != length || (!entry.pixels && entry.length == 0)) {
        entry.time = time;
        entry.length = length;
        entry.pixels = zorun::LoadIconFile(file, size);
    }
    return entry.pixels ? &*entry.pixels : nullptr;
}

const zorun::IconPicture* Find(const fs::path& host, int size) {
    auto ext = host.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    if (ext == ".ico" || ext == ".png")
        return FileIcon(host, size);
    return zorun::DefaultHostIconIndex().ProgramIcon(host, size);
}

HICON MakeIcon(const zorun::IconPicture* pixels) {
    return pixels ? CreateIconFromArgb(pixels->size, pixels->size, pixels->argb.data()) : nullptr;
}

} // namespace

UINT ExtractIconExW(LPCWSTR file, int index, HICON* large, HICON* small, UINT count) {
    if (large)
        *large = nullptr;
    if (small)
        *small = nullptr;
    if (!file || !*file)
        return 0;
    const auto host = zorun::MapDevicePath(file);
    std::error_code ec;
    if (!host || !fs::is_regular_file(*host, ec))
        return 0;
    if (index == -1 && !large && !small)
        return Find(*host, kLarge) ? 1 : 0;
    if (index > 0 || count == 0 || (!large && !small))
        return 0;
    UINT made = 0;
    if (large && (*large = MakeIcon(Find(*host, kLarge))))
        made = 1;
    if (small && (*small = MakeIcon(Find(*host, kSmall))))
        made = 1;
    return made;
}
