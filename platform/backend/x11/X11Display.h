#pragma once
// The device screen in a window of an X server, talked to directly through
// Xlib: the frame goes up in device pixels and the server scales it
// (XRender; the program scales where the server cannot), through shared
// memory where the server has it; pointer, touch (XInput 2.2) and pen input
// come back as the stylus, keys and typed text as device keys and characters.
//
// The window is mapped when the first frame is presented, so a start that
// ends early (a second instance) never shows one. The wait sleeps in poll()
// on the X connection, the quit-signal pipe, the watched descriptors and the
// next timer's deadline, and wakes for nothing else.

#include <X11/Xlib.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/backend/ScreenLayout.h"
#include "platform/user/Backend.h"
#include "platform/user/Input.h"

namespace zorun {

class Surface;
class X11Clipboard;
class X11Frame;
class X11Keyboard;

struct X11Settings {
    int scale = 0; // 0: the largest whose window fits in 85% of the display height
    bool fullscreen = false;
    std::string title = "Zorun";
    bool sharedMemory = true;  // false: plain XPutImage even where MIT-SHM is offered
    bool serverScaling = true; // false: the program scales even where XRender could
};

class X11Display {
  public:
    // Connects to $DISPLAY and makes the (unmapped) window; nullptr with
    // `error` set when it cannot.
    [[nodiscard]] static std::unique_ptr<X11Display> Open(const X11Settings& settings,
                                                          std::string* error);
    ~X11Display();
    X11Display(const X11Display&) = delete;
    X11Display& operator=(const X11Display&) = delete;

    void Present(const Surface& framebuffer);
    // Returns once input was queued, a watched descriptor or a signal was
    // served, any X event was handled, or the platform clock reached
    // deadlineMs (nothing: no deadline).
    void Wait(std::optional<std::uint64_t> deadlineMs);
    // Asks the window manager to bring the window to the front with the focus.
    void Raise();
    // The CLIPBOARD selection, as text (X11Clipboard).
    void SetClipboard(const std::u16string& text);
    [[nodiscard]] std::optional<std::u16string> Clipboard();

    [[nodiscard]] Window WindowId() const { return window_; }
    [[nodiscard]] const ScreenLayout& Layout() const { return layout_; }
    [[nodiscard]] bool SharedMemory() const;
    [[nodiscard]] bool ServerScaling() const;
    // False once the connection to the server is lost (the program is then
    // asked to quit, and the wait serves only signals, descriptors and time).
    [[nodiscard]] bool Connected() const { return !lost_; }

  private:
    X11Display(Display* display, const X11Settings& settings);
    [[nodiscard]] bool Create(std::string* error);
    void SetProperties(int width, int height);
    void SelectTouch();
    bool HandlePending();
    void Handle(XEvent& event);
    void HandleTouch(XEvent& event);
    void Relayout(int width, int height);
    void PushStylus(InputEvent::Kind kind, int windowX, int windowY);
    static void OnConnectionLost(Display* display, void* self);

    Display* display_;
    X11Settings settings_;
    int screen_ = 0;
    Visual* visual_ = nullptr;
    int depth_ = 0;
    Colormap colormap_ = 0;
    Window window_ = 0;
    GC gc_ = nullptr;
    std::unique_ptr<X11Frame> frame_;
    std::unique_ptr<X11Keyboard> keyboard_;
    std::unique_ptr<X11Clipboard> clipboard_;
    ScreenLayout layout_;
    int width_ = 0;
    int height_ = 0;

    Atom wmProtocols_ = 0, wmDelete_ = 0, netWmPing_ = 0, netActiveWindow_ = 0;
    int xinputOpcode_ = -1; // touch comes through XInput 2.2 when the server has it

    bool mapped_ = false;
    bool exposed_ = false;     // puts reach the screen only once the window is viewable
    Rect exposure_;            // window area waiting to be drawn again
    unsigned mouseButton_ = 0; // the button that holds the stylus down (0: none)
    std::optional<int> touch_; // the touch that acts as the stylus
    Time lastEventTime_ = CurrentTime;
    const Surface* last_ = nullptr; // redrawn when the scale changes
    bool lost_ = false;
};

// The backend table working on `display` (which must outlive it).
[[nodiscard]] Backend MakeX11Backend(X11Display& display);

} // namespace zorun
