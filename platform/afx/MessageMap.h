#pragma once
// Message maps: per class, a static table of (message, notification code,
// id range, handler) chained to the base class's table. Each handler is
// stored through a small adapter instantiated for its exact member-function
// signature, so a handler with the wrong signature does not compile.
//
//   BEGIN_MESSAGE_MAP(CMyView, CView)
//       ON_WM_PAINT()
//       ON_COMMAND(32786, OnSave)
//   END_MESSAGE_MAP()

#include <type_traits>

#include "platform/afx/AfxTypes.h"
#include "platform/user/Controls.h"

class CCmdTarget;
class CWnd;
class CDC;
class CMenu;
class CCmdUI;

enum class AfxEntryKind {
    End,
    Message,  // a window message; the adapter unpacks wParam/lParam
    Command,  // WM_COMMAND with (code, id in [id, lastId])
    UpdateUI, // command-state query for an id: the adapter gets a CCmdUI*
    Notify,   // WM_NOTIFY with (NMHDR code, control id)
};

using AfxHandlerCall = LRESULT (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    AfxEntryKind kind;
    UINT message;
    UINT code;
    UINT id;
    UINT lastId;
    AfxHandlerCall call;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*base)(); // nullptr for the root
    const AFX_MSGMAP_ENTRY* entries;
};

namespace afx {

template <typename T> struct MemberOf;
template <typename C, typename F> struct MemberOf<F C::*> { using Class = C; };
template <auto H> using ClassOf = typename MemberOf<decltype(H)>::Class;

template <auto H> ClassOf<H>* Self(CCmdTarget* t) {
    return static_cast<ClassOf<H>*>(t);
}

// The adapters check the handler's exact signature against its class.
template <auto H, typename Sig>
constexpr bool HasSig = std::is_same_v<decltype(H), Sig ClassOf<H>::*>;

template <auto H> LRESULT Call_v_v(CCmdTarget* t, WPARAM, LPARAM) {
    static_assert(HasSig<H, void()>, "handler must be void()");
    (Self<H>(t)->*H)();
    return 0;
}
template <auto H> LRESULT Call_v_u(CCmdTarget* t, WPARAM w, LPARAM) {
    static_assert(HasSig<H, void(UINT)>, "handler must be void(UINT)");
    (Self<H>(t)->*H)(static_cast<UINT>(LOWORD(w)));
    return 0;
}
template <auto H> LRESULT Call_l_wl(CCmdTarget* t, WPARAM w, LPARAM l) {
    static_assert(HasSig<H, LRESULT(WPARAM, LPARAM)>, "handler must be LRESULT(WPARAM, LPARAM)");
    return (Self<H>(t)->*H)(w, l);
}
template <auto H> LRESULT Call_ui(CCmdTarget* t, WPARAM, LPARAM l) {
    static_assert(HasSig<H, void(CCmdUI*)>, "handler must be void(CCmdUI*)");
    (Self<H>(t)->*H)(reinterpret_cast<CCmdUI*>(l));
    return 0;
}
template <auto H> LRESULT Call_create(CCmdTarget* t, WPARAM, LPARAM l) {
    static_assert(HasSig<H, int(LPCREATESTRUCT)>, "handler must be int(LPCREATESTRUCT)");
    return (Self<H>(t)->*H)(reinterpret_cast<LPCREATESTRUCT>(l));
}
template <auto H> LRESULT Call_mouse(CCmdTarget* t, WPARAM w, LPARAM l) {
    static_assert(HasSig<H, void(UINT, CPoint)>, "handler must be void(UINT, CPoint)");
    (Self<H>(t)->*H)(static_cast<UINT>(w), CPoint::FromLParam(l));
    return 0;
}
template <auto H> LRESULT Call_timer(CCmdTarget* t, WPARAM w, LPARAM) {
    static_assert(HasSig<H, void(UINT_PTR)>, "handler must be void(UINT_PTR)");
    (Self<H>(t)->*H)(static_cast<UINT_PTR>(w));
    return 0;
}
template <auto H> LRESULT Call_key(CCmdTarget* t, WPARAM w, LPARAM l) {
    static_assert(HasSig<H, void(UINT, UINT, UINT)>, "handler must be void(UINT, UINT, UINT)");
    const auto bits = static_cast<std::uintptr_t>(l);
    (Self<H>(t)->*H)(static_cast<UINT>(w), static_cast<UINT>(bits & 0xFFFF),
                     static_cast<UINT>((bits >> 16) & 0xFFFF));
    return 0;
}
template <auto H> LRESULT Call_size(CCmdTarget* t, WPARAM w, LPARAM l) {
    static_assert(HasSig<H, void(UINT, int, int)>, "handler must be void(UINT, int, int)");
    (Self<H>(t)->*H)(static_cast<UINT>(w), LOWORD(static_cast<std::uintptr_t>(l)),
                     HIWORD(static_cast<std::uintptr_t>(l)));
    return 0;
}
template <auto H> LRESULT Call_showwindow(CCmdTarget* t, WPARAM w, LPARAM l) {
    static_assert(HasSig<H, void(BOOL, UINT)>, "handler must be void(BOOL, UINT)");
    (Self<H>(t)->*H)(static_cast<BOOL>(w), static_cast<UINT>(l));
    return 0;
}
template <auto H> LRESULT Call_notify(CCmdTarget* t, WPARAM, LPARAM l) {
    static_assert(HasSig<H, void(NMHDR*, LRESULT*)>, "handler must be void(NMHDR*, LRESULT*)");
    LRESULT result = 0;
    (Self<H>(t)->*H)(reinterpret_cast<NMHDR*>(l), &result);
    return result;
}
template <auto H> LRESULT Call_b_v(CCmdTarget* t, WPARAM, LPARAM) {
    static_assert(HasSig<H, BOOL()>, "handler must be BOOL()");
    return (Self<H>(t)->*H)();
}

// Adapters whose arguments are framework objects live in AfxAdapters.h:
// they need the complete CWnd, CDC and CMenu.
template <auto H> LRESULT Call_erase(CCmdTarget* t, WPARAM w, LPARAM l);
template <auto H> LRESULT Call_focus(CCmdTarget* t, WPARAM w, LPARAM l);
template <auto H> LRESULT Call_initmenupopup(CCmdTarget* t, WPARAM w, LPARAM l);
template <auto H, UINT Kind> LRESULT Call_ctlcolor(CCmdTarget* t, WPARAM w, LPARAM l);
template <auto H> LRESULT Call_activate(CCmdTarget* t, WPARAM w, LPARAM l);

} // namespace afx

#define DECLARE_MESSAGE_MAP()                                                                      \
  protected:                                                                                       \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                              \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        using TheBaseClass = baseClass;                                                            \
        static const AFX_MSGMAP_ENTRY messageEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { AfxEntryKind::End, 0, 0, 0, 0, nullptr }                                                     \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, messageEntries};       \
    return &messageMap;                                                                            \
    }

#define AFX_MSG_ENTRY(msg, adapter, fn)                                                            \
    {AfxEntryKind::Message, msg, 0, 0, 0, &afx::adapter<&ThisClass::fn>},

// Window messages.
#define ON_MESSAGE(msg, fn) AFX_MSG_ENTRY(msg, Call_l_wl, fn)
#define ON_WM_CREATE() AFX_MSG_ENTRY(WM_CREATE, Call_create, OnCreate)
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, Call_v_v, OnDestroy)
#define ON_WM_CLOSE() AFX_MSG_ENTRY(WM_CLOSE, Call_v_v, OnClose)
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, Call_v_v, OnPaint)
#define ON_WM_ERASEBKGND() AFX_MSG_ENTRY(WM_ERASEBKGND, Call_erase, OnEraseBkgnd)
#define ON_WM_LBUTTONDOWN() AFX_MSG_ENTRY(WM_LBUTTONDOWN, Call_mouse, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MSG_ENTRY(WM_LBUTTONUP, Call_mouse, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MSG_ENTRY(WM_LBUTTONDBLCLK, Call_mouse, OnLButtonDblClk)
#define ON_WM_MOUSEMOVE() AFX_MSG_ENTRY(WM_MOUSEMOVE, Call_mouse, OnMouseMove)
#define ON_WM_TIMER() AFX_MSG_ENTRY(WM_TIMER, Call_timer, OnTimer)
#define ON_WM_KEYDOWN() AFX_MSG_ENTRY(WM_KEYDOWN, Call_key, OnKeyDown)
#define ON_WM_KEYUP() AFX_MSG_ENTRY(WM_KEYUP, Call_key, OnKeyUp)
#define ON_WM_CHAR() AFX_MSG_ENTRY(WM_CHAR, Call_key, OnChar)
#define ON_WM_SIZE() AFX_MSG_ENTRY(WM_SIZE, Call_size, OnSize)
#define ON_WM_SHOWWINDOW() AFX_MSG_ENTRY(WM_SHOWWINDOW, Call_showwindow, OnShowWindow)
#define ON_WM_SETFOCUS() AFX_MSG_ENTRY(WM_SETFOCUS, Call_focus, OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_MSG_ENTRY(WM_KILLFOCUS, Call_focus, OnKillFocus)
#define ON_WM_CAPTURECHANGED() AFX_MSG_ENTRY(WM_CAPTURECHANGED, Call_focus, OnCaptureChanged)
#define ON_WM_INITMENUPOPUP() AFX_MSG_ENTRY(WM_INITMENUPOPUP, Call_initmenupopup, OnInitMenuPopup)
// Every WM_CTLCOLOR* a control sends reaches OnCtlColor with its kind
// (CTLCOLOR_EDIT, CTLCOLOR_LISTBOX, CTLCOLOR_BTN, CTLCOLOR_STATIC).
#define AFX_CTLCOLOR_ENTRY(msg, kind)                                                              \
    {AfxEntryKind::Message, msg, 0, 0, 0, &afx::Call_ctlcolor<&ThisClass::OnCtlColor, kind>},
#define ON_WM_CTLCOLOR()                                                                           \
    AFX_CTLCOLOR_ENTRY(WM_CTLCOLOREDIT, CTLCOLOR_EDIT)                                             \
    AFX_CTLCOLOR_ENTRY(WM_CTLCOLORLISTBOX, CTLCOLOR_LISTBOX)                                       \
    AFX_CTLCOLOR_ENTRY(WM_CTLCOLORBTN, CTLCOLOR_BTN)                                               \
    AFX_CTLCOLOR_ENTRY(WM_CTLCOLORSTATIC, CTLCOLOR_STATIC)
#define ON_WM_ACTIVATE() AFX_MSG_ENTRY(WM_ACTIVATE, Call_activate, OnActivate)

// Commands and control notifications.
#define ON_CONTROL(code, id, fn)                                                                   \
    {AfxEntryKind::Command, WM_COMMAND, code, id, id, &afx::Call_v_v<&ThisClass::fn>},
#define ON_COMMAND(id, fn) ON_CONTROL(0, id, fn)
#define ON_COMMAND_RANGE(id, lastId, fn)                                                           \
    {AfxEntryKind::Command, WM_COMMAND, 0, id, lastId, &afx::Call_v_u<&ThisClass::fn>},
#define ON_UPDATE_COMMAND_UI(id, fn)                                                               \
    {AfxEntryKind::UpdateUI, WM_COMMAND, 0, id, id, &afx::Call_ui<&ThisClass::fn>},
// A control's WM_NOTIFY: void fn(NMHDR*, LRESULT* result), the result
// being the answer to the control.
#define ON_NOTIFY(code, id, fn)                                                                    \
    {AfxEntryKind::Notify, WM_NOTIFY, code, id, id, &afx::Call_notify<&ThisClass::fn>},
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_SELENDOK(id, fn) ON_CONTROL(CBN_SELENDOK, id, fn)
