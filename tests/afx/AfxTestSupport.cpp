#include "AfxTestSupport.h"

#include "platform/gdi/Surface.h"
#include "platform/user/Backend.h"

void AfxTest::SetUp() {
    zorun::ResetWindowSystem();
    zorun::SetBackend(nullptr);
    zorun::SetCurrentClock(&clock);
}

void AfxTest::TearDown() {
    zorun::ResetWindowSystem();
    zorun::SetCurrentClock(nullptr);
}

void AfxTest::Down(int x, int y) {
    zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {x, y}, 0, 0});
}
void AfxTest::Move(int x, int y) {
    zorun::PushInput({zorun::InputEvent::Kind::StylusMove, {x, y}, 0, 0});
}
void AfxTest::Up(int x, int y) {
    zorun::PushInput({zorun::InputEvent::Kind::StylusUp, {x, y}, 0, 0});
}
void AfxTest::Tap(int x, int y) {
    Down(x, y);
    Up(x, y);
}
void AfxTest::Key(int vk) {
    // With the character a keyboard gives the key, as the backends do.
    char16_t character = 0;
    if (vk == VK_BACK || vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE || vk == VK_SPACE)
        character = static_cast<char16_t>(vk);
    zorun::PushInput({zorun::InputEvent::Kind::KeyDown, {}, vk, character});
}
void AfxTest::Type(std::u16string_view text) {
    for (char16_t c : text)
        zorun::PushInput({zorun::InputEvent::Kind::Char, {}, 0, c});
}

void AfxTest::Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    zorun::ComposeScreen();
}

std::uint32_t AfxTest::ScreenPixel(int x, int y) {
    zorun::ComposeScreen();
    return zorun::ScreenSurface().Pixel(x, y) & 0xFFFFFF;
}
