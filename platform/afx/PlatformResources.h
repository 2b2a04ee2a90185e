#pragma once
// What the platform takes from a language's resources: its string table,
// menus, tool bars, dialog templates and pictures, each as the tables of the
// files that define them, and the words of the message boxes' buttons. The program hands them over
// once at start-up; nothing in the platform knows which language it is.

#include <span>
#include <vector>

#include "platform/afx/StringTable.h"
#include "platform/gdi/EmbeddedPicture.h"
#include "platform/user/CommandBar.h"
#include "platform/user/Dialog.h"
#include "platform/user/Menu.h"
#include "platform/user/MessageBoxTexts.h"
#include "platform/user/SoftKeyboardLayout.h"

namespace zorun {

struct PlatformResources {
    std::vector<std::span<const StringResource>> strings;
    std::vector<std::span<const MenuTemplate>> menus;
    std::vector<std::span<const ToolBarTemplate>> toolBars;
    std::vector<std::span<const DialogTemplate>> dialogs;
    std::vector<std::span<const EmbeddedPicture>> pictures;
    MessageBoxTexts messageBoxButtons;
    bool softKeyboardKana = false; // the soft keyboard's kana page
};

// Makes `resources` the ones every lookup by number answers from (after any
// table a caller added itself), replacing a language handed over before.
inline void UsePlatformResources(const PlatformResources& resources) {
    StringTables().SetLanguage(resources.strings);
    MenuTemplateTables().SetLanguage(resources.menus);
    ToolBarTemplateTables().SetLanguage(resources.toolBars);
    DialogTemplateTables().SetLanguage(resources.dialogs);
    PictureTables().SetLanguage(resources.pictures);
    MessageBoxTextsInUse() = resources.messageBoxButtons;
    SoftKeyboardKanaInUse() = resources.softKeyboardKana;
}

} // namespace zorun
