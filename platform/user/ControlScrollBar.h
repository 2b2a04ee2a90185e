#pragma once
// The vertical scroll bar the list controls draw along their right edge
// (list box, a combo box's dropped list, list view): an arrow at each end
// scrolls by one row, the track on either side of the thumb by a page, and
// the thumb follows the stylus. Positions count rows: the first row shown,
// 0 .. total - visible. The controls keep what the stylus is doing in a
// ScrollDrag and ask the bar where things are.

#include "platform/user/WinUser.h"

namespace zorun {

class VerticalScrollBar {
  public:
    static constexpr int kWidth = 11;
    enum class Part { None, UpArrow, PageUp, Thumb, PageDown, DownArrow };

    // `bar`: where the bar is drawn, in the control's client coordinates.
    VerticalScrollBar(RECT bar, int total, int visible, int position);

    [[nodiscard]] Part HitTest(POINT point) const;
    [[nodiscard]] int MaxPosition() const { return maxPosition_; }
    [[nodiscard]] RECT Thumb() const { return thumb_; }
    // The position after one tap on `part` (arrows: a row; track: a page).
    [[nodiscard]] int PositionAfter(Part part) const;
    // The position with the thumb dragged `dy` pixels from where it was at
    // `startPosition`.
    [[nodiscard]] int PositionForThumbDrag(int startPosition, int dy) const;
    void Paint(HDC hdc, bool enabled) const;

  private:
    RECT bar_, up_, down_, track_, thumb_;
    int visible_, position_, maxPosition_;
};

// What the stylus does in a scrolling list, from its press to its release.
struct ScrollDrag {
    enum class Mode {
        None,      // the stylus is up
        Pressed,   // down on the content, not moved far yet
        Scrolling, // the content follows the stylus
        Thumb,     // the scroll bar's thumb follows the stylus
        Bar,       // down on an arrow or the track: nothing more until release
    };
    // A move this far from the press turns a press into a scroll.
    static constexpr int kSlop = 5;

    Mode mode = Mode::None;
    POINT start{};
    int startPosition = 0;

    // The first row to show while scrolling the content with rows of
    // `rowHeight`: the content moves with the stylus.
    [[nodiscard]] int ContentPosition(int y, int rowHeight) const {
        return startPosition + (start.y - y) / (rowHeight > 0 ? rowHeight : 1);
    }
    // True once a press has moved far enough to scroll.
    [[nodiscard]] bool BeyondSlop(POINT p) const {
        const int dy = p.y - start.y;
        return dy > kSlop || dy < -kSlop;
    }
};

} // namespace zorun
