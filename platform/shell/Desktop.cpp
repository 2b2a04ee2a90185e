#include "platform/shell/Desktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <cstdlib>
#include <memory>

namespace zorun {

namespace {

struct DisplayCloser {
    void operator()(Display* d) const { XCloseDisplay(d); }
};

// Whether the window manager lists `atom` in _NET_SUPPORTED.
bool Supports(Display* display, Window root, Atom atom) {
    const Atom supported = XInternAtom(display, "_NET_SUPPORTED", True);
    if (supported == None)
        return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, root, supported, 0, 4096, False, XA_ATOM, &type, &format,
                           &count, &after, &data) != Success ||
        !data)
        return false;
    bool found = false;
    if (type == XA_ATOM && format == 32) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && !found; ++i)
            found = atoms[i] == atom;
    }
    XFree(data);
    return found;
}

} // namespace

bool ShowHostDesktop() {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name)
        return false;
    std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(name));
    if (!display)
        return false;
    const Window root = DefaultRootWindow(display.get());
    const Atom showing = XInternAtom(display.get(), "_NET_SHOWING_DESKTOP", False);
    if (!Supports(display.get(), root, showing))
        return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = root;
    event.xclient.message_type = showing;
    event.xclient.format = 32;
    event.xclient.data.l[0] = 1;
    XSendEvent(display.get(), root, False, SubstructureRedirectMask | SubstructureNotifyMask,
               &event);
    XFlush(display.get());
    return true;
}

} // namespace zorun
