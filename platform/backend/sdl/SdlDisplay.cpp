#include "platform/backend/sdl/SdlDisplay.h"

#include <algorithm>
#include <cstring>

#include "platform/backend/HostEvents.h"
#include "platform/base/Clock.h"
#include "platform/base/Text.h"
#include "platform/gdi/Surface.h"
#include "platform/user/Input.h"
#include "platform/user/Screen.h"
#include "platform/user/WinUser.h"

namespace zorun {

namespace {

// Longest the wait blocks in SDL before looking at signals and watched
// descriptors again.
constexpr int kSliceMs = 100;

int VirtualKey(SDL_Keycode key, char16_t* character) {
    *character = 0;
    switch (key) {
    case SDLK_LEFT:
        return VK_LEFT;
    case SDLK_RIGHT:
        return VK_RIGHT;
    case SDLK_UP:
        return VK_UP;
    case SDLK_DOWN:
        return VK_DOWN;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        *character = u'\r';
        return VK_RETURN;
    case SDLK_ESCAPE:
        *character = 0x1B;
        return VK_ESCAPE;
    case SDLK_TAB:
        *character = u'\t';
        return VK_TAB;
    case SDLK_BACKSPACE:
        *character = 0x08;
        return VK_BACK;
    case SDLK_DELETE:
        return VK_DELETE;
    case SDLK_F1:
        return VK_F1;
    case SDLK_HELP:
        return VK_HELP;
    case SDLK_SPACE:
        return VK_SPACE; // the character comes as text input
    default:
        break;
    }
    if (key >= SDLK_a && key <= SDLK_z)
        return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9)
        return '0' + (key - SDLK_0);
    return 0;
}

} // namespace

SdlDisplay::SdlDisplay(const SdlLibrary& sdl, SDL_Window* window, int scale, bool fullscreen)
    : sdl_(sdl), window_(window), fullscreen_(fullscreen) {
    layout_.scale = scale;
    Layout();
    sdl_.StartTextInput();
}

SdlDisplay::~SdlDisplay() {
    sdl_.StopTextInput();
    sdl_.DestroyWindow(window_);
    sdl_.Quit();
}

void SdlDisplay::Layout() {
    int w = 0, h = 0;
    sdl_.GetWindowSize(window_, &w, &h);
    layout_ = ScreenLayout::For(w, h, layout_.scale, fullscreen_);
}

void SdlDisplay::Raise() {
    sdl_.RaiseWindow(window_);
}

void SdlDisplay::SetClipboard(const std::u16string& text) {
    (void)sdl_.SetClipboardText(ToUtf8(text).c_str());
}

std::optional<std::u16string> SdlDisplay::Clipboard() {
    char* text = sdl_.GetClipboardText();
    if (!text)
        return std::nullopt;
    std::optional<std::u16string> result;
    if (*text)
        result = FromUtf8(text);
    sdl_.Free(text);
    return result;
}

void SdlDisplay::Present(const Surface& framebuffer) {
    last_ = &framebuffer;
    SDL_Surface* target = sdl_.GetWindowSurface(window_);
    if (!target)
        return;
    if (SDL_MUSTLOCK(target))
        sdl_.LockSurface(target);
    const SDL_PixelFormat* format = target->format;
    bool direct = format->BytesPerPixel == 4 && format->Rmask == 0x00FF0000 &&
                  format->Gmask == 0x0000FF00 && format->Bmask == 0x000000FF;
    int fw = std::min(framebuffer.Width(), kScreenWidth);
    int fh = std::min(framebuffer.Height(), kScreenHeight);
    const int scale = layout_.scale;
    const Point offset = layout_.offset;
    if (offset.x > 0 || offset.y > 0)
        sdl_.FillRect(target, nullptr, sdl_.MapRGB(format, 0, 0, 0));
    for (int y = 0; y < fh; ++y) {
        const std::uint32_t* src = framebuffer.Row(y);
        for (int sy = 0; sy < scale; ++sy) {
            int ty = offset.y + y * scale + sy;
            if (ty < 0 || ty >= target->h)
                continue;
            auto* row = reinterpret_cast<std::uint8_t*>(target->pixels) + ty * target->pitch;
            for (int x = 0; x < fw; ++x) {
                std::uint32_t argb = src[x];
                std::uint32_t pixel = direct ? (argb | 0xFF000000u)
                                             : sdl_.MapRGB(format, (argb >> 16) & 0xFF,
                                                           (argb >> 8) & 0xFF, argb & 0xFF);
                for (int sx = 0; sx < scale; ++sx) {
                    int tx = offset.x + x * scale + sx;
                    if (tx < 0 || tx >= target->w)
                        continue;
                    std::uint8_t* p = row + tx * format->BytesPerPixel;
                    switch (format->BytesPerPixel) {
                    case 4:
                        *reinterpret_cast<std::uint32_t*>(p) = pixel;
                        break;
                    case 2:
                        *reinterpret_cast<std::uint16_t*>(p) = static_cast<std::uint16_t>(pixel);
                        break;
                    default:
                        std::memcpy(p, &pixel, format->BytesPerPixel);
                        break;
                    }
                }
            }
        }
    }
    if (SDL_MUSTLOCK(target))
        sdl_.UnlockSurface(target);
    sdl_.UpdateWindowSurface(window_);
    NoteFrameShown();
}

void SdlDisplay::Handle(const SDL_Event& e) {
    switch (e.type) {
    case SDL_QUIT:
        RequestQuit();
        break;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
            RequestQuit();
        } else if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                   e.window.event == SDL_WINDOWEVENT_EXPOSED) {
            Layout();
            if (last_)
                Present(*last_);
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (e.button.which == SDL_TOUCH_MOUSEID)
            break; // the finger events carry it
        if (e.button.button == SDL_BUTTON_LEFT || e.button.button == SDL_BUTTON_RIGHT) {
            Point p = layout_.ToDevice(e.button.x, e.button.y);
            mouseDown_ = true;
            PushInput({InputEvent::Kind::StylusDown, p});
            if (e.button.button == SDL_BUTTON_RIGHT)
                PushInput({InputEvent::Kind::SecondaryClick, p});
        }
        break;
    case SDL_MOUSEMOTION:
        if (e.motion.which != SDL_TOUCH_MOUSEID && mouseDown_)
            PushInput({InputEvent::Kind::StylusMove, layout_.ToDevice(e.motion.x, e.motion.y)});
        break;
    case SDL_MOUSEBUTTONUP:
        if (e.button.which != SDL_TOUCH_MOUSEID && mouseDown_ &&
            (e.button.button == SDL_BUTTON_LEFT || e.button.button == SDL_BUTTON_RIGHT)) {
            mouseDown_ = false;
            PushInput({InputEvent::Kind::StylusUp, layout_.ToDevice(e.button.x, e.button.y)});
        }
        break;
    case SDL_FINGERDOWN:
    case SDL_FINGERMOTION:
    case SDL_FINGERUP: {
        int w = 0, h = 0;
        sdl_.GetWindowSize(window_, &w, &h);
        Point p = layout_.ToDevice(static_cast<int>(e.tfinger.x * static_cast<float>(w)),
                                   static_cast<int>(e.tfinger.y * static_cast<float>(h)));
        auto kind = e.type == SDL_FINGERDOWN     ? InputEvent::Kind::StylusDown
                    : e.type == SDL_FINGERMOTION ? InputEvent::Kind::StylusMove
                                                 : InputEvent::Kind::StylusUp;
        PushInput({kind, p});
        break;
    }
    case SDL_KEYDOWN: {
        char16_t character = 0;
        int vk = VirtualKey(e.key.keysym.sym, &character);
        if (vk) {
            InputEvent input{InputEvent::Kind::KeyDown, {}, vk, character};
            input.repeat = e.key.repeat != 0;
            input.shift = (e.key.keysym.mod & KMOD_SHIFT) != 0;
            input.control = (e.key.keysym.mod & KMOD_CTRL) != 0;
            PushInput(input);
        }
        break;
    }
    case SDL_KEYUP: {
        char16_t character = 0;
        if (int vk = VirtualKey(e.key.keysym.sym, &character))
            PushInput({InputEvent::Kind::KeyUp, {}, vk, 0});
        break;
    }
    case SDL_TEXTINPUT:
        for (char16_t c : FromUtf8(e.text.text))
            PushInput({InputEvent::Kind::Char, {}, 0, c});
        break;
    default:
        break;
    }
}

void SdlDisplay::Wait(std::optional<std::uint64_t> deadlineMs) {
    Clock& clock = CurrentClock();
    for (;;) {
        if (PollHostEvents(0))
            return;
        int timeout = kSliceMs;
        if (deadlineMs) {
            std::uint64_t now = clock.NowMs();
            if (now >= *deadlineMs)
                timeout = 0;
            else
                timeout = static_cast<int>(std::min<std::uint64_t>(*deadlineMs - now, kSliceMs));
        }
        SDL_Event e;
        if (timeout == 0 ? sdl_.PollEvent(&e) : sdl_.WaitEventTimeout(&e, timeout)) {
            Handle(e);
            while (sdl_.PollEvent(&e))
                Handle(e);
            return;
        }
        if (deadlineMs && clock.NowMs() >= *deadlineMs)
            return;
    }
}

std::unique_ptr<SdlDisplay> OpenSdlDisplay(const SdlSettings& settings, std::string* error) {
    const SdlLibrary* loaded = LoadSdlLibrary(error);
    if (!loaded)
        return nullptr;
    const SdlLibrary& sdl = *loaded;
    // The program composes its own frames: no GL stack, just the window surface.
    sdl.SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Quit signals are ours (they close the main window in order).
    sdl.SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    sdl.SetHint(SDL_HINT_MOUSE_TOUCH_EVENTS, "0");
    if (sdl.Init(SDL_INIT_VIDEO) != 0) {
        if (error)
            *error = sdl.GetError();
        return nullptr;
    }
    // SDL's stand-ins show nothing to anybody: that is no display.
    const char* driver = sdl.GetCurrentVideoDriver();
    const std::string name = driver ? driver : "";
    if (name.empty() || name == "offscreen" || name == "dummy" || name == "evdev") {
        if (error)
            *error = "found no display" + (name.empty() ? "" : " (only its '" + name + "' driver)");
        sdl.Quit();
        return nullptr;
    }
    int scale = settings.scale;
    if (!scale) {
        SDL_DisplayMode mode{};
        scale = sdl.GetDesktopDisplayMode(0, &mode) == 0 ? DefaultScale(mode.h) : 1;
    }
    Uint32 flags = SDL_WINDOW_SHOWN;
    if (settings.fullscreen)
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    SDL_Window* window =
        sdl.CreateWindow(settings.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                         kScreenWidth * scale, kScreenHeight * scale, flags);
    if (!window) {
        if (error)
            *error = sdl.GetError();
        sdl.Quit();
        return nullptr;
    }
    return std::make_unique<SdlDisplay>(sdl, window, scale, settings.fullscreen);
}

Backend MakeSdlBackend(SdlDisplay& display) {
    Backend backend;
    backend.present = [&display](const Surface& framebuffer) { display.Present(framebuffer); };
    backend.wait = [&display](std::optional<std::uint64_t> deadline) { display.Wait(deadline); };
    backend.shutdown = [] {};
    backend.raise = [&display] { display.Raise(); };
    backend.setClipboard = [&display](const std::u16string& text) { display.SetClipboard(text); };
    backend.clipboard = [&display] { return display.Clipboard(); };
    return backend;
}

void CloseSdlDisplay(std::unique_ptr<SdlDisplay>& display) {
    display.reset();
}

} // namespace zorun
