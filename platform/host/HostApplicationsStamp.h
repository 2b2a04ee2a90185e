#pragma once
// A digest of what the desktop's applications and their defaults depend on,
// taken without asking anybody: the folders of desktop entries (each folder's
// modification time changes when an entry is added, removed or replaced),
// the mimeapps.list files, the current desktop and the language. Equal
// digests mean the helper would answer as before, so provisioning can skip
// it at start-up.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zorun {

// The data folders ($XDG_DATA_HOME, then $XDG_DATA_DIRS) and the config
// folders ($XDG_CONFIG_HOME, then $XDG_CONFIG_DIRS), with their defaults.
[[nodiscard]] std::vector<std::filesystem::path> HostDataFolders();
[[nodiscard]] std::vector<std::filesystem::path> HostConfigFolders();

class StampBuilder {
  public:
    void Add(std::string_view text);
    // The file's or folder's modification time and size (or its absence).
    void AddFile(const std::filesystem::path& path);
    [[nodiscard]] std::string Digest() const;

  private:
    std::uint64_t hash_ = 14695981039346656037ull;
};

[[nodiscard]] std::string HostApplicationsStamp();

// FNV-1a of a text (the digest above, and marks of files provisioning wrote).
[[nodiscard]] std::uint64_t TextHash(std::string_view text);

} // namespace zorun
