#pragma once
// Where the task list's other applications come from: the host's window
// system (X11 with an EWMH window manager) or, where there is none to ask,
// the programs this program started. A provider reports top-level windows in
// its own terms; HostWindows (HostWindows.h) turns them into window handles.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

namespace zorun {

// One top-level window of another program, as its provider sees it now.
struct HostWindow {
    std::uint64_t id = 0; // the provider's own reference (an X window, a process id)
    DWORD threadId = 0;   // the same for all windows of one client
    DWORD processId = 0;  // a host process id, or a foreign one (kForeignProcessFlag)
    bool visible = false;
    std::u16string title;
    std::u16string className; // "Dialog" for dialog windows
};

class HostWindowProvider {
  public:
    virtual ~HostWindowProvider() = default;

    // Top-level windows of other programs, bottom to top of the stacking
    // order; this program's own windows are never among them. Empty when
    // the host cannot be asked.
    [[nodiscard]] virtual std::vector<HostWindow> List() = 0;
    // Whether the window is still there, asked afresh.
    [[nodiscard]] virtual bool Exists(std::uint64_t id) = 0;
    // The polite request to close, what WM_CLOSE asks of a device window;
    // false when it could not be made.
    virtual bool Close(std::uint64_t id) = 0;
    // Brings the window to the front with the input focus; false when the
    // host could not be asked to.
    virtual bool Activate(std::uint64_t id) = 0;

    // Foreign process ids this provider handed out (Process.h).
    [[nodiscard]] virtual bool ForeignProcessRunning(DWORD /*processId*/) { return false; }
    virtual bool TerminateForeignProcess(DWORD /*processId*/) { return false; }

    // While held, whatever the provider opens to ask the host (a display
    // connection) stays open; otherwise each call opens and closes it.
    virtual void Hold() {}
    virtual void Release() {}
};

} // namespace zorun
