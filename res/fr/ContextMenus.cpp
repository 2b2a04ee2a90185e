// The French press-and-hold menus of the launcher: menu 156 on a shortcut,
// menu 157 elsewhere in the shortcut area. Each is one pop-up; the view
// tracks the first.

#include "launcher/CommandIds.h"
#include "res/fr/Tables.h"

namespace zorun::res::fr {

namespace {

const MenuTemplateItem shortcutMenu[] = {
    {0, MF_POPUP, 0, u"Raccourci"},
    {1, MF_STRING, CommandId::AddShortcut, u"Ajouter un raccourci"},
    {1, MF_STRING, CommandId::DeleteShortcut, u"Supprimer le raccourci"},
    {1, MF_STRING, CommandId::ChangeIcon, u"Changer l'icône"},
    {1, MF_STRING, CommandId::RenameShortcut, u"Renommer"},
    {1, MF_STRING, CommandId::CopyTo, u"Copier vers..."},
    {1, MF_STRING, CommandId::MoveTo, u"Déplacer vers..."},
    {1, MF_STRING, CommandId::Monitor, u"Moniteur"},
};

const MenuTemplateItem areaMenu[] = {
    {0, MF_POPUP, 0, u"Raccourci"},
    {1, MF_STRING, CommandId::AddShortcut, u"Ajouter un raccourci"},
};

const MenuTemplate menus[] = {
    {kShortcutMenu, shortcutMenu},
    {kAreaMenu, areaMenu},
};

} // namespace

extern const std::span<const MenuTemplate> contextMenus = menus;

} // namespace zorun::res::fr
