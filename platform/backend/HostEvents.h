#pragma once
// What the backends watch besides their display: the quit signals (SIGTERM,
// SIGINT, SIGHUP, turned into a readable descriptor by a self-pipe) and the
// descriptors registered with AddWatchedFd.

namespace zorun {

// Installs the signal handlers once (and ignores SIGXFSZ, so that a file
// size limit is an ordinary write error); false when the pipe cannot be made.
[[nodiscard]] bool InstallQuitSignals();
// True once a quit signal has arrived: the program is ending on its own,
// with no one to answer a question, so nothing may wait for the user.
[[nodiscard]] bool QuitSignalled();
// Polls the signal pipe and the watched descriptors for up to timeoutMs
// (-1: no limit), serves what is readable, and turns a quit signal into
// WM_CLOSE to the main window (or a quit message when there is none).
// True when anything was served.
bool PollHostEvents(int timeoutMs);
// The same, also waiting on the display's connection `displayFd`: sets
// *displayReady when it became readable (or hung up), which is not counted
// as served.
bool PollHostEvents(int timeoutMs, int displayFd, bool* displayReady);
// What the program does when asked to quit from outside (signal, window close).
void RequestQuit();

} // namespace zorun
