#include "platform/afx/CWinApp.h"

#include "platform/afx/CSingleDocTemplate.h"
#include "platform/afx/CWnd.h"
#include "platform/afx/StringTable.h"
#include "platform/user/Chrome.h"
#include "platform/user/Screen.h"

namespace {
CWinApp* currentApp = nullptr;
} // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char16_t* appName) : m_pszAppName(appName ? appName : u"") {
    currentApp = this;
}

CWinApp::~CWinApp() {
    if (m_pMainWnd && m_pMainWnd->m_hWnd)
        m_pMainWnd->DestroyWindow();
    AfxFlushDestroyedWindows();
    templates_.clear();
    if (currentApp == this)
        currentApp = nullptr;
}

CWinApp* AfxGetApp() {
    return currentApp;
}
CWnd* AfxGetMainWnd() {
    return currentApp ? currentApp->m_pMainWnd : nullptr;
}

void CWinApp::SetMainWnd(CWnd* wnd) {
    m_pMainWnd = wnd;
    zorun::SetMainWindow(wnd ? wnd->m_hWnd : nullptr);
    // A program with a window has the navigation and command bars.
    if (wnd)
        zorun::EnsureChrome();
}

void CWinApp::AddDocTemplate(CDocTemplate* docTemplate) {
    if (docTemplate)
        templates_.emplace_back(docTemplate);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info) {
    if (info.m_nShellCommand == CCommandLineInfo::FileNew)
        OnFileNew();
    return m_pMainWnd ? TRUE : FALSE;
}

void CWinApp::OnFileNew() {
    if (!templates_.empty())
        templates_.front()->OpenDocumentFile(nullptr);
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

int CWinApp::Run() {
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    m_nExitCode = static_cast<int>(msg.wParam);
    AfxFlushDestroyedWindows();
    return ExitInstance();
}

int CWinApp::ExitInstance() {
    return m_nExitCode;
}

int AfxMessageBox(const char16_t* text, UINT type, UINT) {
    CWnd* main = AfxGetMainWnd();
    // The window in front owns the box (a dialog refusing its input), so
    // that it takes no input while the box is up; else the main window.
    HWND owner = GetActiveWindow();
    if (!owner || !IsWindowVisible(owner) || !IsWindowEnabled(owner))
        owner = main ? main->m_hWnd : nullptr;
    std::u16string caption = currentApp ? currentApp->m_pszAppName : std::u16string();
    if (caption.empty() && owner)
        caption = GetWindowText(owner);
    return MessageBoxW(owner, text ? text : u"", caption.c_str(), type);
}

int AfxMessageBox(UINT stringId, UINT type, UINT helpId) {
    const std::u16string text = LoadStringW(stringId);
    return AfxMessageBox(text.c_str(), type, helpId);
}

int zorun::RunApplication(CWinApp& app) {
    if (!app.InitInstance()) {
        if (app.m_pMainWnd && app.m_pMainWnd->m_hWnd)
            app.m_pMainWnd->DestroyWindow();
        AfxFlushDestroyedWindows();
        return app.ExitInstance();
    }
    // The first frame is shown before the loop turns to what the windows
    // posted for later (the information panel's first reading).
    zorun::PaintAndPresent();
    return app.Run();
}
