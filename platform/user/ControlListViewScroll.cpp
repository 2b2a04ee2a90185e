// The list view's scrolling: the rows up and down, the columns sideways
// (the header with them), by its two scroll bars, by WM_VSCROLL and
// WM_HSCROLL, LVM_SCROLL, LVM_ENSUREVISIBLE and the scroll-information
// messages. The bars work as a window's standard bars: the stylus on them
// makes the list send WM_VSCROLL / WM_HSCROLL to itself, ending with
// SB_ENDSCROLL when it is lifted.
#include <algorithm>
#include <cstdlib>

#include "platform/user/ControlListView.h"
#include "platform/user/ControlSupport.h"

namespace zorun {

namespace {

void SendScroll(HWND hwnd, int bar, int code, int position = 0) {
    SendMessageW(hwnd, bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL,
                 MAKEWPARAM(code, position & 0xFFFF), 0);
}

// Where a WM_HSCROLL / WM_VSCROLL asks the view to go; `page` and `line`
// in the bar's units.
int ScrollTarget(const ListViewState& s, int bar, WPARAM wParam, int position, int line, int page,
                 int max) {
    switch (static_cast<int>(LOWORD(wParam))) {
    case SB_LINEUP:
        return position - line;
    case SB_LINEDOWN:
        return position + line;
    case SB_PAGEUP:
        return position - page;
    case SB_PAGEDOWN:
        return position + page;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        // The thumb under the stylus: the full position, which the 16 bits
        // of the message may not hold.
        if (s.heldBar == bar && s.drag.mode == ScrollDrag::Mode::Thumb)
            return s.trackPosition;
        return static_cast<int>(HIWORD(wParam));
    case SB_TOP:
        return 0;
    case SB_BOTTOM:
        return max;
    default:
        return position;
    }
}

void FillScrollInfo(HWND hwnd, const ListViewState& s, int bar, SCROLLINFO* info) {
    const ListViewLayout layout = ListViewLayoutOf(hwnd, s);
    const bool horizontal = bar == SB_HORZ;
    const int total = horizontal ? s.model.TotalWidth() : s.model.ItemCount();
    const int page = horizontal ? layout.content.Width() : layout.visibleRows;
    const int position = horizontal ? s.xOffset : s.top;
    if (info->fMask & SIF_RANGE) {
        info->nMin = 0;
        info->nMax = std::max(0, total - 1);
    }
    if (info->fMask & SIF_PAGE)
        info->nPage = static_cast<UINT>(std::max(0, page));
    if (info->fMask & SIF_POS)
        info->nPos = position;
    if (info->fMask & SIF_TRACKPOS)
        info->nTrackPos =
            s.heldBar == bar && s.drag.mode == ScrollDrag::Mode::Thumb ? s.trackPosition : position;
}

// Rounds a pixel distance to whole rows, away from nothing: any part of a
// row scrolls the whole row.
int RowsFor(int dy, int rowHeight) {
    if (dy == 0)
        return 0;
    const int rows = (std::abs(dy) + rowHeight - 1) / rowHeight;
    return dy < 0 ? -rows : rows;
}

} // namespace

int ListViewMaxTop(HWND hwnd, const ListViewState& s) {
    return std::max(0, s.model.ItemCount() - ListViewVisibleRows(hwnd, s));
}

int ListViewMaxXOffset(HWND hwnd, const ListViewState& s) {
    return std::max(0, s.model.TotalWidth() - ListViewContent(hwnd, s).Width());
}

void ListViewSetTop(HWND hwnd, ListViewState& s, int top) {
    top = std::clamp(top, 0, ListViewMaxTop(hwnd, s));
    if (top != s.top) {
        s.top = top;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

void ListViewSetXOffset(HWND hwnd, ListViewState& s, int x) {
    x = std::clamp(x, 0, ListViewMaxXOffset(hwnd, s));
    if (x != s.xOffset) {
        s.xOffset = x;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

void ListViewClampScroll(HWND hwnd, ListViewState& s) {
    ListViewSetTop(hwnd, s, s.top);
    ListViewSetXOffset(hwnd, s, s.xOffset);
}

void ListViewEnsureRowVisible(HWND hwnd, ListViewState& s, int index) {
    if (!s.model.ValidItem(index))
        return;
    const int rows = ListViewVisibleRows(hwnd, s);
    if (index < s.top)
        ListViewSetTop(hwnd, s, index);
    else if (index >= s.top + rows)
        ListViewSetTop(hwnd, s, index - rows + 1);
}

bool ListViewPressBar(HWND hwnd, ListViewState& s, POINT p) {
    const ListViewLayout layout = ListViewLayoutOf(hwnd, s);
    if (layout.corner.Contains(p)) {
        s.drag.mode = ScrollDrag::Mode::Bar; // the blank corner does nothing
        return true;
    }
    int bar = -1;
    ScrollBar::Part part = ScrollBar::Part::None;
    if (layout.vBar && layout.vBarRect.Contains(p)) {
        bar = SB_VERT;
        part = ListViewVBar(layout, s).HitTest(p);
        s.trackPosition = s.top;
    } else if (layout.hBar && layout.hBarRect.Contains(p)) {
        bar = SB_HORZ;
        part = ListViewHBar(layout, s).HitTest(p);
        s.trackPosition = s.xOffset;
    }
    if (bar < 0 || part == ScrollBar::Part::None)
        return false;
    s.heldBar = bar;
    s.drag.startPosition = s.trackPosition;
    if (part == ScrollBar::Part::Thumb) {
        s.drag.mode = ScrollDrag::Mode::Thumb;
        return true;
    }
    s.drag.mode = ScrollDrag::Mode::Bar;
    switch (part) {
    case ScrollBar::Part::BackArrow:
        SendScroll(hwnd, bar, SB_LINEUP);
        break;
    case ScrollBar::Part::ForwardArrow:
        SendScroll(hwnd, bar, SB_LINEDOWN);
        break;
    case ScrollBar::Part::PageBack:
        SendScroll(hwnd, bar, SB_PAGEUP);
        break;
    default:
        SendScroll(hwnd, bar, SB_PAGEDOWN);
        break;
    }
    return true;
}

void ListViewDragThumb(HWND hwnd, ListViewState& s, POINT p) {
    const ListViewLayout layout = ListViewLayoutOf(hwnd, s);
    int position = s.trackPosition;
    if (s.heldBar == SB_HORZ && layout.hBar)
        position = ListViewHBar(layout, s).PositionForThumbDrag(s.drag.startPosition,
                                                                p.x - s.drag.start.x);
    else if (s.heldBar == SB_VERT && layout.vBar)
        position = ListViewVBar(layout, s).PositionForThumbDrag(s.drag.startPosition,
                                                                p.y - s.drag.start.y);
    if (position == s.trackPosition)
        return;
    s.trackPosition = position;
    SendScroll(hwnd, s.heldBar, SB_THUMBTRACK, position);
}

void ListViewReleaseBar(HWND hwnd, ListViewState& s) {
    const int bar = s.heldBar;
    if (bar < 0)
        return;
    // The thumb's last place is still the position while SB_THUMBPOSITION
    // is handled; the bar is let go after it.
    const bool thumb = s.drag.mode == ScrollDrag::Mode::Thumb;
    if (thumb && s.drag.startPosition != s.trackPosition)
        SendScroll(hwnd, bar, SB_THUMBPOSITION, s.trackPosition);
    if (ListViewState* still = FindListView(hwnd)) {
        still->heldBar = -1;
        still->drag.mode = ScrollDrag::Mode::None;
        SendScroll(hwnd, bar, SB_ENDSCROLL);
    }
}

bool ListViewScrollMessage(HWND hwnd, ListViewState& s, UINT message, WPARAM wParam, LPARAM lParam,
                           LRESULT* result) {
    *result = 0;
    switch (message) {
    case WM_HSCROLL: {
        const ListViewLayout layout = ListViewLayoutOf(hwnd, s);
        const int max = ListViewMaxXOffset(hwnd, s);
        ListViewSetXOffset(hwnd, s,
                           ScrollTarget(s, SB_HORZ, wParam, s.xOffset, ListViewLineWidth(s),
                                        std::max(1, layout.content.Width()), max));
        return true;
    }
    case WM_VSCROLL: {
        const int max = ListViewMaxTop(hwnd, s);
        ListViewSetTop(
            hwnd, s, ScrollTarget(s, SB_VERT, wParam, s.top, 1, ListViewVisibleRows(hwnd, s), max));
        return true;
    }
    case LVM_SCROLL: {
        const int dx = static_cast<int>(static_cast<std::intptr_t>(wParam));
        const int dy = static_cast<int>(lParam);
        ListViewSetXOffset(hwnd, s, s.xOffset + dx);
        ListViewSetTop(hwnd, s, s.top + RowsFor(dy, ListViewRowHeight(s)));
        *result = TRUE;
        return true;
    }
    case LVM_ENSUREVISIBLE: {
        const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
        if (!s.model.ValidItem(index)) {
            *result = FALSE;
            return true;
        }
        ListViewEnsureRowVisible(hwnd, s, index);
        // Sideways, the item's label: the first column, from its left edge
        // when it is wider than the list.
        if (s.model.ColumnCount() > 0) {
            const int left = s.model.ColumnLeft(0);
            const int right = left + s.model.ColumnAt(0)->width;
            const int width = ListViewContent(hwnd, s).Width();
            if (left < s.xOffset)
                ListViewSetXOffset(hwnd, s, left);
            else if (right > s.xOffset + width)
                ListViewSetXOffset(hwnd, s, std::min(left, right - width));
        }
        *result = TRUE;
        return true;
    }
    case SBM_GETSCROLLINFO: {
        auto* info = reinterpret_cast<SCROLLINFO*>(lParam);
        const int bar = static_cast<int>(wParam);
        if (!info || (bar != SB_HORZ && bar != SB_VERT))
            return true;
        FillScrollInfo(hwnd, s, bar, info);
        *result = TRUE;
        return true;
    }
    case SBM_SETSCROLLINFO: {
        const auto* info = reinterpret_cast<const SCROLLINFO*>(lParam);
        const int bar = static_cast<int>(wParam);
        if (!info || (bar != SB_HORZ && bar != SB_VERT))
            return true;
        // The range and the page are the list's own; only the position is
        // taken, and the view follows it.
        if (info->fMask & SIF_POS) {
            if (bar == SB_HORZ)
                ListViewSetXOffset(hwnd, s, info->nPos);
            else
                ListViewSetTop(hwnd, s, info->nPos);
        }
        *result = bar == SB_HORZ ? s.xOffset : s.top;
        return true;
    }
    default:
        return false;
    }
}

} // namespace zorun
