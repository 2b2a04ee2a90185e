#include "platform/user/ControlScrollBar.h"

#include <algorithm>

#include "platform/user/ControlPaint.h"

namespace zorun {

namespace {

constexpr int kMinThumb = 6;

enum class Pointing { Up, Down, Left, Right };

// A small filled triangle, three pixels deep, centred in `r`.
void PaintArrow(HDC hdc, const RECT& r, Pointing towards, COLORREF ink) {
    const int cx = r.left + r.Width() / 2;
    const int cy = r.top + r.Height() / 2;
    for (int k = 0; k < 3; ++k) {
        switch (towards) {
        case Pointing::Up:
            FillSolid(hdc, {cx - k, cy - 1 + k, cx + k + 1, cy + k}, ink);
            break;
        case Pointing::Down:
            FillSolid(hdc, {cx - k, cy + 1 - k, cx + k + 1, cy + 2 - k}, ink);
            break;
        case Pointing::Left:
            FillSolid(hdc, {cx - 1 + k, cy - k, cx + k, cy + k + 1}, ink);
            break;
        case Pointing::Right:
            FillSolid(hdc, {cx + 1 - k, cy - k, cx + 2 - k, cy + k + 1}, ink);
            break;
        }
    }
}

} // namespace

ScrollBar::ScrollBar(Orientation orientation, RECT bar, int total, int visible, int position,
                     int line)
    : vertical_(orientation == Orientation::Vertical), bar_(bar), visible_(std::max(1, visible)),
      line_(std::max(1, line)) {
    maxPosition_ = std::max(0, total - visible_);
    position_ = std::clamp(position, 0, maxPosition_);
    const int start = vertical_ ? bar.top : bar.left;
    const int end = vertical_ ? bar.bottom : bar.right;
    const int arrow = std::min(kThickness, (end - start) / 2);
    back_ = Span(start, start + arrow);
    forward_ = Span(end - arrow, end);
    track_ = Span(start + arrow, end - arrow);
    const int trackLength = std::max(0, end - start - 2 * arrow);
    const int count = std::max(1, total);
    const int thumbLength = std::min(
        trackLength, std::max(kMinThumb, static_cast<int>(static_cast<long long>(trackLength) *
                                                          visible_ / count)));
    const int room = trackLength - thumbLength;
    const int thumbStart =
        start + arrow +
        (maxPosition_ > 0
             ? static_cast<int>(static_cast<long long>(room) * position_ / maxPosition_)
             : 0);
    thumb_ = Span(thumbStart, thumbStart + thumbLength);
}

RECT ScrollBar::Span(int from, int to) const {
    return vertical_ ? RECT{bar_.left, from, bar_.right, to}
                     : RECT{from, bar_.top, to, bar_.bottom};
}

ScrollBar::Part ScrollBar::HitTest(POINT p) const {
    if (!bar_.Contains(p))
        return Part::None;
    if (back_.Contains(p))
        return Part::BackArrow;
    if (forward_.Contains(p))
        return Part::ForwardArrow;
    const int at = Along(p);
    if (at < (vertical_ ? thumb_.top : thumb_.left))
        return Part::PageBack;
    if (at >= (vertical_ ? thumb_.bottom : thumb_.right))
        return Part::PageForward;
    return Part::Thumb;
}

int ScrollBar::PositionAfter(Part part) const {
    int position = position_;
    switch (part) {
    case Part::BackArrow:
        position -= line_;
        break;
    case Part::ForwardArrow:
        position += line_;
        break;
    case Part::PageBack:
        position -= visible_;
        break;
    case Part::PageForward:
        position += visible_;
        break;
    default:
        break;
    }
    return std::clamp(position, 0, maxPosition_);
}

int ScrollBar::PositionForThumbDrag(int startPosition, int delta) const {
    const int trackLength = vertical_ ? track_.Height() : track_.Width();
    const int room = trackLength - (vertical_ ? thumb_.Height() : thumb_.Width());
    if (room <= 0 || maxPosition_ == 0)
        return position_;
    // Rounded to the nearest step, so the thumb lands where it was let go.
    const long long moved = static_cast<long long>(delta) * maxPosition_;
    const int steps = static_cast<int>((moved + (moved >= 0 ? room / 2 : -room / 2)) / room);
    return std::clamp(startPosition + steps, 0, maxPosition_);
}

void ScrollBar::Paint(HDC hdc, bool enabled) const {
    const COLORREF ink = enabled ? kControlText : kDisabledText;
    FillSolid(hdc, bar_, kButtonFace);
    // The line that parts the bar from the content.
    if (vertical_)
        FillSolid(hdc, {bar_.left, bar_.top, bar_.left + 1, bar_.bottom}, kControlFrame);
    else
        FillSolid(hdc, {bar_.left, bar_.top, bar_.right, bar_.top + 1}, kControlFrame);
    FrameSolid(hdc, back_, kControlFrame);
    FrameSolid(hdc, forward_, kControlFrame);
    const COLORREF backInk = position_ > 0 ? ink : kDisabledText;
    const COLORREF forwardInk = position_ < maxPosition_ ? ink : kDisabledText;
    PaintArrow(hdc, back_, vertical_ ? Pointing::Up : Pointing::Left, backInk);
    PaintArrow(hdc, forward_, vertical_ ? Pointing::Down : Pointing::Right, forwardInk);
    if ((vertical_ ? thumb_.Height() : thumb_.Width()) > 0) {
        FillSolid(hdc, thumb_, kControlBack);
        FrameSolid(hdc, thumb_, kControlFrame);
    }
}

} // namespace zorun
