#pragma once
// The command ids come from the launcher, which owns them
// (launcher/CommandIds.h); this header adds the shell's resource numbers.

#include "launcher/CommandIds.h"

// Resource numbers of the shell.
namespace ShellResource {
constexpr int MainMenu = 132;      // menu 132, menu bar 132, document template 132
constexpr int ToolBar = 133;       // tool bar 133 (and its bitmap 133)
constexpr int VersionDialog = 100; // the version box
constexpr int ProgramIcon = 128;
constexpr UINT DocumentStrings = 128;
constexpr UINT ProgramTitle = 65009;      // "Zorun"
constexpr UINT WriteSettingError = 65010; // "Write Setting File Error"
constexpr UINT RescueFileKept = 65052;    // where the catalogue went instead (%s)
constexpr UINT MonitorTip = 65040;
constexpr UINT EditTip = 65041;
constexpr UINT ToolsTip = 65042;
} // namespace ShellResource
