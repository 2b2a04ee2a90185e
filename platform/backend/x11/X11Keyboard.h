#pragma once
// Keys and typed text from the X keyboard, in the host's layout. Text goes
// through an X input method (XIM): composed characters (dead keys, the
// Compose key) and the user's input method for non-Latin scripts arrive as
// whole characters. The input method is opened at the first key press, so
// a start that never types pays nothing for it.

#include <X11/Xlib.h>

#include <bitset>

namespace zorun {

class X11Keyboard {
  public:
    X11Keyboard(Display* display, Window window);
    ~X11Keyboard();
    X11Keyboard(const X11Keyboard&) = delete;
    X11Keyboard& operator=(const X11Keyboard&) = delete;

    // Offers `event` to the input method first; true when it took it.
    bool Filter(XEvent& event);
    // Queues the device's key (a repeat when it was already down) and the
    // typed characters for a key press.
    void OnKeyPress(XKeyEvent& event);
    // Queues the device's key going up.
    void OnKeyRelease(XKeyEvent& event);
    void OnFocusIn();
    void OnFocusOut();

  private:
    void OpenInputMethod();
    void CloseInputMethod();

    Display* display_;
    Window window_;
    XIM im_ = nullptr;
    XIC ic_ = nullptr;
    bool triedInputMethod_ = false;
    bool imGone_ = false;   // the input method's server went away
    std::bitset<256> down_; // key codes held down
};

} // namespace zorun
