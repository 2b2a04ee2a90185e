#pragma once
// One language build's resources as one table: what the platform shows
// (strings, menus, tool bars, dialogs, pictures) and the texts of the
// default catalogue. `main` hands its language's table over at start-up;
// nothing below the application refers to res/.
//
// Each language folder res/<lang>/ defines its table in Language.cpp from
// the tables of its other files (declared in res/<lang>/Tables.h); a new
// resource file adds its tables there.

#include <string_view>

#include "app/HelpPage.h"
#include "catalogue/DefaultCatalogueTexts.h"
#include "catalogue/LanguageRules.h"
#include "platform/afx/PlatformResources.h"

namespace zorun::res {

struct LanguageResources {
    const char* code; // "en", "es", "ja", "it", "de", "fr"
    PlatformResources platform;
    const DefaultCatalogueTexts& defaultCatalogue;
    std::string_view helpPage; // "Zorun.htm"
    LanguageRules rules;
};

// Hands `language` to the platform and the program.
inline void UseLanguage(const LanguageResources& language) {
    UsePlatformResources(language.platform);
    UseDefaultCatalogueTexts(language.defaultCatalogue);
    UseHelpPage(language.helpPage);
    UseLanguageRules(language.rules);
}

// Each defined by its language's resource library, res_<code>.
[[nodiscard]] const LanguageResources& English();
[[nodiscard]] const LanguageResources& Spanish();
[[nodiscard]] const LanguageResources& Japanese();
[[nodiscard]] const LanguageResources& Italian();
[[nodiscard]] const LanguageResources& German();
[[nodiscard]] const LanguageResources& French();

} // namespace zorun::res
