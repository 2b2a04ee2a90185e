#pragma once
// A private X server for tests: Xvfb on a display number it picks itself,
// with the small EWMH window manager the end-to-end tests use, and the
// programs a test starts on it. Everything started here is ended by its
// process id when the display is destroyed.

#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

class XTestDisplay {
  public:
    // Nullptr, with the reason in `why`, when the server or the window
    // manager cannot be started here (the tests then skip).
    [[nodiscard]] static std::unique_ptr<XTestDisplay> Start(std::string* why);
    ~XTestDisplay();
    XTestDisplay(const XTestDisplay&) = delete;
    XTestDisplay& operator=(const XTestDisplay&) = delete;

    // ":N"
    [[nodiscard]] const std::string& Name() const { return name_; }

    // Starts a program with DISPLAY set to this display; -1 when it cannot.
    pid_t Spawn(const std::vector<std::string>& argv);
    // Ends a program started here (SIGTERM, then waits for it).
    void End(pid_t pid);
    // True once a program started here has ended (it is reaped then).
    [[nodiscard]] bool Ended(pid_t pid);

  private:
    XTestDisplay() = default;
    std::string name_;
    pid_t server_ = -1;
    pid_t windowManager_ = -1;
    std::vector<pid_t> programs_;
};

// Polls `condition` every 20 ms of real time for up to `seconds`.
template <typename F> bool WaitFor(F condition, double seconds = 10.0);

#include <chrono>
#include <thread>

template <typename F> bool WaitFor(F condition, double seconds) {
    const auto end = std::chrono::steady_clock::now() +
                     std::chrono::milliseconds(static_cast<long>(seconds * 1000));
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}
