#pragma once
// The one device screen: 240 x 320 pixels composed from the top-level
// windows' surfaces, bottom to top, into a framebuffer that the backend shows.
// Also the registry of built-in control classes, the program's main window,
// and the foreground notification the chrome listens to.

#include <functional>
#include <optional>

#include "platform/base/WinTypes.h"
#include "platform/user/WinUser.h"

namespace zorun {

class Surface;

constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;
// Between the navigation bar and the command bar.
constexpr Rect kWorkArea{0, 26, 240, 294};

// The framebuffer as last composed.
[[nodiscard]] const Surface& ScreenSurface();
// Composes the windows onto the framebuffer when anything changed since the
// last time; true when it did.
bool ComposeScreen();

// Paints every window waiting for it and shows the screen now, without
// delivering anything queued: the program's first frame goes out before
// the work its windows posted for later.
void PaintAndPresent();

// Called with the foreground window whenever it or its title changes.
using ForegroundListener = std::function<void(HWND foreground)>;
int AddForegroundListener(ForegroundListener listener);
void RemoveForegroundListener(int id);

// Built-in window classes ("BUTTON", "STATIC", ...): CreateWindowExW uses
// the registered procedure when it is given none. Names ignore case.
void RegisterControlClass(const char16_t* className, WNDPROC proc);
[[nodiscard]] WNDPROC FindControlClass(const char16_t* className);

// The program's main window: the target of WM_CLOSE on quit requests and of
// the script's `command`.
void SetMainWindow(HWND hwnd);
[[nodiscard]] HWND MainWindow();

// The colour DefWindowProc erases a window with; nothing = no erasing.
// White unless changed.
void SetWindowBackground(HWND hwnd, std::optional<COLORREF> color);

// Forgets every window, message, timer and state without telling any window
// (their procedures' objects may be gone): at exit and between tests.
void ResetWindowSystem();

} // namespace zorun
