#pragma once
// A list view control (report mode): columns, items and sub-items, item
// states. Its notifications reach the parent's ON_NOTIFY entries.

#include <string>

#include "platform/afx/CWnd.h"
#include "platform/user/CommCtrl.h"

class CListCtrl : public CWnd {
  public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Where it went, or -1. subItem -1: the column's own index.
    int InsertColumn(int column, const char16_t* heading, int format = LVCFMT_LEFT, int width = -1,
                     int subItem = -1) const;
    int InsertColumn(int column, const LVCOLUMN* description) const;
    BOOL SetColumnWidth(int column, int width) const;
    [[nodiscard]] int GetColumnWidth(int column) const;
    // The width of `text` in the list's font, without the room around it.
    [[nodiscard]] int GetStringWidth(const char16_t* text) const;

    // Where it went, or -1.
    int InsertItem(int index, const char16_t* text) const;
    int InsertItem(const LVITEM* item) const;
    BOOL SetItemText(int index, int subItem, const char16_t* text) const;
    [[nodiscard]] std::u16string GetItemText(int index, int subItem) const;
    BOOL DeleteItem(int index) const;
    BOOL DeleteAllItems() const;
    [[nodiscard]] int GetItemCount() const;
    [[nodiscard]] UINT GetSelectedCount() const;
    // The next item after `start` (-1: from the first) with the LVNI_ flags.
    [[nodiscard]] int GetNextItem(int start, int flags) const;
    BOOL SetItemState(int index, UINT state, UINT mask) const;
    [[nodiscard]] UINT GetItemState(int index, UINT mask) const;
    BOOL EnsureVisible(int index, BOOL partialOk) const;
    [[nodiscard]] int GetTopIndex() const;
    [[nodiscard]] int GetCountPerPage() const;
    // LVS_EX_ styles; the previous ones are returned.
    DWORD SetExtendedStyle(DWORD style) const;
    [[nodiscard]] DWORD GetExtendedStyle() const;
};
