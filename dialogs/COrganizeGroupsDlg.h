#pragma once
// The group organizer (dialog 159): the groups in display order and two
// arrow buttons that move the selected one up or down (the first wraps to
// the end, the last to the top). It changes only its own copies of the
// names and order bytes; after IDOK the caller takes `organizeNames` and
// `organizeOrder` back, one permutation applied to both.

#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/CGroupListDlg.h"

class COrganizeGroupsDlg : public CGroupListDlg {
  public:
    // Which picture button a press began on.
    enum Part { None = 0, Cancel = 1, UpArrow = 2, DownArrow = 3 };

    COrganizeGroupsDlg(const std::vector<std::uint8_t>& order,
                       const std::vector<std::u16string>& names, CWnd* parent);

    BOOL OnInitDialog() override;
    void OnOK() override;

    // Move the selected entry (nothing when none is selected).
    void MoveUp();
    void MoveDown();

    std::vector<std::uint8_t> organizeOrder;
    std::vector<std::u16string> organizeNames;

    [[nodiscard]] int PressedPart() const { return pressedPart; }

  protected:
    void OnPaint();
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);

    DECLARE_MESSAGE_MAP()

  private:
    [[nodiscard]] static int HitTest(POINT point);
    // Entry `from` of both lists and of the list box goes to `to`, the
    // entries between shifting by one; `to` is then selected.
    void MoveEntry(int from, int to);

    int pressedPart = None;
};
