// SysListView32 in report mode: columns with a header, one row per item,
// sub-items in the other columns. A tap on a row selects it and focuses it
// (LVN_ITEMCHANGING / LVN_ITEMCHANGED for each item whose state changes,
// with the whole old and new state), then NM_CLICK; a second tap on the same
// row soon after is NM_DBLCLK; a tap below the rows clears the selection.
// A press that moves scrolls the rows (or pans wide columns) instead and
// chooses nothing. The header's buttons report LVN_COLUMNCLICK unless
// LVS_NOSORTHEADER. Notifications reach the parent as WM_NOTIFY.
#include "platform/user/ControlListView.h"

#include <algorithm>
#include <string>

#include "platform/user/ControlPaint.h"
#include "platform/user/ControlSupport.h"

namespace zorun {

namespace {

constexpr DWORD kDoubleTapMs = 500;

ListViewState& StateOf(HWND hwnd) {
    return ControlStates<ListViewState>::Of(hwnd);
}

LRESULT Notify(HWND hwnd, UINT code, NMHDR* header) {
    header->hwndFrom = hwnd;
    header->idFrom = static_cast<std::uintptr_t>(GetDlgCtrlID(hwnd));
    header->code = code;
    HWND parent = GetParent(hwnd);
    if (!parent)
        return 0;
    return SendMessageW(parent, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
}

LRESULT NotifyItem(HWND hwnd, UINT code, int item, UINT oldState = 0, UINT newState = 0,
                   UINT changed = 0) {
    NMLISTVIEW nm{};
    nm.iItem = item;
    nm.uOldState = oldState;
    nm.uNewState = newState;
    nm.uChanged = changed;
    if (const ListViewState* s = FindListView(hwnd); s && s->model.ValidItem(item))
        nm.lParam = s->model.ItemAt(item)->param;
    return Notify(hwnd, code, &nm.hdr);
}

int MaxTop(HWND hwnd, const ListViewState& s) {
    return std::max(0, s.model.ItemCount() - ListViewVisibleRows(hwnd, s));
}

int MaxXOffset(HWND hwnd, const ListViewState& s) {
    return std::max(0, s.model.TotalWidth() - ListViewContent(hwnd, s).Width());
}

void SetTop(HWND hwnd, ListViewState& s, int top) {
    top = std::clamp(top, 0, MaxTop(hwnd, s));
    if (top != s.top) {
        s.top = top;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

void SetXOffset(HWND hwnd, ListViewState& s, int x) {
    x = std::clamp(x, 0, MaxXOffset(hwnd, s));
    if (x != s.xOffset) {
        s.xOffset = x;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

void EnsureVisible(HWND hwnd, ListViewState& s, int index) {
    if (!s.model.ValidItem(index))
        return;
    const int rows = ListViewVisibleRows(hwnd, s);
    if (index < s.top)
        SetTop(hwnd, s, index);
    else if (index >= s.top + rows)
        SetTop(hwnd, s, index - rows + 1);
}

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

// The item of the row under a client point; -1 below the rows or outside them.
int ItemAt(HWND hwnd, const ListViewState& s, POINT p) {
    const RECT content = ListViewContent(hwnd, s);
    if (!content.Contains(p))
        return -1;
    const int index = s.top + (p.y - content.top) / ListViewRowHeight(s);
    return s.model.ValidItem(index) ? index : -1;
}

// One item's state change with its notifications; false when refused or
// when the item or the list went away meanwhile.
bool ChangeItemState(HWND hwnd, int index, UINT state, UINT mask) {
    ListViewState* s = FindListView(hwnd);
    if (!s || !s->model.ValidItem(index))
        return false;
    const UINT old = s->model.State(index);
    const UINT wanted = (old & ~mask) | (state & mask);
    if (wanted == old)
        return true;
    if (NotifyItem(hwnd, LVN_ITEMCHANGING, index, old, wanted, LVIF_STATE))
        return false;
    s = FindListView(hwnd);
    if (!s || !s->model.ValidItem(index))
        return false;
    const UINT before = s->model.State(index);
    const UINT after = (before & ~mask) | (state & mask);
    s->model.ItemAt(index)->state = after;
    InvalidateRect(hwnd, nullptr, TRUE);
    NotifyItem(hwnd, LVN_ITEMCHANGED, index, before, after, LVIF_STATE);
    return true;
}

// LVM_SETITEMSTATE: one item (or every item, -1). Only one item is focused,
// and with LVS_SINGLESEL only one is selected: the others lose those states
// first, each with its own notifications.
bool SetItemStates(HWND hwnd, int index, UINT state, UINT mask) {
    ListViewState* s = FindListView(hwnd);
    if (!s)
        return false;
    const bool single = (StyleOf(hwnd) & LVS_SINGLESEL) != 0;
    if (index == -1) {
        UINT allMask = mask;
        if (state & mask & LVIS_FOCUSED)
            allMask &= ~LVIS_FOCUSED;
        if (single && (state & mask & LVIS_SELECTED))
            allMask &= ~LVIS_SELECTED;
        for (int i = 0; (s = FindListView(hwnd)) && i < s->model.ItemCount(); ++i)
            ChangeItemState(hwnd, i, state, allMask);
        return true;
    }
    if (!s->model.ValidItem(index))
        return false;
    UINT exclusive = state & mask & LVIS_FOCUSED;
    if (single)
        exclusive |= state & mask & LVIS_SELECTED;
    if (exclusive) {
        for (int i = 0; (s = FindListView(hwnd)) && i < s->model.ItemCount(); ++i)
            if (i != index && (s->model.State(i) & exclusive))
                ChangeItemState(hwnd, i, 0, exclusive);
    }
    return ChangeItemState(hwnd, index, state, mask);
}

// A user's choice of an item (none: -1 clears the selection).
void Choose(HWND hwnd, int index) {
    if (index < 0) {
        SetItemStates(hwnd, -1, 0, LVIS_SELECTED);
        return;
    }
    SetItemStates(hwnd, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    if (ListViewState* s = FindListView(hwnd))
        EnsureVisible(hwnd, *s, index);
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
    Notify(hwnd, code, &nm.hdr);
}

void Press(HWND hwnd, POINT p) {
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
    const RECT rows = ListViewRows(hwnd, st);
    if (p.y < rows.top) {
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
    if (ListViewHasBar(hwnd, st)) {
        const VerticalScrollBar bar = ListViewBar(hwnd, st);
        const auto part = bar.HitTest(p);
        if (part == VerticalScrollBar::Part::Thumb) {
            st.drag.mode = ScrollDrag::Mode::Thumb;
            return;
        }
        if (part != VerticalScrollBar::Part::None) {
            st.drag.mode = ScrollDrag::Mode::Bar;
            SetTop(hwnd, st, bar.PositionAfter(part));
            return;
        }
    }
    st.drag.mode = ScrollDrag::Mode::Pressed;
    st.pressedItem = ItemAt(hwnd, st, p);
}

void Move(HWND hwnd, ListViewState& s, POINT p) {
    switch (s.drag.mode) {
    case ScrollDrag::Mode::Thumb:
        SetTop(
            hwnd, s,
            ListViewBar(hwnd, s).PositionForThumbDrag(s.drag.startPosition, p.y - s.drag.start.y));
        return;
    case ScrollDrag::Mode::Pressed: {
        const int dx = p.x - s.drag.start.x, dy = p.y - s.drag.start.y;
        const int adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
        if (adx <= ScrollDrag::kSlop && ady <= ScrollDrag::kSlop)
            return;
        const bool sideways = adx > ady && MaxXOffset(hwnd, s) > 0;
        if (!sideways && MaxTop(hwnd, s) == 0)
            return; // nothing to scroll: still a tap
        s.drag.mode = ScrollDrag::Mode::Scrolling;
        s.panning = sideways;
        [[fallthrough]];
    }
    case ScrollDrag::Mode::Scrolling:
        if (s.panning)
            SetXOffset(hwnd, s, s.startXOffset + (s.drag.start.x - p.x));
        else
            SetTop(hwnd, s, s.drag.ContentPosition(p.y, ListViewRowHeight(s)));
        return;
    default:
        return;
    }
}

void Release(HWND hwnd, ListViewState& s, POINT p) {
    const ScrollDrag::Mode mode = s.drag.mode;
    s.drag.mode = ScrollDrag::Mode::None;
    const int column = s.pressedColumn;
    s.pressedColumn = -1;
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (column >= 0) {
        InvalidateRect(hwnd, nullptr, TRUE);
        const RECT inner = ListViewInner(hwnd);
        if (p.y >= inner.top && p.y < ListViewRows(hwnd, s).top &&
            ColumnAt(s, inner.left, p.x) == column) {
            NMLISTVIEW nm{};
            nm.iItem = -1;
            nm.iSubItem = column;
            Notify(hwnd, LVN_COLUMNCLICK, &nm.hdr);
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
    Choose(hwnd, item);
    if (IsWindow(hwnd))
        NotifyActivate(hwnd, NM_CLICK, item, subItem, at);
}

void Key(HWND hwnd, ListViewState& s, int vk) {
    const int count = s.model.ItemCount();
    if (count == 0)
        return;
    int current = s.model.NextWith(-1, LVIS_FOCUSED);
    if (current < 0)
        current = s.model.NextWith(-1, LVIS_SELECTED);
    const int page = ListViewVisibleRows(hwnd, s);
    int next = current;
    switch (vk) {
    case VK_UP:
        next = current < 0 ? 0 : current - 1;
        break;
    case VK_DOWN:
        next = current < 0 ? 0 : current + 1;
        break;
    case VK_PRIOR:
        next = std::max(0, current - page + 1);
        break;
    case VK_NEXT:
        next = std::min(count - 1, std::max(0, current) + page - 1);
        break;
    case VK_HOME:
        next = 0;
        break;
    case VK_END:
        next = count - 1;
        break;
    case VK_SPACE:
        next = std::max(0, current);
        break;
    default:
        return;
    }
    Choose(hwnd, std::clamp(next, 0, count - 1));
}

int AutoWidth(HWND hwnd, const ListViewState& s, int column, bool useHeader) {
    HFONT font = FontOf(s.font);
    int width = 0;
    for (int i = 0; i < s.model.ItemCount(); ++i)
        width = std::max(width, TextWidth(font, s.model.Text(i, column)));
    if (useHeader) {
        width = std::max(width, TextWidth(font, s.model.ColumnAt(column)->text));
        // The last column fills what is left of the list.
        if (column == s.model.ColumnCount() - 1)
            width = std::max(width + 12,
                             ListViewContent(hwnd, s).Width() - s.model.ColumnLeft(column)) -
                    12;
    }
    return width + 12;
}

LRESULT CopyText(const std::u16string& text, char16_t* buffer, int capacity) {
    if (!buffer || capacity <= 0)
        return 0;
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(capacity - 1));
    std::copy_n(text.data(), n, buffer);
    buffer[n] = u'\0';
    return static_cast<LRESULT>(n);
}

std::u16string TextOf(const char16_t* text) {
    if (!text || text == LPSTR_TEXTCALLBACKW)
        return {};
    return text;
}

LRESULT InsertItem(HWND hwnd, ListViewState& s, const LVITEMW* it) {
    if (!it || it->iSubItem != 0)
        return -1;
    ListViewModel::Item item;
    if (it->mask & LVIF_TEXT)
        item.texts.push_back(TextOf(it->pszText));
    if (it->mask & LVIF_PARAM)
        item.param = it->lParam;
    const int index = s.model.InsertItem(it->iItem, std::move(item));
    InvalidateRect(hwnd, nullptr, TRUE);
    NotifyItem(hwnd, LVN_INSERTITEM, index);
    if ((it->mask & LVIF_STATE) && (it->state & it->stateMask))
        SetItemStates(hwnd, index, it->state, it->stateMask);
    return index;
}

bool DeleteItem(HWND hwnd, int index) {
    ListViewState* s = FindListView(hwnd);
    if (!s || !s->model.ValidItem(index))
        return false;
    NotifyItem(hwnd, LVN_DELETEITEM, index);
    s = FindListView(hwnd);
    if (!s || !s->model.DeleteItem(index))
        return false;
    SetTop(hwnd, *s, s->top);
    InvalidateRect(hwnd, nullptr, TRUE);
    return true;
}

void DeleteAllItems(HWND hwnd) {
    ListViewState* s = FindListView(hwnd);
    if (!s || s->model.ItemCount() == 0)
        return;
    // An answer of TRUE spares the notification of each item.
    if (!NotifyItem(hwnd, LVN_DELETEALLITEMS, -1)) {
        for (int i = s->model.ItemCount() - 1; i >= 0 && (s = FindListView(hwnd)); --i)
            if (s->model.ValidItem(i))
                NotifyItem(hwnd, LVN_DELETEITEM, i);
    }
    if ((s = FindListView(hwnd))) {
        s->model.Clear();
        s->top = 0;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

LRESULT GetColumn(const ListViewState& s, int index, LVCOLUMNW* c) {
    const auto* column = s.model.ColumnAt(index);
    if (!column || !c)
        return FALSE;
    if (c->mask & LVCF_TEXT)
        CopyText(column->text, c->pszText, c->cchTextMax);
    if (c->mask & LVCF_WIDTH)
        c->cx = column->width;
    if (c->mask & LVCF_FMT)
        c->fmt = column->format;
    if (c->mask & LVCF_SUBITEM)
        c->iSubItem = index;
    return TRUE;
}

void ApplyColumn(ListViewModel::Column& column, const LVCOLUMNW& c, bool first) {
    if (c.mask & LVCF_TEXT)
        column.text = TextOf(c.pszText);
    if (c.mask & LVCF_WIDTH)
        column.width = std::clamp(c.cx, 0, 4096);
    // The first column is always left-aligned, as on the device.
    if ((c.mask & LVCF_FMT) && !first)
        column.format = c.fmt & LVCFMT_JUSTIFYMASK;
}

LRESULT GetItem(const ListViewState& s, LVITEMW* it) {
    if (!it || !s.model.ValidItem(it->iItem))
        return FALSE;
    if (it->mask & LVIF_TEXT)
        CopyText(s.model.Text(it->iItem, it->iSubItem), it->pszText, it->cchTextMax);
    if (it->mask & LVIF_STATE)
        it->state = s.model.State(it->iItem) & it->stateMask;
    if (it->mask & LVIF_PARAM)
        it->lParam = s.model.ItemAt(it->iItem)->param;
    return TRUE;
}

LRESULT SetItem(HWND hwnd, ListViewState& s, const LVITEMW* it) {
    if (!it || !s.model.ValidItem(it->iItem))
        return FALSE;
    const int index = it->iItem;
    if ((it->mask & LVIF_TEXT) && !s.model.SetText(index, it->iSubItem, TextOf(it->pszText)))
        return FALSE;
    if (it->mask & LVIF_PARAM)
        s.model.ItemAt(index)->param = it->lParam;
    InvalidateRect(hwnd, nullptr, TRUE);
    if (it->mask & LVIF_STATE)
        return SetItemStates(hwnd, index, it->state, it->stateMask) ? TRUE : FALSE;
    return TRUE;
}

LRESULT HitTest(HWND hwnd, const ListViewState& s, LVHITTESTINFO* info) {
    if (!info)
        return -1;
    const RECT content = ListViewContent(hwnd, s);
    info->iItem = -1;
    info->iSubItem = 0;
    if (info->pt.y < content.top) {
        info->flags = LVHT_ABOVE;
        return -1;
    }
    const int item = ItemAt(hwnd, s, info->pt);
    if (item < 0) {
        info->flags = info->pt.y >= content.top ? LVHT_BELOW : LVHT_NOWHERE;
        return -1;
    }
    info->flags = LVHT_ONITEM;
    info->iItem = item;
    info->iSubItem = std::max(0, ColumnAt(s, ListViewInner(hwnd).left, info->pt.x));
    return item;
}

} // namespace

ListViewState* FindListView(HWND hwnd) {
    return ControlStates<ListViewState>::Find(hwnd);
}

RECT ListViewInner(HWND hwnd) {
    RECT c = ClientOf(hwnd);
    if (StyleOf(hwnd) & WS_BORDER)
        c = {c.left + 1, c.top + 1, c.right - 1, c.bottom - 1};
    return c;
}

int ListViewHeaderHeight(HWND hwnd, const ListViewState& s) {
    if (StyleOf(hwnd) & LVS_NOCOLUMNHEADER)
        return 0;
    return FontHeight(s.font) + 6;
}

int ListViewRowHeight(const ListViewState& s) {
    return std::max(16, FontHeight(s.font) + 2);
}

RECT ListViewRows(HWND hwnd, const ListViewState& s) {
    RECT r = ListViewInner(hwnd);
    r.top = std::min(r.bottom, r.top + ListViewHeaderHeight(hwnd, s));
    return r;
}

int ListViewVisibleRows(HWND hwnd, const ListViewState& s) {
    return std::max(1, ListViewRows(hwnd, s).Height() / ListViewRowHeight(s));
}

bool ListViewHasBar(HWND hwnd, const ListViewState& s) {
    return s.model.ItemCount() > ListViewVisibleRows(hwnd, s);
}

VerticalScrollBar ListViewBar(HWND hwnd, const ListViewState& s) {
    const RECT rows = ListViewRows(hwnd, s);
    return VerticalScrollBar(
        {rows.right - VerticalScrollBar::kWidth, rows.top, rows.right, rows.bottom},
        s.model.ItemCount(), ListViewVisibleRows(hwnd, s), s.top);
}

RECT ListViewContent(HWND hwnd, const ListViewState& s) {
    RECT r = ListViewRows(hwnd, s);
    if (ListViewHasBar(hwnd, s))
        r.right = std::max(r.left, r.right - VerticalScrollBar::kWidth);
    return r;
}

LRESULT ListViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ListViewState& s = StateOf(hwnd);
    const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_PAINT:
        PaintListView(hwnd, s);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        s.font = reinterpret_cast<HFONT>(wParam);
        SetTop(hwnd, s, s.top);
        if (lParam)
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s.font);
    case WM_SIZE:
        SetTop(hwnd, s, s.top);
        SetXOffset(hwnd, s, s.xOffset);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        InvalidateRect(hwnd, nullptr, TRUE);
        NMHDR header{};
        Notify(hwnd, message == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS, &header);
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case LVM_INSERTCOLUMNW: {
        const auto* c = reinterpret_cast<const LVCOLUMNW*>(lParam);
        if (!c || index < 0)
            return -1;
        ListViewModel::Column column;
        ApplyColumn(column, *c, index == 0 || s.model.ColumnCount() == 0);
        const int at = s.model.InsertColumn(index, std::move(column));
        InvalidateRect(hwnd, nullptr, TRUE);
        return at;
    }
    case LVM_GETCOLUMNW:
        return GetColumn(s, index, reinterpret_cast<LVCOLUMNW*>(lParam));
    case LVM_SETCOLUMNW: {
        auto* column = s.model.ColumnAt(index);
        const auto* c = reinterpret_cast<const LVCOLUMNW*>(lParam);
        if (!column || !c)
            return FALSE;
        ApplyColumn(*column, *c, index == 0);
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }
    case LVM_GETCOLUMNWIDTH:
        return s.model.ValidColumn(index) ? s.model.ColumnAt(index)->width : 0;
    case LVM_SETCOLUMNWIDTH: {
        if (!s.model.ValidColumn(index))
            return FALSE;
        const int cx =
            static_cast<int>(static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))));
        s.model.ColumnAt(index)->width =
            cx == LVSCW_AUTOSIZE || cx == LVSCW_AUTOSIZE_USEHEADER
                ? AutoWidth(hwnd, s, index, cx == LVSCW_AUTOSIZE_USEHEADER)
                : std::clamp(cx, 0, 4096);
        SetXOffset(hwnd, s, s.xOffset);
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }
    case LVM_INSERTITEMW:
        return InsertItem(hwnd, s, reinterpret_cast<const LVITEMW*>(lParam));
    case LVM_GETITEMW:
        return GetItem(s, reinterpret_cast<LVITEMW*>(lParam));
    case LVM_SETITEMW:
        return SetItem(hwnd, s, reinterpret_cast<const LVITEMW*>(lParam));
    case LVM_SETITEMTEXTW: {
        const auto* it = reinterpret_cast<const LVITEMW*>(lParam);
        if (!it || !s.model.SetText(index, it->iSubItem, TextOf(it->pszText)))
            return FALSE;
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }
    case LVM_GETITEMTEXTW: {
        auto* it = reinterpret_cast<LVITEMW*>(lParam);
        if (!it || !s.model.ValidItem(index))
            return 0;
        return CopyText(s.model.Text(index, it->iSubItem), it->pszText, it->cchTextMax);
    }
    case LVM_DELETEITEM:
        return DeleteItem(hwnd, index) ? TRUE : FALSE;
    case LVM_DELETEALLITEMS:
        DeleteAllItems(hwnd);
        return TRUE;
    case LVM_GETITEMCOUNT:
        return s.model.ItemCount();
    case LVM_GETSELECTEDCOUNT:
        return s.model.CountWith(LVIS_SELECTED);
    case LVM_GETNEXTITEM: {
        UINT states = 0;
        if (lParam & LVNI_SELECTED)
            states |= LVIS_SELECTED;
        if (lParam & LVNI_FOCUSED)
            states |= LVIS_FOCUSED;
        return s.model.NextWith(index, states);
    }
    case LVM_SETITEMSTATE: {
        const auto* it = reinterpret_cast<const LVITEMW*>(lParam);
        if (!it)
            return FALSE;
        return SetItemStates(hwnd, index, it->state, it->stateMask) ? TRUE : FALSE;
    }
    case LVM_GETITEMSTATE:
        return static_cast<LRESULT>(s.model.State(index) & static_cast<UINT>(lParam));
    case LVM_ENSUREVISIBLE:
        if (!s.model.ValidItem(index))
            return FALSE;
        EnsureVisible(hwnd, s, index);
        return TRUE;
    case LVM_GETTOPINDEX:
        return s.top;
    case LVM_GETCOUNTPERPAGE:
        return ListViewVisibleRows(hwnd, s);
    case LVM_GETSTRINGWIDTHW: {
        const auto* text = reinterpret_cast<const char16_t*>(lParam);
        return text ? TextWidth(FontOf(s.font), text) : 0;
    }
    case LVM_HITTEST:
        return HitTest(hwnd, s, reinterpret_cast<LVHITTESTINFO*>(lParam));
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        const DWORD previous = s.exStyle;
        const DWORD mask = wParam ? static_cast<DWORD>(wParam) : ~DWORD{0};
        s.exStyle = (s.exStyle & ~mask) | (static_cast<DWORD>(lParam) & mask);
        InvalidateRect(hwnd, nullptr, TRUE);
        return previous;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return s.exStyle;
    case WM_LBUTTONDOWN:
        Press(hwnd, point);
        return 0;
    case WM_MOUSEMOVE:
        if (s.drag.mode != ScrollDrag::Mode::None)
            Move(hwnd, s, point);
        return 0;
    case WM_LBUTTONUP:
        if (s.drag.mode != ScrollDrag::Mode::None || s.pressedColumn >= 0)
            Release(hwnd, s, point); // may destroy us: nothing after this
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd) {
            s.drag.mode = ScrollDrag::Mode::None;
            if (s.pressedColumn >= 0) {
                s.pressedColumn = -1;
                InvalidateRect(hwnd, nullptr, TRUE);
            }
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_HOME || wParam == VK_END ||
            wParam == VK_PRIOR || wParam == VK_NEXT || wParam == VK_SPACE) {
            Key(hwnd, s, static_cast<int>(wParam));
            return 0;
        }
        if (HandleDialogKey(hwnd, static_cast<int>(wParam)))
            return 0;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_DESTROY:
        ControlStates<ListViewState>::Forget(hwnd);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace zorun
