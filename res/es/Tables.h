#pragma once
// The tables of the Spanish resource files, gathered by Language.cpp.

#include <span>
#include <string_view>

#include "catalogue/DefaultCatalogueTexts.h"
#include "platform/afx/PlatformResources.h"

namespace zorun::res::es {

extern const std::span<const StringResource> stringTable;
extern const std::span<const MenuTemplate> mainMenus, contextMenus, monitorMenus;
extern const std::span<const ToolBarTemplate> mainToolBars, monitorToolBars;
extern const std::span<const DialogTemplate> shellDialogs, groupDialogs, listDialogs,
    monitorDialogs, shortcutDialogs;
extern const std::span<const EmbeddedPicture> pictures; // generated from the art
extern const DefaultCatalogueTexts defaultCatalogueTexts;
extern const std::string_view helpPage; // generated from help/Zorun.htm

} // namespace zorun::res::es
