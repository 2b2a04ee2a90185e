#pragma once
// The program browser (dialog 161): one folder of the device at a time. A
// drop-down holds the folder itself ("<\windows>", "<>" for the root) and
// its subfolders, a picture button goes up one level, and a three-column
// list (name, date, size) shows the folder's files whose lower-cased names
// contain one of the caller's extensions. A tap on a file chooses it; the
// navigation bar's "ok" or a double tap confirms. After IDOK the caller
// reads `selectedPath` and `selectedName` (empty when no file was tapped).

#include <string>
#include <vector>

#include "platform/afx/CComboBox.h"
#include "platform/afx/CDialog.h"
#include "platform/afx/CListCtrl.h"

class CBrowseFileDlg : public CDialog {
  public:
    // Extensions in lower case (".exe", ".lnk"), in the order to try them.
    CBrowseFileDlg(const std::vector<std::u16string>& wanted, CWnd* parent);
    ~CBrowseFileDlg() override;

    BOOL OnInitDialog() override;

    std::u16string selectedPath;
    std::u16string selectedName;

    [[nodiscard]] const std::u16string& CurrentFolder() const { return currentFolder; }

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    // Lists `folder` in both controls.
    void FillFolder(const std::u16string& folder);

    void OnFolderChange();
    void OnUpButton();
    void OnFileClick(NMHDR* header, LRESULT* result);
    void OnFileDoubleClick(NMHDR* header, LRESULT* result);
    void OnSize(UINT type, int cx, int cy);
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    // Taps on the dialog itself do nothing.
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);

    DECLARE_MESSAGE_MAP()

  private:
    // The file list fills the dialog below the folder list.
    void PlaceFileList();
    // Gives each column of the file list the room its texts need.
    void FitColumns();
    [[nodiscard]] static bool ClearTypeOn();

    CComboBox folderList;
    CListCtrl fileList;
    std::u16string currentFolder;
    std::u16string previousFolder;
    std::vector<std::u16string> extensions;
    // The texts of the controls' entries, in their order.
    std::vector<std::u16string> folderNames;
    std::vector<std::u16string> fileNames;
    HFONT listFont = nullptr;
};
