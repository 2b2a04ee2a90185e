#pragma once
// Messages and command ids the launcher view answers. The messages are the
// interface between the view and the split window (and the view's own
// release handler); the commands come from the main menu and from the
// press-and-hold menus 156 and 157.

#include "platform/base/WinTypes.h"

namespace ZorunViewMessage {
constexpr UINT Launch = 0x466;   // lParam: shortcut index of the shown group
constexpr UINT GoToPage = 0x469; // lParam: page number
constexpr UINT TabsLeft = 0x46A;
constexpr UINT TabsRight = 0x46B;
constexpr UINT PageUp = 0x4C9;
constexpr UINT PageDown = 0x4CA;
constexpr UINT PageState = 0x4CB; // to the split window; lParam 0..3
} // namespace ZorunViewMessage

namespace ZorunCommand {
// Group commands.
constexpr UINT AddGroup = 32776;
constexpr UINT DeleteGroup = 32777;
constexpr UINT SetBackground = 32778;
constexpr UINT RenameGroup = 32779;
constexpr UINT OrganizeGroups = 32785;
// Shortcut commands.
constexpr UINT AddShortcut = 32780;
constexpr UINT DeleteShortcut = 32781;
constexpr UINT ChangeIcon = 32782;
constexpr UINT RenameShortcut = 32783;
constexpr UINT CopyTo = 32790;
constexpr UINT MoveTo = 32791;
// The task monitor.
constexpr UINT Monitor = 32794;
} // namespace ZorunCommand

// The press-and-hold menus: on a shortcut, and elsewhere in the shortcut area.
constexpr int kShortcutMenu = 156;
constexpr int kAreaMenu = 157;
