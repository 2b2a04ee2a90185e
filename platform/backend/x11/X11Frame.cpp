#include "platform/backend/x11/X11Frame.h"

#include <algorithm>
#include <cstring>

#include "platform/backend/x11/X11Image.h"
#include "platform/backend/x11/X11RenderFrame.h"
#include "platform/backend/x11/X11ScaledFrame.h"
#include "platform/gdi/Surface.h"
#include "platform/user/Screen.h"

namespace zorun {

std::unique_ptr<X11Frame> X11Frame::Create(const Target& target, int scale, bool sharedMemory,
                                           bool serverScaling) {
    if (serverScaling) {
        if (auto frame = X11RenderFrame::Create(target, scale, sharedMemory))
            return frame;
    }
    return X11ScaledFrame::Create(target, scale, sharedMemory);
}

void X11Frame::ShowWindowArea(const Rect& windowRect, Point origin) {
    const int s = scale_;
    const Rect covered = windowRect.Offset(-origin.x, -origin.y)
                             .Intersect({0, 0, kScreenWidth * s, kScreenHeight * s});
    if (covered.IsEmpty())
        return;
    // Whole device pixels around the area.
    Show({covered.left / s, covered.top / s, (covered.right + s - 1) / s,
          (covered.bottom + s - 1) / s},
         origin);
}

Rect X11Frame::Changes(const Surface& frame, const X11Image* image) {
    const int width = std::min(frame.Width(), kScreenWidth);
    const int height = std::min(frame.Height(), kScreenHeight);
    if (width <= 0 || height <= 0)
        return {};
    const bool inImage = image && image->FrameLayout();
    if (!inImage && last_.size() != std::size_t(kScreenWidth) * kScreenHeight)
        last_.assign(std::size_t(kScreenWidth) * kScreenHeight, 0);
    Rect changed;
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* now = frame.Row(y);
        // The image is brought up to date by the caller, the copy here.
        const std::uint32_t* before =
            inImage ? image->Row(y) : last_.data() + std::size_t(y) * kScreenWidth;
        if (lastValid_ && std::memcmp(now, before, sizeof(std::uint32_t) * width) == 0)
            continue;
        int left = 0, right = width;
        if (lastValid_) {
            while (now[left] == before[left])
                ++left;
            while (now[right - 1] == before[right - 1])
                --right;
        }
        changed = changed.Union({left, y, right, y + 1});
        if (!inImage)
            std::memcpy(last_.data() + std::size_t(y) * kScreenWidth + left, now + left,
                        sizeof(std::uint32_t) * (right - left));
    }
    lastValid_ = true;
    return changed;
}

} // namespace zorun
