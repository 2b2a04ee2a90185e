#pragma once
// A dialog from a registered template: DoModal runs it over the work area
// and returns what EndDialog gave; Create makes it modeless. OnInitDialog
// fills the controls (UpdateData(FALSE)); OnOK reads them back
// (UpdateData(TRUE)) and ends with IDOK; OnCancel ends with IDCANCEL.

#include <string>

#include "platform/afx/CWnd.h"
#include "platform/user/Dialog.h"

class CDataExchange;

class CDialog : public CWnd {
  public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    CDialog(const zorun::DialogTemplate* dialogTemplate, CWnd* parent = nullptr);

    // Runs the dialog modally; IDOK/IDCANCEL or EndDialog's value; -1 when
    // the template is unknown or the window cannot be made.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless and visible (0: the template given at construction).
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // Moves data between the controls and the members: to the members when
    // `save` is true. False when a DDX helper refused the input.
    BOOL UpdateData(BOOL save = TRUE);

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    [[nodiscard]] UINT GetTemplateId() const { return templateId_; }

  protected:
    virtual void DoDataExchange(CDataExchange*) {}
    void OnOKCommand() { OnOK(); }
    void OnCancelCommand() { OnCancel(); }

    DECLARE_MESSAGE_MAP()

    CWnd* m_pParentWnd = nullptr;

  private:
    [[nodiscard]] const zorun::DialogTemplate* FindTemplate() const;
    [[nodiscard]] HWND OwnerHandle() const;
    BOOL CreateFromTemplate(bool show);

    UINT templateId_ = 0;
    const zorun::DialogTemplate* template_ = nullptr;
};

// Data exchange between a dialog's controls and its members. Once a helper
// refuses the input, the exchange has failed and the helpers after it do
// nothing (the fields after the refused one are not read).
class CDataExchange {
  public:
    CDataExchange(CWnd* dialog, BOOL save) : m_pDlgWnd(dialog), m_bSaveAndValidate(save) {}
    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
    bool m_bFailed = false;
    // Marks the exchange as refused: the focus goes to the control last
    // exchanged, with an edit's whole text selected.
    void Fail();
    HWND PrepareCtrl(int id);
    [[nodiscard]] HWND LastControl() const { return lastControl_; }

  private:
    HWND lastControl_ = nullptr;
};

// The framework's own message for DDV_MaxChars ("Enter no more than %d
// characters." unless the language's string table has this entry).
constexpr UINT AFX_IDP_PARSE_STRING_SIZE = 0xF113;

// Binds a control object (CListCtrl, CComboBox, ...) to dialog item `id`
// the first time (and again when its window was replaced): the object then
// speaks for the control.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, std::u16string& value);
// A number; a text that is not a whole number fails the exchange.
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// The selected index of a list box / combo box (-1: none).
void DDX_LBIndex(CDataExchange* dx, int id, int& index);
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
// After the DDX_Text of an edit: when filling the controls, limits its typing
// to `maxChars`; when reading them back, a longer text (already copied into
// the member) is refused with the framework's message naming the limit
// (exclamation icon), and the exchange fails with the focus on that field.
void DDV_MaxChars(CDataExchange* dx, const std::u16string& value, int maxChars);
