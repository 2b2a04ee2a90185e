#pragma once
// The scroll bars the list controls draw themselves (list box, a combo box's
// dropped list, list view): a vertical one along the right edge, and in the
// list view a horizontal one along the bottom. An arrow at each end scrolls
// by one line, the track on either side of the thumb by a page, and the
// thumb follows the stylus. Positions count what the control scrolls by
// (rows, or pixels sideways): 0 .. total - visible. The controls keep what
// the stylus is doing in a ScrollDrag and ask the bar where things are.

#include "platform/user/WinUser.h"

namespace zorun {

class ScrollBar {
  public:
    // How thick a bar is: its width upright, its height lying down.
    static constexpr int kThickness = 11;
    enum class Orientation { Vertical, Horizontal };
    // Back: towards position 0 (up, left); Forward: towards the end.
    enum class Part { None, BackArrow, PageBack, Thumb, PageForward, ForwardArrow };

    // `bar`: where the bar is drawn, in the control's client coordinates;
    // `line`: how far an arrow scrolls.
    ScrollBar(Orientation orientation, RECT bar, int total, int visible, int position,
              int line = 1);

    [[nodiscard]] Part HitTest(POINT point) const;
    [[nodiscard]] int MaxPosition() const { return maxPosition_; }
    [[nodiscard]] RECT Thumb() const { return thumb_; }
    // The position after one tap on `part` (arrows: a line; track: a page).
    [[nodiscard]] int PositionAfter(Part part) const;
    // The position with the thumb dragged `delta` pixels along the bar from
    // where it was at `startPosition`.
    [[nodiscard]] int PositionForThumbDrag(int startPosition, int delta) const;
    void Paint(HDC hdc, bool enabled) const;

  private:
    // A rectangle across the bar from `from` to `to` along it.
    [[nodiscard]] RECT Span(int from, int to) const;
    [[nodiscard]] int Along(POINT p) const { return vertical_ ? p.y : p.x; }

    bool vertical_;
    RECT bar_, back_, forward_, track_, thumb_;
    int visible_, position_, maxPosition_, line_;
};

class VerticalScrollBar : public ScrollBar {
  public:
    static constexpr int kWidth = kThickness;
    VerticalScrollBar(RECT bar, int total, int visible, int position)
        : ScrollBar(Orientation::Vertical, bar, total, visible, position) {}
};

class HorizontalScrollBar : public ScrollBar {
  public:
    static constexpr int kHeight = kThickness;
    HorizontalScrollBar(RECT bar, int total, int visible, int position, int line)
        : ScrollBar(Orientation::Horizontal, bar, total, visible, position, line) {}
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
