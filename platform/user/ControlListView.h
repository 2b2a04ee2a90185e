#pragma once
// The list view's state and layout, shared by its message handling
// (ControlListView.cpp) and its painting (ControlListViewPaint.cpp).
// Internal to platform/user.
//
// Layout, in client coordinates: inside the border the header (one button
// per column, unless LVS_NOCOLUMNHEADER), below it the rows, one per item,
// as tall as the font; when the rows do not fit, a scroll bar on the right
// of the rows. Columns wider than the list can be panned sideways by drag.

#include "platform/user/CommCtrl.h"
#include "platform/user/ControlScrollBar.h"
#include "platform/user/ListViewModel.h"

namespace zorun {

struct ListViewState {
    ListViewModel model;
    HFONT font = nullptr;
    DWORD exStyle = 0; // LVS_EX_*
    int top = 0;       // the first row shown
    int xOffset = 0;   // pixels of the columns panned off to the left
    // The stylus: what it does, where it went down, the last tap.
    ScrollDrag drag;
    bool panning = false; // the drag moves the columns sideways
    int startXOffset = 0;
    int pressedItem = -1;
    int pressedColumn = -1; // a header button held down
    int lastTapItem = -1;
    DWORD lastTapTime = 0;
};

[[nodiscard]] ListViewState* FindListView(HWND hwnd);

// Geometry.
[[nodiscard]] RECT ListViewInner(HWND hwnd);
[[nodiscard]] int ListViewHeaderHeight(HWND hwnd, const ListViewState& s);
[[nodiscard]] int ListViewRowHeight(const ListViewState& s);
// The rows' area, scroll bar included.
[[nodiscard]] RECT ListViewRows(HWND hwnd, const ListViewState& s);
[[nodiscard]] int ListViewVisibleRows(HWND hwnd, const ListViewState& s);
[[nodiscard]] bool ListViewHasBar(HWND hwnd, const ListViewState& s);
[[nodiscard]] VerticalScrollBar ListViewBar(HWND hwnd, const ListViewState& s);
// The rows' area left of the scroll bar.
[[nodiscard]] RECT ListViewContent(HWND hwnd, const ListViewState& s);

void PaintListView(HWND hwnd, ListViewState& s);

} // namespace zorun
