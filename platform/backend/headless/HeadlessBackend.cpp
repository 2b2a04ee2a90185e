#include "platform/backend/headless/HeadlessBackend.h"

#include <chrono>
#include <limits>

#include "platform/backend/HostEvents.h"
#include "platform/backend/headless/ScriptRunner.h"

namespace zorun {

namespace {

std::uint64_t RealMs() {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace

Backend MakeHeadlessBackend(VirtualClock& clock, ScriptRunner* runner) {
    Backend backend;
    backend.present = [](const Surface&) { NoteFrameShown(); };
    backend.wait = [&clock, runner](std::optional<std::uint64_t> deadline) {
        if (runner) {
            // Signals still end a scripted run; nothing else may interleave.
            if (!PollHostEvents(0))
                runner->Wait(deadline);
            return;
        }
        int timeout = -1;
        if (deadline) {
            std::uint64_t now = clock.NowMs();
            std::uint64_t left = *deadline > now ? *deadline - now : 0;
            timeout =
                static_cast<int>(std::min<std::uint64_t>(left, std::numeric_limits<int>::max()));
        }
        std::uint64_t start = RealMs();
        PollHostEvents(timeout);
        clock.Advance(RealMs() - start);
        if (deadline)
            clock.AdvanceTo(std::min(*deadline, clock.NowMs()));
    };
    backend.shutdown = [] {};
    return backend;
}

} // namespace zorun
