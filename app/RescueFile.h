#pragma once
// When the settings file cannot be written at exit, the catalogue is not
// lost: it goes, in the settings file's own format, to a new file in the
// user's state folder ($XDG_STATE_HOME/zorun, else ~/.local/state/zorun):
// "ZorunSetting.qkt", or "ZorunSetting-2.qkt", "-3", ... beside earlier
// ones, which are never replaced. Copied over the device's
// \Windows\ZorunSetting.qkt, it brings everything back.

#include <filesystem>
#include <optional>
#include <string>

#include "catalogue/Catalogue.h"

// The rescue file written, or nullopt when it could not be (the state folder
// cannot be made or written, or the catalogue cannot be serialised).
[[nodiscard]] std::optional<std::filesystem::path> WriteRescueFile(const Catalogue& catalogue);

// The path as a message box can show it on a narrow screen: the home folder
// as "~", and a line break before a component that would make a line longer
// than `lineLength` characters (a box breaks lines only at blanks).
[[nodiscard]] std::u16string ShownPath(const std::filesystem::path& path,
                                       std::size_t lineLength = 22);
