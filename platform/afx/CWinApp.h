#pragma once
// The application object: one per program. InitInstance sets the program
// up (typically adding a document template and opening the first document,
// which makes the main window); Run is the message loop; ExitInstance ends
// it. zorun::RunApplication drives the three.

#include <memory>
#include <string>
#include <vector>

#include "platform/afx/CCmdTarget.h"

class CWnd;
class CDocTemplate;

// What the command line asks for: this framework knows only "new document".
struct CCommandLineInfo {
    enum Command { FileNew, FileNothing };
    Command m_nShellCommand = FileNew;
};

class CWinApp : public CCmdTarget {
  public:
    explicit CWinApp(const char16_t* appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance() { return TRUE; }
    // The message loop: until WM_QUIT, then ExitInstance.
    virtual int Run();
    // The program's exit code (the WM_QUIT code unless overridden).
    virtual int ExitInstance();

    // Takes ownership of the template.
    void AddDocTemplate(CDocTemplate* docTemplate);
    void ParseCommandLine(CCommandLineInfo& info) {
        info.m_nShellCommand = CCommandLineInfo::FileNew;
    }
    // FileNew: OnFileNew; true when the main window exists afterwards.
    BOOL ProcessShellCommand(CCommandLineInfo& info);
    void SetRegistryKey(const char16_t* key) { registryKey_ = key ? key : u""; }
    [[nodiscard]] const std::u16string& GetRegistryKey() const { return registryKey_; }

    // The main window; also told to the platform (close requests, script commands).
    void SetMainWnd(CWnd* wnd);
    [[nodiscard]] CWnd* GetMainWnd() const { return m_pMainWnd; }

    CWnd* m_pMainWnd = nullptr;
    std::u16string m_pszAppName;
    int m_nExitCode = 0;

  protected:
    void OnFileNew();
    void OnAppExit();

    DECLARE_MESSAGE_MAP()

  private:
    std::vector<std::unique_ptr<CDocTemplate>> templates_;
    std::u16string registryKey_;
};

[[nodiscard]] CWinApp* AfxGetApp();
[[nodiscard]] CWnd* AfxGetMainWnd();
[[nodiscard]] inline HINSTANCE AfxGetInstanceHandle() {
    return nullptr;
}
[[nodiscard]] inline HINSTANCE AfxGetResourceHandle() {
    return nullptr;
}

// A message box owned by the window in front (else the main window),
// captioned with the program's name.
int AfxMessageBox(const char16_t* text, UINT type = MB_OK, UINT helpId = 0);
int AfxMessageBox(UINT stringId, UINT type = MB_OK, UINT helpId = static_cast<UINT>(-1));

namespace zorun {
// Runs the program: InitInstance, then (if it succeeded) the message loop;
// returns the exit code. A failed InitInstance destroys any main window and
// returns ExitInstance's code.
int RunApplication(CWinApp& app);
} // namespace zorun
