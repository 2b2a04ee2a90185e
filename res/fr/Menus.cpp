// The French main menu (menu 132): "Édition" and "Outils" drop-downs of the
// command bar, and its tool bar 133.

#include "launcher/CommandIds.h"
#include "res/fr/Tables.h"

namespace zorun::res::fr {

namespace {

const MenuTemplateItem mainMenu[] = {
    {0, MF_POPUP, 0, u"Édition"},
    {1, MF_POPUP, 0, u"Groupe"},
    {2, MF_STRING, CommandId::AddGroup, u"Ajouter un groupe"},
    {2, MF_STRING, CommandId::DeleteGroup, u"Supprimer le groupe"},
    {2, MF_STRING, CommandId::SetBackground, u"Définir l'arrière-plan"},
    {2, MF_STRING, CommandId::RenameGroup, u"Renommer"},
    {1, MF_POPUP, 0, u"Raccourci"},
    {2, MF_STRING, CommandId::AddShortcut, u"Ajouter un raccourci"},
    {2, MF_STRING, CommandId::DeleteShortcut, u"Supprimer le raccourci"},
    {2, MF_STRING, CommandId::ChangeIcon, u"Changer l'icône"},
    {2, MF_STRING, CommandId::RenameShortcut, u"Renommer"},
    {1, MF_STRING, CommandId::SysInfoSetting, u"Infos système"},
    {1, MF_STRING, CommandId::OrganizeGroups, u"Organiser les groupes"},
    {1, MF_STRING, CommandId::Save, u"Enregistrer"},
    {1, MF_STRING, CommandId::Version, u"Version"},
    {1, MF_SEPARATOR, 0, nullptr},
    {1, MF_STRING, CommandId::Exit, u"Quitter"},
    {0, MF_POPUP, 0, u"Outils"},
    {1, MF_STRING, CommandId::CopyTo, u"Copier vers..."},
    {1, MF_STRING, CommandId::MoveTo, u"Déplacer vers..."},
    {1, MF_STRING, CommandId::Monitor, u"Moniteur"},
};

const MenuTemplate menus[] = {
    {132, mainMenu},
};

// Tool bar 133: one button, "Moniteur", image 0 of bitmap 133.
const UINT toolBarCommands[] = {CommandId::Monitor};
const ToolBarTemplate toolBars[] = {
    {133, 133, toolBarCommands},
};

} // namespace

extern const std::span<const MenuTemplate> mainMenus = menus;
extern const std::span<const ToolBarTemplate> mainToolBars = toolBars;

} // namespace zorun::res::fr
