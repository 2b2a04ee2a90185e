#pragma once
// The tables of the English resource files, gathered by Language.cpp.

#include <span>

#include "catalogue/DefaultCatalogueTexts.h"
#include "platform/afx/PlatformResources.h"

namespace zorun::res::en {

extern const std::span<const StringResource> stringTable;
extern const std::span<const MenuTemplate> mainMenus, contextMenus;
extern const std::span<const ToolBarTemplate> mainToolBars;
extern const std::span<const DialogTemplate> shellDialogs;
extern const std::span<const EmbeddedPicture> pictures; // generated from the art
extern const DefaultCatalogueTexts defaultCatalogueTexts;

} // namespace zorun::res::en
