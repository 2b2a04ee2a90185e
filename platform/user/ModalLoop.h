#pragma once
// Modal loops: message boxes, menus, dialogs and press-and-hold run their own
// message loop nested in the caller's.

#include "platform/base/WinTypes.h"

// Runs messages until EndModalLoop(hwnd, ...) or until `hwnd` is destroyed
// (then 0), and returns the result. While it runs, the owner of `hwnd` is
// disabled, as on the device. Loops nest; each ends only its own: ending an
// outer loop while an inner one runs takes effect when the inner one returns.
// WM_QUIT ends the loop and is posted again for the outer loop.
int RunModalLoop(HWND hwnd);
// Ends the innermost loop running for `hwnd`; false when none runs.
bool EndModalLoop(HWND hwnd, int result);
// True while a modal loop runs for `hwnd`.
bool IsInModalLoop(HWND hwnd);
