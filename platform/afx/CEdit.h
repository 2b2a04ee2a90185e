#pragma once
// An edit control: its selection, its typing limit, its read-only state.

#include "platform/afx/CWnd.h"

class CEdit : public CWnd {
  public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // start 0, end -1: everything; start -1: no selection, the caret kept.
    void SetSel(int start, int end, BOOL noScroll = FALSE) const;
    void GetSel(int& start, int& end) const;
    void ReplaceSel(const char16_t* text, BOOL canUndo = FALSE) const;
    // 0: the largest limit.
    void LimitText(int maxChars = 0) const;
    void SetLimitText(UINT maxChars) const;
    [[nodiscard]] UINT GetLimitText() const;
    BOOL SetReadOnly(BOOL readOnly = TRUE) const;
};
