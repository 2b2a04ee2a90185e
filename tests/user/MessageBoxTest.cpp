// Message boxes: their answers by tap, key and the navigation "ok", their
// look, and the wait cursor's nesting.

#include "WindowTestSupport.h"

#include "platform/gdi/Surface.h"
#include "platform/user/Chrome.h"
#include "platform/user/Cursor.h"
#include "platform/user/Input.h"

namespace {

void Tap(int x, int y) {
    zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {x, y}, 0, 0});
    zorun::PushInput({zorun::InputEvent::Kind::StylusUp, {x, y}, 0, 0});
}
void Key(int vk) {
    zorun::PushInput({zorun::InputEvent::Kind::KeyDown, {}, vk, 0});
}

std::uint32_t Pixel(int x, int y) {
    zorun::ComposeScreen();
    return zorun::ScreenSurface().Pixel(x, y) & 0xFFFFFF;
}

class MessageBoxes : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        owner = MakeWindow({0, 26, 240, 294});
        SetForegroundWindow(owner);
    }
    HWND owner = nullptr;
};

TEST_F(MessageBoxes, KeysAnswerAsTheirButtonsDo) {
    Key(VK_RETURN);
    EXPECT_EQ(MessageBoxW(owner, u"Save?", u"Zorun", MB_OKCANCEL), IDOK);
    Key(VK_ESCAPE);
    EXPECT_EQ(MessageBoxW(owner, u"Save?", u"Zorun", MB_OKCANCEL), IDCANCEL);
    Key(VK_ESCAPE); // an OK-only box is simply closed
    EXPECT_EQ(MessageBoxW(owner, u"Done", u"Zorun", MB_OK), IDOK);
    Key(VK_ESCAPE); // a question must be answered: Escape does nothing
    Key(VK_TAB);
    Key(VK_RETURN); // Return presses the focused button: No
    EXPECT_EQ(MessageBoxW(owner, u"Really?", u"Zorun", MB_YESNO), IDNO);
    // The owner is usable again and has its focus back.
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(MessageBoxes, TappedButtonsAndTheNavigationOk) {
    // Once the box is up, tap its second button: buttons of 56 pixels with a
    // gap of 8, centred, 8 pixels above the bottom.
    on[{owner, WM_USER}] = [&](WPARAM, LPARAM) {
        RECT box{};
        GetWindowRect(WindowFromPoint({120, 160}), &box);
        Tap(box.left + (box.Width() - 120) / 2 + 64 + 28, box.bottom - 18);
        return LRESULT{0};
    };
    PostMessageW(owner, WM_USER, 0, 0);
    EXPECT_EQ(MessageBoxW(owner, u"One line", u"Zorun", MB_OKCANCEL), IDCANCEL);

    zorun::EnsureChrome();
    Tap(226, 12); // the navigation bar's ok
    EXPECT_EQ(MessageBoxW(owner, u"Saved", u"Zorun", MB_OKCANCEL | MB_ICONINFORMATION), IDOK);
}

TEST_F(MessageBoxes, LookCaptionIconAndText) {
    PostMessageW(owner, WM_USER, 0, 0);
    std::uint32_t icon = 0, background = 0, frame = 0;
    on[{owner, WM_USER}] = [&](WPARAM, LPARAM) {
        UpdateWindow(WindowFromPoint({120, 160}));
        // The box is centred: x 12..227. The icon's disc at (12 + 8 + 16, its row).
        RECT box{};
        GetWindowRect(WindowFromPoint({120, 160}), &box);
        frame = Pixel(box.left, box.top + 40);
        background = Pixel(box.left + 100, box.bottom - 4);
        icon = Pixel(box.left + 8 + 6, box.top + 18 + 1 + 8 + 16);
        return LRESULT{0};
    };
    Key(VK_ESCAPE);
    // Queue order: the posted message first, then the key.
    MessageBoxW(owner, u"Write Setting File Error", u"Zorun", MB_OK | MB_ICONSTOP);
    EXPECT_EQ(frame, 0x000000u);
    EXPECT_EQ(background, 0xFFFFFFu);
    EXPECT_EQ(icon, 0xD20000u); // the red disc
}

TEST_F(MessageBoxes, TheWaitCursorCountsItsNesting) {
    SetWaitCursor(true);
    SetWaitCursor(true);
    EXPECT_TRUE(zorun::WaitCursorShown());
    SetWaitCursor(false);
    EXPECT_TRUE(zorun::WaitCursorShown());
    EXPECT_NE(Pixel(120, 160), 0xFFFFFFu); // drawn over the white window
    SetWaitCursor(false);
    EXPECT_FALSE(zorun::WaitCursorShown());
    SetWaitCursor(false); // one too many is harmless
    EXPECT_FALSE(zorun::WaitCursorShown());
    EXPECT_EQ(Pixel(120, 160), 0xFFFFFFu);
    // A reset of the window system forgets a count left open.
    SetWaitCursor(true);
    zorun::ResetWindowSystem();
    SetWaitCursor(true);
    SetWaitCursor(false);
    EXPECT_FALSE(zorun::WaitCursorShown());
}

} // namespace
