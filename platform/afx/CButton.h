#pragma once
// A button control of a dialog or a window (push button, check box, radio
// button, group box), bound with DDX_Control or made with Create.

#include "platform/afx/CWnd.h"

class CButton : public CWnd {
  public:
    BOOL Create(const char16_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    [[nodiscard]] int GetCheck() const;
    void SetCheck(int check) const;
    [[nodiscard]] UINT GetState() const;
    void SetState(BOOL pressed) const;
};
