#pragma once
// The group dialog (160): a group's name and its background picture, in
// three forms chosen by the index the group command passes:
//   index < 0            a new group: name and picture;
//   0 <= index < 10000   set background: the picture of the group at that
//                        display position (its name shown, not editable);
//   index >= 10000       rename: the name of the group at index - 10000.
// The picture is chosen with the program browser restricted to ".bmp" and
// shown in a 73 x 60 preview. The navigation bar's "ok" closes the dialog
// only for a name that is not empty, at most 50 characters long and not the
// name of another group (case-sensitive); the caller then reads `groupName`
// and `backgroundPath`.

#include <string>
#include <vector>

#include "platform/afx/CDialog.h"
#include "platform/afx/CEdit.h"
#include "platform/afx/CStatic.h"

class CGroupDlg : public CDialog {
  public:
    static constexpr int kTemplate = 160;
    static constexpr int kNameField = 1013;
    static constexpr int kPictureField = 1012;
    static constexpr int kBrowseButton = 1010;
    // The index offset that asks for the rename form.
    static constexpr int kRenameOffset = 10000;
    static constexpr int kMaxTypedName = 50;
    static constexpr int kMaxName = 256;
    // Where the preview sits, client pixels.
    static constexpr RECT kPreviewRect{63, 120, 136, 180};

    enum Form { NewGroup = 1, Rename = 2, SetBackground = 3 };

    CGroupDlg(const std::vector<std::u16string>& groupNames, int index,
              const std::u16string& background, CWnd* parent);
    ~CGroupDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;

    [[nodiscard]] Form GetForm() const { return dialogForm; }
    // The preview's picture now (nullptr when none is shown).
    [[nodiscard]] HBITMAP PreviewBitmap() const;

    std::u16string groupName;
    std::u16string backgroundPath;

  protected:
    void DoDataExchange(CDataExchange* dx) override;

    void OnBrowse();
    void OnNameFocus();
    void OnNameFocusLost();
    void OnPaint();
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    // Taps on the dialog itself do nothing.
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);

    DECLARE_MESSAGE_MAP()

  private:
    // Writes the members to the controls and leaves the name field with no
    // selection, as after each refusal.
    void ShowFields();
    void UpdatePreview();
    [[nodiscard]] static bool ClearTypeOn();

    Form dialogForm = NewGroup;
    std::vector<std::u16string> knownGroupNames;
    int groupIndex = -1;
    CEdit nameField;
    CStatic picturePreview;
    // The picture the preview shows (ours to release) and the path it came from.
    HBITMAP previewBitmap = nullptr;
    std::u16string previewPath;
    bool previewLoaded = false;
    HFONT dialogFont = nullptr;
};
