#pragma once
// The platform chrome: the navigation bar (y 0..25: the foreground window's
// title, a clock, and the dialogs' "ok" button at x 214..239) and the
// command bar (y 294..319: the foreground frame's menu buttons and tool
// buttons, and the soft-keyboard button at x 214..239). Both are topmost
// windows of the screen, made once and kept above the program's windows.

#include <cstdint>
#include <string>

#include "platform/user/WinUser.h"

namespace zorun {

constexpr RECT kNavigationBarRect{0, 0, 240, 26};
constexpr RECT kCommandBarRect{0, 294, 240, 320};
// In each bar's own coordinates.
constexpr RECT kOkButtonRect{214, 0, 240, 26};
constexpr RECT kKeyboardButtonRect{214, 0, 240, 26};

// Creates the two bars when they do not exist (again after a reset).
void EnsureChrome();
[[nodiscard]] HWND NavigationBarWindow();
[[nodiscard]] HWND CommandBarWindow();

// Makes one bar: a shown, topmost window that never takes activation and
// paints its whole rectangle itself. nullptr when it cannot be made.
[[nodiscard]] HWND CreateChromeBar(const char16_t* className, const RECT& rect, WNDPROC proc);

// The navigation bar's clock text for a wall time (local time, "h:mm").
[[nodiscard]] std::u16string ClockText(std::int64_t wallTimeMs);

} // namespace zorun
