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
                .menus = {en::mainMenus, en::contextMenus},
                .toolBars = {en::mainToolBars},
                .dialogs = {en::shellDialogs},
                .pictures = {en::pictures},
            },
        .defaultCatalogue = en::defaultCatalogueTexts,
    };
    return language;
}

} // namespace zorun::res
