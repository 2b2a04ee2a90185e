#include "platform/afx/CListCtrl.h"

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (m_hWnd || !parent)
        return FALSE;
    zorun::RegisterBuiltinControls();
    HWND hwnd = CreateWindowExW(
        0, WC_LISTVIEW, u"", style | WS_CHILD, rect.left, rect.top, rect.Width(), rect.Height(),
        parent->m_hWnd, reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr, nullptr);
    return hwnd && Attach(hwnd);
}

int CListCtrl::InsertColumn(int column, const char16_t* heading, int format, int width,
                            int subItem) const {
    std::u16string text(heading ? heading : u"");
    LVCOLUMN description{};
    description.mask = LVCF_TEXT | LVCF_FMT;
    description.fmt = format;
    description.pszText = text.data();
    if (width >= 0) {
        description.mask |= LVCF_WIDTH;
        description.cx = width;
    }
    if (subItem >= 0) {
        description.mask |= LVCF_SUBITEM;
        description.iSubItem = subItem;
    }
    return InsertColumn(column, &description);
}

int CListCtrl::InsertColumn(int column, const LVCOLUMN* description) const {
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMN, static_cast<WPARAM>(column),
                                        reinterpret_cast<LPARAM>(description)));
}

BOOL CListCtrl::SetColumnWidth(int column, int width) const {
    return static_cast<BOOL>(
        SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)));
}

int CListCtrl::GetColumnWidth(int column) const {
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

int CListCtrl::GetStringWidth(const char16_t* text) const {
    return static_cast<int>(SendMessage(LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text)));
}

int CListCtrl::InsertItem(int index, const char16_t* text) const {
    std::u16string copy(text ? text : u"");
    LVITEM item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = copy.data();
    return InsertItem(&item);
}

int CListCtrl::InsertItem(const LVITEM* item) const {
    return static_cast<int>(SendMessage(LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CListCtrl::SetItemText(int index, int subItem, const char16_t* text) const {
    std::u16string copy(text ? text : u"");
    LVITEM item{};
    item.iSubItem = subItem;
    item.pszText = copy.data();
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

std::u16string CListCtrl::GetItemText(int index, int subItem) const {
    // Grows the buffer until the text fits.
    for (int capacity = 256; capacity <= (1 << 20); capacity *= 4) {
        std::u16string buffer(static_cast<std::size_t>(capacity), u'\0');
        LVITEM item{};
        item.iSubItem = subItem;
        item.pszText = buffer.data();
        item.cchTextMax = capacity;
        const auto n = static_cast<int>(SendMessage(LVM_GETITEMTEXT, static_cast<WPARAM>(index),
                                                    reinterpret_cast<LPARAM>(&item)));
        if (n < capacity - 1) {
            buffer.resize(static_cast<std::size_t>(n < 0 ? 0 : n));
            return buffer;
        }
    }
    return {};
}

BOOL CListCtrl::DeleteItem(int index) const {
    return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(index)));
}

BOOL CListCtrl::DeleteAllItems() const {
    return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS));
}

int CListCtrl::GetItemCount() const {
    return static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
}

UINT CListCtrl::GetSelectedCount() const {
    return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT));
}

int CListCtrl::GetNextItem(int start, int flags) const {
    return static_cast<int>(
        SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), static_cast<LPARAM>(flags)));
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask) const {
    LVITEM item{};
    item.state = state;
    item.stateMask = mask;
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

UINT CListCtrl::GetItemState(int index, UINT mask) const {
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(index), mask));
}

BOOL CListCtrl::EnsureVisible(int index, BOOL partialOk) const {
    return static_cast<BOOL>(
        SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), partialOk ? TRUE : FALSE));
}

int CListCtrl::GetTopIndex() const {
    return static_cast<int>(SendMessage(LVM_GETTOPINDEX));
}

int CListCtrl::GetCountPerPage() const {
    return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE));
}

DWORD CListCtrl::SetExtendedStyle(DWORD style) const {
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style));
}

DWORD CListCtrl::GetExtendedStyle() const {
    return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
}
