#pragma once
// The list view's state and layout, shared by its message handling
// (ControlListView.cpp), its input (ControlListViewInput.cpp), its scrolling
// (ControlListViewScroll.cpp), its geometry (ControlListViewLayout.cpp) and its painting
// (ControlListViewPaint.cpp). Internal to platform/user.
//
// Layout, in client coordinates: inside the border the header (one button
// per column, unless LVS_NOCOLUMNHEADER), below it the rows, one per item,
// as tall as the font. When the rows do not fit, a scroll bar on the right
// of the rows; when the columns are wider than the rows' area, a scroll bar
// along the bottom, and the header and the rows scroll sideways together.
// Where both bars meet, the corner is left blank.

#include "platform/user/CommCtrl.h"
#include "platform/user/ControlScrollBar.h"
#include "platform/user/ListViewModel.h"

namespace zorun {

struct ListViewState {
    ListViewModel model;
    HFONT font = nullptr;
    DWORD exStyle = 0; // LVS_EX_*
    int top = 0;       // the first row shown
    int xOffset = 0;   // pixels of the columns scrolled off to the left
    // The stylus: what it does, where it went down, the last tap.
    ScrollDrag drag;
    bool panning = false; // the drag moves the columns sideways
    int startXOffset = 0;
    // The scroll bar the stylus works (SB_VERT, SB_HORZ; -1: none), and
    // where its thumb is being dragged to.
    int heldBar = -1;
    int trackPosition = 0;
    int pressedItem = -1;
    int pressedColumn = -1; // a header button held down
    int lastTapItem = -1;
    DWORD lastTapTime = 0;
};

[[nodiscard]] ListViewState* FindListView(HWND hwnd);

// Where everything is, worked out at once: whether each bar shows depends on
// the other (the bottom bar takes a row's room, the right one a column's).
struct ListViewLayout {
    RECT inner{};   // inside the border
    RECT header{};  // empty with LVS_NOCOLUMNHEADER
    RECT content{}; // the rows' area, bars left out
    int visibleRows = 1;
    bool vBar = false, hBar = false;
    RECT vBarRect{}, hBarRect{}, corner{};
};

// Geometry.
[[nodiscard]] RECT ListViewInner(HWND hwnd);
[[nodiscard]] int ListViewHeaderHeight(HWND hwnd, const ListViewState& s);
[[nodiscard]] int ListViewRowHeight(const ListViewState& s);
[[nodiscard]] ListViewLayout ListViewLayoutOf(HWND hwnd, const ListViewState& s);
[[nodiscard]] int ListViewVisibleRows(HWND hwnd, const ListViewState& s);
// The rows' area, bars left out.
[[nodiscard]] RECT ListViewContent(HWND hwnd, const ListViewState& s);
// How far an arrow, or Left and Right, scroll sideways, in pixels.
[[nodiscard]] int ListViewLineWidth(const ListViewState& s);
[[nodiscard]] VerticalScrollBar ListViewVBar(const ListViewLayout& layout, const ListViewState& s);
[[nodiscard]] HorizontalScrollBar ListViewHBar(const ListViewLayout& layout,
                                               const ListViewState& s);

// Scrolling.
[[nodiscard]] int ListViewMaxTop(HWND hwnd, const ListViewState& s);
[[nodiscard]] int ListViewMaxXOffset(HWND hwnd, const ListViewState& s);
// Both clamp, and repaint when the view moves.
void ListViewSetTop(HWND hwnd, ListViewState& s, int top);
void ListViewSetXOffset(HWND hwnd, ListViewState& s, int x);
// After the items, the columns, the font or the size changed: both
// positions within what can now be scrolled.
void ListViewClampScroll(HWND hwnd, ListViewState& s);
// Scrolls the rows so that `index` is shown whole.
void ListViewEnsureRowVisible(HWND hwnd, ListViewState& s, int index);
// A press on one of the bars: true when `p` is on one (the stylus then
// works the bar until it is lifted).
bool ListViewPressBar(HWND hwnd, ListViewState& s, POINT p);
// The stylus moving with the thumb held.
void ListViewDragThumb(HWND hwnd, ListViewState& s, POINT p);
// The stylus lifted from a bar.
void ListViewReleaseBar(HWND hwnd, ListViewState& s);
// WM_HSCROLL, WM_VSCROLL, LVM_SCROLL, LVM_ENSUREVISIBLE, SBM_GETSCROLLINFO
// and SBM_SETSCROLLINFO; false for any other message.
bool ListViewScrollMessage(HWND hwnd, ListViewState& s, UINT message, WPARAM wParam, LPARAM lParam,
                           LRESULT* result);

// Items and notifications.
LRESULT ListViewNotify(HWND hwnd, UINT code, NMHDR* header);
// A user's choice of an item, shown whole (-1: the selection is cleared).
void ListViewChoose(HWND hwnd, int index);

// The stylus and the keys.
void ListViewPress(HWND hwnd, POINT p);
void ListViewMove(HWND hwnd, ListViewState& s, POINT p);
// May destroy the list (its parent acts on the notifications).
void ListViewRelease(HWND hwnd, ListViewState& s, POINT p);
void ListViewKey(HWND hwnd, ListViewState& s, int vk);
// LVM_HITTEST, and LVM_SUBITEMHITTEST with `subItems`.
LRESULT ListViewHitTest(HWND hwnd, const ListViewState& s, LVHITTESTINFO* info, bool subItems);

void PaintListView(HWND hwnd, ListViewState& s);

} // namespace zorun
