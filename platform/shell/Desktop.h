#pragma once
// "Bring the desktop to the front": under an X11 window manager that follows
// EWMH, ask it to show the desktop (_NET_SHOWING_DESKTOP). Elsewhere there is
// no desktop to show and nothing happens. Never waits for an answer.

namespace zorun {

// True when the request was sent to a window manager that supports it.
bool ShowHostDesktop();

} // namespace zorun
