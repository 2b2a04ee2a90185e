#pragma once
// The information panel: the upper pane of the main window. Six fields on a
// plate (inbox, calendar, tasks, battery, memory and the user's last field),
// or the region alone on a second page when both date and region are
// chosen. The texts are first read just after the initial update, once the
// first frame is out (the plate shows without them for that frame), then
// every 5 seconds; the panel repaints only when one of them changed. A tap opens the field's
// program or turns the page; a release that ends a press on the split
// window's page bar is handed to it.

#include "catalogue/ProgramHost.h"
#include "info/InfoSources.h"
#include "info/InfoTexts.h"
#include "platform/afx/CView.h"
#include "platform/shell/ShellExecute.h"

class CInfoView : public CView {
  public:
    static constexpr UINT_PTR kRefreshTimer = 16;
    static constexpr UINT kRefreshMs = 5000;
    // Posted by the initial update: the first reading, on the loop's next turn.
    static constexpr UINT kFirstReadingMessage = WM_APP + 16;

    CInfoView() = default;

    // The texts read at the last refresh; painting draws these.
    InfoTexts currentTexts;
    // The texts last shown, to see whether a refresh changed anything.
    InfoTexts shownTexts;
    // 1: the field page; 2: the region page (only with sysInfoMode 3).
    int infoPage = 1;

    // The main frame's services; found through the main window unless set.
    void SetHost(ProgramHost* host) { host_ = host; }
    [[nodiscard]] ProgramHost* Host() const;

    // Kills the refresh timer, then destroys the window.
    BOOL DestroyWindow() override;
    // Asks for the first reading of the seven sources and starts the
    // refresh timer.
    void OnInitialUpdate() override;
    // Nothing: the paint handler draws everything.
    void OnDraw(CDC* dc) override;

  protected:
    void OnPaint();
    void OnTimer(UINT_PTR id);
    void OnLButtonUp(UINT flags, CPoint point);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnDestroy();
    LRESULT OnFirstReading(WPARAM, LPARAM);

    // Starts a field's program (the shell's ShellExecuteEx); tests watch it.
    virtual BOOL Execute(SHELLEXECUTEINFO& info);

    DECLARE_MESSAGE_MAP()

  private:
    [[nodiscard]] int SysInfoMode() const;
    // Reads the sources; repaints when anything shown changed.
    void Refresh();

    InfoSources sources_;
    ProgramHost* host_ = nullptr;
};
