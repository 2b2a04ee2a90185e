#pragma once
// The change-icon panel (dialog 181): nine built-in shortcut icons in a
// 3 x 3 grid, "Default" for the icon of the shortcut's own program, and
// "Cancel". A press on a cell frames it (one frame at a time); the
// navigation bar's "ok" accepts the framed cell, "Default" ends at once.
// After IDOK, `chosenIcon` is the chosen icon's resource number, or -1 for
// "Default"; IconReference turns that into the catalogue's icon reference.

#include <string>

#include "platform/afx/CDialog.h"

class CChangeIconDlg : public CDialog {
  public:
    static constexpr int kCellCount = 9;

    explicit CChangeIconDlg(CWnd* parent = nullptr);
    ~CChangeIconDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;

    // The icon reference for a result: "0" for "Default" (below 1), else
    // the icon's number ("133").
    [[nodiscard]] static std::u16string IconReference(int chosen);

    // Cell 1..9 at a client point, -1 between and outside the cells.
    [[nodiscard]] static int CellAt(POINT point);
    // The icon number of cell 1..9.
    [[nodiscard]] static int CellIcon(int cell);
    // The frame drawn around cell 1..9 when it is chosen (client pixels).
    [[nodiscard]] static RECT CellFrame(int cell);
    // The buttons' font with ClearType on (which a French build never uses
    // here).
    [[nodiscard]] static LOGFONTW ButtonFont();

    int chosenIcon = -1;
    int selectedCell = -1;

  protected:
    void OnDefault();
    void OnPaint();
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);

    DECLARE_MESSAGE_MAP()

  private:
    // Inverts the frame of `cell` on the screen now.
    void InvertFrame(int cell);

    HFONT panelFont = nullptr;
};
