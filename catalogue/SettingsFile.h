#pragma once
// Reading and writing the settings file on the device (format: SettingsFormat.h).
//
// The file is read and written only inside the device root: a settings file
// that is a link leading out of it is refused like a damaged file (the
// default catalogue is used and, at the next save, the link itself is kept
// beside as "<name>.refused-<n>" and a plain file written in its place); a
// link to a file inside the root is read, and written, through to that file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/Catalogue.h"
#include "platform/kernel/FileIdentity.h"

inline constexpr std::u16string_view kSettingsFilePath = u"\\Windows\\ZorunSetting.qkt";

// The program's settings file, with what it knows of the version on disk
// that it last read or wrote, so that a save neither re-reads a file it
// wrote itself nor writes the same bytes again.
class SettingsFile {
  public:
    // Fills `catalogue` and returns true when the file at `path` is a valid
    // settings file; otherwise (missing, a folder, unreadable, leading out of
    // the device root, or refused by the format) returns false and leaves
    // the catalogue as it was, and the caller builds the default catalogue.
    // Temporary files of earlier interrupted saves are removed first.
    [[nodiscard]] bool Load(Catalogue& catalogue, std::u16string_view path);

    // Writes the whole catalogue to `path`, hidden, in one step
    // (WriteDeviceFileAtomically): on false (a catalogue the format cannot
    // hold, a missing or read-only folder, a full disk, an I/O error) the old
    // file is untouched. A file at `path` that is not a valid settings file
    // is first kept beside it as "<name>.refused-<n>". When the file already
    // holds exactly these bytes (and is hidden), nothing is written.
    [[nodiscard]] bool Save(const Catalogue& catalogue, std::u16string_view path);

    // The one settings file of the program.
    [[nodiscard]] static SettingsFile& Program();

  private:
    // The version on disk last read or written by us (a valid file), and
    // the catalogue's stamp that matched it.
    struct Known {
        std::u16string path;
        zorun::FileIdentity identity;
        std::uint64_t stamp = 0;
    };
    [[nodiscard]] bool IsKnown(const std::u16string& path,
                               const std::optional<zorun::FileIdentity>& identity) const;
    void Remember(const std::u16string& path, std::uint64_t stamp);

    std::optional<Known> known_;
    // The bytes of the last save; its room serves the next one.
    std::vector<std::uint8_t> buffer_;
};

// SettingsFile::Program().Load / Save.
[[nodiscard]] bool LoadSettings(Catalogue& catalogue, std::u16string_view path = kSettingsFilePath);
[[nodiscard]] bool SaveSettings(const Catalogue& catalogue,
                                std::u16string_view path = kSettingsFilePath);

// True, with the full path (folder, "\", name) in `path`, when a file that
// is not a folder of that name exists; `path` is untouched otherwise.
[[nodiscard]] bool FindExistingFile(std::u16string_view folder, std::u16string_view name,
                                    std::u16string& path);

// The name a refused file at `path` is kept under: "<path>.refused-<n>",
// n the first number from 1 that names nothing yet.
[[nodiscard]] std::u16string RefusedSettingsPath(std::u16string_view path);
