#pragma once
// The menus' handle table (internal to the menu code and the pop-up menu).

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/user/WinUser.h"

namespace zorun {

struct MenuItem {
    UINT flags = 0;
    UINT id = 0;
    HMENU sub = nullptr;
    std::u16string text;
};

struct MenuData {
    bool popup = false;
    std::vector<MenuItem> items;
};

class MenuTable {
  public:
    static MenuTable& Get();
    HMENU Create(bool popup);
    MenuData* Find(HMENU menu);
    // Destroys the menu and its pop-ups.
    bool Destroy(HMENU menu);
    // True when `target` is `from` or one of its pop-ups, at any depth.
    bool Reaches(HMENU from, HMENU target);
    // The item by position, or by command anywhere in the menu tree;
    // `holder` receives the menu that holds it.
    MenuItem* FindItem(HMENU menu, UINT item, UINT flags, HMENU* holder);

  private:
    std::unordered_map<std::uintptr_t, MenuData> menus_;
    std::uintptr_t next_ = 0x10000;
};

} // namespace zorun
