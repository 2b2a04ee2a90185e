#pragma once
// Reading and writing the settings file on the device (format: SettingsFormat.h).

#include <string>
#include <string_view>

#include "catalogue/Catalogue.h"

inline constexpr std::u16string_view kSettingsFilePath = u"\\Windows\\ZorunSetting.qkt";

// Fills `catalogue` from the settings file at `path` and returns true when it
// is a valid settings file. Otherwise (missing, a folder, unreadable, or
// refused by ParseSettings) returns false and leaves the catalogue as it was;
// the caller then builds the default catalogue.
[[nodiscard]] bool LoadSettings(Catalogue& catalogue, std::u16string_view path = kSettingsFilePath);

// Writes the whole catalogue to `path`, hidden. The file is replaced in one
// step (WriteDeviceFileAtomically): on false (a catalogue the format cannot
// hold, a missing or read-only folder, a full disk, an I/O error) the old
// file is untouched. A file at `path` that is not a valid settings file (one
// LoadSettings refused) is first kept beside it as "<name>.refused-<n>",
// with the first free n from 1, so nothing the user had is lost.
[[nodiscard]] bool SaveSettings(const Catalogue& catalogue,
                                std::u16string_view path = kSettingsFilePath);

// True, with the full path (folder, "\", name) in `path`, when a file that
// is not a folder of that name exists; `path` is untouched otherwise.
[[nodiscard]] bool FindExistingFile(std::u16string_view folder, std::u16string_view name,
                                    std::u16string& path);

// The name a refused file at `path` is kept under: "<path>.refused-<n>",
// n the first number from 1 that names nothing yet.
[[nodiscard]] std::u16string RefusedSettingsPath(std::u16string_view path);
