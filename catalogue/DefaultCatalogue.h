#pragma once
// The catalogue built when the settings file cannot be read: four groups
// with fixed names (the language's defaultGroupNames) and backgrounds,
// holding shortcuts to those of the device's standard programs that exist.

#include "catalogue/Catalogue.h"
#include "catalogue/DefaultCatalogueTexts.h"

// The default catalogue's contents from the device as it is now: each
// candidate program is looked up with FindExistingFile and added, with the
// icon reference "0", only when a file (not a folder) of that name exists.
[[nodiscard]] CatalogueContents DefaultCatalogueContents(const DefaultCatalogueTexts& texts);

// Replaces the whole catalogue with the default one. sysInfoMode becomes 0;
// defaultGroupNames are not touched. Always succeeds.
void BuildDefaultCatalogue(Catalogue& catalogue, const DefaultCatalogueTexts& texts);
// With the language's texts (inline for the linker, as Catalogue()).
inline void BuildDefaultCatalogue(Catalogue& catalogue) {
    BuildDefaultCatalogue(catalogue, LanguageDefaultCatalogueTexts());
}
