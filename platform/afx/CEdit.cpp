#include "platform/afx/CEdit.h"

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (m_hWnd || !parent)
        return FALSE;
    zorun::RegisterBuiltinControls();
    HWND hwnd = CreateWindowExW(
        0, u"EDIT", u"", style | WS_CHILD, rect.left, rect.top, rect.Width(), rect.Height(),
        parent->m_hWnd, reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr, nullptr);
    return hwnd && Attach(hwnd);
}

void CEdit::SetSel(int start, int end, BOOL noScroll) const {
    SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
    (void)noScroll;
}

void CEdit::GetSel(int& start, int& end) const {
    DWORD from = 0, to = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    start = static_cast<int>(from);
    end = static_cast<int>(to);
}

void CEdit::ReplaceSel(const char16_t* text, BOOL canUndo) const {
    SendMessage(EM_REPLACESEL, canUndo ? TRUE : FALSE, reinterpret_cast<LPARAM>(text ? text : u""));
}

void CEdit::LimitText(int maxChars) const {
    SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(maxChars < 0 ? 0 : maxChars));
}

void CEdit::SetLimitText(UINT maxChars) const {
    SendMessage(EM_SETLIMITTEXT, maxChars);
}

UINT CEdit::GetLimitText() const {
    return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT));
}

BOOL CEdit::SetReadOnly(BOOL readOnly) const {
    return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly ? TRUE : FALSE));
}
