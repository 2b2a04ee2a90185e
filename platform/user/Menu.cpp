#include "platform/user/Menu.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "platform/user/MenuTable.h"

namespace zorun {

MenuTable& MenuTable::Get() {
    static MenuTable table;
    return table;
}

HMENU MenuTable::Create(bool popup) {
    const auto key = next_++;
    menus_[key].popup = popup;
    return reinterpret_cast<HMENU>(key);
}

MenuData* MenuTable::Find(HMENU menu) {
    auto it = menus_.find(reinterpret_cast<std::uintptr_t>(menu));
    return it == menus_.end() ? nullptr : &it->second;
}

bool MenuTable::Destroy(HMENU menu) {
    auto it = menus_.find(reinterpret_cast<std::uintptr_t>(menu));
    if (it == menus_.end())
        return false;
    std::vector<HMENU> subs;
    for (const auto& item : it->second.items)
        if (item.sub)
            subs.push_back(item.sub);
    menus_.erase(it);
    for (HMENU sub : subs)
        Destroy(sub);
    return true;
}

bool MenuTable::Reaches(HMENU from, HMENU target) {
    if (from == target)
        return true;
    const MenuData* data = Find(from);
    if (!data)
        return false;
    for (const auto& item : data->items)
        if (item.sub && Reaches(item.sub, target))
            return true;
    return false;
}

MenuItem* MenuTable::FindItem(HMENU menu, UINT item, UINT flags, HMENU* holder) {
    MenuData* data = Find(menu);
    if (!data)
        return nullptr;
    if (flags & MF_BYPOSITION) {
        if (item >= data->items.size())
            return nullptr;
        if (holder)
            *holder = menu;
        return &data->items[item];
    }
    // By command: this menu's items first, then its pop-ups, depth first.
    for (auto& it : data->items)
        if (!it.sub && !(it.flags & MF_SEPARATOR) && it.id == item) {
            if (holder)
                *holder = menu;
            return &it;
        }
    for (auto& it : data->items)
        if (it.sub)
            if (MenuItem* found = FindItem(it.sub, item, flags, holder))
                return found;
    return nullptr;
}

} // namespace zorun

using zorun::MenuItem;
using zorun::MenuTable;

HMENU CreateMenu() {
    return MenuTable::Get().Create(false);
}
HMENU CreatePopupMenu() {
    return MenuTable::Get().Create(true);
}
BOOL IsMenu(HMENU menu) {
    return MenuTable::Get().Find(menu) ? TRUE : FALSE;
}
BOOL IsPopupMenu(HMENU menu) {
    const auto* data = MenuTable::Get().Find(menu);
    return data && data->popup ? TRUE : FALSE;
}
BOOL DestroyMenu(HMENU menu) {
    return MenuTable::Get().Destroy(menu) ? TRUE : FALSE;
}

BOOL InsertMenuW(HMENU menu, UINT position, UINT flags, std::uintptr_t idOrSubmenu,
                 const char16_t* text) {
    auto& table = MenuTable::Get();
    zorun::MenuData* data = table.Find(menu);
    if (!data)
        return FALSE;
    MenuItem item;
    item.flags = flags & ~(MF_BYPOSITION | MF_END);
    if (flags & MF_POPUP) {
        item.sub = reinterpret_cast<HMENU>(idOrSubmenu);
        // A pop-up must exist and must not contain this menu (no cycles).
        if (!table.Find(item.sub) || table.Reaches(item.sub, menu))
            return FALSE;
    } else if (!(flags & MF_SEPARATOR)) {
        item.id = static_cast<UINT>(idOrSubmenu);
    }
    if (text && !(flags & MF_SEPARATOR))
        item.text = text;
    const auto at = std::min<std::size_t>(position, data->items.size());
    data->items.insert(data->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
    return TRUE;
}

BOOL AppendMenuW(HMENU menu, UINT flags, std::uintptr_t idOrSubmenu, const char16_t* text) {
    return InsertMenuW(menu, static_cast<UINT>(-1), flags, idOrSubmenu, text);
}

BOOL DeleteMenu(HMENU menu, UINT item, UINT flags) {
    HMENU holder = nullptr;
    MenuItem* found = MenuTable::Get().FindItem(menu, item, flags, &holder);
    if (!found)
        return FALSE;
    zorun::MenuData* data = MenuTable::Get().Find(holder);
    const auto index = found - data->items.data();
    HMENU sub = found->sub;
    data->items.erase(data->items.begin() + index);
    if (sub)
        MenuTable::Get().Destroy(sub);
    return TRUE;
}

HMENU GetSubMenu(HMENU menu, int position) {
    const auto* data = MenuTable::Get().Find(menu);
    if (!data || position < 0 || static_cast<std::size_t>(position) >= data->items.size())
        return nullptr;
    return data->items[static_cast<std::size_t>(position)].sub;
}

int GetMenuItemCount(HMENU menu) {
    const auto* data = MenuTable::Get().Find(menu);
    return data ? static_cast<int>(data->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
    const auto* data = MenuTable::Get().Find(menu);
    if (!data || position < 0 || static_cast<std::size_t>(position) >= data->items.size())
        return static_cast<UINT>(-1);
    const auto& item = data->items[static_cast<std::size_t>(position)];
    if (item.sub)
        return static_cast<UINT>(-1);
    return (item.flags & MF_SEPARATOR) ? 0 : item.id;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    const MenuItem* found = MenuTable::Get().FindItem(menu, item, flags, nullptr);
    if (!found)
        return static_cast<UINT>(-1);
    UINT state = found->flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR);
    if (found->sub)
        state |= MF_POPUP | (static_cast<UINT>(std::max(0, GetMenuItemCount(found->sub))) << 8);
    return state;
}

UINT EnableMenuItem(HMENU menu, UINT item, UINT flags) {
    MenuItem* found = MenuTable::Get().FindItem(menu, item, flags, nullptr);
    if (!found)
        return static_cast<UINT>(-1);
    const UINT previous = found->flags & (MF_GRAYED | MF_DISABLED);
    found->flags =
        (found->flags & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
    return previous;
}

UINT CheckMenuItem(HMENU menu, UINT item, UINT flags) {
    MenuItem* found = MenuTable::Get().FindItem(menu, item, flags, nullptr);
    if (!found)
        return static_cast<UINT>(-1);
    const UINT previous = found->flags & MF_CHECKED;
    found->flags = (found->flags & ~MF_CHECKED) | (flags & MF_CHECKED);
    return previous;
}

std::u16string GetMenuString(HMENU menu, UINT item, UINT flags) {
    const MenuItem* found = MenuTable::Get().FindItem(menu, item, flags, nullptr);
    return found ? found->text : std::u16string();
}

BOOL ModifyMenuText(HMENU menu, UINT item, const char16_t* text) {
    MenuItem* found = MenuTable::Get().FindItem(menu, item, MF_BYCOMMAND, nullptr);
    if (!found)
        return FALSE;
    found->text = text ? text : u"";
    return TRUE;
}

HMENU zorun::LoadMenuIndirect(std::span<const MenuTemplateItem> items) {
    HMENU root = ::CreateMenu();
    std::vector<HMENU> stack{root}; // stack[level] = the menu receiving that level
    for (const auto& item : items) {
        const auto level =
            static_cast<std::size_t>(std::clamp(item.level, 0, static_cast<int>(stack.size()) - 1));
        stack.resize(level + 1);
        HMENU parent = stack.back();
        if (item.flags & MF_POPUP) {
            HMENU sub = ::CreatePopupMenu();
            AppendMenuW(parent, item.flags, reinterpret_cast<std::uintptr_t>(sub), item.text);
            stack.push_back(sub);
        } else {
            AppendMenuW(parent, item.flags, item.id, item.text);
        }
    }
    return root;
}

HMENU LoadMenuW(HINSTANCE, int number) {
    const zorun::MenuTemplate* found =
        zorun::MenuTemplateTables().Find([number](const auto& t) { return t.number == number; });
    return found ? zorun::LoadMenuIndirect(found->items) : nullptr;
}
