// The Spanish build's resources, as one table.

#include "res/LanguageResources.h"
#include "res/es/Tables.h"

namespace zorun::res {

const LanguageResources& Spanish() {
    static const LanguageResources language{
        .code = "es",
        .platform =
            {
                .strings = {es::stringTable},
                .menus = {es::mainMenus, es::contextMenus, es::monitorMenus},
                .toolBars = {es::mainToolBars, es::monitorToolBars},
                .dialogs = {es::shellDialogs, es::groupDialogs, es::listDialogs, es::monitorDialogs,
                            es::shortcutDialogs},
                .pictures = {es::pictures},
                .messageBoxButtons = {u"Aceptar", u"Cancelar", u"Sí", u"No"},
            },
        .defaultCatalogue = es::defaultCatalogueTexts,
        .helpPage = es::helpPage,
        .rules = {},
    };
    return language;
}

} // namespace zorun::res
