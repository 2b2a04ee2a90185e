#include "platform/kernel/DevicePath.h"

#include <system_error>

#include "platform/base/Text.h"
#include "platform/kernel/DeviceRoot.h"
#include "platform/kernel/FileSystemTypes.h"

namespace zorun {

namespace {

bool IsSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

bool IsValidComponent(std::u16string_view name) {
    for (char16_t c : name) {
        if (c < 0x20 || c == u'*' || c == u'?')
            return false;
    }
    return true;
}

bool IsFolder(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

bool EntryExists(const std::filesystem::path& path) {
    std::error_code ec;
    // A dangling link is still an entry of its folder: it cannot be created again.
    return std::filesystem::symlink_status(path, ec).type() !=
               std::filesystem::file_type::not_found &&
           !ec;
}

} // namespace

std::optional<std::vector<std::u16string>> SplitDevicePath(std::u16string_view devicePath) {
    if (devicePath.empty())
        return std::nullopt;
    std::vector<std::u16string> components;
    std::size_t start = 0;
    while (start <= devicePath.size()) {
        std::size_t end = start;
        while (end < devicePath.size() && !IsSeparator(devicePath[end]))
            ++end;
        std::u16string_view part = devicePath.substr(start, end - start);
        if (part == u"..") {
            if (!components.empty())
                components.pop_back();
        } else if (!part.empty() && part != u".") {
            if (!IsValidComponent(part))
                return std::nullopt;
            components.emplace_back(part);
        }
        start = end + 1;
    }
    return components;
}

std::optional<std::filesystem::path> FindHostEntry(const std::filesystem::path& folder,
                                                   std::u16string_view name) {
    const std::string exact = ToUtf8(name);
    if (exact.empty() || exact.find('/') != std::string::npos ||
        exact.find('\0') != std::string::npos)
        return std::nullopt;
    if (EntryExists(folder / exact))
        return folder / exact;

    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    if (ec)
        return std::nullopt;
    std::optional<std::string> best;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        std::string entry = it->path().filename().string();
        if (EqualsNoCase(FromUtf8(entry), name) && (!best || entry < *best))
            best = std::move(entry);
    }
    if (!best)
        return std::nullopt;
    return folder / *best;
}

namespace {

// Resolves all components but the last as existing folders; the last is
// returned matched or as given (`created` tells which).
std::optional<std::filesystem::path> Resolve(std::u16string_view devicePath, bool mustExist) {
    auto components = SplitDevicePath(devicePath);
    if (!components) {
        SetLastError(ERROR_INVALID_NAME);
        return std::nullopt;
    }
    std::filesystem::path path = DeviceRoot();
    for (std::size_t i = 0; i < components->size(); ++i) {
        const std::u16string& name = (*components)[i];
        const bool last = i + 1 == components->size();
        auto entry = FindHostEntry(path, name);
        if (!last) {
            if (!entry || !IsFolder(*entry)) {
                SetLastError(ERROR_PATH_NOT_FOUND);
                return std::nullopt;
            }
            path = *entry;
            continue;
        }
        if (entry) {
            path = *entry;
        } else {
            if (mustExist || !IsFolder(path)) {
                SetLastError(IsFolder(path) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
                return std::nullopt;
            }
            path /= ToUtf8(name);
        }
    }
    if (components->empty() && mustExist && !IsFolder(path)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return std::nullopt;
    }
    return path;
}

} // namespace

std::optional<std::filesystem::path> HostPath(std::u16string_view devicePath) {
    return Resolve(devicePath, false);
}

std::optional<std::filesystem::path> ExistingHostPath(std::u16string_view devicePath) {
    return Resolve(devicePath, true);
}

std::optional<std::u16string> ContainedDevicePath(std::u16string_view devicePath) {
    namespace fs = std::filesystem;
    auto host = HostPath(devicePath);
    if (!host)
        return std::nullopt;
    std::error_code ec;
    // Folders on the way are resolved by the canonical form; links at the
    // end are followed by hand, so a dangling one still names its target.
    fs::path path = *host;
    for (int hops = 0; fs::is_symlink(path, ec); ++hops) {
        if (hops == 40)
            return std::nullopt;
        const fs::path target = fs::read_symlink(path, ec);
        if (ec)
            return std::nullopt;
        path = target.is_absolute() ? target : path.parent_path() / target;
        path = fs::weakly_canonical(path.parent_path(), ec) / path.filename();
        if (ec)
            return std::nullopt;
    }
    path = fs::weakly_canonical(path, ec);
    const fs::path root = fs::weakly_canonical(DeviceRoot(), ec);
    if (ec)
        return std::nullopt;
    const fs::path relative = path.lexically_relative(root);
    if (relative.empty() || *relative.begin() == "..")
        return std::nullopt;
    std::u16string contained;
    for (const fs::path& part : relative) {
        if (part == ".")
            continue;
        contained += u'\\';
        contained += FromUtf8(part.string());
    }
    return contained.empty() ? u"\\" : contained;
}

std::u16string JoinDevicePath(std::u16string_view folder, std::u16string_view name) {
    std::u16string joined(folder);
    if (joined.empty() || !IsSeparator(joined.back()))
        joined += u'\\';
    joined += name;
    return joined;
}

DevicePathParts SplitFolderAndName(std::u16string_view devicePath) {
    std::size_t cut = devicePath.find_last_of(u"\\/");
    if (cut == std::u16string_view::npos)
        return {u"", std::u16string(devicePath)};
    std::u16string folder(devicePath.substr(0, cut));
    if (folder.empty())
        folder = u"\\";
    return {std::move(folder), std::u16string(devicePath.substr(cut + 1))};
}

} // namespace zorun
