// The German main menu (menu 132): "Bearbeiten" and "Extras" drop-downs of the
// command bar, and its tool bar 133.

#include "launcher/CommandIds.h"
#include "res/de/Tables.h"

namespace zorun::res::de {

namespace {

const MenuTemplateItem mainMenu[] = {
    {0, MF_POPUP, 0, u"Bearbeiten"},
    {1, MF_POPUP, 0, u"Gruppe"},
    {2, MF_STRING, CommandId::AddGroup, u"Gruppe hinzufügen"},
    {2, MF_STRING, CommandId::DeleteGroup, u"Gruppe löschen"},
    {2, MF_STRING, CommandId::SetBackground, u"Hintergrund festlegen"},
    {2, MF_STRING, CommandId::RenameGroup, u"Umbenennen"},
    {1, MF_POPUP, 0, u"Verknüpfung"},
    {2, MF_STRING, CommandId::AddShortcut, u"Verknüpfung hinzufügen"},
    {2, MF_STRING, CommandId::DeleteShortcut, u"Verknüpfung löschen"},
    {2, MF_STRING, CommandId::ChangeIcon, u"Symbol ändern"},
    {2, MF_STRING, CommandId::RenameShortcut, u"Umbenennen"},
    {1, MF_STRING, CommandId::SysInfoSetting, u"Systeminfo einstellen"},
    {1, MF_STRING, CommandId::OrganizeGroups, u"Gruppen organisieren"},
    {1, MF_STRING, CommandId::Save, u"Speichern"},
    {1, MF_STRING, CommandId::Version, u"Version"},
    {1, MF_SEPARATOR, 0, nullptr},
    {1, MF_STRING, CommandId::Exit, u"Beenden"},
    {0, MF_POPUP, 0, u"Extras"},
    {1, MF_STRING, CommandId::CopyTo, u"Kopieren nach..."},
    {1, MF_STRING, CommandId::MoveTo, u"Verschieben nach..."},
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

} // namespace zorun::res::de
