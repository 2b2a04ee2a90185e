#pragma once
// ExtractIconExW over the host: .ico files (the image nearest 32 x 32 for the
// large icon, 16 x 16 for the small one; PNG images inside too), .png files,
// and for programs the icon of the host program's desktop entry
// (platform/shell/HostIconIndex.h). Icons come out 32 x 32 and 16 x 16.
// Pictures are decoded once and kept, so asking again at every paint is cheap.

#include "platform/base/WinTypes.h"

// `file` is a device path. These files hold one icon: `index` 0 or any
// negative resource number gives it, a positive index gives none. With
// index -1 and no outputs, returns how many icons the file has (0 or 1).
// Otherwise returns the number of icons extracted (0 or 1), each to be
// released with DestroyIcon.
UINT ExtractIconExW(LPCWSTR file, int index, HICON* large, HICON* small, UINT count);
