// The Spanish main menu (menu 132): "Editar" and "Herramientas" drop-downs of the
// command bar, and its tool bar 133.

#include "launcher/CommandIds.h"
#include "res/es/Tables.h"

namespace zorun::res::es {

namespace {

const MenuTemplateItem mainMenu[] = {
    {0, MF_POPUP, 0, u"Editar"},
    {1, MF_POPUP, 0, u"Grupo"},
    {2, MF_STRING, CommandId::AddGroup, u"Agregar grupo"},
    {2, MF_STRING, CommandId::DeleteGroup, u"Eliminar grupo"},
    {2, MF_STRING, CommandId::SetBackground, u"Establecer fondo"},
    {2, MF_STRING, CommandId::RenameGroup, u"Cambiar nombre"},
    {1, MF_POPUP, 0, u"Acceso directo"},
    {2, MF_STRING, CommandId::AddShortcut, u"Agregar acceso directo"},
    {2, MF_STRING, CommandId::DeleteShortcut, u"Eliminar acceso directo"},
    {2, MF_STRING, CommandId::ChangeIcon, u"Cambiar icono"},
    {2, MF_STRING, CommandId::RenameShortcut, u"Cambiar nombre"},
    {1, MF_STRING, CommandId::SysInfoSetting, u"Información del sistema"},
    {1, MF_STRING, CommandId::OrganizeGroups, u"Organizar grupos"},
    {1, MF_STRING, CommandId::Save, u"Guardar"},
    {1, MF_STRING, CommandId::Version, u"Versión"},
    {1, MF_SEPARATOR, 0, nullptr},
    {1, MF_STRING, CommandId::Exit, u"Salir"},
    {0, MF_POPUP, 0, u"Herramientas"},
    {1, MF_STRING, CommandId::CopyTo, u"Copiar en..."},
    {1, MF_STRING, CommandId::MoveTo, u"Mover a..."},
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

} // namespace zorun::res::es
