#pragma once
// A combo box (drop-down list): its items and its choice.

#include <string>

#include "platform/afx/CWnd.h"

class CComboBox : public CWnd {
  public:
    [[nodiscard]] int GetCount() const;
    [[nodiscard]] int GetCurSel() const;
    // The program's choice: no CBN_SELCHANGE.
    int SetCurSel(int index) const;
    // Where it went, or CB_ERR. InsertString never sorts; AddString keeps a
    // CBS_SORT list sorted.
    int InsertString(int index, const char16_t* text) const;
    int AddString(const char16_t* text) const;
    int DeleteString(UINT index) const;
    void ResetContent() const;
    void GetLBText(int index, std::u16string& text) const;
    [[nodiscard]] int GetLBTextLen(int index) const;
    void ShowDropDown(BOOL show = TRUE) const;
    [[nodiscard]] BOOL GetDroppedState() const;
    [[nodiscard]] LPARAM GetItemData(int index) const;
    int SetItemData(int index, LPARAM data) const;
};
