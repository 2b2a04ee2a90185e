#include "catalogue/SettingsFile.h"

#include "catalogue/SettingsFormat.h"
#include "platform/base/Format.h"
#include "platform/kernel/DevicePath.h"
#include "platform/kernel/FileSystem.h"
#include "platform/kernel/FindFile.h"

namespace {

// Keeps the refused file under a name that says so. The copy is written
// before the new file replaces the old one; a file that cannot be read is
// renamed instead.
bool KeepRefusedFile(const std::u16string& path,
                     const std::optional<std::vector<std::uint8_t>>& bytes) {
    const std::u16string kept = RefusedSettingsPath(path);
    if (bytes)
        return zorun::WriteDeviceFileAtomically(kept.c_str(), *bytes, FILE_ATTRIBUTE_HIDDEN);
    return MoveFileW(path.c_str(), kept.c_str()) != FALSE;
}

} // namespace

bool FindExistingFile(std::u16string_view folder, std::u16string_view name, std::u16string& path) {
    const std::u16string joined = zorun::JoinDevicePath(folder, name);
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(joined.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    path = joined;
    return true;
}

std::u16string RefusedSettingsPath(std::u16string_view path) {
    for (int n = 1;; ++n) {
        std::u16string candidate = zorun::Format(u"%s.refused-%d", path, n);
        if (GetFileAttributesW(candidate.c_str()) == INVALID_FILE_ATTRIBUTES)
            return candidate;
    }
}

bool LoadSettings(Catalogue& catalogue, std::u16string_view path) {
    const zorun::DevicePathParts parts = zorun::SplitFolderAndName(path);
    std::u16string found;
    if (!FindExistingFile(parts.folder, parts.name, found))
        return false;
    auto bytes = zorun::ReadDeviceFile(found.c_str(), kMaxSettingsFileBytes);
    if (!bytes)
        return false;
    auto contents = ParseSettings(*bytes);
    return contents && catalogue.Replace(std::move(*contents));
}

bool SaveSettings(const Catalogue& catalogue, std::u16string_view path) {
    auto bytes = SerializeSettings(catalogue);
    if (!bytes)
        return false;

    const zorun::DevicePathParts parts = zorun::SplitFolderAndName(path);
    std::u16string existing;
    if (FindExistingFile(parts.folder, parts.name, existing)) {
        auto old = zorun::ReadDeviceFile(existing.c_str(), kMaxSettingsFileBytes);
        if (!old || !IsValidSettings(*old)) {
            if (!KeepRefusedFile(existing, old))
                return false;
        }
    }
    const std::u16string target(path);
    return zorun::WriteDeviceFileAtomically(target.c_str(), *bytes, FILE_ATTRIBUTE_HIDDEN);
}
