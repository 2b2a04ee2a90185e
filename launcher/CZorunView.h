#pragma once
// The launcher pane: one group of the catalogue at a time, six shortcuts to
// a page in a 3 x 2 grid on the group's background picture, and a strip of
// four group tabs between two scroll arrows.
//
// Painting composes the whole pane off screen and copies it in one
// transfer, then tells the split window which page arrows can be used
// (message 0x4CB). A press selects a shortcut, a release inside the selected
// cell starts it (message 0x466), a release on another group's tab after a
// move drops the shortcut there, press and hold opens menu 156 or 157. The
// catalogue and the split window are reached through the main window's
// ProgramHost. Files: CZorunView.cpp (state, messages, commands),
// CZorunViewPaint.cpp, CZorunViewInput.cpp (stylus, drag and drop),
// CZorunViewKeys.cpp, CZorunViewMenu.cpp, CZorunViewLaunch.cpp,
// GroupCommands.cpp, ShortcutCommands.cpp.

#include <array>
#include <memory>

#include "catalogue/GroupRecord.h"
#include "launcher/CGroupTipWnd.h"
#include "launcher/CZorunViewLayout.h"
#include "launcher/Launching.h"
#include "platform/afx/CView.h"

class Catalogue;
class PaneCache;
class ProgramHost;
struct PaneState;

class CZorunView : public CView {
  public:
    CZorunView();
    ~CZorunView() override;

    // --- The state painting reads (read-only outside the view) ---
    [[nodiscard]] int CurrentTab() const { return currentTab; }
    [[nodiscard]] int FirstGroup() const { return firstGroup; }
    [[nodiscard]] int CurrentGroup() const { return currentGroup; }
    [[nodiscard]] int FirstItem() const { return firstItem; }
    [[nodiscard]] int SelectedItem() const { return selectedItem; }
    [[nodiscard]] int PageCount() const { return pageCount; }
    [[nodiscard]] int ArrowPressed() const { return arrowPressed; }
    [[nodiscard]] bool IsTipShown() const { return tipShown; }
    [[nodiscard]] const CGroupTipWnd& GroupTip() const { return groupTip; }
    // Caption entry 0..5 (0 and 5 are always empty).
    [[nodiscard]] const ViewLayout::CaptionBuffer& TabCaption(int entry) const {
        return tabCaptions.at(static_cast<std::size_t>(entry));
    }

    // --- Operations the group and shortcut commands use ---
    // Rewrites captions 1..4 from display positions firstGroup .. firstGroup + 3.
    void RefreshCaptions();
    // Shows the group on tab `tab` (firstGroup + tab - 1): no selection, first
    // page, and repaints the whole view.
    void SelectGroup(int tab);
    // The shown group's shortcuts; nullptr when there is no such group.
    [[nodiscard]] const GroupRecord* ShownGroup() const;
    [[nodiscard]] int ShortcutCount() const;

    void OnDraw(CDC* dc) override;
    void OnInitialUpdate() override;

    // The main window's host interface, or nullptr outside the program.
    [[nodiscard]] static ProgramHost* Host();

  protected:
    // Painting (CZorunViewPaint.cpp), from what PaneCache keeps.
    BOOL OnEraseBkgnd(CDC* dc);
    void PaintPane(HDC paintDC);
    void ComposePane(HDC memDC, const RECT& client, const PaneState& state);
    void PaintShortcut(HDC memDC, int index, const GroupRecord& group, bool clearType);
    void PaintTabCaptions(HDC dc, bool clearType);
    void SendPageState();
    [[nodiscard]] PaneCache& Cache();

    // Stylus (CZorunViewInput.cpp).
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void Drop(int tab);
    void DrawDragFeedback(const RECT& square);
    // Moves the focus rectangle at once from `from` to `to` (either may be -1).
    void MoveFocus(int from, int to);
    void DrawArrowIcon(int icon, POINT at);
    [[nodiscard]] int ShortcutAt(POINT p) const;

    // Keys (CZorunViewKeys.cpp).
    void OnKeyDown(UINT vk, UINT repeat, UINT flags);

    // Press and hold (CZorunViewMenu.cpp).
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
    void ShowContextMenu();

    // Launching (CZorunViewLaunch.cpp).
    LRESULT OnLaunch(WPARAM wParam, LPARAM lParam);
    void StartShortcut(int index, LaunchVariant variant);

    // Page and tab-strip messages (CZorunView.cpp).
    LRESULT OnGoToPage(WPARAM wParam, LPARAM lParam);
    LRESULT OnTabsLeft(WPARAM wParam, LPARAM lParam);
    LRESULT OnTabsRight(WPARAM wParam, LPARAM lParam);
    LRESULT OnPageUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnPageDown(WPARAM wParam, LPARAM lParam);
    void ApplyTabStrip(ViewLayout::TabStrip strip);

    // The group commands (GroupCommands.cpp).
    void OnAddGroup();
    void OnDeleteGroup();
    void OnSetBackground();
    void OnRenameGroup();
    void OnOrganizeGroups();
    // Shortcut commands (ShortcutCommands.cpp).
    void OnAddShortcut();
    void OnDeleteShortcut();
    void OnChangeIcon();
    void OnRenameShortcut();
    void OnCopyTo();
    void OnMoveTo();
    [[nodiscard]] bool HasSelectedShortcut() const;
    // Rename (form 1) or Change Icon (form 2) of the selected shortcut.
    void EditSelectedShortcut(int form);
    void CopyOrMoveTo(bool move);
    // Whether the settings file can still hold the catalogue once `added`
    // joins the group at p (and `removed` leaves the group at `from`); when
    // it cannot, the user is told and nothing is to change.
    [[nodiscard]] bool RoomFor(int p, const ShortcutRecord& added, int from = -1,
                               const ShortcutRecord* removed = nullptr);
    // The task monitor (CZorunView.cpp).
    void OnMonitor();

    [[nodiscard]] Catalogue* GetCatalogue() const;
    [[nodiscard]] bool IsClearTypeOn() const;
    [[nodiscard]] bool IsSecondaryClearTypeOn() const; // for the group tip
    void Repaint();

    DECLARE_MESSAGE_MAP()

  private:
    int currentTab = 1;
    int firstGroup = 0;
    int currentGroup = 0;
    int firstItem = 0;
    int selectedItem = -1;
    int pageCount = 1;
    int arrowPressed = 0;
    bool pressArmed = false;
    bool dragMoved = false;
    bool dragRectHidden = true;
    RECT dragRect{};
    RECT previousDragRect{};
    bool tipShown = false;
    std::array<ViewLayout::CaptionBuffer, 6> tabCaptions{};
    CGroupTipWnd groupTip;
    std::unique_ptr<PaneCache> paneCache;
};
