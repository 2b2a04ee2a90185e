#pragma once
// A menu handle with the framework's member functions. A CMenu made by
// CreateMenu/CreatePopupMenu/LoadMenu owns its menu and destroys it; one made
// by Attach or handed to a handler (OnInitMenuPopup) does not.

#include <memory>
#include <string>
#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/user/Menu.h"

class CWnd;

class CMenu {
  public:
    CMenu() = default;
    // A non-owning view of `menu`.
    explicit CMenu(HMENU menu) : m_hMenu(menu) {}
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
    ~CMenu();

    HMENU m_hMenu = nullptr;

    [[nodiscard]] HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; } // NOLINT(google-explicit-constructor)

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL LoadMenu(UINT number);
    BOOL DestroyMenu();
    BOOL Attach(HMENU menu); // non-owning
    HMENU Detach();

    BOOL AppendMenu(UINT flags, UINT_PTR idOrSubmenu = 0, const char16_t* text = nullptr);
    UINT EnableMenuItem(UINT item, UINT flags);
    UINT CheckMenuItem(UINT item, UINT flags);
    [[nodiscard]] int GetMenuItemCount() const;
    [[nodiscard]] UINT GetMenuItemID(int position) const;
    [[nodiscard]] UINT GetMenuState(UINT item, UINT flags) const;
    [[nodiscard]] std::u16string GetMenuString(UINT item, UINT flags) const;
    // The pop-up at `position`, as a non-owning CMenu kept by this object
    // (valid while this object lives).
    CMenu* GetSubMenu(int position);
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, const RECT* rect = nullptr);

  private:
    bool owned_ = false;
    std::vector<std::unique_ptr<CMenu>> subs_; // views handed out by GetSubMenu
};
