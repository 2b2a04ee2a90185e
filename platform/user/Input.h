#pragma once
// Raw input as the backends deliver it, before it becomes window messages.
// Stylus positions are screen (device) pixels. Input waits in the message
// queue with the posted messages, in arrival order; the loop picks its target
// window when it reads it (the capture window, else the window under the
// stylus; keys go to the focus window, else the active window).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/base/Geometry.h"

namespace zorun {

struct InputEvent {
    enum class Kind {
        StylusDown,
        StylusMove,
        StylusUp,
        // A right-click (desktop builds): the press-and-hold gesture at once.
        // Backends queue StylusDown, SecondaryClick, then StylusUp on release;
        // the loop drops a SecondaryClick that nobody took.
        SecondaryClick,
        KeyDown, // virtualKey; character = what TranslateMessage makes of it (0: none)
        KeyUp,   // virtualKey
        Char,    // character typed (text input)
    };
    Kind kind = Kind::StylusDown;
    Point point;
    int virtualKey = 0;
    char16_t character = 0;
    bool repeat = false; // KeyDown of a key held down (auto-repeat)
    // Shift was held (GetKeyState(VK_SHIFT) answers from the event read last).
    bool shift = false;
    // Ctrl was held (GetKeyState(VK_CONTROL)); TranslateMessage then makes
    // a letter its control character, as Ctrl+C gives 3.
    bool control = false;
};

// Queues input at the end of the message queue.
void PushInput(const InputEvent& event);

// The index-th input event still queued (posted messages are skipped), or
// nothing. Lets a handler look ahead, e.g. for press and hold.
[[nodiscard]] std::optional<InputEvent> PeekInput(std::size_t index = 0);
// Removes the first queued input event; false when there is none.
bool DiscardInput();

// Waits until an input event is queued (true) or the platform clock reaches
// deadlineMs (false). Does not dispatch anything. In virtual time the script
// runner supplies the input or moves the clock.
bool WaitForInput(std::uint64_t deadlineMs);

// File descriptors the backends watch while the loop waits: `onReadable`
// runs (on the loop's thread) when the descriptor has data. Used for the
// single-instance socket and the like.
void AddWatchedFd(int fd, std::function<void()> onReadable);
void RemoveWatchedFd(int fd);

} // namespace zorun
