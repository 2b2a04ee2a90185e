// The English resources of the task monitor: dialog 102 (its list view),
// menu 137 ("Edit" with Activate, Stop, Stop all and Return) and tool bar
// 138 (three buttons, images from bitmap 138).

#include "monitor/MonitorIds.h"
#include "platform/user/CommCtrl.h"
#include "platform/user/CommandBar.h"
#include "platform/user/Dialog.h"
#include "platform/user/Menu.h"

namespace {

using zorun::DialogItemTemplate;
using zorun::MenuTemplateItem;

// The dialog places the list itself when it starts; these units only
// matter until then.
const DialogItemTemplate monitorItems[] = {
    {WC_LISTVIEW, u"", MonitorResource::List, 6, 28, 123, 106,
     LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER | WS_BORDER | WS_VISIBLE | WS_TABSTOP},
};

const zorun::DialogTemplate dialogs[] = {
    {MonitorResource::Dialog, 135, 142, u"Zorun", WS_POPUP | WS_VISIBLE, monitorItems},
};

const MenuTemplateItem monitorMenu[] = {
    {0, MF_POPUP, 0, u"Edit"},
    {1, MF_STRING, MonitorCommand::Activate, u"Activate"},
    {1, MF_STRING, MonitorCommand::Stop, u"Stop"},
    {1, MF_STRING, MonitorCommand::StopAll, u"Stop all"},
    {1, MF_SEPARATOR, 0, nullptr},
    {1, MF_STRING, MonitorCommand::Return, u"Return"},
};

const zorun::MenuTemplate menus[] = {
    {static_cast<int>(MonitorResource::Menu), monitorMenu},
};

const UINT toolBarCommands[] = {MonitorCommand::Activate, MonitorCommand::Stop,
                                MonitorCommand::StopAll};
const zorun::ToolBarTemplate toolBars[] = {
    {static_cast<int>(MonitorResource::ToolBar), static_cast<int>(MonitorResource::ToolBar),
     toolBarCommands},
};

[[maybe_unused]] const bool registered = zorun::RegisterDialogTemplates(dialogs) &&
                                         zorun::RegisterMenuTemplates(menus) &&
                                         zorun::RegisterToolBarTemplates(toolBars);

} // namespace
