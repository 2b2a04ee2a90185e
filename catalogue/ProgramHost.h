#pragma once
// What the panes need from the main frame that hosts them. CMainFrame
// implements it; the panes reach it through the application's main window,
// and tests give the panes a small host of their own.

#include "catalogue/Catalogue.h"
#include "platform/base/WinTypes.h"

class CZorunView;

class ProgramHost {
  public:
    virtual ~ProgramHost() = default;

    // The program's one catalogue, owned by the frame.
    [[nodiscard]] virtual Catalogue& GetCatalogue() = 0;
    // Set once while the frame is created: fonts of the launcher view, its
    // tip, the task monitor and the dialogs use ClearType quality when true.
    [[nodiscard]] virtual bool IsClearTypeOn() const = 0;
    // The launcher view registers itself at its initial update.
    virtual void SetLauncherView(CZorunView* view) = 0;
    // The split window: receives the page-state message from the view.
    [[nodiscard]] virtual HWND GetSplitterWindow() const = 0;
    // True while a press on the page bar waits for its release (arrowHeld).
    [[nodiscard]] virtual bool IsPageBarHeld() const = 0;
    // Hands a stylus release to the split window's release handler, with the
    // flags and the point as the pane received them (its client coordinates).
    virtual void OnPageBarRelease(UINT flags, POINT point) = 0;
};
