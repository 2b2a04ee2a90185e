#include "platform/backend/ScreenLayout.h"

#include <algorithm>

#include "platform/user/Screen.h"

namespace zorun {

ScreenLayout ScreenLayout::For(int windowWidth, int windowHeight, int scale, bool fill) {
    ScreenLayout layout;
    layout.scale =
        fill ? std::min(windowWidth / kScreenWidth, windowHeight / kScreenHeight) : scale;
    layout.scale = std::max(1, layout.scale);
    layout.offset = {std::max(0, (windowWidth - kScreenWidth * layout.scale) / 2),
                     std::max(0, (windowHeight - kScreenHeight * layout.scale) / 2)};
    return layout;
}

Point ScreenLayout::ToDevice(int windowX, int windowY) const {
    // Rounds towards minus infinity, so a pixel left of the screen is -1, not 0.
    auto down = [this](int v, int origin) {
        int d = v - origin;
        return d >= 0 ? d / scale : -((-d + scale - 1) / scale);
    };
    return {down(windowX, offset.x), down(windowY, offset.y)};
}

int DefaultScale(int displayHeight) {
    return std::max(1, displayHeight * 85 / 100 / kScreenHeight);
}

} // namespace zorun
