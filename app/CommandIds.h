#pragma once
// Command identifiers of the main menu (menu 132), its menu bar and the tool
// bar. The context menus of the launcher reuse the group and shortcut ones.

#include "platform/base/WinTypes.h"

namespace CommandId {

// Menu bar buttons.
constexpr UINT EditMenu = 32771;
constexpr UINT ToolsMenu = 32792;

// Edit > Group.
constexpr UINT AddGroup = 32776;
constexpr UINT DeleteGroup = 32777;
constexpr UINT SetBackground = 32778;
constexpr UINT RenameGroup = 32779;
// Edit > Shortcut.
constexpr UINT AddShortcut = 32780;
constexpr UINT DeleteShortcut = 32781;
constexpr UINT ChangeIcon = 32782;
constexpr UINT RenameShortcut = 32783;
// Edit.
constexpr UINT SysInfoSetting = 32784;
constexpr UINT OrganizeGroups = 32785;
constexpr UINT Save = 32786;
constexpr UINT Version = 57664; // the framework's "about" command
constexpr UINT Exit = 57665;    // the framework's "exit" command
// Tools.
constexpr UINT CopyTo = 32790;
constexpr UINT MoveTo = 32791;
constexpr UINT Monitor = 32794;

// The framework's standard file commands (left to the framework).
constexpr UINT FileNew = 57600;
constexpr UINT FileOpen = 57601;

} // namespace CommandId

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
