#include "monitor/TaskCloser.h"

#include "monitor/MonitorIds.h"
#include "monitor/ThreadWindows.h"
#include "platform/afx/CWinApp.h"
#include "platform/kernel/Process.h"
#include "platform/user/SleepKeepingScreen.h"
#include "platform/user/WinUser.h"

namespace {

// Shows the wait cursor for its scope, so no way out leaves it up.
class WaitCursor {
  public:
    WaitCursor() { SetWaitCursor(true); }
    ~WaitCursor() { SetWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

void TaskCloser::RequestClose(HWND window, bool dialog) const {
    if (dialog)
        CloseThreadWindows(window);
    else
        PostMessageW(window, WM_CLOSE, 0, 0);
}

TaskCloser::Outcome TaskCloser::Stop(const TaskRow& row) const {
    if (!row.window)
        return Outcome::Closed;
    const bool dialog = IsDialogClassWindow(row.window);
    RequestClose(row.window, dialog);
    bool closed = false;
    {
        WaitCursor wait;
        for (int round = 0; round < kRounds && !closed; ++round) {
            closed = !IsWindow(row.window);
            if (!closed) {
                RequestClose(row.window, dialog);
                zorun::SleepKeepingScreen(kRoundMs);
            }
        }
        // One that closed during the last wait is not asked about.
        closed = closed || !IsWindow(row.window);
    }
    if (closed)
        return Outcome::Closed;
    if (AfxMessageBox(MonitorResource::StopFailed, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return Outcome::Kept;
    // The box may have stood open a long while: the application may have
    // gone meanwhile, and its process id may now be another program's.
    const DWORD owner = CurrentOwnerProcess(row.window);
    if (owner == 0)
        return Outcome::Closed;
    if (owner != row.processId)
        return Outcome::Kept;
    if (!Terminate(row))
        return Outcome::Kept;
    WaitUntilGone(row.window);
    return Outcome::Terminated;
}

// An ended process takes a moment to leave the host's lists (its parent
// reaps it, the window manager lets its windows go): the list rebuilt next
// must not show it still running.
void TaskCloser::WaitUntilGone(HWND window) const {
    WaitCursor wait;
    for (int round = 0; round < kGoneRounds && ::IsWindow(window); ++round)
        zorun::SleepKeepingScreen(kGoneRoundMs);
}

bool TaskCloser::Terminate(const TaskRow& row) const {
    if (row.processId == 0 || row.processId == protectedProcess_ ||
        row.processId == GetCurrentProcessId())
        return false;
    HANDLE process = OpenProcess(0, FALSE, row.processId);
    if (!process)
        return false;
    const bool ended = TerminateProcess(process, 0xFFFFFFFF) != FALSE;
    CloseHandle(process);
    return ended;
}
