// The French resources of the task monitor: dialog 102 (its list view),
// menu 137 ("Edit" with Activate, Stop, Stop all and Return) and tool bar
// 138 (three buttons, images from bitmap 138).

#include "monitor/MonitorIds.h"
#include "platform/user/CommCtrl.h"
#include "res/fr/Tables.h"

namespace zorun::res::fr {

namespace {

// The dialog places the list itself when it starts; these units only
// matter until then.
const DialogItemTemplate monitorItems[] = {
    {WC_LISTVIEW, u"", MonitorResource::List, 6, 28, 123, 106,
     LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER | WS_BORDER | WS_VISIBLE | WS_TABSTOP},
};

const DialogTemplate dialogs[] = {
    {MonitorResource::Dialog, 135, 142, u"Zorun", WS_POPUP | WS_VISIBLE, monitorItems},
};

const MenuTemplateItem monitorMenu[] = {
    {0, MF_POPUP, 0, u"Édition"},
    {1, MF_STRING, MonitorCommand::Activate, u"Activer"},
    {1, MF_STRING, MonitorCommand::Stop, u"Arrêter"},
    {1, MF_STRING, MonitorCommand::StopAll, u"Tout arrêter"},
    {1, MF_SEPARATOR, 0, nullptr},
    {1, MF_STRING, MonitorCommand::Return, u"Retour"},
};

const MenuTemplate menus[] = {
    {static_cast<int>(MonitorResource::Menu), monitorMenu},
};

const UINT toolBarCommands[] = {MonitorCommand::Activate, MonitorCommand::Stop,
                                MonitorCommand::StopAll};
const ToolBarTemplate toolBars[] = {
    {static_cast<int>(MonitorResource::ToolBar), static_cast<int>(MonitorResource::ToolBar),
     toolBarCommands},
};

} // namespace

extern const std::span<const DialogTemplate> monitorDialogs = dialogs;
extern const std::span<const MenuTemplate> monitorMenus = menus;
extern const std::span<const ToolBarTemplate> monitorToolBars = toolBars;

} // namespace zorun::res::fr
