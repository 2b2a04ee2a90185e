#include "platform/user/ControlScrollBar.h"

#include <algorithm>

#include "platform/user/ControlPaint.h"

namespace zorun {

namespace {

constexpr int kMinThumb = 6;

void PaintArrow(HDC hdc, const RECT& r, bool up, COLORREF ink) {
    const int cx = r.left + r.Width() / 2;
    const int cy = r.top + r.Height() / 2;
    for (int k = 0; k < 3; ++k) {
        const int y = up ? cy - 1 + k : cy + 1 - k;
        FillSolid(hdc, {cx - k, y, cx + k + 1, y + 1}, ink);
    }
}

} // namespace

VerticalScrollBar::VerticalScrollBar(RECT bar, int total, int visible, int position)
    : bar_(bar), visible_(std::max(1, visible)) {
    maxPosition_ = std::max(0, total - visible_);
    position_ = std::clamp(position, 0, maxPosition_);
    const int arrow = std::min(kWidth, bar.Height() / 2);
    up_ = {bar.left, bar.top, bar.right, bar.top + arrow};
    down_ = {bar.left, bar.bottom - arrow, bar.right, bar.bottom};
    track_ = {bar.left, up_.bottom, bar.right, down_.top};
    const int trackHeight = std::max(0, track_.Height());
    const int count = std::max(1, total);
    const int thumbHeight = std::min(
        trackHeight, std::max(kMinThumb, static_cast<int>(static_cast<long long>(trackHeight) *
                                                          visible_ / count)));
    const int room = trackHeight - thumbHeight;
    const int thumbTop =
        track_.top + (maxPosition_ > 0 ? static_cast<int>(static_cast<long long>(room) * position_ /
                                                          maxPosition_)
                                       : 0);
    thumb_ = {bar.left, thumbTop, bar.right, thumbTop + thumbHeight};
}

VerticalScrollBar::Part VerticalScrollBar::HitTest(POINT p) const {
    if (!bar_.Contains(p))
        return Part::None;
    if (up_.Contains(p))
        return Part::UpArrow;
    if (down_.Contains(p))
        return Part::DownArrow;
    if (p.y < thumb_.top)
        return Part::PageUp;
    if (p.y >= thumb_.bottom)
        return Part::PageDown;
    return Part::Thumb;
}

int VerticalScrollBar::PositionAfter(Part part) const {
    int position = position_;
    switch (part) {
    case Part::UpArrow:
        position -= 1;
        break;
    case Part::DownArrow:
        position += 1;
        break;
    case Part::PageUp:
        position -= visible_;
        break;
    case Part::PageDown:
        position += visible_;
        break;
    default:
        break;
    }
    return std::clamp(position, 0, maxPosition_);
}

int VerticalScrollBar::PositionForThumbDrag(int startPosition, int dy) const {
    const int room = track_.Height() - thumb_.Height();
    if (room <= 0 || maxPosition_ == 0)
        return position_;
    // Rounded to the nearest row, so the thumb lands where it was let go.
    const long long moved = static_cast<long long>(dy) * maxPosition_;
    const int rows = static_cast<int>((moved + (moved >= 0 ? room / 2 : -room / 2)) / room);
    return std::clamp(startPosition + rows, 0, maxPosition_);
}

void VerticalScrollBar::Paint(HDC hdc, bool enabled) const {
    const COLORREF ink = enabled ? kControlText : kDisabledText;
    FillSolid(hdc, bar_, kButtonFace);
    FillSolid(hdc, {bar_.left, bar_.top, bar_.left + 1, bar_.bottom}, kControlFrame);
    FrameSolid(hdc, up_, kControlFrame);
    FrameSolid(hdc, down_, kControlFrame);
    PaintArrow(hdc, up_, true, position_ > 0 ? ink : kDisabledText);
    PaintArrow(hdc, down_, false, position_ < maxPosition_ ? ink : kDisabledText);
    if (thumb_.Height() > 0) {
        FillSolid(hdc, thumb_, kControlBack);
        FrameSolid(hdc, thumb_, kControlFrame);
    }
}

} // namespace zorun
