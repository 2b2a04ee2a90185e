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

// The path the settings file is written at: `path`, or the file inside the
// root that a link at `path` leads to. A link leading out of the root is
// kept as a refused file (renamed, nothing read through it) and `path`
// itself is written; nullopt when a folder on the way leads out.
std::optional<std::u16string> WritablePath(std::u16string_view path) {
    if (auto contained = zorun::ContainedDevicePath(path))
        return contained;
    const zorun::DevicePathParts parts = zorun::SplitFolderAndName(path);
    if (!zorun::ContainedDevicePath(parts.folder.empty() ? u"\\" : parts.folder))
        return std::nullopt;
    const std::u16string link(path);
    if (!KeepRefusedFile(link, std::nullopt))
        return std::nullopt;
    return zorun::ContainedDevicePath(path);
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
        // Any entry takes the name, a dangling link too.
        if (!zorun::ExistingHostPath(candidate))
            return candidate;
    }
}

SettingsFile& SettingsFile::Program() {
    static SettingsFile file;
    return file;
}

bool SettingsFile::IsKnown(const std::u16string& path,
                           const std::optional<zorun::FileIdentity>& identity) const {
    return known_ && identity && known_->path == path && known_->identity == *identity;
}

void SettingsFile::Remember(const std::u16string& path, std::uint64_t stamp) {
    known_.reset();
    if (auto identity = zorun::DeviceFileIdentity(path.c_str()))
        known_ = Known{path, *identity, stamp};
}

bool SettingsFile::Load(Catalogue& catalogue, std::u16string_view path) {
    known_.reset();
    const auto contained = zorun::ContainedDevicePath(path);
    if (!contained)
        return false;
    zorun::RemoveStaleReplacements(contained->c_str());
    const zorun::DevicePathParts parts = zorun::SplitFolderAndName(*contained);
    std::u16string found;
    if (!FindExistingFile(parts.folder, parts.name, found))
        return false;
    // The version read is the one remembered only when nothing changed it
    // while it was read.
    const auto before = zorun::DeviceFileIdentity(found.c_str());
    auto bytes = zorun::ReadDeviceFile(found.c_str(), kMaxSettingsFileBytes);
    if (!bytes)
        return false;
    auto settings = ParseEncodedSettings(std::move(*bytes));
    if (!settings || !catalogue.Replace(std::move(settings->contents), std::move(settings->groups)))
        return false;
    if (before && zorun::DeviceFileIdentity(found.c_str()) == before)
        known_ = Known{*contained, *before, catalogue.ChangeStamp()};
    return true;
}

bool SettingsFile::Save(const Catalogue& catalogue, std::u16string_view path) {
    const auto target = WritablePath(path);
    if (!target)
        return false;
    auto identity = zorun::DeviceFileIdentity(target->c_str());
    // Nothing changed on either side since the last read or write.
    if (IsKnown(*target, identity) && known_->stamp == catalogue.ChangeStamp())
        return true;
    if (!SerializeSettings(catalogue, buffer_))
        return false;

    const zorun::DevicePathParts parts = zorun::SplitFolderAndName(*target);
    std::u16string existing;
    if (FindExistingFile(parts.folder, parts.name, existing)) {
        if (zorun::DeviceFileHolds(existing.c_str(), buffer_) &&
            (GetFileAttributesW(existing.c_str()) & FILE_ATTRIBUTE_HIDDEN)) {
            Remember(*target, catalogue.ChangeStamp());
            return true;
        }
        // A file we read or wrote ourselves is known to be valid.
        if (!IsKnown(*target, identity)) {
            auto old = zorun::ReadDeviceFile(existing.c_str(), kMaxSettingsFileBytes);
            if (!old || !IsValidSettings(*old)) {
                if (!KeepRefusedFile(existing, old))
                    return false;
            }
        }
    }
    known_.reset();
    if (!zorun::WriteDeviceFileAtomically(target->c_str(), buffer_, FILE_ATTRIBUTE_HIDDEN))
        return false;
    Remember(*target, catalogue.ChangeStamp());
    return true;
}

bool LoadSettings(Catalogue& catalogue, std::u16string_view path) {
    return SettingsFile::Program().Load(catalogue, path);
}

bool SaveSettings(const Catalogue& catalogue, std::u16string_view path) {
    return SettingsFile::Program().Save(catalogue, path);
}
