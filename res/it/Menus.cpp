// The Italian main menu (menu 132): "Modifica" and "Strumenti" drop-downs of the
// command bar, and its tool bar 133.

#include "launcher/CommandIds.h"
#include "res/it/Tables.h"

namespace zorun::res::it {

namespace {

const MenuTemplateItem mainMenu[] = {
    {0, MF_POPUP, 0, u"Modifica"},
    {1, MF_POPUP, 0, u"Gruppo"},
    {2, MF_STRING, CommandId::AddGroup, u"Aggiungi gruppo"},
    {2, MF_STRING, CommandId::DeleteGroup, u"Elimina gruppo"},
    {2, MF_STRING, CommandId::SetBackground, u"Imposta sfondo"},
    {2, MF_STRING, CommandId::RenameGroup, u"Rinomina"},
    {1, MF_POPUP, 0, u"Collegamento"},
    {2, MF_STRING, CommandId::AddShortcut, u"Aggiungi collegamento"},
    {2, MF_STRING, CommandId::DeleteShortcut, u"Elimina collegamento"},
    {2, MF_STRING, CommandId::ChangeIcon, u"Cambia icona"},
    {2, MF_STRING, CommandId::RenameShortcut, u"Rinomina"},
    {1, MF_STRING, CommandId::SysInfoSetting, u"Info di sistema"},
    {1, MF_STRING, CommandId::OrganizeGroups, u"Organizza gruppi"},
    {1, MF_STRING, CommandId::Save, u"Salva"},
    {1, MF_STRING, CommandId::Version, u"Versione"},
    {1, MF_SEPARATOR, 0, nullptr},
    {1, MF_STRING, CommandId::Exit, u"Esci"},
    {0, MF_POPUP, 0, u"Strumenti"},
    {1, MF_STRING, CommandId::CopyTo, u"Copia in..."},
    {1, MF_STRING, CommandId::MoveTo, u"Sposta in..."},
    {1, MF_STRING, CommandId::Monitor, u"Monitor"},
};

const MenuTemplate menus[] = {
    {132, mainMenu},
};

// Tool bar 133: one button, "Monitor", image 0 of bitmap 133.
const UINT toolBarCommands[] = {CommandId::Monitor};
const ToolBarTemplate toolBars[] = {
    {133, 133, toolBarCommands},
};

} // namespace

extern const std::span<const MenuTemplate> mainMenus = menus;
extern const std::span<const ToolBarTemplate> mainToolBars = toolBars;

} // namespace zorun::res::it
