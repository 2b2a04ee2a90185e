// Press and hold: the platform's gesture recogniser reports the gesture as a
// notification from the view's own window, and the view opens menu 156 on a
// shortcut or menu 157 elsewhere, at the press point.

#include "launcher/CZorunView.h"
#include "launcher/CommandIds.h"
#include "platform/afx/CMenu.h"
#include "platform/shell/Gesture.h"
#include "platform/user/Menu.h"

LRESULT CZorunView::OnNotify(WPARAM wParam, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->code == GN_CONTEXTMENU && header->hwndFrom == GetSafeHwnd()) {
        ShowContextMenu();
        return 0;
    }
    return DefWindowProc(WM_NOTIFY, wParam, lParam);
}

void CZorunView::ShowContextMenu() {
    const DWORD position = GetMessagePos();
    POINT point{GET_X_LPARAM(static_cast<LPARAM>(position)),
                GET_Y_LPARAM(static_cast<LPARAM>(position))};
    ScreenToClient(&point);
    const int menuNumber = ShortcutAt(point) != -1 ? kShortcutMenu : kAreaMenu;
    if (HMENU menu = LoadMenuW(nullptr, menuNumber)) {
        if (HMENU popup = GetSubMenu(menu, 0)) {
            POINT screen = point;
            ClientToScreen(&screen);
            TrackPopupMenu(popup, TPM_LEFTALIGN, screen.x, screen.y, 0, GetSafeHwnd(), nullptr);
        }
        DestroyMenu(menu);
    }
    pressArmed = false;
}
