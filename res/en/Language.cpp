// The English build's resources, as one table.

#include "res/LanguageResources.h"
#include "res/en/Tables.h"

namespace zorun::res {

const LanguageResources& English() {
    static const LanguageResources language{
        .code = "en",
        .platform =
            {
                .strings = {en::stringTable},
                .menus = {en::mainMenus, en::contextMenus, en::monitorMenus},
                .toolBars = {en::mainToolBars, en::monitorToolBars},
                .dialogs = {en::shellDialogs, en::groupDialogs, en::listDialogs, en::monitorDialogs,
                            en::shortcutDialogs},
                .pictures = {en::pictures},
                .messageBoxButtons = {},
            },
        .defaultCatalogue = en::defaultCatalogueTexts,
        .helpPage = en::helpPage,
        .rules = {},
    };
    return language;
}

} // namespace zorun::res
