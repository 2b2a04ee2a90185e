#pragma once
// No display: the screen lives in memory (ScreenSurface()), time is virtual.
// With a script, the script runner supplies input and moves the clock;
// without one, the clock follows real time while the loop waits, so the
// program idles until a signal ends it.

#include "platform/base/Clock.h"
#include "platform/user/Backend.h"

namespace zorun {

class ScriptRunner;

// `runner` may be nullptr; both must outlive the backend's use.
[[nodiscard]] Backend MakeHeadlessBackend(VirtualClock& clock, ScriptRunner* runner);

} // namespace zorun
