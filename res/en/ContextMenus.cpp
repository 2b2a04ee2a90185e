// The English press-and-hold menus of the launcher: menu 156 on a shortcut,
// menu 157 elsewhere in the shortcut area. Each is one pop-up; the view
// tracks the first.

#include "launcher/CommandIds.h"
#include "platform/user/Menu.h"

namespace {

using zorun::MenuTemplateItem;

const MenuTemplateItem shortcutMenu[] = {
    {0, MF_POPUP, 0, u"Shortcut"},
    {1, MF_STRING, CommandId::AddShortcut, u"Add Shortcut"},
    {1, MF_STRING, CommandId::DeleteShortcut, u"Delete Shortcut"},
    {1, MF_STRING, CommandId::ChangeIcon, u"Change Icon"},
    {1, MF_STRING, CommandId::RenameShortcut, u"Rename"},
    {1, MF_STRING, CommandId::CopyTo, u"Copy to..."},
    {1, MF_STRING, CommandId::MoveTo, u"Move To..."},
    {1, MF_STRING, CommandId::Monitor, u"Monitor"},
};

const MenuTemplateItem areaMenu[] = {
    {0, MF_POPUP, 0, u"Shortcut"},
    {1, MF_STRING, CommandId::AddShortcut, u"Add Shortcut"},
};

const zorun::MenuTemplate menus[] = {
    {kShortcutMenu, shortcutMenu},
    {kAreaMenu, areaMenu},
};

[[maybe_unused]] const bool registered = zorun::RegisterMenuTemplates(menus);

} // namespace
