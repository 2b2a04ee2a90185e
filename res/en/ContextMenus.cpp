// The English press-and-hold menus of the launcher: menu 156 on a shortcut,
// menu 157 elsewhere in the shortcut area. Each is one pop-up; the view
// tracks the first. Command numbers are those of launcher/CZorunViewCommands.h.

#include "launcher/CZorunViewCommands.h"
#include "platform/user/Menu.h"

namespace {

using zorun::MenuTemplateItem;

const MenuTemplateItem shortcutMenu[] = {
    {0, MF_POPUP, 0, u"Shortcut"},
    {1, MF_STRING, ZorunCommand::AddShortcut, u"Add Shortcut"},
    {1, MF_STRING, ZorunCommand::DeleteShortcut, u"Delete Shortcut"},
    {1, MF_STRING, ZorunCommand::ChangeIcon, u"Change Icon"},
    {1, MF_STRING, ZorunCommand::RenameShortcut, u"Rename"},
    {1, MF_STRING, ZorunCommand::CopyTo, u"Copy to..."},
    {1, MF_STRING, ZorunCommand::MoveTo, u"Move To..."},
    {1, MF_STRING, ZorunCommand::Monitor, u"Monitor"},
};

const MenuTemplateItem areaMenu[] = {
    {0, MF_POPUP, 0, u"Shortcut"},
    {1, MF_STRING, ZorunCommand::AddShortcut, u"Add Shortcut"},
};

const zorun::MenuTemplate menus[] = {
    {kShortcutMenu, shortcutMenu},
    {kAreaMenu, areaMenu},
};

[[maybe_unused]] const bool registered = zorun::RegisterMenuTemplates(menus);

} // namespace
