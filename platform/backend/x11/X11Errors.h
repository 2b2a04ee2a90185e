#pragma once
// Errors on the backend's X connection. Xlib's default handlers end the
// process at the first protocol error (a window that vanished, a refused
// shared memory segment) and when the connection is lost; ours note the
// first and carry on, and leave the lost connection to its display's exit
// handler. Protocol errors on the process's other X connections (the window
// list's) are theirs to mind and are ignored here.

#include <X11/Xlib.h>

namespace zorun {

// Installs the handlers for `display` (once per process; a later display
// replaces the earlier one).
void InstallX11ErrorHandler(Display* display);

// Catches the errors of the requests made while it lives, so one that may
// be refused (attaching shared memory) can be tried safely.
class X11ErrorTrap {
  public:
    explicit X11ErrorTrap(Display* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Waits for the server to answer everything sent so far; true when any
    // of it failed. Called last: requests after it are not caught.
    [[nodiscard]] bool Failed();

  private:
    Display* display_;
    int before_;
    bool answered_ = false;
};

} // namespace zorun
