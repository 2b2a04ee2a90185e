#pragma once
// A list box: its items and its selection.

#include <string>

#include "platform/afx/CWnd.h"

class CListBox : public CWnd {
  public:
    [[nodiscard]] int GetCount() const;
    [[nodiscard]] int GetCurSel() const;
    int SetCurSel(int index) const;
    // Where it went, or LB_ERR. InsertString never sorts; AddString keeps an
    // LBS_SORT list sorted.
    int InsertString(int index, const char16_t* text) const;
    int AddString(const char16_t* text) const;
    int DeleteString(UINT index) const;
    void ResetContent() const;
    void GetText(int index, std::u16string& text) const;
    [[nodiscard]] int GetTextLen(int index) const;
    [[nodiscard]] int GetTopIndex() const;
    int SetTopIndex(int index) const;
    [[nodiscard]] LPARAM GetItemData(int index) const;
    int SetItemData(int index, LPARAM data) const;
};
