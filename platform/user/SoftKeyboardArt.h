#pragma once
// The soft keyboard's look, drawn by code in the palette of the program's
// artwork: light key caps with 1-pixel outlines in a darker shade and
// rounded corners on a blue-grey plate, function keys a shade darker, a
// held key amber, Shift and Caps Lock teal while they are on; small pixel
// pictures for the keys without a character (Shift, Caps Lock, Backspace,
// Enter, the arrows, the space bar). Also the command bar's keyboard button.

#include "platform/user/SoftKeyboardLayout.h"
#include "platform/user/WinUser.h"

namespace zorun {

// Paints the keys that meet `area` (keyboard coordinates); the key
// `pressedKey` (or none, -1) is drawn held.
void PaintSoftKeyboard(HDC hdc, const SoftKeyboardLayout& layout, int pressedKey, const RECT& area);

// The command bar's keyboard button in `button` (bar coordinates): a small
// keyboard, raised in grey while the keyboard is down, sunk and blue while
// it is up (`down`).
void PaintKeyboardButton(HDC hdc, const RECT& button, bool down);

} // namespace zorun
