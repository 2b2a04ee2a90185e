#pragma once
// How the task monitor sees applications among the top-level windows: which
// windows count, which belong together (the windows of one thread make one
// application), and how the windows of a thread are asked to close.
//
// A window counts when it is visible, has a title, is not of the excluded
// thread (that of the input panel's button window, "MS_SIPBUTTON": here the
// command bar, so this program's own), and is not one of this program's
// own: neither of its process nor titled as its main window ("Zorun").

#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

// The owner of the input panel's button window: its thread is never
// listed and its process is never terminated. Both 0 when there is no such
// window.
struct ExcludedOwner {
    DWORD thread = 0;
    DWORD process = 0;
};
[[nodiscard]] ExcludedOwner FindInputPanelOwner();

// A window's title as the monitor reads it: at most 255 characters.
[[nodiscard]] std::u16string ReadWindowTitle(HWND window);

// Whether `window` counts as an application's window (see above).
[[nodiscard]] bool IsApplicationWindow(HWND window, const ExcludedOwner& excluded);

// Whether `window` is of the platform's dialog class ("Dialog" exactly).
[[nodiscard]] bool IsDialogClassWindow(HWND window);

// Every top-level window from the bottom of the z-order to the top, starting
// the walk from `anchor` (any window); bounded, so a changing list can never
// keep it going.
[[nodiscard]] std::vector<HWND> TopLevelWindowsBottomUp(HWND anchor);

// The windows of `window`'s thread that count, bottom to top; empty once
// `window` has gone.
[[nodiscard]] std::vector<HWND> CollectThreadWindows(HWND window);

// Posts a close request to every window CollectThreadWindows returns:
// IDCANCEL to dialogs, WM_CLOSE to the others. Posted, never sent, so the
// monitor never waits inside another application.
void CloseThreadWindows(HWND window);

// The process that owns `window` now, read afresh; 0 when the window has gone.
[[nodiscard]] DWORD CurrentOwnerProcess(HWND window);
