#pragma once
// Message-map adapters whose arguments are framework objects (CDC, CMenu,
// CWnd): they wrap the raw handles for the duration of the call.

#include "platform/afx/CWnd.h"

namespace afx {

template <auto H> LRESULT Call_erase(CCmdTarget* t, WPARAM w, LPARAM) {
    static_assert(HasSig<H, BOOL(CDC*)>, "handler must be BOOL(CDC*)");
    CDC dc(reinterpret_cast<HDC>(w));
    return (Self<H>(t)->*H)(&dc);
}
template <auto H> LRESULT Call_focus(CCmdTarget* t, WPARAM w, LPARAM l) {
    static_assert(HasSig<H, void(CWnd*)>, "handler must be void(CWnd*)");
    // WM_CAPTURECHANGED carries the window in lParam, the focus messages in wParam.
    HWND other = w ? reinterpret_cast<HWND>(w) : reinterpret_cast<HWND>(l);
    (Self<H>(t)->*H)(CWnd::FromHandle(other));
    return 0;
}
template <auto H> LRESULT Call_initmenupopup(CCmdTarget* t, WPARAM w, LPARAM l) {
    static_assert(HasSig<H, void(CMenu*, UINT, BOOL)>, "handler must be void(CMenu*, UINT, BOOL)");
    CMenu menu(reinterpret_cast<HMENU>(w));
    (Self<H>(t)->*H)(&menu, LOWORD(static_cast<std::uintptr_t>(l)),
                     HIWORD(static_cast<std::uintptr_t>(l)) ? TRUE : FALSE);
    return 0;
}
template <auto H, UINT Kind> LRESULT Call_ctlcolor(CCmdTarget* t, WPARAM w, LPARAM l) {
    static_assert(HasSig<H, HBRUSH(CDC*, CWnd*, UINT)>,
                  "handler must be HBRUSH(CDC*, CWnd*, UINT)");
    CDC dc(reinterpret_cast<HDC>(w));
    return reinterpret_cast<LRESULT>(
        (Self<H>(t)->*H)(&dc, CWnd::FromHandle(reinterpret_cast<HWND>(l)), Kind));
}
template <auto H> LRESULT Call_activate(CCmdTarget* t, WPARAM w, LPARAM l) {
    static_assert(HasSig<H, void(UINT, CWnd*, BOOL)>, "handler must be void(UINT, CWnd*, BOOL)");
    (Self<H>(t)->*H)(LOWORD(w), CWnd::FromHandle(reinterpret_cast<HWND>(l)),
                     HIWORD(w) ? TRUE : FALSE);
    return 0;
}

} // namespace afx
