#include "tests/soak/SoakCommands.h"

#include "app/CommandIds.h"

namespace {

using enum SoakEffect;

// Every command of the menus, the tool bar and the framework. A command that
// does nothing yet is sent all the same: it is exercised the day it is built.
constexpr SoakCommand kCommands[] = {
    {CommandId::AddGroup, "add group", Keeps, 12},
    {CommandId::DeleteGroup, "delete group", MayLose, 3},
    {CommandId::SetBackground, "set background", Keeps, 12},
    {CommandId::RenameGroup, "rename group", Keeps, 12},
    {CommandId::AddShortcut, "add shortcut", Keeps, 16},
    {CommandId::DeleteShortcut, "delete shortcut", MayLose, 3},
    {CommandId::ChangeIcon, "change icon", Keeps, 10},
    {CommandId::RenameShortcut, "rename shortcut", Keeps, 12},
    {CommandId::SysInfoSetting, "system information setting", Keeps, 10},
    {CommandId::OrganizeGroups, "organize groups", MayLose, 16},
    {CommandId::Save, "save", Keeps, 0},
    {CommandId::Version, "version", Keeps, 2},
    {CommandId::CopyTo, "copy to", Keeps, 8},
    {CommandId::MoveTo, "move to", Keeps, 8},
    {CommandId::Monitor, "task monitor", Keeps, 10},
    {CommandId::EditMenu, "edit menu", MayLose, 4},
    {CommandId::ToolsMenu, "tools menu", MayLose, 4},
    {CommandId::FileNew, "file new", Keeps, 0},
    {CommandId::FileOpen, "file open", Keeps, 2},
};

} // namespace

std::span<const SoakCommand> SoakCommands() {
    return kCommands;
}
