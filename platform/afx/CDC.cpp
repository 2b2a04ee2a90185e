#include "platform/afx/CDC.h"

#include "platform/afx/CWnd.h"

CDC::~CDC() {
    DeleteDC();
}

BOOL CDC::CreateCompatibleDC(CDC* other) {
    DeleteDC();
    m_hDC = ::CreateCompatibleDC(other ? other->m_hDC : nullptr);
    owned_ = m_hDC != nullptr;
    return owned_ ? TRUE : FALSE;
}

BOOL CDC::DeleteDC() {
    BOOL ok = FALSE;
    if (owned_ && m_hDC)
        ok = ::DeleteDC(m_hDC);
    owned_ = false;
    m_hDC = nullptr;
    return ok;
}

void CDC::FillSolidRect(const RECT* rect, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    ::FillRect(m_hDC, rect, brush);
    DeleteObject(brush);
}

CSize CDC::GetTextExtent(std::u16string_view text) const {
    SIZE size{};
    GetTextExtentPoint32W(m_hDC, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

CPaintDC::CPaintDC(CWnd* wnd) : hwnd_(wnd ? wnd->GetSafeHwnd() : nullptr) {
    m_hDC = BeginPaint(hwnd_, &m_ps);
}

CPaintDC::~CPaintDC() {
    EndPaint(hwnd_, &m_ps);
    m_hDC = nullptr;
}

CClientDC::CClientDC(CWnd* wnd) : hwnd_(wnd ? wnd->GetSafeHwnd() : nullptr) {
    m_hDC = GetDC(hwnd_);
}

CClientDC::~CClientDC() {
    ReleaseDC(hwnd_, m_hDC);
    m_hDC = nullptr;
}
