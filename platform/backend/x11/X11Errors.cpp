#include "platform/backend/x11/X11Errors.h"

#include <string>

#include "platform/base/Log.h"

namespace zorun {

namespace {

Display* ours = nullptr;
int trapDepth = 0;
int trappedErrors = 0;
bool warned = false;

int OnError(Display* display, XErrorEvent* error) {
    if (display != ours)
        return 0;
    if (trapDepth > 0) {
        ++trappedErrors;
        return 0;
    }
    // One line is enough to tell a user something is off; a flood helps nobody.
    if (!warned) {
        warned = true;
        char text[128] = {};
        XGetErrorText(display, error->error_code, text, sizeof text);
        LogWarning("X protocol error (" + std::string(text) + ", request " +
                   std::to_string(error->request_code) + "." + std::to_string(error->minor_code) +
                   "); carrying on");
    }
    return 0;
}

// Xlib's default ends the process here. Returning hands the lost
// connection to its display's exit handler instead: ours asks the program
// to quit in order (X11Display); another connection's keeps Xlib's exit.
int OnConnectionError(Display* display) {
    if (display == ours)
        LogWarning("the connection to the X server was lost");
    return 0;
}

} // namespace

void InstallX11ErrorHandler(Display* display) {
    ours = display;
    XSetErrorHandler(OnError);
    XSetIOErrorHandler(OnConnectionError);
}

X11ErrorTrap::X11ErrorTrap(Display* display) : display_(display), before_(trappedErrors) {
    XSync(display_, False); // earlier errors are not this trap's
    before_ = trappedErrors;
    ++trapDepth;
}

X11ErrorTrap::~X11ErrorTrap() {
    if (!answered_)
        XSync(display_, False);
    --trapDepth;
}

bool X11ErrorTrap::Failed() {
    XSync(display_, False);
    answered_ = true;
    return trappedErrors != before_;
}

} // namespace zorun
