// The French build's resources, as one table.

#include "res/LanguageResources.h"
#include "res/fr/Tables.h"

namespace zorun::res {

const LanguageResources& French() {
    static const LanguageResources language{
        .code = "fr",
        .platform =
            {
                .strings = {fr::stringTable},
                .menus = {fr::mainMenus, fr::contextMenus, fr::monitorMenus},
                .toolBars = {fr::mainToolBars, fr::monitorToolBars},
                .dialogs = {fr::shellDialogs, fr::groupDialogs, fr::listDialogs, fr::monitorDialogs,
                            fr::shortcutDialogs},
                .pictures = {fr::pictures},
                .messageBoxButtons = {u"OK", u"Annuler", u"Oui", u"Non"},
            },
        .defaultCatalogue = fr::defaultCatalogueTexts,
        .helpPage = fr::helpPage,
        .rules = {.secondaryWindowsClearType = false, .centredMonitorTitle = true},
    };
    return language;
}

} // namespace zorun::res
