#pragma once
// The desktop's clipboard under X11: the CLIPBOARD selection. Copying makes
// the program's window its owner, and the window answers other programs'
// requests for it (TARGETS, UTF8_STRING, STRING) until another program
// takes it. Pasting asks the owner to convert it to UTF8_STRING (STRING
// from an owner that offers nothing else) and waits a bounded time for the
// answer, so a hung owner never hangs the program. Transfers in pieces
// (INCR, for texts of hundreds of kilobytes) are not taken.

#include <X11/Xlib.h>

#include <optional>
#include <string>

namespace zorun {

class X11Clipboard {
  public:
    X11Clipboard(Display* display, Window window);

    // Owns CLIPBOARD with `utf8` from the time of the user's last input.
    void Own(std::string utf8, Time time);
    // The clipboard's text as UTF-8; nullopt when there is none, or no
    // answer came within `waitMs`.
    [[nodiscard]] std::optional<std::string> Read(Time time, int waitMs = 500);
    // Serves SelectionRequest and SelectionClear; false for other events.
    bool Handle(const XEvent& event);

  private:
    [[nodiscard]] std::optional<std::string> Convert(Atom target, Time time, int waitMs);
    void Answer(const XSelectionRequestEvent& request);

    Display* display_;
    Window window_;
    Atom clipboard_ = None, utf8_ = None, targets_ = None, text_ = None, property_ = None;
    std::optional<std::string> owned_; // while we own CLIPBOARD
};

} // namespace zorun
