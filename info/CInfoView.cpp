#include "info/CInfoView.h"

#include "info/InfoPanelActions.h"
#include "info/InfoPanelPainter.h"
#include "platform/afx/CWinApp.h"
#include "platform/user/Backend.h"

BEGIN_MESSAGE_MAP(CInfoView, CView)
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_LBUTTONUP()
ON_WM_ERASEBKGND()
ON_WM_DESTROY()
ON_MESSAGE(CInfoView::kFirstReadingMessage, OnFirstReading)
END_MESSAGE_MAP()

ProgramHost* CInfoView::Host() const {
    if (host_)
        return host_;
    return dynamic_cast<ProgramHost*>(AfxGetMainWnd());
}

int CInfoView::SysInfoMode() const {
    const ProgramHost* host = Host();
    return host ? host->GetSysInfoMode() : 0;
}

BOOL CInfoView::DestroyWindow() {
    KillTimer(kRefreshTimer);
    return CView::DestroyWindow();
}

void CInfoView::OnDestroy() {
    // Also when the window goes with its parent, without DestroyWindow.
    KillTimer(kRefreshTimer);
    CView::OnDestroy();
}

void CInfoView::Refresh() {
    sources_.ReadAll(currentTexts);
    if (currentTexts != shownTexts) {
        shownTexts = currentTexts;
        Invalidate();
    }
}

void CInfoView::OnInitialUpdate() {
    CView::OnInitialUpdate();
    infoPage = 1;
    // Reading the mail, the calendars and the rest can take a while (and
    // naming the region loads ICU): it waits until the first frame is on the
    // screen. Should that never come, the refresh tick reads.
    zorun::AfterFirstFrame(
        [hwnd = GetSafeHwnd()] { PostMessageW(hwnd, kFirstReadingMessage, 0, 0); });
    SetTimer(kRefreshTimer, kRefreshMs);
}

LRESULT CInfoView::OnFirstReading(WPARAM, LPARAM) {
    // Shown at once; the first tick still finds nothing recorded as shown
    // and repaints once more, as it always has.
    sources_.ReadAll(currentTexts);
    Invalidate();
    return 0;
}

void CInfoView::OnDraw(CDC*) {}

void CInfoView::OnPaint() {
    CPaintDC dc(this);
    RECT client{};
    GetClientRect(&client);
    infoPage =
        InfoPanelPainter::Paint(dc.GetSafeHdc(), client, SysInfoMode(), infoPage, currentTexts);
}

BOOL CInfoView::OnEraseBkgnd(CDC*) {
    // The paint covers the whole panel.
    return TRUE;
}

void CInfoView::OnTimer(UINT_PTR id) {
    if (id == kRefreshTimer)
        Refresh();
    CView::OnTimer(id);
}

BOOL CInfoView::Execute(SHELLEXECUTEINFO& info) {
    return ShellExecuteEx(&info);
}

void CInfoView::OnLButtonUp(UINT flags, CPoint point) {
    RECT client{};
    GetClientRect(&client);
    const InfoPanelActions::Tap tap =
        InfoPanelActions::Classify(client, POINT{point.x, point.y}, SysInfoMode(), infoPage);
    if (tap.turnPage) {
        infoPage = infoPage == 1 ? 2 : 1;
        Invalidate();
    } else if (tap.field >= 0) {
        const InfoPanelActions::Action& action = InfoPanelActions::ActionFor(tap.field);
        SHELLEXECUTEINFO info{};
        info.cbSize = sizeof info;
        info.fMask = 0;
        info.hwnd = nullptr;
        info.lpVerb = u"open";
        info.lpFile = action.program;
        info.lpParameters = action.parameters;
        info.lpDirectory = nullptr;
        info.nShow = SW_SHOW;
        // A program that cannot be started leaves no trace.
        (void)Execute(info);
    }
    if (ProgramHost* host = Host(); host && host->IsPageBarHeld())
        host->OnPageBarRelease(GetSafeHwnd(), flags, POINT{point.x, point.y});
}
