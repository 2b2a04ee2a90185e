#pragma once
// A wait that does not freeze the screen: for the long waits a command makes
// on the user-interface thread (the task monitor's close rounds).

#include "platform/base/WinTypes.h"

namespace zorun {

// Waits `ms` of the platform clock like Sleep, while the screen stays alive:
// timers that fall due run (the navigation bar's clock moves on), windows
// that become invalid repaint and the backend keeps showing the screen.
// Input and posted messages stay queued, in their order, for the message
// loop that follows the wait.
void SleepKeepingScreen(DWORD ms);

} // namespace zorun
