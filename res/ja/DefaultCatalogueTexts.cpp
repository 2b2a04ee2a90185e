// The Japanese texts of the default catalogue: group names, the Start Menu
// folder and its links, and the shortcut names.

#include "res/ja/Tables.h"

namespace zorun::res::ja {

extern const DefaultCatalogueTexts defaultCatalogueTexts{
    .groupNames = {u"プログラム", u"マルチメディア", u"ゲーム", u"お気に入り"},
    .startMenuFolder = u"\\Windows\\スタート メニュー",
    .programsFolder = u"\\Windows\\スタート メニュー\\プログラム",
    .calendarLink = u"予定表.lnk",
    .contactsLink = u"連絡先.lnk",
    .tasksLink = u"仕事.lnk",
    .calendar = u"予定表",
    .contacts = u"連絡先",
    .internetExplorer = u"IExplorer",
    .fileExplorer = u"FExplorer",
    .inbox = u"受信トレイ",
    .excel = u"Excel",
    .word = u"Word",
    .tasks = u"仕事",
    .today = u"今日",
    .mediaPlayer = u"Media Player",
    .solitaire = u"ソリティア",
    .jawbreaker = u"Jawbreaker",
};

} // namespace zorun::res::ja
