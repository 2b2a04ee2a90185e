#pragma once
// Icons: ARGB pictures with straight alpha, drawn blended over what is there.

#include <cstdint>

#include "platform/base/WinTypes.h"

namespace zorun {
class Surface;
}

// An icon of w x h pixels copied from `argb` (0xAARRGGBB, straight alpha,
// rows top to bottom); null for sizes outside 1..1024 or no pixels.
[[nodiscard]] HICON CreateIconFromArgb(int w, int h, const std::uint32_t* argb);

namespace zorun {
// The icon's size; false for an unknown icon.
[[nodiscard]] bool GetIconSize(HICON icon, SIZE* size);
// The icon's pixels (straight alpha); null for an unknown icon.
[[nodiscard]] const Surface* IconPixels(HICON icon);
} // namespace zorun
