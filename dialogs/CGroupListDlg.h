#pragma once
// What the group picker and the group organizer share: a full-screen dialog
// drawn from pictures around one list box of group names (control 1003),
// picture buttons that show a pressed icon while held, and the list font
// (height 15, weight 400, ClearType quality) given to the list box when the
// ClearType setting is on.

#include <string>
#include <vector>

#include "platform/afx/CDialog.h"
#include "platform/afx/CListBox.h"

class CGroupListDlg : public CDialog {
  public:
    CGroupListDlg(UINT templateId, CWnd* parent);
    ~CGroupListDlg() override;

    // The list box (control 1003); null before the dialog starts.
    [[nodiscard]] HWND GetListBox() const { return listBox.GetSafeHwnd(); }

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    // Inserts each name at its own index, selects entry 0, and sets the list
    // font on the list box when ClearType is on.
    void FillList(const std::vector<std::u16string>& names);

    // Draws picture `number` now, outside a paint (a button's pressed state).
    void DrawIconNow(int number, POINT at);
    // Copies `size` pixels from the top left of bitmap `number` to `at`;
    // what lies beyond the bitmap is left as it was.
    static void DrawBitmap(CDC& dc, int number, POINT at, SIZE size);
    static void DrawIcon(CDC& dc, int number, POINT at);

    // A press on a picture button holds the stylus, so that its release
    // comes back here wherever it happens.
    void HoldStylus();
    void FreeStylus();

    CListBox listBox;
    HFONT listFont = nullptr;
};
