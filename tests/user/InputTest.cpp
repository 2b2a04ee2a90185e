// Stylus and keys reach the right window: capture, hit testing, disabled
// windows, client coordinates, and the look-ahead the gesture code uses.

#include "WindowTestSupport.h"

#include "platform/user/Input.h"

namespace {

using Kind = zorun::InputEvent::Kind;

class Input : public WindowTest {
  protected:
    void Stylus(Kind kind, int x, int y) { zorun::PushInput({kind, {x, y}}); }
};

TEST_F(Input, CaptureKeepsTheReleaseOutsideWithNegativeClientCoordinates) {
    HWND frame = MakeWindow({0, 26, 240, 294});
    HWND view = MakeWindow({0, 84, 240, 268}, frame, WS_CHILD | WS_VISIBLE, 1);
    on[{view, WM_LBUTTONDOWN}] = [&](WPARAM, LPARAM) {
        SetCapture(view);
        return LRESULT{0};
    };
    on[{view, WM_LBUTTONUP}] = [&](WPARAM, LPARAM) {
        ReleaseCapture();
        return LRESULT{0};
    };
    Pump();
    ClearLog();
    Stylus(Kind::StylusDown, 20, 150); // view client (20, 40)
    Stylus(Kind::StylusMove, 25, 60);  // above the view: client y -50
    Stylus(Kind::StylusUp, 5, 30);     // client (5, -80)
    Stylus(Kind::StylusDown, 5, 30);   // no capture any more: the frame
    Pump();
    EXPECT_EQ(Only({WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP, WM_CAPTURECHANGED}),
              (std::vector<Logged>{{view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 40)},
                                   {view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(25, -50)},
                                   {view, WM_LBUTTONUP, 0, MAKELPARAM(5, -80)},
                                   {view, WM_CAPTURECHANGED, 0, 0},
                                   {frame, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 4)}}));
    EXPECT_EQ(GET_Y_LPARAM(MAKELPARAM(5, -80)), -80);
    EXPECT_EQ(GetMessagePos(), static_cast<DWORD>(MAKELPARAM(5, 30)));
}

TEST_F(Input, TopmostVisibleEnabledWindowTakesTheStylus) {
    HWND frame = MakeWindow({0, 26, 240, 294});
    HWND button = MakeWindow({10, 10, 50, 30}, frame, WS_CHILD | WS_VISIBLE, 1);
    HWND hidden = MakeWindow({10, 10, 50, 30}, frame, WS_CHILD, 2);
    HWND bar = CreateWindowExW(WS_EX_TOPMOST, u"TEST", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 26,
                               nullptr, nullptr, &WindowTest::Proc, nullptr);
    HWND popup = MakeWindow({0, 0, 240, 100}); // above the frame, below the bar
    Pump();
    EXPECT_EQ(WindowFromPoint({20, 40}), popup);
    EXPECT_EQ(WindowFromPoint({20, 10}), bar);
    DestroyWindow(popup);
    EXPECT_EQ(WindowFromPoint({20, 40}), button);
    EXPECT_EQ(WindowFromPoint({20, 200}), frame);
    EXPECT_EQ(WindowFromPoint({20, 300}), nullptr);
    (void)hidden;

    EnableWindow(button, FALSE);
    ClearLog();
    Stylus(Kind::StylusDown, 20, 40); // dropped: the button is disabled
    Stylus(Kind::StylusUp, 20, 40);
    Stylus(Kind::StylusDown, 20, 200);
    Pump();
    EXPECT_EQ(Only({WM_LBUTTONDOWN, WM_LBUTTONUP}),
              (std::vector<Logged>{{frame, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 174)}}));
}

TEST_F(Input, TapActivatesItsTopLevelWindowButNotTheChrome) {
    HWND frame = MakeWindow({0, 26, 240, 294});
    HWND tip = MakeWindow({0, 200, 240, 294});
    HWND bar =
        CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, u"TEST", u"", WS_POPUP | WS_VISIBLE, 0, 0,
                        240, 26, nullptr, nullptr, &WindowTest::Proc, nullptr);
    Pump();
    EXPECT_EQ(GetActiveWindow(), tip);
    Stylus(Kind::StylusDown, 10, 50);
    Stylus(Kind::StylusUp, 10, 50);
    Pump();
    EXPECT_EQ(GetActiveWindow(), frame);
    EXPECT_EQ(GetFocus(), frame);
    Stylus(Kind::StylusDown, 10, 10);
    Pump();
    EXPECT_EQ(GetActiveWindow(), frame);
    EXPECT_EQ(Only({WM_LBUTTONDOWN}).back().hwnd, bar);
}

TEST_F(Input, KeysGoToTheFocusElseTheActiveWindow) {
    HWND frame = MakeWindow({0, 26, 240, 294});
    HWND edit = MakeWindow({10, 10, 100, 30}, frame, WS_CHILD | WS_VISIBLE, 1);
    Pump();
    EXPECT_EQ(GetActiveWindow(), frame);
    EXPECT_EQ(GetFocus(), frame); // activation focuses the window
    SetFocus(edit);
    ClearLog();
    zorun::PushInput({Kind::KeyDown, {}, VK_RETURN, u'\r'});
    Pump();
    EXPECT_EQ(Only({WM_KEYDOWN, WM_CHAR, WM_KILLFOCUS}),
              (std::vector<Logged>{{edit, WM_KEYDOWN, VK_RETURN, 1}, {edit, WM_CHAR, u'\r', 1}}));
    DestroyWindow(edit);
    ClearLog();
    zorun::PushInput({Kind::KeyDown, {}, VK_DOWN, 0});
    Pump();
    EXPECT_EQ(Only({WM_KEYDOWN}), (std::vector<Logged>{{frame, WM_KEYDOWN, VK_DOWN, 1}}));
}

TEST_F(Input, LookAheadSeesOnlyInputAndWaitingMovesVirtualTime) {
    HWND w = MakeWindow({0, 0, 240, 320});
    Pump();
    PostMessageW(w, WM_USER, 0, 0);
    Stylus(Kind::StylusDown, 1, 1);
    Stylus(Kind::SecondaryClick, 1, 1);
    ASSERT_TRUE(zorun::PeekInput(1));
    EXPECT_EQ(zorun::PeekInput(1)->kind, Kind::SecondaryClick);
    EXPECT_FALSE(zorun::PeekInput(2));
    EXPECT_TRUE(zorun::WaitForInput(clock.NowMs() + 600));
    EXPECT_TRUE(zorun::DiscardInput());
    EXPECT_TRUE(zorun::DiscardInput());
    EXPECT_FALSE(zorun::DiscardInput());
    EXPECT_FALSE(zorun::WaitForInput(600));
    EXPECT_EQ(clock.NowMs(), 600u);
    ClearLog();
    Pump();
    EXPECT_EQ(Only({WM_USER, WM_LBUTTONDOWN}), (std::vector<Logged>{{w, WM_USER, 0, 0}}));
}

} // namespace

TEST_F(Input, HelpKeysAskTheFocusForHelpAndItGoesUpToTheOwner) {
    HWND frame = MakeWindow({0, 26, 240, 294});
    HWND view = MakeWindow({0, 84, 240, 268}, frame, WS_CHILD | WS_VISIBLE, 7);
    Pump();
    SetFocus(view);
    std::vector<HELPINFO> seen;
    on[{frame, WM_HELP}] = [&](WPARAM, LPARAM lParam) {
        seen.push_back(*reinterpret_cast<const HELPINFO*>(lParam));
        return LRESULT{1};
    };
    ClearLog();
    zorun::PushInput({Kind::KeyDown, {}, VK_F1, 0});
    zorun::PushInput({Kind::KeyDown, {}, VK_HELP, 0});
    zorun::PushInput({Kind::KeyDown, {}, VK_RETURN, u'\r'}); // no help
    Pump();
    // The key first, then help, from the focus up to the frame.
    const auto order = Only({WM_KEYDOWN, WM_HELP});
    ASSERT_EQ(order.size(), 7u);
    EXPECT_EQ(order[0].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ((std::vector<HWND>{order[1].hwnd, order[2].hwnd}), (std::vector<HWND>{view, frame}));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].hItemHandle, view);
    EXPECT_EQ(seen[0].iCtrlId, 7);
    EXPECT_EQ(seen[0].iContextType, HELPINFO_WINDOW);

    // A window the frame owns (a dialog) hands it to the frame too.
    HWND dialog = MakeWindow({20, 60, 220, 200}, frame);
    Pump();
    SetFocus(dialog);
    zorun::PushInput({Kind::KeyDown, {}, VK_F1, 0});
    Pump();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[2].hItemHandle, dialog);
}
