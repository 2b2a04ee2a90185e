#include "platform/afx/CDialog.h"

#include "platform/afx/CWinApp.h"
#include "platform/user/ControlSupport.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOKCommand)
ON_COMMAND(IDCANCEL, OnCancelCommand)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_pParentWnd(parent), templateId_(templateId) {}

CDialog::CDialog(const zorun::DialogTemplate* dialogTemplate, CWnd* parent)
    : m_pParentWnd(parent),
      templateId_(dialogTemplate ? static_cast<UINT>(dialogTemplate->number) : 0),
      template_(dialogTemplate) {}

const zorun::DialogTemplate* CDialog::FindTemplate() const {
    return template_ ? template_ : zorun::FindDialogTemplate(static_cast<int>(templateId_));
}

HWND CDialog::OwnerHandle() const {
    if (m_pParentWnd && m_pParentWnd->m_hWnd)
        return m_pParentWnd->m_hWnd;
    CWnd* main = AfxGetMainWnd();
    return main ? main->m_hWnd : nullptr;
}

namespace {
thread_local CDialog* creatingDialog = nullptr;

// The dialog's first messages arrive before CreateDialogWindow returns:
// attach the object then, as CWnd::CreateEx does for other windows.
LRESULT DialogCreationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (creatingDialog && !CWnd::FromHandlePermanent(hwnd)) {
        CDialog* dialog = creatingDialog;
        creatingDialog = nullptr;
        dialog->Attach(hwnd);
    }
    return AfxWndProc(hwnd, message, wParam, lParam);
}
} // namespace

BOOL CDialog::CreateFromTemplate(bool show) {
    const zorun::DialogTemplate* dialog = FindTemplate();
    if (!dialog || m_hWnd)
        return FALSE;
    CDialog* const previous = creatingDialog;
    creatingDialog = this;
    HWND hwnd = zorun::CreateDialogWindow(*dialog, OwnerHandle(), DialogCreationProc, 0, show);
    creatingDialog = previous;
    if (!hwnd || m_hWnd != hwnd) {
        if (hwnd)
            ::DestroyWindow(hwnd);
        return FALSE;
    }
    return TRUE;
}

INT_PTR CDialog::DoModal() {
    zorun::FocusKeeper focus;
    if (!CreateFromTemplate(true))
        return -1;
    const INT_PTR result = zorun::RunDialogLoop(m_hWnd);
    if (m_hWnd)
        DestroyWindow();
    return result;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    if (templateId) {
        templateId_ = templateId;
        template_ = nullptr;
    }
    if (parent)
        m_pParentWnd = parent;
    return CreateFromTemplate(true);
}

void CDialog::EndDialog(int result) {
    if (m_hWnd)
        ::EndDialog(m_hWnd, result);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::UpdateData(BOOL save) {
    CDataExchange dx(this, save);
    DoDataExchange(&dx);
    return dx.m_bFailed ? FALSE : TRUE;
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_INITDIALOG) {
        // The map may still handle it; OnInitDialog is the usual way.
        if (CWnd::OnWndMsg(message, wParam, lParam, result))
            return TRUE;
        *result = OnInitDialog();
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return zorun::DefDialogProc(m_hWnd, message, wParam, lParam);
}
