// The Japanese main menu (menu 132): "編集" and "ツール" drop-downs of the
// command bar, and its tool bar 133.

#include "launcher/CommandIds.h"
#include "res/ja/Tables.h"

namespace zorun::res::ja {

namespace {

const MenuTemplateItem mainMenu[] = {
    {0, MF_POPUP, 0, u"編集"},
    {1, MF_POPUP, 0, u"グループ"},
    {2, MF_STRING, CommandId::AddGroup, u"グループの追加"},
    {2, MF_STRING, CommandId::DeleteGroup, u"グループの削除"},
    {2, MF_STRING, CommandId::SetBackground, u"背景の設定"},
    {2, MF_STRING, CommandId::RenameGroup, u"名前の変更"},
    {1, MF_POPUP, 0, u"ショートカット"},
    {2, MF_STRING, CommandId::AddShortcut, u"ショートカットの追加"},
    {2, MF_STRING, CommandId::DeleteShortcut, u"ショートカットの削除"},
    {2, MF_STRING, CommandId::ChangeIcon, u"アイコンの変更"},
    {2, MF_STRING, CommandId::RenameShortcut, u"名前の変更"},
    {1, MF_STRING, CommandId::SysInfoSetting, u"システム情報の設定"},
    {1, MF_STRING, CommandId::OrganizeGroups, u"グループの整理"},
    {1, MF_STRING, CommandId::Save, u"保存"},
    {1, MF_STRING, CommandId::Version, u"バージョン情報"},
    {1, MF_SEPARATOR, 0, nullptr},
    {1, MF_STRING, CommandId::Exit, u"終了"},
    {0, MF_POPUP, 0, u"ツール"},
    {1, MF_STRING, CommandId::CopyTo, u"コピー先..."},
    {1, MF_STRING, CommandId::MoveTo, u"移動先..."},
    {1, MF_STRING, CommandId::Monitor, u"モニタ"},
};

const MenuTemplate menus[] = {
    {132, mainMenu},
};

// Tool bar 133: one button, "モニタ", image 0 of bitmap 133.
const UINT toolBarCommands[] = {CommandId::Monitor};
const ToolBarTemplate toolBars[] = {
    {133, 133, toolBarCommands},
};

} // namespace

extern const std::span<const MenuTemplate> mainMenus = menus;
extern const std::span<const ToolBarTemplate> mainToolBars = toolBars;

} // namespace zorun::res::ja
