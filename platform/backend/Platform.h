#pragma once
// The program's runtime: reads the platform options, sets the device root,
// the clock and the display backend, then runs the program.

#include <functional>

namespace zorun {

// Parses the platform options (the only options there are), prepares the
// platform and returns programMain's exit code. programMain creates the
// windows, calls SetMainWindow and runs the message loop. --help and
// --version print and return 0; a bad option or script prints why on stderr
// and returns 2, before programMain runs, as does a host with no display at
// all (without --headless). A display that cannot be opened returns 1. A
// script that could not write a screenshot or text dump makes a successful
// run return 1.
// For start-up measurements, ZORUN_FIRST_FRAME_FD=n in the environment makes
// it write a line to descriptor n when the first frame has been presented:
// the process's CPU time until then, in microseconds.
int RunPlatform(int argc, char** argv, const std::function<int()>& programMain);

} // namespace zorun
