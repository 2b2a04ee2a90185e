#include "app/CInfoPlaceholderView.h"

#include "catalogue/ProgramHost.h"
#include "platform/afx/CWinApp.h"

BEGIN_MESSAGE_MAP(CInfoPlaceholderView, CView)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

void CInfoPlaceholderView::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    HBITMAP plate = LoadBitmapW(AfxGetResourceHandle(), 150);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    HGDIOBJ old = memory.SelectObject(plate);
    dc.BitBlt(client.left, client.top, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
    DeleteObject(plate);
}

BOOL CInfoPlaceholderView::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CInfoPlaceholderView::OnLButtonUp(UINT flags, CPoint point) {
    if (auto* host = dynamic_cast<ProgramHost*>(AfxGetMainWnd()); host && host->IsPageBarHeld())
        host->OnPageBarRelease(m_hWnd, flags, point);
}
