// The German build's resources, as one table.

#include "res/LanguageResources.h"
#include "res/de/Tables.h"

namespace zorun::res {

const LanguageResources& German() {
    static const LanguageResources language{
        .code = "de",
        .platform =
            {
                .strings = {de::stringTable},
                .menus = {de::mainMenus, de::contextMenus, de::monitorMenus},
                .toolBars = {de::mainToolBars, de::monitorToolBars},
                .dialogs = {de::shellDialogs, de::groupDialogs, de::listDialogs, de::monitorDialogs,
                            de::shortcutDialogs},
                .pictures = {de::pictures},
                .messageBoxButtons = {u"OK", u"Abbrechen", u"Ja", u"Nein"},
            },
        .defaultCatalogue = de::defaultCatalogueTexts,
        .helpPage = de::helpPage,
        .rules = {},
    };
    return language;
}

} // namespace zorun::res
