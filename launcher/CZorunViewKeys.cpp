// Keys: the arrows move the selection (Left and Right within a row, Up and
// Down through the list, across pages, wrapping at the ends); Enter starts
// the selected shortcut.

#include "launcher/CZorunView.h"

using namespace ViewLayout;

void CZorunView::OnKeyDown(UINT vk, UINT repeat, UINT flags) {
    if (vk == VK_RETURN) {
        if (selectedItem != -1)
            StartShortcut(selectedItem, LaunchVariant::Key);
    } else {
        const SelectionMove move =
            MoveSelection(static_cast<int>(vk), selectedItem, firstItem, ShortcutCount());
        switch (move.kind) {
        case SelectionMove::Kind::None:
            break;
        case SelectionMove::Kind::MoveFocus:
            MoveFocus(selectedItem, move.selectedItem);
            selectedItem = move.selectedItem;
            break;
        case SelectionMove::Kind::Repaint:
            selectedItem = move.selectedItem;
            firstItem = move.firstItem;
            Repaint();
            break;
        }
    }
    CWnd::OnKeyDown(vk, repeat, flags);
}
