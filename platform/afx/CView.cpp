#include "platform/afx/CView.h"

#include "platform/afx/CDocument.h"
#include "platform/afx/CFrameWnd.h"

BEGIN_MESSAGE_MAP(CView, CWnd)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_DESTROY()
ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::~CView() {
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCTW& cs) {
    if (!cs.lpszClass)
        cs.lpszClass = u"AfxFrameOrView42ud";
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    if (auto* context = static_cast<CCreateContext*>(cs ? cs->lpCreateParams : nullptr)) {
        if (context->m_pCurrentDoc)
            context->m_pCurrentDoc->AddView(this);
    }
    return 0;
}

void CView::OnPaint() {
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::OnDestroy() {
    if (CFrameWnd* frame = GetParentFrame(); frame && frame->GetActiveView() == this)
        frame->SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate() {
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, void*) {
    Invalidate(TRUE);
}

void CView::OnActivateView(BOOL activate, CView*, CView*) {
    if (activate)
        SetFocus();
}

BOOL CView::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
    if (CWnd::OnCmdMsg(id, code, ui))
        return TRUE;
    return m_pDocument ? m_pDocument->OnCmdMsg(id, code, ui) : FALSE;
}

void CView::PostNcDestroy() {
    delete this;
}
