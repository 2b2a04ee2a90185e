#include "platform/afx/CStatic.h"

BOOL CStatic::Create(const char16_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (m_hWnd || !parent)
        return FALSE;
    zorun::RegisterBuiltinControls();
    HWND hwnd = CreateWindowExW(
        0, u"STATIC", text, style | WS_CHILD, rect.left, rect.top, rect.Width(), rect.Height(),
        parent->m_hWnd, reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr, nullptr);
    return hwnd && Attach(hwnd);
}

HBITMAP CStatic::SetBitmap(HBITMAP bitmap) const {
    return reinterpret_cast<HBITMAP>(
        SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
}

HBITMAP CStatic::GetBitmap() const {
    return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP));
}

HICON CStatic::SetIcon(HICON icon) const {
    return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon)));
}

HICON CStatic::GetIcon() const {
    return reinterpret_cast<HICON>(SendMessage(STM_GETICON));
}
