#pragma once
// The shortcut dialog (dialog 166): the name, the program and the icon of a
// shortcut, in one of three forms: a new shortcut (everything usable), a
// rename (only the name) and a change of icon (only the icon's Browse). The
// program comes from the program browser, the icon from the change-icon
// panel; the dialog previews the resulting icon below the icon's Browse.
// The navigation bar's "ok" checks the entries in a fixed order and names
// the first problem; Cancel ends without a result. After IDOK the caller
// reads `shortcutName`, `programPath` and `iconRef`.

#include <string>
#include <vector>

#include "platform/afx/CDialog.h"
#include "platform/afx/CEdit.h"

class CShortcutDlg : public CDialog {
  public:
    enum Form { NewShortcut = 0, RenameShortcut = 1, ChangeIcon = 2 };

    // Typing limit of both fields, and the read-back limit of the name.
    static constexpr int kFieldLimit = 50;
    // The longest name or program path accepted, and the read-back limit of
    // the program field, which is never typed into.
    static constexpr int kPathLimit = 256;

    // A new shortcut: empty name and program, the program's own icon ("0");
    // the browser offers files with these extensions (lower case, in order).
    CShortcutDlg(const std::vector<std::u16string>& extensions, CWnd* parent);
    // An existing shortcut, renamed (form 1) or given another icon (any
    // other form).
    CShortcutDlg(std::u16string program, std::u16string name, std::u16string icon, int form,
                 CWnd* parent);
    ~CShortcutDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;

    int dialogForm = NewShortcut;
    std::vector<std::u16string> programExtensions;
    std::u16string shortcutName;
    std::u16string programPath;
    std::u16string iconRef = u"0";

    // The name a chosen file gives a shortcut that has none: the file name in
    // lower case up to ".exe" or else ".lnk" (neither at its start); empty
    // when it has neither.
    [[nodiscard]] static std::u16string NameFromFile(std::u16string_view fileName);
    // The refusal (a string id) of the acceptance checks after the name is
    // trimmed, 0 when the entries are accepted.
    [[nodiscard]] static unsigned Refusal(const std::u16string& name, const std::u16string& path);
    // The font of the labels, and of the buttons with ClearType on (which a
    // French build never uses here).
    [[nodiscard]] static LOGFONTW TextFont(bool clearType);

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnProgramBrowse();
    void OnIconBrowse();
    void OnNameSetFocus();
    void OnNameKillFocus();
    void OnPaint();
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    // Taps on the dialog itself do nothing.
    void OnLButtonDown(UINT flags, CPoint point);

    DECLARE_MESSAGE_MAP()

  private:
    [[nodiscard]] static bool ClearTypeOn();

    CEdit nameField;
    CEdit programField;
    HFONT dialogFont = nullptr;
    HFONT labelFont = nullptr;
};
