#pragma once
// Plays a parsed script against the running program in virtual time. It is
// the headless backend's wait: the message loop asks it for more when it has
// nothing left to deliver, so every command's messages and paints are done
// (and the screen composed) before the next command, and input reaches
// whichever loop runs, modal ones included.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/backend/headless/Script.h"
#include "platform/base/Clock.h"

namespace zorun {

class ScriptRunner {
  public:
    ScriptRunner(std::vector<ScriptStep> steps, VirtualClock& clock);

    // Moves the script on by one command (or time up to `deadlineMs`).
    void Wait(std::optional<std::uint64_t> deadlineMs);

    [[nodiscard]] bool Finished() const { return next_ >= steps_.size(); }
    // Screenshots or text dumps that could not be written.
    [[nodiscard]] int Failures() const { return failures_; }

  private:
    bool RunStep(const ScriptStep& step); // true when the loop should run now
    void Close();

    std::vector<ScriptStep> steps_;
    VirtualClock& clock_;
    std::size_t next_ = 0;
    std::optional<std::uint64_t> waitUntil_;
    std::optional<Point> releaseAtEnd_; // a hold's release
    bool closed_ = false;
    bool quitForced_ = false;
    int failures_ = 0;
};

} // namespace zorun
