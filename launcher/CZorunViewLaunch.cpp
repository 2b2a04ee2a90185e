// Starting the shortcut of the shown group: by the launch message after a
// tap, and by Enter (which skips the calendar rewrite).

#include "catalogue/DefaultCatalogueTexts.h"
#include "launcher/CZorunView.h"

LRESULT CZorunView::OnLaunch(WPARAM, LPARAM index) {
    StartShortcut(static_cast<int>(index), LaunchVariant::Message);
    return 0;
}

void CZorunView::StartShortcut(int index, LaunchVariant variant) {
    const GroupRecord* group = ShownGroup();
    // The index comes in a message: anything outside the list starts nothing.
    if (!group || index < 0 || index >= static_cast<int>(group->Count()))
        return;
    const std::u16string target = group->targets[static_cast<std::size_t>(index)];
    // The calendar is rewritten to the build's own Start-menu link.
    const DefaultCatalogueTexts& texts = LanguageDefaultCatalogueTexts();
    const std::u16string calendarLink =
        std::u16string(texts.startMenuFolder) + u"\\" + texts.calendarLink;
    (void)LaunchShortcut(target, variant, calendarLink);
}
