#include "platform/afx/CMenu.h"

#include "platform/afx/CWnd.h"

CMenu::~CMenu() {
    if (owned_)
        ::DestroyMenu(m_hMenu);
}

BOOL CMenu::CreateMenu() {
    DestroyMenu();
    m_hMenu = ::CreateMenu();
    owned_ = m_hMenu != nullptr;
    return owned_ ? TRUE : FALSE;
}

BOOL CMenu::CreatePopupMenu() {
    DestroyMenu();
    m_hMenu = ::CreatePopupMenu();
    owned_ = m_hMenu != nullptr;
    return owned_ ? TRUE : FALSE;
}

BOOL CMenu::LoadMenu(UINT number) {
    DestroyMenu();
    m_hMenu = ::LoadMenuW(nullptr, static_cast<int>(number));
    owned_ = m_hMenu != nullptr;
    return owned_ ? TRUE : FALSE;
}

BOOL CMenu::DestroyMenu() {
    BOOL ok = FALSE;
    if (owned_ && m_hMenu)
        ok = ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    owned_ = false;
    return ok;
}

BOOL CMenu::Attach(HMENU menu) {
    DestroyMenu();
    m_hMenu = menu;
    return menu ? TRUE : FALSE;
}

HMENU CMenu::Detach() {
    HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    owned_ = false;
    return menu;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idOrSubmenu, const char16_t* text) {
    return ::AppendMenuW(m_hMenu, flags, idOrSubmenu, text);
}

UINT CMenu::EnableMenuItem(UINT item, UINT flags) {
    return ::EnableMenuItem(m_hMenu, item, flags);
}
UINT CMenu::CheckMenuItem(UINT item, UINT flags) {
    return ::CheckMenuItem(m_hMenu, item, flags);
}
int CMenu::GetMenuItemCount() const {
    return ::GetMenuItemCount(m_hMenu);
}
UINT CMenu::GetMenuItemID(int position) const {
    return ::GetMenuItemID(m_hMenu, position);
}
UINT CMenu::GetMenuState(UINT item, UINT flags) const {
    return ::GetMenuState(m_hMenu, item, flags);
}
std::u16string CMenu::GetMenuString(UINT item, UINT flags) const {
    return ::GetMenuString(m_hMenu, item, flags);
}

CMenu* CMenu::GetSubMenu(int position) {
    HMENU sub = ::GetSubMenu(m_hMenu, position);
    if (!sub)
        return nullptr;
    for (auto& s : subs_)
        if (s->m_hMenu == sub)
            return s.get();
    subs_.push_back(std::make_unique<CMenu>(sub));
    return subs_.back().get();
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, const RECT* rect) {
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->GetSafeHwnd() : nullptr, rect);
}
