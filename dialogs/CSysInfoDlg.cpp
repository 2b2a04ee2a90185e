#include "dialogs/CSysInfoDlg.h"

#include "catalogue/ProgramHost.h"
#include "platform/afx/CDC.h"
#include "platform/afx/CWinApp.h"
#include "platform/user/Controls.h"

BEGIN_MESSAGE_MAP(CSysInfoDlg, CDialog)
ON_COMMAND(CSysInfoDlg::kTimeBox, OnChoice)
ON_COMMAND(CSysInfoDlg::kRegionBox, OnChoice)
ON_WM_CTLCOLOR()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

namespace {

ProgramHost* Host() {
    return dynamic_cast<ProgramHost*>(AfxGetMainWnd());
}

} // namespace

CSysInfoDlg::CSysInfoDlg(CWnd* parent) : CDialog(kTemplate, parent) {}

CSysInfoDlg::~CSysInfoDlg() {
    if (dialogFont)
        DeleteObject(dialogFont);
}

int CSysInfoDlg::ModeOf(bool time, bool region) {
    return (time ? 1 : 0) + (region ? 2 : 0);
}

void CSysInfoDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, kMemoryBox, memoryBox);
    DDX_Control(dx, kTaskBox, taskBox);
    DDX_Control(dx, kInboxBox, inboxBox);
    DDX_Control(dx, kCalendarBox, calendarBox);
    DDX_Control(dx, kBatteryBox, batteryBox);
    DDX_Control(dx, kTimeBox, timeBox);
    DDX_Control(dx, kRegionBox, regionBox);
}

BOOL CSysInfoDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (const CButton* fixed : {&inboxBox, &batteryBox, &calendarBox, &memoryBox, &taskBox})
        fixed->SetCheck(BST_CHECKED);
    const ProgramHost* host = Host();
    const int mode = host ? host->GetSysInfoMode() : 0;
    timeBox.SetCheck(TicksTime(mode) ? BST_CHECKED : BST_UNCHECKED);
    regionBox.SetCheck(TicksRegion(mode) ? BST_CHECKED : BST_UNCHECKED);

    LOGFONTW description{};
    description.lfHeight = 15;
    description.lfWeight = 400;
    description.lfQuality = CLEARTYPE_QUALITY;
    dialogFont = CreateFontIndirectW(&description);
    if (host && host->IsClearTypeOn())
        if (CWnd* box = GetDlgItem(kGroupBox))
            box->SetFont(dialogFont, TRUE);
    return TRUE;
}

// The automatic box has already changed its own state.
void CSysInfoDlg::OnChoice() {
    if (ProgramHost* host = Host())
        host->SetSysInfoMode(
            ModeOf(timeBox.GetCheck() == BST_CHECKED, regionBox.GetCheck() == BST_CHECKED));
}

HBRUSH CSysInfoDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    HBRUSH brush = CDialog::OnCtlColor(dc, wnd, ctlColor);
    const ProgramHost* host = Host();
    if (host && host->IsClearTypeOn() && dialogFont)
        dc->SelectObject(dialogFont);
    return brush;
}

void CSysInfoDlg::OnLButtonDown(UINT, CPoint) {}
