#include "app/CXSplitterWnd.h"

#include "catalogue/ProgramHost.h"
#include "launcher/CZorunView.h"
#include "platform/afx/CWinApp.h"

namespace {

// Page-bar images: normal (bitmaps) and pressed (icons).
constexpr int kUpGrey = 144, kUpLit = 146, kDownGrey = 147, kDownLit = 149;
constexpr int kUpPressed = 194, kDownPressed = 195;

void DrawIconNow(CWnd* wnd, int iconNumber, int x, int y) {
    HICON icon = LoadIconW(AfxGetResourceHandle(), iconNumber);
    if (!icon)
        return;
    CClientDC dc(wnd);
    DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
}

} // namespace

BEGIN_MESSAGE_MAP(CXSplitterWnd, CSplitterWnd)
ON_MESSAGE(ZorunViewMessage::PageState, OnPageState)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CXSplitterWnd::CXSplitterWnd() {
    // One column, two rows: only the 11-row gap between the rows matters.
    m_cxSplitter = 0;
    m_cySplitter = 3;
    m_cxBorderShare = 0;
    m_cyBorderShare = 0;
    m_cxSplitterGap = 1;
    m_cySplitterGap = kBandHeight;
    m_cxBorder = 0;
    m_cyBorder = 0;
}

HWND CXSplitterWnd::LauncherWindow() const {
    auto* host = dynamic_cast<ProgramHost*>(AfxGetMainWnd());
    CZorunView* view = host ? host->GetLauncherView() : nullptr;
    return view ? view->GetSafeHwnd() : nullptr;
}

// The panes paint themselves and cover everything but the band. Invalidating
// the whole split window here would also repaint the launcher view, whose
// every paint reports its page state again: only the band is invalidated,
// which gives the same screen.
void CXSplitterWnd::InvalidateBand() const {
    CRect client;
    GetClientRect(&client);
    const CRect band(0, kBarTop, client.Width(), kBarTop + kBandHeight);
    InvalidateRect(&band, TRUE);
}

LRESULT CXSplitterWnd::OnPageState(WPARAM, LPARAM state) {
    if (state >= 0 && state <= 3)
        arrowState = static_cast<int>(state);
    InvalidateBand();
    return 0;
}

void CXSplitterWnd::OnLButtonDown(UINT, CPoint point) {
    if (!InHitBand(point))
        return;
    // The pressed half shows at once, not at the next paint.
    if (point.x > kHalfWidth && DownUsable())
        DrawIconNow(this, kDownPressed, kHalfWidth, kBarTop);
    if (point.x <= kHalfWidth && UpUsable())
        DrawIconNow(this, kUpPressed, 0, kBarTop);
    arrowHeld = true;
}

void CXSplitterWnd::OnLButtonUp(UINT flags, CPoint point) {
    OnArrowRelease(flags, point);
}

void CXSplitterWnd::OnArrowRelease(UINT, CPoint point) {
    if (InHitBand(point)) {
        // Sent whatever arrowState says: the view knows whether it can page.
        if (HWND launcher = LauncherWindow())
            ::SendMessageW(launcher,
                           point.x <= kHalfWidth ? ZorunViewMessage::PageUp
                                                 : ZorunViewMessage::PageDown,
                           0, 0);
    }
    arrowHeld = false;
    InvalidateBand();
}

void CXSplitterWnd::OnMouseMove(UINT, CPoint) {
    // No tracking and no feedback while the stylus moves.
}

void CXSplitterWnd::OnPaint() {
    CPaintDC dc(this);
    const int left = UpUsable() ? kUpLit : kUpGrey;
    const int right = DownUsable() ? kDownLit : kDownGrey;
    HBITMAP leftImage = LoadBitmapW(AfxGetResourceHandle(), left);
    HBITMAP rightImage = LoadBitmapW(AfxGetResourceHandle(), right);
    CDC leftDC, rightDC;
    leftDC.CreateCompatibleDC(&dc);
    rightDC.CreateCompatibleDC(&dc);
    HGDIOBJ oldLeft = leftDC.SelectObject(leftImage);
    HGDIOBJ oldRight = rightDC.SelectObject(rightImage);
    dc.BitBlt(0, kBarTop, kHalfWidth, kBarRows, &leftDC, 0, 0, SRCCOPY);
    dc.BitBlt(kHalfWidth, kBarTop, kHalfWidth, kBarRows, &rightDC, 0, 0, SRCCOPY);
    leftDC.SelectObject(oldLeft);
    rightDC.SelectObject(oldRight);
    DeleteObject(leftImage);
    DeleteObject(rightImage);
}

BOOL CXSplitterWnd::OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
    HGDIOBJ oldPen = dc->SelectObject(pen);
    dc->Rectangle(&client);
    dc->SelectObject(oldPen);
    DeleteObject(pen);
    return TRUE;
}
