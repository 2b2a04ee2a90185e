#pragma once
// Menus beyond WinUser.h's declarations: menus by resource number from
// registered templates, check marks, item texts, and the pop-up menu's
// placement rule. Menus live in a handle table; a destroyed menu's handle is
// simply not found, and every call on it fails safely.

#include <span>
#include <string>
#include <vector>

#include "platform/base/ResourceTables.h"
#include "platform/user/WinUser.h"

constexpr UINT MF_UNCHECKED = 0x0000, MF_END = 0x0080;
constexpr UINT TPM_RIGHTALIGN = 0x0008, TPM_BOTTOMALIGN = 0x0020;

UINT CheckMenuItem(HMENU menu, UINT item, UINT flags); // previous check state or -1
BOOL IsMenu(HMENU menu);
BOOL DeleteMenu(HMENU menu, UINT item, UINT flags);
BOOL InsertMenuW(HMENU menu, UINT position, UINT flags, std::uintptr_t idOrSubmenu,
                 const char16_t* text);
// The item's text (by command or by position); empty when there is none.
std::u16string GetMenuString(HMENU menu, UINT item, UINT flags);
BOOL ModifyMenuText(HMENU menu, UINT item, const char16_t* text); // item by command
BOOL IsPopupMenu(HMENU menu);

namespace zorun {

// One item of a menu template. Items are listed depth first; `level` is the
// nesting depth (0 for the top menu's items). A pop-up's items follow it at
// level + 1. A separator has no text.
struct MenuTemplateItem {
    int level;
    UINT flags; // MF_POPUP, MF_SEPARATOR, MF_GRAYED, MF_CHECKED
    UINT id;
    const char16_t* text;
};

struct MenuTemplate {
    int number;
    std::span<const MenuTemplateItem> items;
};

// Builds a menu (a menu bar whose items are the level-0 entries) from a
// template. Malformed levels (a jump of more than one) are clamped.
[[nodiscard]] HMENU LoadMenuIndirect(std::span<const MenuTemplateItem> items);

// Menu templates by number, from the language's resources handed over at
// start-up.
inline ResourceTables<MenuTemplate>& MenuTemplateTables() {
    static ResourceTables<MenuTemplate> tables;
    return tables;
}
// A table of the caller's own, ahead of the language's.
inline bool RegisterMenuTemplates(std::span<const MenuTemplate> table) {
    MenuTemplateTables().Add(table);
    return true;
}

} // namespace zorun

// The menu registered under `number`, freshly built; nullptr when unknown.
HMENU LoadMenuW(HINSTANCE instance, int number);
