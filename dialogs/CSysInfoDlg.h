#pragma once
// The system-information settings (dialog 136): what the information
// panel's last field shows. Five ticked boxes that cannot be changed name
// the fields always shown; "Time" and "Region" choose the last field, and
// every tap on either changes the main frame's sysInfoMode at once:
// 1 for "Time" (the date), 2 for "Region", 3 for both (two pages), 0 for
// neither. Ending the dialog, however, neither undoes nor repeats a change.

#include "platform/afx/CButton.h"
#include "platform/afx/CDialog.h"

class CSysInfoDlg : public CDialog {
  public:
    static constexpr int kTemplate = 136;
    static constexpr int kGroupBox = 1000;
    static constexpr int kInboxBox = 1002;
    static constexpr int kCalendarBox = 1003;
    static constexpr int kTaskBox = 1004;
    static constexpr int kBatteryBox = 1005;
    static constexpr int kMemoryBox = 1006;
    static constexpr int kTimeBox = 1007;
    static constexpr int kRegionBox = 1008;

    explicit CSysInfoDlg(CWnd* parent);
    ~CSysInfoDlg() override;

    BOOL OnInitDialog() override;

    // The mode the two boxes stand for: 1 for "Time", 2 for "Region", 3 for
    // both, 0 for neither; and which boxes a mode ticks (none for a value
    // outside 0..3).
    [[nodiscard]] static int ModeOf(bool time, bool region);
    [[nodiscard]] static bool TicksTime(int mode) { return mode == 1 || mode == 3; }
    [[nodiscard]] static bool TicksRegion(int mode) { return mode == 2 || mode == 3; }

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnChoice();
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    // Taps on the dialog itself do nothing.
    void OnLButtonDown(UINT flags, CPoint point);

    DECLARE_MESSAGE_MAP()

  private:
    CButton memoryBox, taskBox, inboxBox, calendarBox, batteryBox, timeBox, regionBox;
    HFONT dialogFont = nullptr;
};
