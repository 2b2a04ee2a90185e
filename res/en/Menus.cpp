// The English main menu (menu 132): the "Edit" and "Tools" drop-downs of the
// command bar, and its tool bar 133.

#include "launcher/CommandIds.h"
#include "platform/user/CommandBar.h"
#include "platform/user/Menu.h"

namespace {

using zorun::MenuTemplateItem;

const MenuTemplateItem mainMenu[] = {
    {0, MF_POPUP, 0, u"Edit"},
    {1, MF_POPUP, 0, u"Group"},
    {2, MF_STRING, CommandId::AddGroup, u"Add Group"},
    {2, MF_STRING, CommandId::DeleteGroup, u"Delete Group"},
    {2, MF_STRING, CommandId::SetBackground, u"Set Background"},
    {2, MF_STRING, CommandId::RenameGroup, u"Rename"},
    {1, MF_POPUP, 0, u"Shortcut"},
    {2, MF_STRING, CommandId::AddShortcut, u"Add Shortcut"},
    {2, MF_STRING, CommandId::DeleteShortcut, u"Delete Shortcut"},
    {2, MF_STRING, CommandId::ChangeIcon, u"Change Icon"},
    {2, MF_STRING, CommandId::RenameShortcut, u"Rename"},
    {1, MF_STRING, CommandId::SysInfoSetting, u"Setting of system info"},
    {1, MF_STRING, CommandId::OrganizeGroups, u"Organize groups"},
    {1, MF_STRING, CommandId::Save, u"Save"},
    {1, MF_STRING, CommandId::Version, u"Version"},
    {1, MF_SEPARATOR, 0, nullptr},
    {1, MF_STRING, CommandId::Exit, u"Exit"},
    {0, MF_POPUP, 0, u"Tools"},
    {1, MF_STRING, CommandId::CopyTo, u"Copy To..."},
    {1, MF_STRING, CommandId::MoveTo, u"Move To..."},
    {1, MF_STRING, CommandId::Monitor, u"Monitor"},
};

const zorun::MenuTemplate menus[] = {
    {132, mainMenu},
};

// Tool bar 133: one button, "Monitor", image 0 of bitmap 133.
const UINT toolBarCommands[] = {CommandId::Monitor};
const zorun::ToolBarTemplate toolBars[] = {
    {133, 133, toolBarCommands},
};

[[maybe_unused]] const bool registered =
    zorun::RegisterMenuTemplates(menus) && zorun::RegisterToolBarTemplates(toolBars);

} // namespace
