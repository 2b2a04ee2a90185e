#pragma once
// The main frame's client area: the information panel above (74 rows), the
// launcher view below, and between them an 11-row band whose top 10 rows are
// the page bar: its left half pages the launcher up, its right half down.
// The bar is not a resize handle; nothing can be dragged.
//
// Band geometry (client coordinates): the images are drawn at y 74..83,
// left image x 0..119, right image x 120..239. Hits count only for
// 74 < y < 84, and x <= 120 is the up half (column 120 is drawn by the right
// image but counts as up). Row 84 shows the split window's own background.
//
// The launcher view reports after each paint which arrows are usable (page
// state message, lParam 0..3: bit 2 up usable, bit 1 down usable); both
// halves are grey until it first does.

#include "launcher/CommandIds.h"
#include "platform/afx/CSplitterWnd.h"

class CXSplitterWnd : public CSplitterWnd {
  public:
    static constexpr int kUpperPaneHeight = 74;
    static constexpr int kBandHeight = 11;
    static constexpr int kBarTop = 74;
    static constexpr int kBarRows = 10;
    static constexpr int kHalfWidth = 120;

    CXSplitterWnd();

    // Page-arrow state last received from the launcher view; -1 until then.
    int arrowState = -1;
    // A press landed on the bar and no release has been handled since. The
    // panes read it to decide whether to hand a release over.
    bool arrowHeld = false;

    // True for a point in the bar's hit band (y 75..83).
    [[nodiscard]] static bool InHitBand(POINT point) {
        return point.y > kBarTop && point.y < kBarTop + kBarRows;
    }

    // The release on the bar: pages the launcher view when `point` lies in
    // the hit band, clears arrowHeld and repaints the bar. The panes call it
    // with a release they received while arrowHeld, in their own client
    // coordinates, which are used as given.
    void OnArrowRelease(UINT flags, CPoint point);

  protected:
    LRESULT OnPageState(WPARAM, LPARAM state);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);

    DECLARE_MESSAGE_MAP()

  private:
    [[nodiscard]] bool UpUsable() const { return arrowState == 2 || arrowState == 3; }
    [[nodiscard]] bool DownUsable() const { return arrowState == 1 || arrowState == 3; }
    // Repaints the band (with the erase); see the .cpp for why not the panes.
    void InvalidateBand() const;
    [[nodiscard]] HWND LauncherWindow() const;
};
