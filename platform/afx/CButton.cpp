#include "platform/afx/CButton.h"

BOOL CButton::Create(const char16_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (m_hWnd || !parent)
        return FALSE;
    zorun::RegisterBuiltinControls();
    HWND hwnd = CreateWindowExW(
        0, u"BUTTON", text, style | WS_CHILD, rect.left, rect.top, rect.Width(), rect.Height(),
        parent->m_hWnd, reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr, nullptr);
    return hwnd && Attach(hwnd);
}

int CButton::GetCheck() const {
    return static_cast<int>(SendMessage(BM_GETCHECK));
}

void CButton::SetCheck(int check) const {
    SendMessage(BM_SETCHECK, static_cast<WPARAM>(check));
}

UINT CButton::GetState() const {
    return static_cast<UINT>(SendMessage(BM_GETSTATE));
}

void CButton::SetState(BOOL pressed) const {
    SendMessage(BM_SETSTATE, pressed ? TRUE : FALSE);
}
