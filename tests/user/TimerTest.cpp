// Timers in virtual time: no drift, one tick after a stall, killing from
// inside the handler, replacing by id.

#include "WindowTestSupport.h"

#include "platform/user/ModalLoop.h"

namespace {

class Timers : public WindowTest {
  protected:
    // Runs the loop until the clock reaches `untilMs`, recording when each
    // WM_TIMER is handled.
    std::vector<std::pair<std::uint64_t, WPARAM>> RunUntil(HWND w, std::uint64_t untilMs) {
        std::vector<std::pair<std::uint64_t, WPARAM>> ticks;
        on[{w, WM_TIMER}] = [&, w](WPARAM id, LPARAM) {
            ticks.emplace_back(clock.NowMs(), id);
            if (clock.NowMs() >= untilMs)
                EndModalLoop(w, 0);
            return LRESULT{0};
        };
        SetTimer(w, 999, static_cast<UINT>(untilMs - clock.NowMs()), nullptr);
        RunModalLoop(w);
        KillTimer(w, 999);
        std::erase_if(ticks, [](auto& t) { return t.second == 999; });
        return ticks;
    }
};

TEST_F(Timers, FiveSecondTimerFiresEveryFiveSecondsWithoutDrift) {
    HWND w = MakeWindow({0, 0, 10, 10});
    SetTimer(w, 16, 5000, nullptr);
    auto ticks = RunUntil(w, 20000);
    EXPECT_EQ(ticks, (std::vector<std::pair<std::uint64_t, WPARAM>>{
                         {5000, 16}, {10000, 16}, {15000, 16}, {20000, 16}}));
}

TEST_F(Timers, StalledTimerFiresOnceThenRestartsFromNow) {
    HWND w = MakeWindow({0, 0, 10, 10});
    SetTimer(w, 16, 5000, nullptr);
    clock.AdvanceTo(17500); // three periods missed
    auto ticks = RunUntil(w, 25000);
    EXPECT_EQ(ticks, (std::vector<std::pair<std::uint64_t, WPARAM>>{{17500, 16}, {22500, 16}}));
}

TEST_F(Timers, KillTimerInsideItsOwnHandlerStopsIt) {
    HWND w = MakeWindow({0, 0, 10, 10});
    int fired = 0;
    on[{w, WM_TIMER}] = [&](WPARAM id, LPARAM) {
        ++fired;
        EXPECT_TRUE(KillTimer(w, id));
        return LRESULT{0};
    };
    SetTimer(w, 48, 2000, nullptr);
    clock.Advance(10000);
    Pump();
    clock.Advance(10000);
    Pump();
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(KillTimer(w, 48));
}

TEST_F(Timers, SettingTheSameIdAgainRestartsIt) {
    HWND w = MakeWindow({0, 0, 10, 10});
    SetTimer(w, 1, 1000, nullptr);
    clock.Advance(900);
    SetTimer(w, 1, 1000, nullptr); // now due at 1900
    auto ticks = RunUntil(w, 2500);
    EXPECT_EQ(ticks, (std::vector<std::pair<std::uint64_t, WPARAM>>{{1900, 1}}));
}

TEST_F(Timers, SleepAndTickCountFollowTheVirtualClock) {
    DWORD before = GetTickCount();
    Sleep(1234);
    EXPECT_EQ(GetTickCount() - before, 1234u);
}

} // namespace
