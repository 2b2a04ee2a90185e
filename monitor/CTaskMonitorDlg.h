#pragma once
// The task monitor (dialog 102): the applications running now, one row per
// thread that owns a visible, titled top-level window, labelled with the
// title of its lowest window. Activate brings the row's window (its
// thread's topmost) to the front; Stop closes the selected application and
// Stop all every listed one, politely first and by force only after the
// user confirms (TaskCloser). The list is rebuilt whenever the dialog is
// activated (not by a tap) and after every Stop or Stop all.
//
// Its command bar holds menu 137 ("Edit") and tool bar 138; the buttons
// and menu items follow the list: nothing to act on, nothing enabled.
// With ClearType on, the list and the title use ClearType fonts.

#include <array>
#include <string>
#include <vector>

#include "monitor/TaskCloser.h"
#include "platform/afx/CCommandBar.h"
#include "platform/afx/CDialog.h"
#include "platform/afx/CListCtrl.h"
#include "platform/windows/HostWindows.h"

class CTaskMonitorDlg : public CDialog {
  public:
    explicit CTaskMonitorDlg(CWnd* parent = nullptr);
    ~CTaskMonitorDlg() override;

    // Rebuilds the list and the tables from the top-level windows.
    void FillAppList();
    // Enables the tool bar's buttons from the list's state.
    void UpdateToolbarButtons();

    // One row per application; the tables grow with the list (a screen
    // with more than a hundred applications loses none of them).
    std::vector<HWND> appWindows;     // the window to activate or close, by row
    std::vector<DWORD> appProcessIds; // its owning process, by row
    [[nodiscard]] std::size_t AppCount() const { return appWindows.size(); }
    // The process of the input panel's button: never terminated.
    DWORD shellProcessId = 0;

    CListCtrl listCtrl;
    CCommandBar commandBar;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    void OnPaint();
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    void OnDestroy();
    void OnKillFocus(CWnd* next);
    void OnListItemChanged(NMHDR* header, LRESULT* result);
    void OnActivateApplication();
    void OnStop();
    void OnStopAll();
    void OnReturn();

    DECLARE_MESSAGE_MAP()

  private:
    [[nodiscard]] bool IsClearTypeOn() const;
    [[nodiscard]] int SelectedRow() const;
    [[nodiscard]] TaskRow Row(std::size_t index) const;

    // "Edit", "Activate", "Stop", "Stop all", and the table handed to the bar.
    std::array<std::u16string, 4> toolTipTexts;
    std::array<const char16_t*, 4> toolTips{};
    HFONT listFont = nullptr;
    // The dialog last lost the activation to one of the platform's pop-ups.
    bool lostToPopup = false;
    // The host's window system stays connected while the dialog lives.
    zorun::HostWindowSession hostSession;
};
