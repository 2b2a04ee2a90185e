// A long wait inside a command keeps timers and painting going, while the
// user's input and posted messages wait their turn, in order.

#include "WindowTestSupport.h"

#include "platform/user/Input.h"
#include "platform/user/SleepKeepingScreen.h"

namespace {

using SleepKeepingScreenTest = WindowTest;

TEST_F(SleepKeepingScreenTest, TimersAndPaintRunWhileInputAndPostsWait) {
    HWND w = MakeWindow({0, 26, 240, 294});
    Pump();
    ClearLog();
    SetTimer(w, 1, 150, nullptr);
    std::vector<std::uint64_t> ticks;
    on[{w, WM_TIMER}] = [&](WPARAM, LPARAM) {
        ticks.push_back(clock.NowMs());
        InvalidateRect(w, nullptr, FALSE); // the clock's text changed
        return LRESULT{0};
    };
    PostMessageW(w, WM_USER + 1, 0, 0);
    zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {5, 30}});
    zorun::PushInput({zorun::InputEvent::Kind::StylusUp, {5, 30}});
    PostMessageW(w, WM_USER + 2, 0, 0);

    zorun::SleepKeepingScreen(400);

    EXPECT_EQ(clock.NowMs(), 400u);
    EXPECT_EQ(ticks, (std::vector<std::uint64_t>{150, 300}));
    EXPECT_EQ(Only({WM_PAINT}).size(), 2u);
    EXPECT_TRUE(Only({WM_USER + 1, WM_USER + 2, WM_LBUTTONDOWN, WM_LBUTTONUP}).empty());

    // Afterwards the loop delivers what waited, in the order it came.
    ClearLog();
    Pump();
    const auto delivered = Only({WM_USER + 1, WM_USER + 2, WM_LBUTTONDOWN, WM_LBUTTONUP});
    ASSERT_EQ(delivered.size(), 4u);
    EXPECT_EQ(delivered[0].message, WM_USER + 1u);
    EXPECT_EQ(delivered[1].message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(delivered[2].message, static_cast<UINT>(WM_LBUTTONUP));
    EXPECT_EQ(delivered[3].message, WM_USER + 2u);
}

TEST_F(SleepKeepingScreenTest, AWindowThatNeverValidatesCannotHoldTheWait) {
    HWND w = MakeWindow({0, 26, 240, 294});
    on[{w, WM_PAINT}] = [](WPARAM, LPARAM) { return LRESULT{0}; }; // never validates
    zorun::SleepKeepingScreen(50);
    EXPECT_EQ(clock.NowMs(), 50u);
}

} // namespace
