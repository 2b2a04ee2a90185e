// Stylus handling: selecting, the group tip, the tab-strip arrows, dragging
// a shortcut onto another group's tab, and the tap that starts a shortcut.

#include "catalogue/Catalogue.h"
#include "catalogue/ProgramHost.h"
#include "launcher/CZorunView.h"
#include "launcher/CommandIds.h"
#include "launcher/UniqueName.h"
#include "platform/base/Format.h"
#include "platform/shell/Gesture.h"

using namespace ViewLayout;

namespace {

constexpr int kLeftArrowPressedIcon = 189;
constexpr int kRightArrowPressedIcon = 188;
constexpr int kLeftArrowIcon = 191;
constexpr int kRightArrowIcon = 190;

} // namespace

int CZorunView::ShortcutAt(POINT p) const {
    const int count = ShortcutCount();
    for (int i = firstItem; i < count && i < firstItem + kShortcutsPerPage; ++i) {
        if (CellRect(i - firstItem).Contains(p))
            return i;
    }
    return -1;
}

void CZorunView::MoveFocus(int from, int to) {
    CClientDC dc(this);
    const int count = ShortcutCount();
    for (int index : {from, to}) {
        // Only cells on the shown page carry a focus rectangle.
        if (index < firstItem || index >= firstItem + kShortcutsPerPage || index >= count)
            continue;
        const RECT cell = CellRect(index - firstItem);
        DrawFocusRect(dc.GetSafeHdc(), &cell);
    }
}

void CZorunView::DrawDragFeedback(const RECT& square) {
    CClientDC dc(this);
    const RECT bar = FeedbackBar(square);
    DrawFocusRect(dc.GetSafeHdc(), &square);
    DrawFocusRect(dc.GetSafeHdc(), &bar);
}

void CZorunView::DrawArrowIcon(int number, POINT at) {
    HICON icon = LoadIconW(nullptr, number);
    if (!icon)
        return;
    CClientDC dc(this);
    DrawIconEx(dc.GetSafeHdc(), at.x, at.y, icon, 0, 0, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
}

void CZorunView::OnLButtonDown(UINT flags, CPoint point) {
    SetCapture();
    if (point.y > kStripTop) {
        const int cell = TabCellAt(point);
        const Catalogue* catalogue = GetCatalogue();
        const int groups = catalogue ? catalogue->GroupCount() : 0;
        if (cell >= 1 && cell <= 4) {
            const std::u16string text =
                zorun::Format(u"%s", CaptionText(tabCaptions[std::size_t(cell)]));
            SIZE size{};
            {
                CClientDC dc(this);
                GetTextExtentPoint32W(dc.GetSafeHdc(), text.c_str(), static_cast<int>(text.size()),
                                      &size);
            }
            const int x = point.x + size.cx > 240 ? point.x - size.cx / 2 - 20 : point.x;
            groupTip.Show(text, x, point.y);
            tipShown = true;
        } else if (cell == 0 && firstGroup > 0) {
            DrawArrowIcon(kLeftArrowPressedIcon, kLeftArrow);
            arrowPressed = 1;
        } else if (cell == 5 && firstGroup + 4 < groups) {
            DrawArrowIcon(kRightArrowPressedIcon, kRightArrow);
            arrowPressed = 2;
        }
    } else if (kShortcutHitArea.Contains(point)) {
        const int index = ShortcutAt(point);
        if (index != -1) {
            if (index != selectedItem) {
                MoveFocus(selectedItem, index);
                selectedItem = index;
            }
            RECT client{};
            GetClientRect(&client);
            dragRect = FeedbackSquare(point, client);
            pressArmed = true;
            // A new press starts a new gesture: a move left over from an
            // earlier drag must not turn this press into a drop.
            dragMoved = false;
        }
        SHRGINFO info{};
        info.cbSize = sizeof info;
        info.hwndClient = GetSafeHwnd();
        info.ptDown = point;
        info.dwFlags = 0;
        (void)SHRecognizeGesture(&info);
    }
    CWnd::OnLButtonDown(flags, point);
}

void CZorunView::OnMouseMove(UINT flags, CPoint point) {
    if (pressArmed) {
        RECT client{};
        GetClientRect(&client);
        previousDragRect = dragRect;
        dragRect = FeedbackSquare(point, client);
        if (!dragRectHidden)
            DrawDragFeedback(previousDragRect);
        dragRectHidden = false;
        DrawDragFeedback(dragRect);
        dragMoved = true;
    }
    CWnd::OnMouseMove(flags, point);
}

void CZorunView::OnLButtonUp(UINT flags, CPoint point) {
    if (ProgramHost* host = Host(); host && host->IsPageBarHeld())
        host->OnPageBarRelease(GetSafeHwnd(), flags, point);
    ::ReleaseCapture();
    if (tipShown) {
        groupTip.Hide();
        tipShown = false;
    }
    if (arrowPressed == 1)
        DrawArrowIcon(kLeftArrowIcon, kLeftArrow);
    else if (arrowPressed == 2)
        DrawArrowIcon(kRightArrowIcon, kRightArrow);

    bool dropped = false;
    if (point.y > kStripTop) {
        const int cell = TabCellAt(point);
        if (cell >= 1 && cell <= 4 && cell != currentTab) {
            if (pressArmed && dragMoved) {
                Drop(cell);
                dragMoved = false;
                dropped = true;
            } else {
                SelectGroup(cell);
            }
        } else if (arrowPressed > 0) {
            if (cell == 0 && arrowPressed == 1)
                SendMessage(ZorunViewMessage::TabsLeft);
            else if (cell == 5 && arrowPressed == 2)
                SendMessage(ZorunViewMessage::TabsRight);
        }
    }
    // The press on an arrow ends with its release, wherever that falls: a
    // later drag released over the arrow must not scroll the strip.
    arrowPressed = 0;
    if (!dropped && !dragRectHidden)
        DrawDragFeedback(dragRect);
    dragRectHidden = true;
    pressArmed = false;

    if (selectedItem != -1 && selectedItem >= firstItem &&
        selectedItem < firstItem + kShortcutsPerPage &&
        CellRect(selectedItem - firstItem).Contains(point))
        SendMessage(ZorunViewMessage::Launch, 0, selectedItem);
    CWnd::OnLButtonUp(flags, point);
}

void CZorunView::Drop(int tab) {
    Catalogue* catalogue = GetCatalogue();
    const GroupRecord* source = ShownGroup();
    // Nothing leaves the shown group unless it has somewhere to go.
    if (!catalogue || !source || selectedItem < 0 ||
        selectedItem >= static_cast<int>(source->Count()) ||
        !catalogue->IsValidPosition(firstGroup + tab - 1))
        return;
    const ShortcutRecord moved = source->Shortcut(static_cast<std::size_t>(selectedItem));
    // A full destination keeps the shortcut where it was.
    const int destinationGroup = firstGroup + tab - 1;
    ShortcutRecord added = moved;
    added.name = MakeUniqueName(moved.name, catalogue->Group(destinationGroup).names,
                                NameCompare::IgnoreCase);
    if (!RoomFor(destinationGroup, added, currentGroup, &moved)) {
        Repaint();
        return;
    }
    (void)catalogue->RemoveShortcut(currentGroup, selectedItem);

    SelectGroup(tab);
    if (const GroupRecord* destination = ShownGroup()) {
        const std::u16string name =
            MakeUniqueName(moved.name, destination->names, NameCompare::IgnoreCase);
        (void)catalogue->AppendShortcut(currentGroup, {moved.target, name, moved.iconRef});
    }
    pageCount = ViewLayout::PageCount(ShortcutCount());
    Repaint();
}
