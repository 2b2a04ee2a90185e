// SysListView32 in report mode: columns with a header, one row per item,
// sub-items in the other columns, item states (LVN_ITEMCHANGING /
// LVN_ITEMCHANGED for each item whose state changes, with the whole old and
// new state). Notifications reach the parent as WM_NOTIFY. The stylus and
// the keys are in ControlListViewInput.cpp, the scrolling in
// ControlListViewScroll.cpp, the geometry in ControlListViewLayout.cpp.
#include "platform/user/ControlListView.h"

#include <algorithm>
#include <string>

#include "platform/user/ControlPaint.h"
#include "platform/user/ControlSupport.h"

namespace zorun {

namespace {

ListViewState& StateOf(HWND hwnd) {
    return ControlStates<ListViewState>::Of(hwnd);
}

} // namespace

LRESULT ListViewNotify(HWND hwnd, UINT code, NMHDR* header) {
    header->hwndFrom = hwnd;
    header->idFrom = static_cast<std::uintptr_t>(GetDlgCtrlID(hwnd));
    header->code = code;
    HWND parent = GetParent(hwnd);
    if (!parent)
        return 0;
    return SendMessageW(parent, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
}

namespace {

LRESULT NotifyItem(HWND hwnd, UINT code, int item, UINT oldState = 0, UINT newState = 0,
                   UINT changed = 0) {
    NMLISTVIEW nm{};
    nm.iItem = item;
    nm.uOldState = oldState;
    nm.uNewState = newState;
    nm.uChanged = changed;
    if (const ListViewState* s = FindListView(hwnd); s && s->model.ValidItem(item))
        nm.lParam = s->model.ItemAt(item)->param;
    return ListViewNotify(hwnd, code, &nm.hdr);
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

} // namespace

void ListViewChoose(HWND hwnd, int index) {
    if (index < 0) {
        SetItemStates(hwnd, -1, 0, LVIS_SELECTED);
        return;
    }
    SetItemStates(hwnd, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    if (ListViewState* s = FindListView(hwnd))
        ListViewEnsureRowVisible(hwnd, *s, index);
}

namespace {

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
    ListViewClampScroll(hwnd, *s);
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
        ListViewClampScroll(hwnd, *s);
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

} // namespace

ListViewState* FindListView(HWND hwnd) {
    return ControlStates<ListViewState>::Find(hwnd);
}

LRESULT ListViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ListViewState& s = StateOf(hwnd);
    const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (LRESULT result = 0; ListViewScrollMessage(hwnd, s, message, wParam, lParam, &result))
        return result;
    switch (message) {
    case WM_PAINT:
        PaintListView(hwnd, s);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        s.font = reinterpret_cast<HFONT>(wParam);
        ListViewClampScroll(hwnd, s);
        if (lParam)
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s.font);
    case WM_SIZE:
        ListViewClampScroll(hwnd, s);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        InvalidateRect(hwnd, nullptr, TRUE);
        NMHDR header{};
        ListViewNotify(hwnd, message == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS, &header);
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
        ListViewClampScroll(hwnd, s);
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
        ListViewClampScroll(hwnd, s);
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
        ListViewClampScroll(hwnd, s);
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
    case LVM_GETTOPINDEX:
        return s.top;
    case LVM_GETCOUNTPERPAGE:
        return ListViewVisibleRows(hwnd, s);
    case LVM_GETSTRINGWIDTHW: {
        const auto* text = reinterpret_cast<const char16_t*>(lParam);
        return text ? TextWidth(FontOf(s.font), text) : 0;
    }
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST:
        return ListViewHitTest(hwnd, s, reinterpret_cast<LVHITTESTINFO*>(lParam),
                               message == LVM_SUBITEMHITTEST);
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
        ListViewPress(hwnd, point);
        return 0;
    case WM_MOUSEMOVE:
        if (s.drag.mode != ScrollDrag::Mode::None)
            ListViewMove(hwnd, s, point);
        return 0;
    case WM_LBUTTONUP:
        if (s.drag.mode != ScrollDrag::Mode::None || s.pressedColumn >= 0)
            ListViewRelease(hwnd, s, point); // may destroy us: nothing after this
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd) {
            s.drag.mode = ScrollDrag::Mode::None;
            s.heldBar = -1;
            if (s.pressedColumn >= 0) {
                s.pressedColumn = -1;
                InvalidateRect(hwnd, nullptr, TRUE);
            }
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_HOME || wParam == VK_END ||
            wParam == VK_PRIOR || wParam == VK_NEXT || wParam == VK_SPACE || wParam == VK_LEFT ||
            wParam == VK_RIGHT) {
            ListViewKey(hwnd, s, static_cast<int>(wParam));
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
