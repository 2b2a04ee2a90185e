// Nested modal loops end in the right order, whatever ends them.

#include "WindowTestSupport.h"

#include "platform/user/Input.h"

#include "platform/user/ModalLoop.h"

namespace {

constexpr UINT RUN_INNER = WM_USER + 1, END_BOTH = WM_USER + 2, END_ONE = WM_USER + 3;

class ModalLoop : public WindowTest {};

TEST_F(ModalLoop, EndingTheOuterLoopWaitsForTheInnerOne) {
    HWND owner = MakeWindow({0, 26, 240, 294});
    HWND outer = MakeWindow({0, 26, 240, 294}, owner);
    HWND inner = MakeWindow({0, 26, 240, 294}, outer);
    std::vector<std::string> events;
    on[{outer, RUN_INNER}] = [&](WPARAM, LPARAM) {
        EXPECT_FALSE(IsWindowEnabled(owner));
        PostMessageW(inner, END_BOTH, 0, 0);
        int r = RunModalLoop(inner);
        events.push_back("inner returned " + std::to_string(r));
        EXPECT_FALSE(IsWindowEnabled(outer) && IsInModalLoop(inner));
        return LRESULT{0};
    };
    on[{inner, END_BOTH}] = [&](WPARAM, LPARAM) {
        EXPECT_FALSE(IsWindowEnabled(outer)); // the inner loop's owner
        EXPECT_TRUE(EndModalLoop(outer, 11));
        events.push_back("outer ended");
        PostMessageW(inner, END_ONE, 0, 0);
        return LRESULT{0};
    };
    on[{inner, END_ONE}] = [&](WPARAM, LPARAM) {
        EXPECT_TRUE(EndModalLoop(inner, 22));
        return LRESULT{0};
    };
    PostMessageW(outer, RUN_INNER, 0, 0);
    int r = RunModalLoop(outer);
    events.push_back("outer returned " + std::to_string(r));
    EXPECT_EQ(events,
              (std::vector<std::string>{"outer ended", "inner returned 22", "outer returned 11"}));
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_TRUE(IsWindowEnabled(outer));
    EXPECT_FALSE(EndModalLoop(outer, 1)); // nothing runs for it any more
}

TEST_F(ModalLoop, DestroyingTheWindowEndsItsLoop) {
    HWND owner = MakeWindow({0, 26, 240, 294});
    HWND dialog = MakeWindow({0, 26, 240, 294}, owner);
    on[{dialog, END_ONE}] = [&](WPARAM, LPARAM) {
        DestroyWindow(dialog);
        return LRESULT{0};
    };
    PostMessageW(dialog, END_ONE, 0, 0);
    PostMessageW(owner, END_ONE, 0, 0); // still queued afterwards
    EXPECT_EQ(RunModalLoop(dialog), 0);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    ClearLog();
    Pump();
    EXPECT_EQ(Only({END_ONE}).size(), 1u);
}

TEST_F(ModalLoop, QuitEndsTheLoopAndReachesTheOuterLoop) {
    HWND owner = MakeWindow({0, 26, 240, 294});
    HWND box = MakeWindow({40, 100, 200, 200}, owner);
    on[{box, END_ONE}] = [&](WPARAM, LPARAM) {
        PostQuitMessage(4);
        return LRESULT{0};
    };
    PostMessageW(box, END_ONE, 0, 0);
    EXPECT_EQ(RunModalLoop(box), 0);
    EXPECT_TRUE(IsWindow(box));
    MSG msg;
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 4u);
}

TEST_F(ModalLoop, InputToTheDisabledOwnerIsDropped) {
    HWND owner = MakeWindow({0, 26, 240, 294});
    HWND box = MakeWindow({40, 100, 200, 200}, owner);
    on[{box, END_ONE}] = [&](WPARAM, LPARAM) {
        zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {10, 50}}); // the owner only
        zorun::PushInput({zorun::InputEvent::Kind::StylusUp, {10, 50}});
        zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {50, 120}}); // the box
        PostMessageW(box, END_BOTH, 0, 0);
        return LRESULT{0};
    };
    on[{box, END_BOTH}] = [&](WPARAM, LPARAM) {
        EndModalLoop(box, 1);
        return LRESULT{0};
    };
    PostMessageW(box, END_ONE, 0, 0);
    ClearLog();
    EXPECT_EQ(RunModalLoop(box), 1);
    EXPECT_EQ(Only({WM_LBUTTONDOWN, WM_LBUTTONUP}),
              (std::vector<Logged>{{box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20)}}));
}

} // namespace
