// The Italian press-and-hold menus of the launcher: menu 156 on a shortcut,
// menu 157 elsewhere in the shortcut area. Each is one pop-up; the view
// tracks the first.

#include "launcher/CommandIds.h"
#include "res/it/Tables.h"

namespace zorun::res::it {

namespace {

const MenuTemplateItem shortcutMenu[] = {
    {0, MF_POPUP, 0, u"Collegamento"},
    {1, MF_STRING, CommandId::AddShortcut, u"Aggiungi collegamento"},
    {1, MF_STRING, CommandId::DeleteShortcut, u"Elimina collegamento"},
    {1, MF_STRING, CommandId::ChangeIcon, u"Cambia icona"},
    {1, MF_STRING, CommandId::RenameShortcut, u"Rinomina"},
    {1, MF_STRING, CommandId::CopyTo, u"Copia in..."},
    {1, MF_STRING, CommandId::MoveTo, u"Sposta in..."},
    {1, MF_STRING, CommandId::Monitor, u"Monitor"},
};

const MenuTemplateItem areaMenu[] = {
    {0, MF_POPUP, 0, u"Collegamento"},
    {1, MF_STRING, CommandId::AddShortcut, u"Aggiungi collegamento"},
};

const MenuTemplate menus[] = {
    {kShortcutMenu, shortcutMenu},
    {kAreaMenu, areaMenu},
};

} // namespace

extern const std::span<const MenuTemplate> contextMenus = menus;

} // namespace zorun::res::it
