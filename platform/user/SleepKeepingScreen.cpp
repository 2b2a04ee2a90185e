#include "platform/user/SleepKeepingScreen.h"

#include <algorithm>
#include <thread>

#include "platform/base/Clock.h"
#include "platform/user/Backend.h"
#include "platform/user/WindowSystem.h"

namespace zorun {

namespace {

// Bounds one round of timers or paints, so a handler that keeps its window
// invalid cannot hold the wait.
constexpr int kMaxPerRound = 64;

void Deliver(UINT message) {
    MSG msg{};
    for (int n = 0; n < kMaxPerRound && ReadMessage(&msg, nullptr, message, message, true); ++n)
        DispatchMessageW(&msg);
}

} // namespace

void SleepKeepingScreen(DWORD ms) {
    Clock& clock = CurrentClock();
    const std::uint64_t end = clock.NowMs() + ms;
    for (;;) {
        Deliver(WM_TIMER);
        Deliver(WM_PAINT);
        PresentIfChanged();
        const std::uint64_t now = clock.NowMs();
        if (now >= end)
            return;
        std::uint64_t deadline = end;
        if (auto due = WindowSystem::Get().NextTimerDue())
            deadline = std::clamp(*due, now, end);
        if (Backend* backend = CurrentBackend(); backend && backend->wait)
            backend->wait(deadline); // may queue input; it waits for the loop
        else if (auto* virtualClock = dynamic_cast<VirtualClock*>(&clock))
            virtualClock->AdvanceTo(deadline);
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(deadline - now));
    }
}

} // namespace zorun
