// The Japanese build's resources, as one table.

#include "res/LanguageResources.h"
#include "res/ja/Tables.h"

namespace zorun::res {

const LanguageResources& Japanese() {
    static const LanguageResources language{
        .code = "ja",
        .platform =
            {
                .strings = {ja::stringTable},
                .menus = {ja::mainMenus, ja::contextMenus, ja::monitorMenus},
                .toolBars = {ja::mainToolBars, ja::monitorToolBars},
                .dialogs = {ja::shellDialogs, ja::groupDialogs, ja::listDialogs, ja::monitorDialogs,
                            ja::shortcutDialogs},
                .pictures = {ja::pictures},
                .messageBoxButtons = {u"OK", u"キャンセル", u"はい", u"いいえ"},
                .softKeyboardKana = true,
            },
        .defaultCatalogue = ja::defaultCatalogueTexts,
        .helpPage = ja::helpPage,
        .rules = {},
    };
    return language;
}

} // namespace zorun::res
