#pragma once
// The program's command ids and the launcher view's messages, defined here
// once. Commands come from the main menu (menu 132, its menu bar and tool
// bar) and from the launcher's press-and-hold menus 156 and 157; the
// messages are the interface between the launcher view and the split window
// (and the view's own release handler). The application includes this
// header rather than keeping its own copy.

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
// Tools (and the shortcut menu).
constexpr UINT CopyTo = 32790;
constexpr UINT MoveTo = 32791;
constexpr UINT Monitor = 32794;

// The framework's standard file commands (left to the framework).
constexpr UINT FileNew = 57600;
constexpr UINT FileOpen = 57601;

} // namespace CommandId

namespace ZorunViewMessage {
constexpr UINT Launch = 0x466;   // lParam: shortcut index of the shown group
constexpr UINT GoToPage = 0x469; // lParam: page number
constexpr UINT TabsLeft = 0x46A;
constexpr UINT TabsRight = 0x46B;
constexpr UINT PageUp = 0x4C9;    // from the split window
constexpr UINT PageDown = 0x4CA;  // from the split window
constexpr UINT PageState = 0x4CB; // to the split window; lParam 0..3
} // namespace ZorunViewMessage

// The press-and-hold menus: on a shortcut, and elsewhere in the shortcut area.
constexpr int kShortcutMenu = 156;
constexpr int kAreaMenu = 157;
