#include "platform/base/Clock.h"

#include <chrono>

namespace zorun {

namespace {
RealClock realClock;
Clock* current = &realClock;
} // namespace

std::uint64_t RealClock::NowMs() const {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::int64_t RealClock::WallTimeMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

VirtualClock::VirtualClock() : wallStartMs_(RealClock().WallTimeMs()) {}

VirtualClock::VirtualClock(std::int64_t wallStartMs) : wallStartMs_(wallStartMs) {}

Clock& CurrentClock() {
    return *current;
}

void SetCurrentClock(Clock* clock) {
    current = clock ? clock : &realClock;
}

} // namespace zorun
