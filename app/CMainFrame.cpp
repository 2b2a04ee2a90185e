#include "app/CMainFrame.h"

#include <cerrno>
#include <cstring>

#include "app/ClearTypeSetting.h"
#include "app/CommandIds.h"
#include "app/RescueFile.h"
#include "catalogue/DefaultCatalogue.h"
#include "catalogue/SettingsFile.h"
#include "dialogs/CSysInfoDlg.h"
#include "info/CInfoView.h"
#include "launcher/CZorunView.h"
#include "monitor/CTaskMonitorDlg.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/StringTable.h"
#include "platform/backend/HostEvents.h"
#include "platform/base/Format.h"
#include "platform/base/Log.h"
#include "platform/base/Text.h"
#include "platform/kernel/DeviceRoot.h"
#include "platform/kernel/Process.h"

bool clearTypeOn = false;

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_INITMENUPOPUP()
ON_MESSAGE(WM_HELP, OnHelp)
ON_COMMAND(CommandId::Save, OnSave)
ON_COMMAND(CommandId::Monitor, OnMonitor)
ON_COMMAND(CommandId::SysInfoSetting, OnSysInfoSetting)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() = default;
CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTW& cs) {
    return CFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(LPCREATESTRUCT cs) {
    // The framework's creation builds the client area (OnCreateClient).
    if (CFrameWnd::OnCreate(cs) == -1)
        return -1;
    toolTipTexts[1] = LoadStringW(ShellResource::EditTip);
    toolTipTexts[2] = LoadStringW(ShellResource::ToolsTip);
    toolTipTexts[3] = LoadStringW(ShellResource::MonitorTip);
    for (std::size_t i = 0; i < toolTips.size(); ++i)
        toolTips[i] = toolTipTexts[i].c_str();
    if (!CreateCommandBar())
        return -1;
    clearTypeOn = ReadClearTypeSetting();
    if (!LoadSettings(catalogue, kSettingsFilePath))
        BuildDefaultCatalogue(catalogue);
    return 0;
}

BOOL CMainFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* context) {
    if (!splitter.CreateStatic(this, 2, 1, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    CRect client;
    GetClientRect(&client);
    if (context)
        context->m_pCurrentFrame = this;
    if (!splitter.CreateView(0, 0, NewView<CInfoView>,
                             CSize(client.Width(), CXSplitterWnd::kUpperPaneHeight), context))
        return FALSE;
    if (!splitter.CreateView(1, 0, NewView<CZorunView>, CSize(client.Width(), client.Height() - 84),
                             context))
        return FALSE;
    splitter.RecalcLayout();
    splitter.SetActivePane(1, 0);
    return TRUE;
}

// Destruction saves the catalogue on every way out. It runs while the window
// still exists, so the message box has its owner and the program's loop
// ends only after it. When the save fails nothing is lost: the catalogue
// goes to a rescue file, named on stderr and in the message. An exit caused
// by a signal has no one to answer a box: stderr is all it gets.
void CMainFrame::OnDestroy() {
    if (!SaveSettings(catalogue, kSettingsFilePath))
        ReportFailedExitSave();
    launcherView = nullptr;
    CFrameWnd::OnDestroy();
}

void CMainFrame::ReportFailedExitSave() {
    const auto rescue = WriteRescueFile(catalogue);
    const int rescueError = errno;
    std::u16string text = LoadStringW(ShellResource::WriteSettingError);
    if (rescue) {
        zorun::LogWarning("cannot write the settings file; the groups and shortcuts were kept in " +
                          rescue->string());
        text += u"\n\n" + zorun::Format(LoadStringW(ShellResource::RescueFileKept).c_str(),
                                        ShownPath(*rescue).c_str());
    } else {
        zorun::LogWarning(std::string("cannot write the settings file, nor a rescue file in ") +
                          zorun::UserStateFolder().string() + ": " + std::strerror(rescueError));
    }
    if (!zorun::QuitSignalled())
        AfxMessageBox(text.c_str(), MB_ICONEXCLAMATION);
}

void CMainFrame::OnInitMenuPopup(CMenu* popup, UINT, BOOL) {
    if (!popup)
        return;
    const int selected = launcherView ? launcherView->SelectedItem() : -1;
    const UINT state = MF_BYCOMMAND | (selected != -1 ? MF_ENABLED : MF_GRAYED);
    for (UINT id : {CommandId::DeleteShortcut, CommandId::ChangeIcon, CommandId::RenameShortcut,
                    CommandId::CopyTo, CommandId::MoveTo})
        popup->EnableMenuItem(id, state);
}

LRESULT CMainFrame::OnHelp(WPARAM, LPARAM) {
    // The help viewer is not part of the program; a failed start says nothing.
    (void)CreateProcessW(u"PegHelp.exe", u"Zorun.htm#Main_Contents", nullptr, nullptr, FALSE, 0,
                         nullptr, nullptr, nullptr, nullptr);
    return Default();
}

void CMainFrame::OnSave() {
    SetWaitCursor(true);
    if (!SaveSettings(catalogue, kSettingsFilePath))
        AfxMessageBox(ShellResource::WriteSettingError, MB_ICONSTOP);
    SetWaitCursor(false);
}

void CMainFrame::OnPageBarRelease(HWND, UINT flags, POINT paneClientPoint) {
    splitter.OnArrowRelease(flags, paneClientPoint);
}

// "Monitor" when the launcher view is not the active pane (the view opens it
// the same way otherwise).
void CMainFrame::OnMonitor() {
    CTaskMonitorDlg monitor(this);
    monitor.DoModal();
}

// The dialog writes sysInfoMode into the frame at each tap; how it ends
// does not matter. The information panel shows the new choice at its next
// paint, asked for here as the dialog uncovers it.
void CMainFrame::OnSysInfoSetting() {
    CSysInfoDlg dialog(this);
    (void)dialog.DoModal();
    if (CWnd* panel = splitter.GetPane(0, 0))
        panel->Invalidate(TRUE);
}

// Any step failing makes the frame's creation fail: no program without its menus.
bool CMainFrame::CreateCommandBar() {
    constexpr DWORD kCommandBarStyle = 0x50002800; // child, visible, the bar's own styles
    if (!commandBar.Create(this, kCommandBarStyle, AFX_IDW_TOOLBAR))
        return false;
    if (!commandBar.InsertMenuBar(ShellResource::MainMenu))
        return false;
    if (!commandBar.AddAdornments(0))
        return false;
    if (!commandBar.LoadToolBar(ShellResource::ToolBar))
        return false;
    if (!commandBar.SendMessage(TB_SETTOOLTIPS, 3, reinterpret_cast<LPARAM>(&toolTips[1])))
        return false;
    commandBar.SetBarStyle(commandBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_FIXED);
    return true;
}
