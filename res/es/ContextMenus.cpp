// The Spanish press-and-hold menus of the launcher: menu 156 on a shortcut,
// menu 157 elsewhere in the shortcut area. Each is one pop-up; the view
// tracks the first.

#include "launcher/CommandIds.h"
#include "res/es/Tables.h"

namespace zorun::res::es {

namespace {

const MenuTemplateItem shortcutMenu[] = {
    {0, MF_POPUP, 0, u"Acceso directo"},
    {1, MF_STRING, CommandId::AddShortcut, u"Agregar acceso directo"},
    {1, MF_STRING, CommandId::DeleteShortcut, u"Eliminar acceso directo"},
    {1, MF_STRING, CommandId::ChangeIcon, u"Cambiar icono"},
    {1, MF_STRING, CommandId::RenameShortcut, u"Cambiar nombre"},
    {1, MF_STRING, CommandId::CopyTo, u"Copiar en..."},
    {1, MF_STRING, CommandId::MoveTo, u"Mover a..."},
    {1, MF_STRING, CommandId::Monitor, u"Monitor"},
};

const MenuTemplateItem areaMenu[] = {
    {0, MF_POPUP, 0, u"Acceso directo"},
    {1, MF_STRING, CommandId::AddShortcut, u"Agregar acceso directo"},
};

const MenuTemplate menus[] = {
    {kShortcutMenu, shortcutMenu},
    {kAreaMenu, areaMenu},
};

} // namespace

extern const std::span<const MenuTemplate> contextMenus = menus;

} // namespace zorun::res::es
