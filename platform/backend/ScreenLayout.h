#pragma once
// Where the device screen sits in a host window: a whole-number scale
// (nearest-neighbour pixels stay crisp) and the offset that centres it, and
// the way back from window pixels to device pixels.

#include "platform/base/Geometry.h"

namespace zorun {

struct ScreenLayout {
    int scale = 1;
    Point offset; // window pixel of device pixel (0, 0)

    // For a window of the given size: `fill` (full screen) takes the largest
    // scale that fits, otherwise `scale` stays; centred either way.
    [[nodiscard]] static ScreenLayout For(int windowWidth, int windowHeight, int scale, bool fill);
    // The device pixel under a window pixel; outside the screen (negative or
    // past its edges) when the window pixel is.
    [[nodiscard]] Point ToDevice(int windowX, int windowY) const;
};

// Largest whole scale whose 240 x 320 window fits in 85% of `displayHeight`
// (at least 1).
[[nodiscard]] int DefaultScale(int displayHeight);

} // namespace zorun
