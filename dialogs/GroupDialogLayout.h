#pragma once
// Where the group picker and the group organizer draw their pictures and
// where their picture buttons answer (client pixels; rectangles are left,
// top, right, bottom with right and bottom exclusive).

#include "platform/user/WinUser.h"

namespace GroupDialogLayout {

constexpr POINT kTitleAt{0, 4};
constexpr SIZE kTitleArea{240, 100};

constexpr POINT kCancelAt{24, 239};
constexpr RECT kCancelRect{24, 239, 88, 259};
constexpr POINT kUpAt{186, 51};
constexpr RECT kUpRect{186, 51, 219, 84};
constexpr POINT kDownAt{186, 102};
constexpr RECT kDownRect{186, 102, 219, 136};

} // namespace GroupDialogLayout
