// The Japanese press-and-hold menus of the launcher: menu 156 on a shortcut,
// menu 157 elsewhere in the shortcut area. Each is one pop-up; the view
// tracks the first.

#include "launcher/CommandIds.h"
#include "res/ja/Tables.h"

namespace zorun::res::ja {

namespace {

const MenuTemplateItem shortcutMenu[] = {
    {0, MF_POPUP, 0, u"ショートカット"},
    {1, MF_STRING, CommandId::AddShortcut, u"ショートカットの追加"},
    {1, MF_STRING, CommandId::DeleteShortcut, u"ショートカットの削除"},
    {1, MF_STRING, CommandId::ChangeIcon, u"アイコンの変更"},
    {1, MF_STRING, CommandId::RenameShortcut, u"名前の変更"},
    {1, MF_STRING, CommandId::CopyTo, u"コピー先..."},
    {1, MF_STRING, CommandId::MoveTo, u"移動先..."},
    {1, MF_STRING, CommandId::Monitor, u"モニタ"},
};

const MenuTemplateItem areaMenu[] = {
    {0, MF_POPUP, 0, u"ショートカット"},
    {1, MF_STRING, CommandId::AddShortcut, u"ショートカットの追加"},
};

const MenuTemplate menus[] = {
    {kShortcutMenu, shortcutMenu},
    {kAreaMenu, areaMenu},
};

} // namespace

extern const std::span<const MenuTemplate> contextMenus = menus;

} // namespace zorun::res::ja
