#pragma once
// Stopping one application, as Stop and Stop all do for each row: a polite
// close request (to every window of its thread when the row's window is a
// dialog, else WM_CLOSE to that window), repeated while the wait cursor
// shows, for up to five rounds of 400 ms; the screen keeps painting
// meanwhile. An application still there afterwards is terminated only when
// the user confirms it (string 65032, OK and Cancel, exclamation icon), and
// only when its window is still there and still its process's; the wait
// cursor then stays until its window has gone (briefly), so the list rebuilt
// next no longer shows it.

#include "platform/base/WinTypes.h"

// One row of the monitor: the window to close and its owning process.
struct TaskRow {
    HWND window = nullptr;
    DWORD processId = 0;
};

class TaskCloser {
  public:
    static constexpr int kRounds = 5;
    static constexpr DWORD kRoundMs = 400;
    // After a termination: how long its window may take to go.
    static constexpr int kGoneRounds = 20;
    static constexpr DWORD kGoneRoundMs = 50;

    enum class Outcome {
        Closed,     // the window went by itself, or was already gone
        Terminated, // the user confirmed and the process was ended
        Kept        // still running: the user cancelled, or it may not be ended
    };

    // `protectedProcess`: never terminated (the input panel's owner), 0 for
    // none; this program's own process is never terminated either.
    explicit TaskCloser(DWORD protectedProcess) : protectedProcess_(protectedProcess) {}

    Outcome Stop(const TaskRow& row) const;

  private:
    void RequestClose(HWND window, bool dialog) const;
    [[nodiscard]] bool Terminate(const TaskRow& row) const;
    void WaitUntilGone(HWND window) const;

    DWORD protectedProcess_;
};
