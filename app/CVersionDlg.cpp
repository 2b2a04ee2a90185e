#include "app/CVersionDlg.h"

#include "app/CMainFrame.h"
#include "app/CommandIds.h"

BEGIN_MESSAGE_MAP(CVersionDlg, CDialog)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CVersionDlg::CVersionDlg(CWnd* parent) : CDialog(ShellResource::VersionDialog, parent) {}

CVersionDlg::~CVersionDlg() {
    if (font_)
        DeleteObject(font_);
}

HBRUSH CVersionDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    HBRUSH brush = CDialog::OnCtlColor(dc, wnd, ctlColor);
    if (clearTypeOn) {
        if (!font_) {
            LOGFONTW description{};
            description.lfHeight = 15;
            description.lfWeight = 400;
            description.lfQuality = CLEARTYPE_QUALITY;
            font_ = CreateFontIndirectW(&description);
        }
        dc->SelectObject(font_);
    }
    return brush;
}
