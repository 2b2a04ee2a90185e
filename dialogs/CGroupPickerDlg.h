#pragma once
// The group picker (dialog 153): asks "Copy To..." and "Move To..." for the
// destination group. It lists every group but the shown one; the
// navigation bar's "ok" chooses the selected entry, the picture button
// cancels. After IDOK, `chosenIndex` is the chosen group's display position
// in the full list (-1 when there was nothing to choose).

#include <string>
#include <vector>

#include "dialogs/CGroupListDlg.h"

class CGroupPickerDlg : public CGroupListDlg {
  public:
    // `index` is the shown group's display position, plus kMoveFlag for a
    // move (the title then says so).
    static constexpr int kMoveFlag = 100000;

    CGroupPickerDlg(const std::vector<std::u16string>& names, int index, CWnd* parent);

    BOOL OnInitDialog() override;
    void OnOK() override;

    int chosenIndex = 0;

    [[nodiscard]] const std::vector<std::u16string>& PickerNames() const { return pickerNames; }
    [[nodiscard]] bool IsMove() const { return isMove; }
    [[nodiscard]] bool IsCancelPressed() const { return cancelPressed; }

  protected:
    void OnPaint();
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);

    DECLARE_MESSAGE_MAP()

  private:
    std::vector<std::u16string> pickerNames;
    int currentIndex = 0;
    bool isMove = false;
    bool cancelPressed = false;
};
