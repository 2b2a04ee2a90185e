// Composition of the screen from the windows' surfaces, drawing through
// window DCs, and the foreground notification the chrome relies on.

#include "WindowTestSupport.h"

#include "platform/gdi/Surface.h"
#include "platform/user/Backend.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu, kBlack = 0xFF000000u;

class Screen : public WindowTest {
  protected:
    void Fill(HWND w, RECT r, COLORREF color) {
        HDC dc = GetDC(w);
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        ReleaseDC(w, dc);
    }
    std::uint32_t At(int x, int y) {
        zorun::ComposeScreen();
        return zorun::ScreenSurface().Pixel(x, y);
    }
};

TEST_F(Screen, TopmostWindowsStayAboveAndHiddenOnesVanish) {
    HWND bar =
        CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, u"TEST", u"", WS_POPUP | WS_VISIBLE, 0, 0,
                        240, 26, nullptr, nullptr, &WindowTest::Proc, nullptr);
    HWND frame = MakeWindow({0, 10, 240, 294}); // overlaps the bar
    Pump();
    Fill(bar, {0, 0, 240, 26}, RGB(0, 0, 255));
    Fill(frame, {0, 0, 240, 284}, RGB(255, 0, 0));
    EXPECT_EQ(At(5, 5), 0xFF0000FFu);
    EXPECT_EQ(At(5, 20), 0xFF0000FFu); // the bar covers the frame
    EXPECT_EQ(At(5, 30), 0xFFFF0000u);
    EXPECT_EQ(At(5, 300), kBlack);       // nothing there
    EXPECT_EQ(GetActiveWindow(), frame); // the bar never takes activation
    BringWindowToTop(frame);
    EXPECT_EQ(At(5, 20), 0xFF0000FFu);
    ShowWindow(bar, SW_HIDE);
    EXPECT_EQ(At(5, 20), 0xFFFF0000u);
}

TEST_F(Screen, ChildDrawingIsClippedToItsParentAndShowsAfterCompose) {
    HWND frame = MakeWindow({0, 26, 240, 294});
    HWND child = MakeWindow({200, 200, 300, 300}, frame, WS_CHILD | WS_VISIBLE, 1);
    Pump();
    EXPECT_EQ(At(220, 250), kWhite); // erased to white by default
    Fill(child, {0, 0, 100, 100}, RGB(0, 255, 0));
    EXPECT_EQ(At(220, 230), 0xFF00FF00u);
    EXPECT_EQ(At(239, 293), 0xFF00FF00u);
    EXPECT_EQ(At(199, 293), kWhite);
    EXPECT_EQ(At(220, 300), kBlack); // below the frame: clipped

    // Moving the child uncovers the parent, which repaints there.
    MoveWindow(child, 0, 0, 10, 10, TRUE);
    Pump();
    EXPECT_EQ(At(220, 250), kWhite);
}

TEST_F(Screen, TextsDrawnInWindowsAreListedWhereTheyShow) {
    HWND frame = MakeWindow({0, 26, 240, 294});
    HWND box = MakeWindow({20, 100, 220, 200}, frame);
    Pump();
    for (auto [w, text] : {std::pair{frame, u"under"}, std::pair{box, u"over"}}) {
        HDC dc = GetDC(w);
        ExtTextOutW(dc, 30, 90, 0, nullptr, text, 5 - (w == box), nullptr);
        ReleaseDC(w, dc);
    }
    zorun::ComposeScreen();
    const auto& texts = zorun::ScreenSurface().Texts();
    ASSERT_EQ(texts.size(), 1u); // "under" at (30, 116) is covered by the box
    EXPECT_EQ(texts[0].text, u"over");
    EXPECT_EQ(texts[0].position, (POINT{50, 190}));
}

TEST_F(Screen, ForegroundListenerHearsActivationAndTitleChanges) {
    std::vector<std::u16string> heard;
    int id = zorun::AddForegroundListener(
        [&](HWND w) { heard.push_back(w ? GetWindowText(w) : u"(none)"); });
    HWND frame = CreateWindowExW(0, u"TEST", u"Zorun", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268,
                                 nullptr, nullptr, &WindowTest::Proc, nullptr);
    HWND dialog = CreateWindowExW(0, u"TEST", u"Settings", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268,
                                  frame, nullptr, &WindowTest::Proc, nullptr);
    SetWindowTextW(dialog, u"Group");
    SetWindowTextW(frame, u"Zorun 2"); // not in front: nobody told
    DestroyWindow(dialog);
    zorun::RemoveForegroundListener(id);
    SetWindowTextW(frame, u"Zorun 3");
    EXPECT_EQ(heard, (std::vector<std::u16string>{u"Zorun", u"Settings", u"Group", u"Zorun 2"}));
    EXPECT_EQ(GetForegroundWindow(), frame);
}

} // namespace

// Work that must not hold up the first frame waits for the backend to say a
// frame is on the host's screen (a present alone is not enough: an X window
// can still be waiting to be mapped), runs once, and starts over with each
// backend.
TEST_F(Screen, WorkAfterTheFirstFrameWaitsUntilTheBackendShowsOne) {
    std::vector<int> ran;
    zorun::AfterFirstFrame([&] { ran.push_back(0); });
    EXPECT_EQ(ran, std::vector<int>{0}) << "no backend: nothing to wait for";

    zorun::Backend backend;
    backend.present = [](const zorun::Surface&) {};
    zorun::SetBackend(&backend);
    zorun::AfterFirstFrame([&] {
        ran.push_back(1);
        zorun::AfterFirstFrame([&] { ran.push_back(2); }); // queued from inside: runs at once
    });
    zorun::AfterFirstFrame({});
    HWND frame = MakeWindow({0, 0, 240, 320});
    Pump();
    zorun::PaintAndPresent();
    EXPECT_EQ(ran, std::vector<int>{0}) << "presented, not yet shown";
    zorun::NoteFrameShown();
    EXPECT_EQ(ran, (std::vector<int>{0, 1, 2}));
    zorun::NoteFrameShown();
    zorun::AfterFirstFrame([&] { ran.push_back(3); });
    EXPECT_EQ(ran, (std::vector<int>{0, 1, 2, 3})) << "once shown, at once";

    zorun::Backend next;
    zorun::SetBackend(&next);
    zorun::AfterFirstFrame([&] { ran.push_back(4); });
    zorun::SetBackend(&backend);
    zorun::NoteFrameShown();
    EXPECT_EQ(ran, (std::vector<int>{0, 1, 2, 3})) << "a new backend drops what waited";
    DestroyWindow(frame);
    zorun::SetBackend(nullptr);
}
