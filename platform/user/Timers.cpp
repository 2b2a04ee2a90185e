// Window timers on the platform clock, and the clock's public face.

#include <algorithm>
#include <thread>

#include "platform/base/Clock.h"
#include "platform/user/WindowSystem.h"

using zorun::WindowSystem;

namespace {
// As on the device, shorter periods are raised to this, so a zero-period
// timer cannot keep the loop from ever idling.
constexpr UINT kMinimumPeriodMs = 10;
} // namespace

std::uintptr_t SetTimer(HWND hwnd, std::uintptr_t id, UINT elapseMs, void* /*unused*/) {
    auto& ws = WindowSystem::Get();
    if (!ws.Lasting(hwnd))
        return 0;
    std::uint64_t period = std::max(elapseMs, kMinimumPeriodMs);
    std::uint64_t due = zorun::CurrentClock().NowMs() + period;
    for (zorun::Timer& t : ws.timers) {
        if (t.hwnd == hwnd && t.id == id) {
            t.periodMs = period;
            t.dueMs = due;
            return id == 0 ? 1 : id;
        }
    }
    ws.timers.push_back({hwnd, id, period, due});
    return id == 0 ? 1 : id;
}

BOOL KillTimer(HWND hwnd, std::uintptr_t id) {
    auto& ws = WindowSystem::Get();
    auto removed = std::erase_if(
        ws.timers, [&](const zorun::Timer& t) { return t.hwnd == hwnd && t.id == id; });
    return removed ? TRUE : FALSE;
}

DWORD GetTickCount() {
    return static_cast<DWORD>(zorun::CurrentClock().NowMs());
}

void Sleep(DWORD ms) {
    zorun::Clock& clock = zorun::CurrentClock();
    if (auto* virtualClock = dynamic_cast<zorun::VirtualClock*>(&clock))
        virtualClock->Advance(ms);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
