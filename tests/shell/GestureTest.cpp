#include "platform/shell/Gesture.h"

#include <gtest/gtest.h>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/user/Backend.h"
#include "platform/user/Input.h"
#include "platform/user/Screen.h"
#include "platform/user/WinUser.h"

using zorun::InputEvent;
using Kind = zorun::InputEvent::Kind;

namespace {

std::vector<NMRGINFO> notifications;

LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY)
        notifications.push_back(*reinterpret_cast<const NMRGINFO*>(lParam));
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

class GestureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        zorun::ResetWindowSystem();
        zorun::SetBackend(nullptr);
        zorun::SetCurrentClock(&clock_);
        notifications.clear();
        // A pane at (0, 100) of the screen; presses are at (50, 60) in it.
        window_ = CreateWindowExW(0, u"Pane", u"", WS_POPUP | WS_VISIBLE, 0, 100, 240, 184, nullptr,
                                  nullptr, Proc, nullptr);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override {
        zorun::ResetWindowSystem();
        zorun::SetCurrentClock(nullptr);
    }
    DWORD Recognize(DWORD flags = 0) {
        SHRGINFO info{sizeof(SHRGINFO), window_, {50, 60}, flags};
        return SHRecognizeGesture(&info);
    }
    static void Push(Kind kind, int x = 50, int y = 160) {
        InputEvent e;
        e.kind = kind;
        e.point = {x, y};
        zorun::PushInput(e);
    }

    zorun::VirtualClock clock_{0};
    HWND window_ = nullptr;
};

} // namespace

TEST_F(GestureTest, HoldingStillForTheHoldTimeNotifiesTheWindow) {
    Push(Kind::StylusMove, 53, 164); // jitter within 5 pixels is eaten
    Push(Kind::StylusMove, 45, 155);
    EXPECT_EQ(Recognize(), GN_CONTEXTMENU);
    EXPECT_EQ(clock_.NowMs(), std::uint64_t(kHoldTimeMs));
    ASSERT_EQ(notifications.size(), 1u);
    EXPECT_EQ(notifications[0].hdr.code, GN_CONTEXTMENU);
    EXPECT_EQ(notifications[0].hdr.hwndFrom, window_);
    EXPECT_EQ(notifications[0].ptAction.x, 50);
    EXPECT_EQ(notifications[0].ptAction.y, 160);
    EXPECT_FALSE(zorun::PeekInput());

    // Only the result, when asked so.
    EXPECT_EQ(Recognize(SHRG_RETURNCMD), GN_CONTEXTMENU);
    EXPECT_EQ(notifications.size(), 1u);
}

TEST_F(GestureTest, ReleaseOrMovingAwayEndsItAndStaysQueued) {
    Push(Kind::StylusUp);
    EXPECT_EQ(Recognize(), 0u);
    ASSERT_TRUE(zorun::PeekInput());
    EXPECT_EQ(zorun::PeekInput()->kind, Kind::StylusUp);
    EXPECT_TRUE(zorun::DiscardInput());

    Push(Kind::StylusMove, 56, 160); // 6 pixels away
    EXPECT_EQ(Recognize(), 0u);
    EXPECT_EQ(zorun::PeekInput()->kind, Kind::StylusMove);
    EXPECT_TRUE(notifications.empty());
    EXPECT_EQ(clock_.NowMs(), 0u);
}

TEST_F(GestureTest, RightClickIsTheGestureAtOnce) {
    Push(Kind::SecondaryClick);
    Push(Kind::StylusUp);
    EXPECT_EQ(Recognize(), GN_CONTEXTMENU);
    EXPECT_EQ(clock_.NowMs(), 0u);
    EXPECT_EQ(notifications.size(), 1u);
    ASSERT_TRUE(zorun::PeekInput());
    EXPECT_EQ(zorun::PeekInput()->kind, Kind::StylusUp);

    SHRGINFO gone{sizeof(SHRGINFO), nullptr, {0, 0}, 0};
    EXPECT_EQ(SHRecognizeGesture(&gone), 0u);
    EXPECT_EQ(SHRecognizeGesture(nullptr), 0u);
}
