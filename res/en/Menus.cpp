// The English main menu (menu 132): the "Edit" and "Tools" drop-downs of the
// command bar, and its tool bar 133. Command numbers are those of
// app/CommandIds.h.

#include "platform/user/CommandBar.h"
#include "platform/user/Menu.h"

namespace {

using zorun::MenuTemplateItem;

const MenuTemplateItem mainMenu[] = {
    {0, MF_POPUP, 0, u"Edit"},
    {1, MF_POPUP, 0, u"Group"},
    {2, MF_STRING, 32776, u"Add Group"},
    {2, MF_STRING, 32777, u"Delete Group"},
    {2, MF_STRING, 32778, u"Set Background"},
    {2, MF_STRING, 32779, u"Rename"},
    {1, MF_POPUP, 0, u"Shortcut"},
    {2, MF_STRING, 32780, u"Add Shortcut"},
    {2, MF_STRING, 32781, u"Delete Shortcut"},
    {2, MF_STRING, 32782, u"Change Icon"},
    {2, MF_STRING, 32783, u"Rename"},
    {1, MF_STRING, 32784, u"Setting of system info"},
    {1, MF_STRING, 32785, u"Organize groups"},
    {1, MF_STRING, 32786, u"Save"},
    {1, MF_STRING, 57664, u"Version"},
    {1, MF_SEPARATOR, 0, nullptr},
    {1, MF_STRING, 57665, u"Exit"},
    {0, MF_POPUP, 0, u"Tools"},
    {1, MF_STRING, 32790, u"Copy To..."},
    {1, MF_STRING, 32791, u"Move To..."},
    {1, MF_STRING, 32794, u"Monitor"},
};

const zorun::MenuTemplate menus[] = {
    {132, mainMenu},
};

// Tool bar 133: one button, "Monitor", image 0 of bitmap 133.
const UINT toolBarCommands[] = {32794};
const zorun::ToolBarTemplate toolBars[] = {
    {133, 133, toolBarCommands},
};

[[maybe_unused]] const bool registered =
    zorun::RegisterMenuTemplates(menus) && zorun::RegisterToolBarTemplates(toolBars);

} // namespace
