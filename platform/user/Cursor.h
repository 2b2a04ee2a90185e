#pragma once
// The wait cursor (SetWaitCursor in WinUser.h): whether it is on screen now.

namespace zorun {
[[nodiscard]] bool WaitCursorShown();
} // namespace zorun
