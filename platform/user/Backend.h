#pragma once
// What the window system needs from a display backend: a small table of
// functions. The message loop calls `wait` when it has nothing to deliver and
// `present` when the composed screen changed.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zorun {

class Surface;

struct Backend {
    // Shows the composed 240 x 320 screen.
    std::function<void(const Surface& framebuffer)> present;
    // Blocks until something may have arrived (input queued with PushInput, a
    // watched descriptor served, a signal) or the platform clock reaches
    // deadlineMs (nothing = no deadline). May return early; the loop asks again.
    std::function<void(std::optional<std::uint64_t> deadlineMs)> wait;
    std::function<void()> shutdown;
    // Brings the program's host window in front of the host's other windows
    // (nothing where there are none).
    std::function<void()> raise;
    // The desktop's clipboard as text: setClipboard makes the program its
    // owner with `text`; clipboard reads what it holds now (nullopt when it
    // holds no text or does not answer in time). Left empty, the program
    // keeps a clipboard of its own (Clipboard.h).
    std::function<void(const std::u16string& text)> setClipboard;
    std::function<std::optional<std::u16string>()> clipboard;
};

// The backend in force; nullptr = none (unit tests: waiting only moves a
// virtual clock to the next timer).
void SetBackend(Backend* backend);
[[nodiscard]] Backend* CurrentBackend();

// The first frame on the host's screen. Backends call NoteFrameShown once a
// frame is really there to see (under X, when the window is mapped and
// exposed, which can come well after the first present); work that should
// not hold up the first frame is queued with AfterFirstFrame and runs then,
// or at once when a frame is already shown or no backend is in force.
// SetBackend starts over: nothing shown, nothing queued.
void NoteFrameShown();
void AfterFirstFrame(std::function<void()> work);

// Asks the backend to bring the program's host window to the front: what a
// later start of the program asks of the running one.
inline void RaiseHostWindow() {
    if (Backend* backend = CurrentBackend(); backend && backend->raise)
        backend->raise();
}

// The descriptors registered with AddWatchedFd (Input.h), for the backends'
// wait; ServeWatchedFd runs the callback of one that became readable.
[[nodiscard]] std::vector<int> WatchedFds();
void ServeWatchedFd(int fd);

// True when the loop has something to deliver (queued messages or input,
// or a window to paint): the script runner waits for this to clear.
[[nodiscard]] bool MessagesPending();

} // namespace zorun
