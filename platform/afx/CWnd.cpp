#include "platform/afx/CWnd.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CWinApp.h"
#include "platform/base/Log.h"

// The framework's per-thread state: the object whose window is being
// created (its first messages arrive before CreateWindowExW returns), the
// message being handled (for Default), the handler depth and the objects
// waiting for PostNcDestroy, and the temporary wrappers of FromHandle.
struct AfxWindowState {
    CWnd* creating = nullptr;
    struct Current {
        HWND hwnd;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } current{};
    int depth = 0;
    std::vector<CWnd*> destroyed;
    std::map<HWND, std::unique_ptr<CWnd>> temporaries;

    static AfxWindowState& Get() {
        thread_local AfxWindowState state;
        return state;
    }

    void Flush() {
        // Children were destroyed after their parents: end them first, so a
        // frame deleting itself never leaves a member pane to be visited.
        while (!destroyed.empty()) {
            CWnd* w = destroyed.back();
            destroyed.pop_back();
            w->PostNcDestroy();
        }
        std::erase_if(temporaries, [](const auto& t) { return !IsWindow(t.first); });
    }
};

namespace {

void AttachHandle(CWnd* wnd, HWND hwnd) {
    wnd->m_hWnd = hwnd;
    SetWindowLongW(hwnd, GWL_USERDATA, reinterpret_cast<std::intptr_t>(wnd));
}

} // namespace

LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& state = AfxWindowState::Get();
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (!wnd && state.creating) {
        wnd = state.creating;
        state.creating = nullptr;
        AttachHandle(wnd, hwnd);
    }
    if (!wnd)
        return DefWindowProcW(hwnd, message, wParam, lParam);

    const auto saved = state.current;
    state.current = {hwnd, message, wParam, lParam};
    ++state.depth;
    LRESULT result = 0;
    try {
        result = wnd->WindowProc(message, wParam, lParam);
    } catch (const std::exception& e) {
        zorun::LogWarning(std::string("afx: a message handler failed: ") + e.what());
    } catch (...) {
        zorun::LogWarning("afx: a message handler failed");
    }
    if (message == WM_DESTROY && wnd->m_hWnd == hwnd) {
        // The window is gone for the framework; the object hears nothing more.
        SetWindowLongW(hwnd, GWL_USERDATA, 0);
        wnd->m_hWnd = nullptr;
        state.destroyed.push_back(wnd);
        // The program ends with its main window.
        if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == wnd)
            PostQuitMessage(0);
    }
    --state.depth;
    state.current = saved;
    if (state.depth == 0)
        state.Flush();
    return result;
}

void AfxFlushDestroyedWindows() {
    auto& state = AfxWindowState::Get();
    if (state.depth == 0)
        state.Flush();
}

CWnd::~CWnd() {
    auto& state = AfxWindowState::Get();
    std::erase(state.destroyed, this);
    if (state.creating == this)
        state.creating = nullptr;
    if (m_hWnd && !temporary_) {
        HWND hwnd = Detach();
        ::DestroyWindow(hwnd);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    if (!hwnd || !IsWindow(hwnd))
        return nullptr;
    auto* wnd = reinterpret_cast<CWnd*>(GetWindowLongW(hwnd, GWL_USERDATA));
    return (wnd && wnd->m_hWnd == hwnd) ? wnd : nullptr;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (!hwnd)
        return nullptr;
    if (CWnd* wnd = FromHandlePermanent(hwnd))
        return wnd;
    auto& temps = AfxWindowState::Get().temporaries;
    auto& slot = temps[hwnd];
    if (!slot) {
        slot = std::make_unique<CWnd>();
        slot->m_hWnd = hwnd;
        slot->temporary_ = true;
    }
    return slot.get();
}

BOOL CWnd::Attach(HWND hwnd) {
    if (m_hWnd || !IsWindow(hwnd) || FromHandlePermanent(hwnd))
        return FALSE;
    AttachHandle(this, hwnd);
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hwnd = m_hWnd;
    if (hwnd && !temporary_ && FromHandlePermanent(hwnd) == this)
        SetWindowLongW(hwnd, GWL_USERDATA, 0);
    m_hWnd = nullptr;
    return hwnd;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTW&) {
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD exStyle, const char16_t* className, const char16_t* title, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, void* param) {
    if (m_hWnd)
        return FALSE;
    CREATESTRUCTW cs{};
    cs.lpCreateParams = param;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id));
    cs.hwndParent = parent ? parent->m_hWnd : nullptr;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.Width();
    cs.cy = rect.Height();
    cs.style = static_cast<LONG>(style);
    cs.lpszName = title;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    if (!PreCreateWindow(cs))
        return FALSE;

    auto& state = AfxWindowState::Get();
    CWnd* const previous = state.creating;
    state.creating = this;
    ++state.depth;
    HWND hwnd =
        CreateWindowExW(cs.dwExStyle, cs.lpszClass ? cs.lpszClass : u"AfxWnd",
                        cs.lpszName ? cs.lpszName : u"", static_cast<DWORD>(cs.style), cs.x, cs.y,
                        cs.cx, cs.cy, cs.hwndParent, cs.hMenu, AfxWndProc, cs.lpCreateParams);
    --state.depth;
    if (state.creating == this)
        state.creating = previous;
    // A window that never sent a message is attached now.
    if (hwnd && !m_hWnd && IsWindow(hwnd))
        AttachHandle(this, hwnd);
    const bool ok = hwnd && m_hWnd == hwnd && IsWindow(hwnd);
    if (!ok && m_hWnd == hwnd)
        m_hWnd = nullptr;
    AfxFlushDestroyedWindows();
    return ok ? TRUE : FALSE;
}

BOOL CWnd::Create(const char16_t* className, const char16_t* title, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, void* param) {
    return CreateEx(0, className, title, style | WS_CHILD, rect, parent, id, param);
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd)
        return FALSE;
    auto& state = AfxWindowState::Get();
    ++state.depth;
    HWND hwnd = m_hWnd;
    const BOOL ok = ::DestroyWindow(hwnd);
    if (temporary_)
        m_hWnd = nullptr;
    --state.depth;
    // Members must not be touched after this: PostNcDestroy may delete us.
    AfxFlushDestroyedWindows();
    return ok;
}

void CWnd::Invalidate(BOOL erase) const {
    ::InvalidateRect(m_hWnd, nullptr, erase);
}
void CWnd::InvalidateRect(const RECT* rect, BOOL erase) const {
    ::InvalidateRect(m_hWnd, rect, erase);
}
void CWnd::ValidateRect(const RECT* rect) const {
    ::ValidateRect(m_hWnd, rect);
}
void CWnd::UpdateWindow() const {
    ::UpdateWindow(m_hWnd);
}
void CWnd::GetClientRect(RECT* rect) const {
    if (!::GetClientRect(m_hWnd, rect))
        *rect = RECT{};
}
void CWnd::GetWindowRect(RECT* rect) const {
    if (!::GetWindowRect(m_hWnd, rect))
        *rect = RECT{};
}
void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) const {
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}
void CWnd::MoveWindow(const RECT& rect, BOOL repaint) const {
    ::MoveWindow(m_hWnd, rect.left, rect.top, rect.Width(), rect.Height(), repaint);
}
BOOL CWnd::SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT flags) const {
    return ::SetWindowPos(m_hWnd, after ? after->m_hWnd : nullptr, x, y, cx, cy, flags);
}
BOOL CWnd::ShowWindow(int command) const {
    return ::ShowWindow(m_hWnd, command);
}
BOOL CWnd::EnableWindow(BOOL enable) const {
    return ::EnableWindow(m_hWnd, enable);
}
BOOL CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd);
}
BOOL CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd);
}
DWORD CWnd::GetStyle() const {
    return static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_STYLE));
}
void CWnd::SetWindowText(std::u16string_view text) const {
    const std::u16string copy(text);
    SetWindowTextW(m_hWnd, copy.c_str());
}
std::u16string CWnd::GetWindowText() const {
    return ::GetWindowText(m_hWnd);
}
void CWnd::ClientToScreen(POINT* point) const {
    ::ClientToScreen(m_hWnd, point);
}
void CWnd::ClientToScreen(RECT* rect) const {
    POINT p{0, 0};
    ::ClientToScreen(m_hWnd, &p);
    *rect = rect->Offset(p.x, p.y);
}
void CWnd::ScreenToClient(POINT* point) const {
    ::ScreenToClient(m_hWnd, point);
}
void CWnd::ScreenToClient(RECT* rect) const {
    POINT p{0, 0};
    ::ClientToScreen(m_hWnd, &p);
    *rect = rect->Offset(-p.x, -p.y);
}
BOOL CWnd::SetForegroundWindow() const {
    return ::SetForegroundWindow(m_hWnd);
}
BOOL CWnd::BringWindowToTop() const {
    return ::BringWindowToTop(m_hWnd);
}

CWnd* CWnd::GetParent() const {
    return FromHandle(::GetParent(m_hWnd));
}

CFrameWnd* CWnd::GetParentFrame() const {
    for (HWND h = ::GetParent(m_hWnd); h; h = ::GetParent(h))
        if (auto* frame = dynamic_cast<CFrameWnd*>(FromHandlePermanent(h)))
            return frame;
    return nullptr;
}

CWnd* CWnd::GetDlgItem(int id) const {
    return FromHandle(::GetDlgItem(m_hWnd, id));
}
int CWnd::GetDlgCtrlID() const {
    return ::GetDlgCtrlID(m_hWnd);
}
void CWnd::SetDlgItemText(int id, std::u16string_view text) const {
    const std::u16string copy(text);
    SetWindowTextW(::GetDlgItem(m_hWnd, id), copy.c_str());
}
std::u16string CWnd::GetDlgItemText(int id) const {
    return ::GetWindowText(::GetDlgItem(m_hWnd, id));
}
void CWnd::CheckDlgButton(int id, UINT check) const {
    SendMessageW(::GetDlgItem(m_hWnd, id), BM_SETCHECK, check, 0);
}
UINT CWnd::IsDlgButtonChecked(int id) const {
    return static_cast<UINT>(SendMessageW(::GetDlgItem(m_hWnd, id), BM_GETCHECK, 0, 0));
}
LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageW(::GetDlgItem(m_hWnd, id), message, wParam, lParam);
}

void CWnd::SetFont(HFONT font, BOOL redraw) const {
    SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}
HFONT CWnd::GetFont() const {
    return reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
}

CWnd* CWnd::SetFocus() const {
    return FromHandle(::SetFocus(m_hWnd));
}
CWnd* CWnd::GetFocus() {
    return FromHandle(::GetFocus());
}
CWnd* CWnd::SetCapture() const {
    return FromHandle(::SetCapture(m_hWnd));
}
CWnd* CWnd::GetCapture() {
    return FromHandle(::GetCapture());
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, void* unused) const {
    return ::SetTimer(m_hWnd, id, elapseMs, unused);
}
BOOL CWnd::KillTimer(UINT_PTR id) const {
    return ::KillTimer(m_hWnd, id);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageW(m_hWnd, message, wParam, lParam);
}
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return PostMessageW(m_hWnd, message, wParam, lParam);
}

CDC* CWnd::GetDC() const {
    HDC hdc = ::GetDC(m_hWnd);
    return hdc ? new CDC(hdc) : nullptr;
}

int CWnd::ReleaseDC(CDC* dc) const {
    if (!dc)
        return 0;
    const int released = ::ReleaseDC(m_hWnd, dc->m_hDC);
    dc->m_hDC = nullptr;
    delete dc;
    return released;
}

int CWnd::MessageBox(const char16_t* text, const char16_t* caption, UINT type) const {
    return MessageBoxW(m_hWnd, text, caption ? caption : u"", type);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *result = 0;
        return TRUE;
    }
    if (message == WM_NOTIFY && lParam) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (const AFX_MSGMAP_ENTRY* n = FindMessageEntry(
                AfxEntryKind::Notify, WM_NOTIFY, header->code, static_cast<UINT>(header->idFrom))) {
            *result = n->call(this, wParam, lParam);
            return TRUE;
        }
    }
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(AfxEntryKind::Message, message, 0, 0);
    if (!e)
        return FALSE;
    *result = e->call(this, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) {
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const auto& c = AfxWindowState::Get().current;
    if (c.hwnd != m_hWnd || !m_hWnd)
        return 0;
    return DefWindowProc(c.message, c.wParam, c.lParam);
}

int CWnd::OnCreate(LPCREATESTRUCT) {
    return static_cast<int>(Default());
}
void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnClose() {
    Default();
}
void CWnd::OnPaint() {
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnLButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint) {
    Default();
}
void CWnd::OnTimer(UINT_PTR) {
    Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnSize(UINT, int, int) {
    Default();
}
void CWnd::OnShowWindow(BOOL, UINT) {
    Default();
}
void CWnd::OnSetFocus(CWnd*) {
    Default();
}
void CWnd::OnKillFocus(CWnd*) {
    Default();
}
void CWnd::OnCaptureChanged(CWnd*) {
    Default();
}
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) {
    Default();
}
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) {
    return reinterpret_cast<HBRUSH>(Default());
}
void CWnd::OnActivate(UINT, CWnd*, BOOL) {
    Default();
}

const AFX_MSGMAP* CWnd::GetMessageMap() const {
    return GetThisMessageMap();
}
const AFX_MSGMAP* CWnd::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{AfxEntryKind::End, 0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {&CCmdTarget::GetThisMessageMap, entries};
    return &map;
}
