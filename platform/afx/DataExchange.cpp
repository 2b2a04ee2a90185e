// The data-exchange helpers of CDialog (declared in CDialog.h).
#include <charconv>

#include "platform/afx/CDialog.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/StringTable.h"
#include "platform/base/Format.h"
#include "platform/base/Text.h"

HWND CDataExchange::PrepareCtrl(int id) {
    lastControl_ = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, id) : nullptr;
    return lastControl_;
}

void CDataExchange::Fail() {
    m_bFailed = true;
    if (!lastControl_ || !IsWindow(lastControl_))
        return;
    ::SetFocus(lastControl_);
    if (SendMessageW(lastControl_, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageW(lastControl_, EM_SETSEL, 0, -1);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (dx->m_bFailed)
        return;
    HWND hwnd = dx->PrepareCtrl(id);
    if (!hwnd || control.m_hWnd == hwnd)
        return;
    // A dialog made again has new controls: the object follows them.
    if (control.m_hWnd && !IsWindow(control.m_hWnd))
        control.Detach();
    if (!control.m_hWnd)
        control.Attach(hwnd);
}

void DDX_Text(CDataExchange* dx, int id, std::u16string& value) {
    if (dx->m_bFailed)
        return;
    HWND control = dx->PrepareCtrl(id);
    if (!control)
        return;
    if (dx->m_bSaveAndValidate)
        value = GetWindowText(control);
    else
        SetWindowTextW(control, value.c_str());
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
    if (dx->m_bFailed)
        return;
    HWND control = dx->PrepareCtrl(id);
    if (!control)
        return;
    if (!dx->m_bSaveAndValidate) {
        const std::u16string text = zorun::FromUtf8(std::to_string(value));
        SetWindowTextW(control, text.c_str());
        return;
    }
    std::string text = zorun::ToUtf8(GetWindowText(control));
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    if (first == std::string::npos) {
        dx->Fail();
        return;
    }
    text = text.substr(first, last - first + 1);
    int parsed = 0;
    const char* begin = text.data() + (text[0] == '+' ? 1 : 0);
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size()) {
        dx->Fail();
        return;
    }
    value = parsed;
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    if (dx->m_bFailed)
        return;
    HWND control = dx->PrepareCtrl(id);
    if (!control)
        return;
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(SendMessageW(control, BM_GETCHECK, 0, 0));
    else
        SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_LBIndex(CDataExchange* dx, int id, int& index) {
    if (dx->m_bFailed)
        return;
    HWND control = dx->PrepareCtrl(id);
    if (!control)
        return;
    if (dx->m_bSaveAndValidate)
        index = static_cast<int>(SendMessageW(control, LB_GETCURSEL, 0, 0));
    else
        SendMessageW(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index) {
    if (dx->m_bFailed)
        return;
    HWND control = dx->PrepareCtrl(id);
    if (!control)
        return;
    if (dx->m_bSaveAndValidate)
        index = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
    else
        SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDV_MaxChars(CDataExchange* dx, const std::u16string& value, int maxChars) {
    if (maxChars < 0 || dx->m_bFailed)
        return;
    if (!dx->m_bSaveAndValidate) {
        // The last exchanged control is the edit the value went to.
        if (HWND edit = dx->LastControl())
            SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
        return;
    }
    if (value.size() <= static_cast<std::size_t>(maxChars))
        return;
    std::u16string format = LoadStringW(AFX_IDP_PARSE_STRING_SIZE);
    if (format.empty())
        format = u"Enter no more than %d characters.";
    const std::u16string text = zorun::Format(format, maxChars);
    AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
    dx->Fail();
}
