#include "platform/afx/CFrameWnd.h"

#include "platform/afx/CDocument.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/StringTable.h"

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTW& cs) {
    if (!cs.lpszClass)
        cs.lpszClass = u"AfxFrameOrView42ud";
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context) {
    std::u16string title = LoadStringW(resourceId);
    if (auto newline = title.find(u'\n'); newline != std::u16string::npos)
        title.resize(newline);
    return Create(nullptr, title.c_str(), style, rectDefault, parent, context);
}

BOOL CFrameWnd::Create(const char16_t* className, const char16_t* title, DWORD style,
                       const RECT& rect, CWnd* parent, CCreateContext* context) {
    return CreateEx(0, className, title, style, rect, parent, 0, context);
}

int CFrameWnd::OnCreate(LPCREATESTRUCT cs) {
    auto* context = static_cast<CCreateContext*>(cs ? cs->lpCreateParams : nullptr);
    if (!OnCreateClient(cs, context))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* context) {
    if (context && context->m_pNewViewClass)
        return CreateView(context, AFX_IDW_PANE_FIRST) ? TRUE : FALSE;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id) {
    if (!context || !context->m_pNewViewClass)
        return nullptr;
    CWnd* view = context->m_pNewViewClass();
    if (!view)
        return nullptr;
    CRect client;
    GetClientRect(&client);
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, client, this, id, context)) {
        // A view deletes itself once its window existed; otherwise it is ours.
        if (!dynamic_cast<CView*>(view))
            delete view;
        return nullptr;
    }
    return view;
}

void CFrameWnd::RecalcLayout() {
    if (HWND pane = ::GetDlgItem(m_hWnd, static_cast<int>(AFX_IDW_PANE_FIRST))) {
        CRect client;
        GetClientRect(&client);
        ::MoveWindow(pane, 0, 0, client.Width(), client.Height(), TRUE);
    }
}

namespace {

void SendToDescendants(HWND parent, UINT message) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageW(child, message, 0, 0);
        SendToDescendants(child, message);
    }
}

} // namespace

void CFrameWnd::InitialUpdateFrame(CDocument* document, BOOL makeVisible) {
    if (!activeView_ && document && !document->GetViews().empty())
        SetActiveView(document->GetViews().front(), FALSE);
    SendToDescendants(m_hWnd, WM_INITIALUPDATE);
    if (makeVisible) {
        ShowWindow(SW_SHOW);
        UpdateWindow();
    }
}

void CFrameWnd::SetActiveView(CView* view, BOOL notify) {
    CView* old = activeView_;
    if (view == old)
        return;
    activeView_ = view;
    if (!notify)
        return;
    if (old)
        old->OnActivateView(FALSE, view, old);
    if (view)
        view->OnActivateView(TRUE, view, old);
}

CDocument* CFrameWnd::GetActiveDocument() const {
    return activeView_ ? activeView_->GetDocument() : nullptr;
}

BOOL CFrameWnd::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
    if (activeView_ && activeView_->OnCmdMsg(id, code, ui))
        return TRUE;
    if (CWnd::OnCmdMsg(id, code, ui))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app ? app->OnCmdMsg(id, code, ui) : FALSE;
}

void CFrameWnd::OnClose() {
    DestroyWindow();
}

void CFrameWnd::OnSize(UINT, int, int) {
    RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd*) {
    if (activeView_ && activeView_->m_hWnd)
        activeView_->SetFocus();
}

void CFrameWnd::OnInitMenuPopup(CMenu* popup, UINT, BOOL sysMenu) {
    if (sysMenu || !popup)
        return;
    // Let the command route answer for each item (ON_UPDATE_COMMAND_UI).
    const int count = popup->GetMenuItemCount();
    for (int i = 0; i < count; ++i) {
        const UINT id = popup->GetMenuItemID(i);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;
        CCmdUI ui;
        ui.m_nID = id;
        ui.m_hMenu = popup->m_hMenu;
        OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui);
    }
}

void CFrameWnd::PostNcDestroy() {
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this)
        app->m_pMainWnd = nullptr;
    if (m_bAutoDelete)
        delete this;
}
