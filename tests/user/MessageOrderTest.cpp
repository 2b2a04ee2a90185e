// Message order: send runs now (nested), post waits its turn; the loop reads
// posted messages and input first, then due timers, then paint, then quit.

#include "WindowTestSupport.h"

#include "platform/user/Input.h"

namespace {

constexpr UINT A = WM_USER + 1, B = WM_USER + 2, C = WM_USER + 3;

class MessageOrder : public WindowTest {};

TEST_F(MessageOrder, SendRunsNestedPostWaitsInOrder) {
    HWND w = MakeWindow({0, 0, 10, 10});
    Pump();
    ClearLog();
    on[{w, A}] = [&](WPARAM, LPARAM) {
        PostMessageW(w, C, 0, 0);
        SendMessageW(w, B, 0, 0); // handled before A returns
        return LRESULT{0};
    };
    PostMessageW(w, A, 0, 0);
    PostMessageW(w, B, 1, 0);
    Pump();
    EXPECT_EQ(Only({A, B, C}),
              (std::vector<Logged>{{w, A, 0, 0}, {w, B, 0, 0}, {w, B, 1, 0}, {w, C, 0, 0}}));
}

TEST_F(MessageOrder, LoopReadsPostedThenTimersThenPaintThenQuit) {
    HWND w = MakeWindow({0, 0, 10, 10});
    Pump();
    ClearLog();
    SetTimer(w, 7, 100, nullptr);
    clock.Advance(100);
    InvalidateRect(w, nullptr, FALSE);
    PostQuitMessage(3);
    PostMessageW(w, A, 0, 0);
    zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {5, 5}});

    std::vector<UINT> order;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        order.push_back(msg.message);
        DispatchMessageW(&msg);
    }
    EXPECT_EQ(order, (std::vector<UINT>{A, WM_LBUTTONDOWN, WM_TIMER, WM_PAINT}));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MessageOrder, MessagesToADestroyedWindowAreDropped) {
    HWND w = MakeWindow({0, 0, 10, 10});
    HWND other = MakeWindow({0, 0, 10, 10});
    Pump();
    PostMessageW(w, A, 0, 0);
    PostMessageW(other, B, 0, 0);
    SetTimer(w, 1, 10, nullptr);
    bool validInsideDestroy = false;
    on[{w, WM_DESTROY}] = [&](WPARAM, LPARAM) {
        // The window still answers while it is told of its end.
        validInsideDestroy = IsWindow(w) && GetWindowLongW(w, GWL_ID) == 0;
        return LRESULT{0};
    };
    ASSERT_TRUE(DestroyWindow(w));
    EXPECT_TRUE(validInsideDestroy);
    ClearLog();
    clock.Advance(50);
    Pump();
    EXPECT_EQ(Only({A, WM_TIMER}), std::vector<Logged>{});
    EXPECT_EQ(Only({B}).size(), 1u);

    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(SendMessageW(w, A, 0, 0), 0);
    EXPECT_FALSE(PostMessageW(w, A, 0, 0));
    EXPECT_EQ(SetTimer(w, 1, 10, nullptr), 0u);
    EXPECT_FALSE(DestroyWindow(w));
    EXPECT_FALSE(ShowWindow(w, SW_SHOW));
    RECT r{};
    EXPECT_FALSE(GetWindowRect(w, &r));
    EXPECT_EQ(GetWindowText(w), u"");
    EXPECT_EQ(GetDC(w), nullptr);
}

TEST_F(MessageOrder, DestroyTellsParentBeforeChildrenAndReleasesState) {
    HWND top = MakeWindow({0, 0, 100, 100});
    HWND child = MakeWindow({0, 0, 50, 50}, top, WS_CHILD | WS_VISIBLE, 5);
    HWND grandchild = MakeWindow({0, 0, 10, 10}, child, WS_CHILD | WS_VISIBLE, 6);
    HWND owned = MakeWindow({0, 0, 10, 10}, top);
    Pump();
    SetFocus(grandchild);
    SetCapture(child);
    ClearLog();
    // A handler that destroys its own window keeps running safely.
    on[{top, A}] = [&](WPARAM, LPARAM) {
        DestroyWindow(top);
        EXPECT_FALSE(IsWindow(top));
        EXPECT_EQ(GetDlgItem(top, 5), nullptr);
        EXPECT_EQ(SendMessageW(top, B, 0, 0), 0);
        return LRESULT{0};
    };
    SendMessageW(top, A, 0, 0);
    EXPECT_EQ(Only({WM_DESTROY, WM_NCDESTROY}),
              (std::vector<Logged>{{owned, WM_DESTROY, 0, 0},
                                   {owned, WM_NCDESTROY, 0, 0},
                                   {top, WM_DESTROY, 0, 0},
                                   {child, WM_DESTROY, 0, 0},
                                   {grandchild, WM_DESTROY, 0, 0},
                                   {grandchild, WM_NCDESTROY, 0, 0},
                                   {child, WM_NCDESTROY, 0, 0},
                                   {top, WM_NCDESTROY, 0, 0}}));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(IsWindow(child) || IsWindow(grandchild) || IsWindow(owned));
}

TEST_F(MessageOrder, KeyDownIsFollowedByItsCharacterBeforeLaterInput) {
    HWND w = MakeWindow({0, 0, 10, 10});
    Pump();
    SetFocus(w);
    ClearLog();
    zorun::PushInput({zorun::InputEvent::Kind::KeyDown, {}, 'A', u'a'});
    zorun::PushInput({zorun::InputEvent::Kind::Char, {}, 0, u'b'});
    zorun::PushInput({zorun::InputEvent::Kind::KeyDown, {}, VK_LEFT, 0});
    Pump();
    EXPECT_EQ(Only({WM_KEYDOWN, WM_CHAR}), (std::vector<Logged>{{w, WM_KEYDOWN, 'A', 1},
                                                                {w, WM_CHAR, u'a', 1},
                                                                {w, WM_CHAR, u'b', 1},
                                                                {w, WM_KEYDOWN, VK_LEFT, 1}}));
}

} // namespace
