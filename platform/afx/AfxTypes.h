#pragma once
// Small value types and constants of the application framework: CPoint,
// CSize, CRect over the device's POINT/SIZE/RECT, and the framework's
// standard command and window ids.

#include <cstdint>

#include "platform/user/WinUser.h"

using UINT_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using LPCREATESTRUCT = CREATESTRUCTW*;

class CPoint : public POINT {
  public:
    CPoint() = default;
    CPoint(int px, int py) : POINT{px, py} {}
    CPoint(POINT p) : POINT(p) {} // NOLINT(google-explicit-constructor)
    // From an LPARAM packing signed client coordinates.
    static CPoint FromLParam(LPARAM lp) { return {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}; }
};

class CSize : public SIZE {
  public:
    CSize() = default;
    CSize(int w, int h) : SIZE{w, h} {}
    CSize(SIZE s) : SIZE(s) {} // NOLINT(google-explicit-constructor)
};

class CRect : public RECT {
  public:
    CRect() = default;
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(RECT r) : RECT(r) {} // NOLINT(google-explicit-constructor)
    CRect(POINT topLeft, SIZE size)
        : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}
    [[nodiscard]] CSize Size() const { return {Width(), Height()}; }
    [[nodiscard]] CPoint TopLeft() const { return {left, top}; }
    [[nodiscard]] bool PtInRect(POINT p) const { return Contains(p); }
    void OffsetRect(int dx, int dy) { *this = Offset(dx, dy); }
    void SetRect(int l, int t, int r, int b) { *this = CRect(l, t, r, b); }
    void DeflateRect(int dx, int dy) {
        left += dx;
        right -= dx;
        top += dy;
        bottom -= dy;
    }
    operator RECT*() { return this; }             // NOLINT(google-explicit-constructor)
    operator const RECT*() const { return this; } // NOLINT(google-explicit-constructor)
};

// Standard command ids of the framework.
constexpr UINT ID_FILE_NEW = 57600, ID_FILE_OPEN = 57601, ID_APP_ABOUT = 57664, ID_APP_EXIT = 57665;
// Standard window ids: the tool/command bar and the first pane of a frame.
constexpr UINT AFX_IDW_TOOLBAR = 59392, AFX_IDW_PANE_FIRST = 59648;

// Sent to every view of a frame after the frame and its views exist.
constexpr UINT WM_INITIALUPDATE = 0x0364;
