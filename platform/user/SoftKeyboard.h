#pragma once
// The soft keyboard (the device's soft input panel): a topmost window of the
// chrome over the bottom 80 rows of the work area, just above the command
// bar. It never takes the activation or the focus: a tap on a key sends the
// key to the focused window as queued input, WM_KEYDOWN (with the WM_CHAR
// that TranslateMessage makes of it) and then WM_KEYUP, exactly as a
// physical key would. Backspace and the arrows are sent at the press and
// repeat while held; the other keys are sent at the release, on the key
// the stylus was lifted from (a press can slide to the right key).
//
// While it is up the work area ends at its top. Every top-level window
// hears of each change as WM_SETTINGCHANGE with SPI_SETSIPINFO; dialogs
// then keep their focused control in view (WorkArea.h).

#include "platform/user/WinUser.h"

namespace zorun {

constexpr RECT kSoftKeyboardRect{0, 214, 240, 294};
constexpr UINT kKeyRepeatDelayMs = 500;
constexpr UINT kKeyRepeatIntervalMs = 100;

// Raises the keyboard for the top-level window holding `requester`, or
// lowers it. Raising it when it is up tells the requester again, so that it
// can bring a newly focused field into view. When the window it rose for
// is gone, the keyboard goes down at the next change of the window in front.
void ShowSoftKeyboard(HWND requester, bool up);
// The command bar's keyboard button: raises it for the window in front, or
// lowers it.
void ToggleSoftKeyboard();
[[nodiscard]] bool SoftKeyboardUp();
// The keyboard's window once it has risen (nullptr before).
[[nodiscard]] HWND SoftKeyboardWindow();

// Turns the keyboard off (for users with a real keyboard) or on. While it
// is off it never rises and the command bar shows no keyboard button.
void SetSoftKeyboardAvailable(bool available);
[[nodiscard]] bool SoftKeyboardAvailable();

} // namespace zorun
