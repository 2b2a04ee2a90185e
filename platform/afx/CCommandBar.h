#pragma once
// The frame's command bar: its menu bar and tool buttons, shown by the
// platform's command bar at the bottom of the screen while the frame is in
// front. The object is a zero-sized child window of the frame, so it can be
// sent the tool-bar messages (TB_SETTOOLTIPS) as on the device.

#include <string>
#include <vector>

#include "platform/afx/CWnd.h"
#include "platform/user/CommandBar.h"

constexpr UINT TB_ENABLEBUTTON = 0x0401, TB_ISBUTTONENABLED = 0x0409, TB_SETTOOLTIPS = 0x0451;
constexpr DWORD CBRS_TOOLTIPS = 0x0010, CBRS_FLYBY = 0x0020, CBRS_SIZE_FIXED = 0x0002;

class CCommandBar : public CWnd {
  public:
    CCommandBar() = default;
    ~CCommandBar() override;

    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE, UINT id = AFX_IDW_TOOLBAR);
    // Shows menu `menuId` (its pop-ups become the menu buttons).
    BOOL InsertMenuBar(UINT menuId, int button = 0);
    // The device's close/help/ok adornments: the navigation bar has them here.
    BOOL AddAdornments(DWORD flags = 0);
    // Adds the buttons of tool bar `id` (images from its bitmap).
    BOOL LoadToolBar(UINT id);
    BOOL AddToolButton(UINT command, int iconNumber, std::u16string toolTip);
    [[nodiscard]] DWORD GetBarStyle() const { return barStyle_; }
    void SetBarStyle(DWORD style) { barStyle_ = style; }
    [[nodiscard]] HMENU GetMenuBar() const { return menu_.m_hMenu; }
    // The tool buttons of `command`: disabled ones are drawn faded and send
    // nothing when tapped. False when the bar has no such button.
    BOOL EnableButton(UINT command, BOOL enable = TRUE);
    [[nodiscard]] BOOL IsButtonEnabled(UINT command) const;

  protected:
    LRESULT OnSetToolTips(WPARAM count, LPARAM texts);
    // TB_ENABLEBUTTON: wParam the command, LOWORD(lParam) whether enabled.
    LRESULT OnEnableButton(WPARAM command, LPARAM enable);
    LRESULT OnIsButtonEnabled(WPARAM command, LPARAM);
    void OnDestroy();
    void Publish();

    DECLARE_MESSAGE_MAP()

  private:
    [[nodiscard]] HWND Frame() const;

    CMenu menu_;
    std::vector<zorun::ToolButton> buttons_;
    std::vector<std::u16string> tips_; // menu buttons first, then the tool buttons
    DWORD barStyle_ = 0;
};
