#pragma once
// The version box (dialog 100): the program icon and "Zorun Version 3.04".
// With ClearType on, its texts use a ClearType font of height 15.

#include "platform/afx/CDialog.h"

class CVersionDlg : public CDialog {
  public:
    explicit CVersionDlg(CWnd* parent = nullptr);
    ~CVersionDlg() override;

  protected:
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);

    DECLARE_MESSAGE_MAP()

  private:
    HFONT font_ = nullptr;
};
