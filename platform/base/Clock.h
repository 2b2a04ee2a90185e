#pragma once
// The platform clock. Timers, Sleep, GetTickCount and the wall time read it.
// The shipped program uses the real clock; tests and the script mode use a
// virtual one that moves only when told, so time-based behaviour is tested
// deterministically and instantly.

#include <cstdint>
#include <memory>

namespace zorun {

class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start, never going back.
    [[nodiscard]] virtual std::uint64_t NowMs() const = 0;
    // Seconds since the Unix epoch (UTC), with milliseconds.
    [[nodiscard]] virtual std::int64_t WallTimeMs() const = 0;
    // True when the clock moves only when advanced.
    [[nodiscard]] virtual bool IsVirtual() const = 0;
};

class RealClock final : public Clock {
  public:
    [[nodiscard]] std::uint64_t NowMs() const override;
    [[nodiscard]] std::int64_t WallTimeMs() const override;
    [[nodiscard]] bool IsVirtual() const override { return false; }
};

class VirtualClock final : public Clock {
  public:
    // Starts at the given wall time (default: the real wall time at creation).
    VirtualClock();
    explicit VirtualClock(std::int64_t wallStartMs);

    [[nodiscard]] std::uint64_t NowMs() const override { return nowMs_; }
    [[nodiscard]] std::int64_t WallTimeMs() const override {
        return wallStartMs_ + static_cast<std::int64_t>(nowMs_);
    }
    [[nodiscard]] bool IsVirtual() const override { return true; }

    void Advance(std::uint64_t ms) { nowMs_ += ms; }
    // Moves to an absolute time; never backwards.
    void AdvanceTo(std::uint64_t ms) {
        if (ms > nowMs_)
            nowMs_ = ms;
    }

  private:
    std::uint64_t nowMs_ = 0;
    std::int64_t wallStartMs_ = 0;
};

// The clock in force for the whole platform (the real one unless replaced).
[[nodiscard]] Clock& CurrentClock();
// Replaces the clock; nullptr restores the real one. The caller keeps
// ownership and keeps the clock alive while it is in force.
void SetCurrentClock(Clock* clock);

} // namespace zorun
