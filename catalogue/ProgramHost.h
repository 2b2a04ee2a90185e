#pragma once
// What the panes and dialogs need from the main frame, without depending on
// it: the frame owns the catalogue, sysInfoMode and the split window, and
// implements this interface. Panes find it through the application's main
// window (ProgramHost::FromMainWindow in the framework-aware code).

#include "catalogue/LanguageRules.h"
#include "platform/base/WinTypes.h"

class Catalogue;
class CZorunView;

class ProgramHost {
  public:
    virtual ~ProgramHost() = default;

    [[nodiscard]] virtual Catalogue& GetCatalogue() = 0;
    [[nodiscard]] virtual int GetSysInfoMode() const = 0;
    virtual void SetSysInfoMode(int mode) = 0;
    // Set once while the frame is created, before any pane paints.
    [[nodiscard]] virtual bool IsClearTypeOn() const = 0;
    // ClearType for the group tip, the task monitor and the editing dialogs:
    // the setting, unless the build's language keeps them on default fonts.
    [[nodiscard]] bool IsSecondaryClearTypeOn() const {
        return IsClearTypeOn() && LanguageRulesInUse().secondaryWindowsClearType;
    }

    // The launcher view stores itself here at its initial update.
    virtual void SetLauncherView(CZorunView* view) = 0;
    [[nodiscard]] virtual CZorunView* GetLauncherView() const = 0;

    // The split window's page bar: both panes hand it a stylus release while
    // a press on the bar is pending, in their own client coordinates.
    [[nodiscard]] virtual bool IsPageBarHeld() const = 0;
    virtual void OnPageBarRelease(HWND pane, UINT flags, POINT paneClientPoint) = 0;
    [[nodiscard]] virtual HWND GetSplitterWindow() const = 0;
};
