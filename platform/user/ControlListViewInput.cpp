// The list view under the stylus and the keys. A tap on a row selects it
// and focuses it (LVN_ITEMCHANGING / LVN_ITEMCHANGED for each item whose
// state changes), then NM_CLICK; a second tap on the same row soon after is
// NM_DBLCLK; a tap below the rows clears the selection. A press that moves
// scrolls the rows (or the columns sideways) instead and chooses nothing;
// one on a scroll bar works the bar. The header's buttons report
// LVN_COLUMNCLICK unless LVS_NOSORTHEADER. Up, Down, Page Up, Page Down,
// Home, End and Space move the selection; Left and Right scroll sideways.
// Hit tests find what lies under a point as the list is scrolled.
#include <algorithm>

#include "platform/user/ControlListView.h"
#include "platform/user/ControlSupport.h"

namespace zorun {

namespace {

constexpr DWORD kDoubleTapMs = 500;

// The column under a client x; -1 past the last one.
int ColumnAt(const ListViewState& s, int left, int x) {
    int edge = left - s.xOffset;
    for (int c = 0; c < s.model.ColumnCount(); ++c) {
        edge += s.model.ColumnAt(c)->width;
        if (x < edge)
            return c;
    }
    return -1;
}

// The item of the row at `p` in the rows' area; -1 below the rows or
// outside them.
int ItemAt(const RECT& content, const ListViewState& s, POINT p) {
    if (!content.Contains(p))
        return -1;
    const int index = s.top + (p.y - content.top) / ListViewRowHeight(s);
    return s.model.ValidItem(index) ? index : -1;
}

void NotifyActivate(HWND hwnd, UINT code, int item, int subItem, POINT at) {
    NMITEMACTIVATE nm{};
    nm.iItem = item;
    nm.iSubItem = subItem;
    nm.ptAction = at;
    if (const ListViewState* s = FindListView(hwnd); s && s->model.ValidItem(item)) {
        nm.uNewState = nm.uOldState = s->model.State(item);
        nm.lParam = s->model.ItemAt(item)->param;
    }
    ListViewNotify(hwnd, code, &nm.hdr);
}

} // namespace

void ListViewPress(HWND hwnd, POINT p) {
    if (GetFocus() != hwnd)
        SetFocus(hwnd); // tells the parent (NM_SETFOCUS), which may act
    ListViewState* found = FindListView(hwnd);
    if (!found)
        return;
    ListViewState& st = *found;
    const RECT inner = ListViewInner(hwnd);
    st.drag.start = p;
    st.drag.startPosition = st.top;
    st.startXOffset = st.xOffset;
    st.pressedItem = -1;
    st.panning = false;
    if (p.y < ListViewContent(hwnd, st).top) {
        // The header: its buttons press only when they sort.
        st.drag.mode = ScrollDrag::Mode::Bar;
        if (!(StyleOf(hwnd) & LVS_NOSORTHEADER)) {
            st.pressedColumn = ColumnAt(st, inner.left, p.x);
            InvalidateRect(hwnd, nullptr, TRUE);
        }
        SetCapture(hwnd);
        return;
    }
    SetCapture(hwnd);
    if (ListViewPressBar(hwnd, st, p))
        return;
    st.drag.mode = ScrollDrag::Mode::Pressed;
    st.pressedItem = ItemAt(ListViewContent(hwnd, st), st, p);
}

void ListViewMove(HWND hwnd, ListViewState& s, POINT p) {
    switch (s.drag.mode) {
    case ScrollDrag::Mode::Thumb:
        ListViewDragThumb(hwnd, s, p);
        return;
    case ScrollDrag::Mode::Pressed: {
        const int dx = p.x - s.drag.start.x, dy = p.y - s.drag.start.y;
        const int adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
        if (adx <= ScrollDrag::kSlop && ady <= ScrollDrag::kSlop)
            return;
        const bool sideways = adx > ady && ListViewMaxXOffset(hwnd, s) > 0;
        if (!sideways && ListViewMaxTop(hwnd, s) == 0)
            return; // nothing to scroll: still a tap
        s.drag.mode = ScrollDrag::Mode::Scrolling;
        s.panning = sideways;
        [[fallthrough]];
    }
    case ScrollDrag::Mode::Scrolling:
        if (s.panning)
            ListViewSetXOffset(hwnd, s, s.startXOffset + (s.drag.start.x - p.x));
        else
            ListViewSetTop(hwnd, s, s.drag.ContentPosition(p.y, ListViewRowHeight(s)));
        return;
    default:
        return;
    }
}

void ListViewRelease(HWND hwnd, ListViewState& s, POINT p) {
    if (s.heldBar >= 0) {
        ListViewReleaseBar(hwnd, s); // may destroy us
        if (IsWindow(hwnd) && GetCapture() == hwnd)
            ReleaseCapture();
        return;
    }
    const ScrollDrag::Mode mode = s.drag.mode;
    s.drag.mode = ScrollDrag::Mode::None;
    const int column = s.pressedColumn;
    s.pressedColumn = -1;
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (column >= 0) {
        InvalidateRect(hwnd, nullptr, TRUE);
        const RECT inner = ListViewInner(hwnd);
        if (p.y >= inner.top && p.y < ListViewContent(hwnd, s).top &&
            ColumnAt(s, inner.left, p.x) == column) {
            NMLISTVIEW nm{};
            nm.iItem = -1;
            nm.iSubItem = column;
            ListViewNotify(hwnd, LVN_COLUMNCLICK, &nm.hdr);
        }
        return;
    }
    if (mode != ScrollDrag::Mode::Pressed)
        return;
    const int item = s.pressedItem;
    const int subItem = std::max(0, ColumnAt(s, ListViewInner(hwnd).left, s.drag.start.x));
    const DWORD now = GetTickCount();
    const bool doubleTap =
        item >= 0 && item == s.lastTapItem && now - s.lastTapTime <= kDoubleTapMs;
    s.lastTapItem = doubleTap ? -1 : item;
    s.lastTapTime = now;
    if (doubleTap) {
        NotifyActivate(hwnd, NM_DBLCLK, item, subItem, s.drag.start);
        return;
    }
    const POINT at = s.drag.start;
    ListViewChoose(hwnd, item);
    if (IsWindow(hwnd))
        NotifyActivate(hwnd, NM_CLICK, item, subItem, at);
}

void ListViewKey(HWND hwnd, ListViewState& s, int vk) {
    // In a report there is nothing beside an item to move to: Left and
    // Right scroll the columns.
    if (vk == VK_LEFT || vk == VK_RIGHT) {
        SendMessageW(hwnd, WM_HSCROLL, MAKEWPARAM(vk == VK_LEFT ? SB_LINELEFT : SB_LINERIGHT, 0),
                     0);
        return;
    }
    const int count = s.model.ItemCount();
    if (count == 0)
        return;
    int current = s.model.NextWith(-1, LVIS_FOCUSED);
    if (current < 0)
        current = s.model.NextWith(-1, LVIS_SELECTED);
    const int page = ListViewVisibleRows(hwnd, s);
    int next = current;
    if (const auto row = RowAfterKey(vk, current, count, page))
        next = *row;
    else if (vk == VK_SPACE)
        next = std::max(0, current);
    else
        return;
    ListViewChoose(hwnd, std::clamp(next, 0, count - 1));
}

LRESULT ListViewHitTest(HWND hwnd, const ListViewState& s, LVHITTESTINFO* info, bool subItems) {
    if (!info)
        return -1;
    const RECT content = ListViewContent(hwnd, s);
    const POINT p = info->pt;
    info->iItem = -1;
    info->iSubItem = 0;
    info->flags = 0;
    // The header, the bars and what lies outside the client area.
    if (p.y < content.top)
        info->flags |= LVHT_ABOVE;
    else if (p.y >= content.bottom)
        info->flags |= LVHT_BELOW;
    if (p.x < content.left)
        info->flags |= LVHT_TOLEFT;
    else if (p.x >= content.right)
        info->flags |= LVHT_TORIGHT;
    if (info->flags)
        return -1;
    const int item = ItemAt(content, s, p);
    const int column = ColumnAt(s, content.left, p.x);
    if (item < 0 || (subItems && column < 0)) {
        info->flags = LVHT_NOWHERE;
        return -1;
    }
    info->flags = LVHT_ONITEM;
    info->iItem = item;
    info->iSubItem = std::max(0, column);
    return item;
}

} // namespace zorun
