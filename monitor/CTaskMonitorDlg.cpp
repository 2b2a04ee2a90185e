#include "monitor/CTaskMonitorDlg.h"

#include "catalogue/ProgramHost.h"
#include "monitor/MonitorIds.h"
#include "monitor/ThreadWindows.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/StringTable.h"
#include "platform/user/ControlSupport.h"

BEGIN_MESSAGE_MAP(CTaskMonitorDlg, CDialog)
ON_WM_PAINT()
ON_WM_ACTIVATE()
ON_WM_INITMENUPOPUP()
ON_WM_DESTROY()
ON_WM_KILLFOCUS()
ON_NOTIFY(LVN_ITEMCHANGED, MonitorResource::List, OnListItemChanged)
ON_COMMAND(MonitorCommand::Activate, OnActivateApplication)
ON_COMMAND(MonitorCommand::Stop, OnStop)
ON_COMMAND(MonitorCommand::StopAll, OnStopAll)
ON_COMMAND(MonitorCommand::Return, OnReturn)
END_MESSAGE_MAP()

CTaskMonitorDlg::CTaskMonitorDlg(CWnd* parent) : CDialog(MonitorResource::Dialog, parent) {}

CTaskMonitorDlg::~CTaskMonitorDlg() {
    if (listFont)
        DeleteObject(listFont);
}

bool CTaskMonitorDlg::IsClearTypeOn() const {
    const auto* host = dynamic_cast<ProgramHost*>(AfxGetMainWnd());
    return host && host->IsSecondaryClearTypeOn();
}

void CTaskMonitorDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, MonitorResource::List, listCtrl);
}

BOOL CTaskMonitorDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const UINT tips[] = {MonitorResource::EditTip, MonitorResource::ActivateTip,
                         MonitorResource::StopTip, MonitorResource::StopAllTip};
    for (std::size_t i = 0; i < toolTipTexts.size(); ++i) {
        toolTipTexts[i] = LoadStringW(tips[i]);
        toolTips[i] = toolTipTexts[i].c_str();
    }

    if (commandBar.Create(this) && commandBar.InsertMenuBar(MonitorResource::Menu) &&
        commandBar.LoadToolBar(MonitorResource::ToolBar))
        commandBar.SendMessage(TB_SETTOOLTIPS, toolTips.size(),
                               reinterpret_cast<LPARAM>(toolTips.data()));

    CRect client;
    GetClientRect(&client);
    listCtrl.MoveWindow(client.left + 10, client.top + 50, client.Width() - 20,
                        client.Height() - 60, FALSE);
    listCtrl.InsertColumn(0, LoadStringW(MonitorResource::NameColumn).c_str(), LVCFMT_LEFT,
                          client.Width() - 50);
    if (IsClearTypeOn()) {
        LOGFONTW description{};
        description.lfHeight = 15;
        description.lfWeight = FW_NORMAL;
        description.lfQuality = CLEARTYPE_QUALITY;
        listFont = CreateFontIndirectW(&description);
        listCtrl.SetFont(listFont, FALSE);
    }
    // The activation that follows fills the list.
    return TRUE;
}

void CTaskMonitorDlg::OnPaint() {
    CPaintDC dc(this);
    LOGFONTW description{};
    description.lfHeight = 18;
    description.lfWeight = FW_SEMIBOLD;
    if (IsClearTypeOn())
        description.lfQuality = CLEARTYPE_QUALITY;
    HFONT font = CreateFontIndirectW(&description);
    HGDIOBJ old = dc.SelectObject(font);
    CRect list;
    listCtrl.GetWindowRect(&list);
    ScreenToClient(&list);
    CRect client;
    GetClientRect(&client);
    // Some builds centre the title over the dialog; the others start it
    // above the list.
    const bool centred = LanguageRulesInUse().centredMonitorTitle;
    RECT title{centred ? client.left : list.left, client.top + 5, client.right,
               client.top + 5 + 18};
    dc.DrawText(LoadStringW(MonitorResource::ListTitle), &title,
                (centred ? DT_CENTER : DT_LEFT) | DT_NOCLIP);
    dc.SelectObject(old);
    DeleteObject(font);
}

// The platform's own pop-ups (the "Edit" menu, the wait cursor) take the
// activation while they are up, which the device's never did: coming back
// from one is not coming back to the monitor, and rebuilding then would
// drop the selection the menu's command is about to act on.
void CTaskMonitorDlg::OnActivate(UINT state, CWnd* other, BOOL minimized) {
    CDialog::OnActivate(state, other, minimized);
    if (state == WA_INACTIVE) {
        lostToPopup = other && zorun::IsTransientWindow(other->GetSafeHwnd());
        return;
    }
    const bool fromPopup = lostToPopup;
    lostToPopup = false;
    if (state == WA_ACTIVE && !fromPopup)
        FillAppList();
}

void CTaskMonitorDlg::FillAppList() {
    listCtrl.DeleteAllItems();
    appWindows.clear();
    appProcessIds.clear();
    const ExcludedOwner excluded = FindInputPanelOwner();
    shellProcessId = excluded.process;

    for (HWND w : TopLevelWindowsBottomUp(m_hWnd)) {
        if (!IsApplicationWindow(w, excluded))
            continue;
        DWORD process = 0;
        const DWORD thread = GetWindowThreadProcessId(w, &process);
        bool joined = false;
        for (HWND& stored : appWindows) {
            if (stored && GetWindowThreadProcessId(stored, nullptr) == thread) {
                // The row keeps its first title; its window becomes the
                // thread's topmost.
                stored = w;
                joined = true;
                break;
            }
        }
        if (joined)
            continue;
        const std::u16string title = ReadWindowTitle(w);
        if (listCtrl.InsertItem(static_cast<int>(appWindows.size()), title.c_str()) < 0)
            continue;
        appWindows.push_back(w);
        appProcessIds.push_back(process);
    }
    UpdateToolbarButtons();
}

void CTaskMonitorDlg::UpdateToolbarButtons() {
    if (!commandBar.m_hWnd || !listCtrl.m_hWnd)
        return;
    auto enable = [this](UINT command, bool on) {
        commandBar.SendMessage(TB_ENABLEBUTTON, command, MAKELPARAM(on ? TRUE : FALSE, 0));
    };
    if (listCtrl.GetItemCount() < 1) {
        enable(MonitorCommand::Stop, false);
        enable(MonitorCommand::StopAll, false);
        enable(MonitorCommand::Activate, false);
        return;
    }
    const UINT selected = listCtrl.GetSelectedCount();
    enable(MonitorCommand::Activate, selected != 0);
    enable(MonitorCommand::Stop, selected > 0);
    enable(MonitorCommand::StopAll, true);
}

void CTaskMonitorDlg::OnInitMenuPopup(CMenu* popup, UINT, BOOL) {
    if (!popup)
        return;
    if (listCtrl.GetItemCount() < 1) {
        for (UINT id : {MonitorCommand::StopAll, MonitorCommand::Stop, MonitorCommand::Activate})
            popup->EnableMenuItem(id, MF_BYCOMMAND | MF_GRAYED);
        return;
    }
    popup->EnableMenuItem(MonitorCommand::StopAll, MF_BYCOMMAND | MF_ENABLED);
    const UINT state = MF_BYCOMMAND | (listCtrl.GetSelectedCount() != 0 ? MF_ENABLED : MF_GRAYED);
    popup->EnableMenuItem(MonitorCommand::Activate, state);
    popup->EnableMenuItem(MonitorCommand::Stop, state);
}

void CTaskMonitorDlg::OnDestroy() {
    for (auto& text : toolTipTexts)
        text.clear();
    toolTips.fill(nullptr);
    if (listFont) {
        DeleteObject(listFont);
        listFont = nullptr;
    }
    CDialog::OnDestroy();
}

void CTaskMonitorDlg::OnKillFocus(CWnd* next) {
    CDialog::OnKillFocus(next);
    UpdateToolbarButtons();
}

void CTaskMonitorDlg::OnListItemChanged(NMHDR*, LRESULT* result) {
    UpdateToolbarButtons();
    if (result)
        *result = 0;
}

int CTaskMonitorDlg::SelectedRow() const {
    return listCtrl.m_hWnd ? listCtrl.GetNextItem(-1, LVNI_SELECTED) : -1;
}

TaskRow CTaskMonitorDlg::Row(std::size_t index) const {
    if (index >= appWindows.size())
        return {};
    return {appWindows[index], appProcessIds[index]};
}

void CTaskMonitorDlg::OnActivateApplication() {
    const int row = SelectedRow();
    if (row < 0)
        return;
    HWND window = Row(static_cast<std::size_t>(row)).window;
    if (!window)
        return;
    if (::IsWindow(window) && ::SetForegroundWindow(window))
        return;
    FillAppList();
}

// The rows are taken before anything is closed: the confirmation's box
// re-activates the dialog when it goes, which rebuilds the tables under
// the command.
void CTaskMonitorDlg::OnStop() {
    const int row = SelectedRow();
    const TaskRow task = row >= 0 ? Row(static_cast<std::size_t>(row)) : TaskRow{};
    if (task.window)
        (void)TaskCloser(shellProcessId).Stop(task);
    FillAppList();
}

void CTaskMonitorDlg::OnStopAll() {
    std::vector<TaskRow> tasks;
    for (std::size_t i = 0; i < AppCount(); ++i)
        tasks.push_back(Row(i));
    const TaskCloser closer(shellProcessId);
    for (const TaskRow& task : tasks)
        (void)closer.Stop(task);
    FillAppList();
}

void CTaskMonitorDlg::OnReturn() {
    EndDialog(IDCANCEL);
}
