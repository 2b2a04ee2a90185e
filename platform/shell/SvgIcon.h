#pragma once
// SVG pictures drawn at an icon size with librsvg. The library is opened
// when the first SVG is drawn, so that programs that never draw one do not
// pay for loading it; where it is missing, SVG pictures give nothing.

#include <cstdint>
#include <optional>
#include <span>

#include "platform/shell/IconImage.h"

namespace zorun {

// The document drawn to fit size x size, centred, keeping its proportions;
// nothing when it cannot be read or the library is not there. References to
// other files are not followed.
[[nodiscard]] std::optional<IconPicture> DecodeSvgIcon(std::span<const std::uint8_t> bytes,
                                                       int size);

} // namespace zorun
