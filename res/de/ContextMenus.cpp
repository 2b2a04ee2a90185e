// The German press-and-hold menus of the launcher: menu 156 on a shortcut,
// menu 157 elsewhere in the shortcut area. Each is one pop-up; the view
// tracks the first.

#include "launcher/CommandIds.h"
#include "res/de/Tables.h"

namespace zorun::res::de {

namespace {

const MenuTemplateItem shortcutMenu[] = {
    {0, MF_POPUP, 0, u"Verknüpfung"},
    {1, MF_STRING, CommandId::AddShortcut, u"Verknüpfung hinzufügen"},
    {1, MF_STRING, CommandId::DeleteShortcut, u"Verknüpfung löschen"},
    {1, MF_STRING, CommandId::ChangeIcon, u"Symbol ändern"},
    {1, MF_STRING, CommandId::RenameShortcut, u"Umbenennen"},
    {1, MF_STRING, CommandId::CopyTo, u"Kopieren nach..."},
    {1, MF_STRING, CommandId::MoveTo, u"Verschieben nach..."},
    {1, MF_STRING, CommandId::Monitor, u"Monitor"},
};

const MenuTemplateItem areaMenu[] = {
    {0, MF_POPUP, 0, u"Verknüpfung"},
    {1, MF_STRING, CommandId::AddShortcut, u"Verknüpfung hinzufügen"},
};

const MenuTemplate menus[] = {
    {kShortcutMenu, shortcutMenu},
    {kAreaMenu, areaMenu},
};

} // namespace

extern const std::span<const MenuTemplate> contextMenus = menus;

} // namespace zorun::res::de
