// The Italian build's resources, as one table.

#include "res/LanguageResources.h"
#include "res/it/Tables.h"

namespace zorun::res {

const LanguageResources& Italian() {
    static const LanguageResources language{
        .code = "it",
        .platform =
            {
                .strings = {it::stringTable},
                .menus = {it::mainMenus, it::contextMenus, it::monitorMenus},
                .toolBars = {it::mainToolBars, it::monitorToolBars},
                .dialogs = {it::shellDialogs, it::groupDialogs, it::listDialogs, it::monitorDialogs,
                            it::shortcutDialogs},
                .pictures = {it::pictures},
                .messageBoxButtons = {u"OK", u"Annulla", u"Sì", u"No"},
            },
        .defaultCatalogue = it::defaultCatalogueTexts,
        .helpPage = it::helpPage,
        .rules = {},
    };
    return language;
}

} // namespace zorun::res
