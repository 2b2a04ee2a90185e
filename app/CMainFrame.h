#pragma once
// The program's only top-level window. It owns the catalogue (with
// sysInfoMode) and the split window holding the information panel and the
// launcher view, carries the command bar (menu bar "Edit" / "Tools" and the
// "Monitor" tool button), greys the shortcut items of its menus while no
// shortcut is selected, and writes the settings file on "Save" and when it
// is destroyed - on every way out: "Exit", closing the window, or a signal
// the platform turns into a close.
//
// The panes reach it through the application's main window, as ProgramHost.

#include <array>
#include <string>

#include "app/CXSplitterWnd.h"
#include "catalogue/Catalogue.h"
#include "catalogue/ProgramHost.h"
#include "platform/afx/CCommandBar.h"
#include "platform/afx/CFrameWnd.h"

// Set once while the main frame is created, read by everything that makes
// fonts for its texts (not the information panel).
extern bool clearTypeOn;

class CMainFrame : public CFrameWnd, public ProgramHost {
  public:
    CMainFrame();
    ~CMainFrame() override;

    Catalogue catalogue;
    CXSplitterWnd splitter;
    CZorunView* launcherView = nullptr;

    // --- ProgramHost --------------------------------------------------------------
    [[nodiscard]] Catalogue& GetCatalogue() override { return catalogue; }
    [[nodiscard]] int GetSysInfoMode() const override { return catalogue.SysInfoMode(); }
    void SetSysInfoMode(int mode) override { catalogue.SetSysInfoMode(mode); }
    [[nodiscard]] bool IsClearTypeOn() const override { return clearTypeOn; }
    void SetLauncherView(CZorunView* view) override { launcherView = view; }
    [[nodiscard]] CZorunView* GetLauncherView() const override { return launcherView; }
    [[nodiscard]] bool IsPageBarHeld() const override { return splitter.arrowHeld; }
    void OnPageBarRelease(HWND pane, UINT flags, POINT paneClientPoint) override;
    [[nodiscard]] HWND GetSplitterWindow() const override { return splitter.GetSafeHwnd(); }

    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context) override;

  protected:
    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    LRESULT OnHelp(WPARAM, LPARAM);
    void OnSave();
    void OnMonitor();
    void OnSysInfoSetting();

    DECLARE_MESSAGE_MAP()

  private:
    [[nodiscard]] bool CreateCommandBar();
    // The exit's save failed: the rescue file, stderr, and the message when
    // someone is there to read it.
    void ReportFailedExitSave();

    // Tool tips of the command bar: entry 0 empty, then "Edit", "Tools",
    // "Monitor" (texts and the table of pointers handed to the bar).
    std::array<std::u16string, 4> toolTipTexts;
    std::array<const char16_t*, 4> toolTips{};
    CCommandBar commandBar;
};
