#include "platform/backend/sdl/SdlDisplay.h"

#include <algorithm>

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

SdlDisplay::SdlDisplay(SDL_Window* window, int scale, bool fullscreen)
    : window_(window), scale_(scale), fullscreen_(fullscreen) {
    Layout();
    SDL_StartTextInput();
}

SdlDisplay::~SdlDisplay() {
    SDL_StopTextInput();
    SDL_DestroyWindow(window_);
    SDL_Quit();
}

void SdlDisplay::Layout() {
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    if (fullscreen_)
        scale_ = std::max(1, std::min(w / kScreenWidth, h / kScreenHeight));
    offset_ = {std::max(0, (w - kScreenWidth * scale_) / 2),
               std::max(0, (h - kScreenHeight * scale_) / 2)};
}

Point SdlDisplay::ToDevice(int windowX, int windowY) const {
    auto down = [this](int v, int offset) {
        int d = v - offset;
        return d >= 0 ? d / scale_ : -((-d + scale_ - 1) / scale_);
    };
    return {down(windowX, offset_.x), down(windowY, offset_.y)};
}

void SdlDisplay::Raise() {
    SDL_RaiseWindow(window_);
}

void SdlDisplay::Present(const Surface& framebuffer) {
    last_ = &framebuffer;
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    if (!target)
        return;
    if (SDL_MUSTLOCK(target))
        SDL_LockSurface(target);
    const SDL_PixelFormat* format = target->format;
    bool direct = format->BytesPerPixel == 4 && format->Rmask == 0x00FF0000 &&
                  format->Gmask == 0x0000FF00 && format->Bmask == 0x000000FF;
    int fw = std::min(framebuffer.Width(), kScreenWidth);
    int fh = std::min(framebuffer.Height(), kScreenHeight);
    if (offset_.x > 0 || offset_.y > 0)
        SDL_FillRect(target, nullptr, SDL_MapRGB(format, 0, 0, 0));
    for (int y = 0; y < fh; ++y) {
        const std::uint32_t* src = framebuffer.Row(y);
        for (int sy = 0; sy < scale_; ++sy) {
            int ty = offset_.y + y * scale_ + sy;
            if (ty < 0 || ty >= target->h)
                continue;
            auto* row = reinterpret_cast<std::uint8_t*>(target->pixels) + ty * target->pitch;
            for (int x = 0; x < fw; ++x) {
                std::uint32_t argb = src[x];
                std::uint32_t pixel = direct ? (argb | 0xFF000000u)
                                             : SDL_MapRGB(format, (argb >> 16) & 0xFF,
                                                          (argb >> 8) & 0xFF, argb & 0xFF);
                for (int sx = 0; sx < scale_; ++sx) {
                    int tx = offset_.x + x * scale_ + sx;
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
                        SDL_memcpy(p, &pixel, format->BytesPerPixel);
                        break;
                    }
                }
            }
        }
    }
    if (SDL_MUSTLOCK(target))
        SDL_UnlockSurface(target);
    SDL_UpdateWindowSurface(window_);
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
            Point p = ToDevice(e.button.x, e.button.y);
            mouseDown_ = true;
            PushInput({InputEvent::Kind::StylusDown, p});
            if (e.button.button == SDL_BUTTON_RIGHT)
                PushInput({InputEvent::Kind::SecondaryClick, p});
        }
        break;
    case SDL_MOUSEMOTION:
        if (e.motion.which != SDL_TOUCH_MOUSEID && mouseDown_)
            PushInput({InputEvent::Kind::StylusMove, ToDevice(e.motion.x, e.motion.y)});
        break;
    case SDL_MOUSEBUTTONUP:
        if (e.button.which != SDL_TOUCH_MOUSEID && mouseDown_ &&
            (e.button.button == SDL_BUTTON_LEFT || e.button.button == SDL_BUTTON_RIGHT)) {
            mouseDown_ = false;
            PushInput({InputEvent::Kind::StylusUp, ToDevice(e.button.x, e.button.y)});
        }
        break;
    case SDL_FINGERDOWN:
    case SDL_FINGERMOTION:
    case SDL_FINGERUP: {
        int w = 0, h = 0;
        SDL_GetWindowSize(window_, &w, &h);
        Point p = ToDevice(static_cast<int>(e.tfinger.x * static_cast<float>(w)),
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
            input.shift = (e.key.keysym.mod & KMOD_SHIFT) != 0;
            PushInput(input);
        }
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
        if (timeout == 0 ? SDL_PollEvent(&e) : SDL_WaitEventTimeout(&e, timeout)) {
            Handle(e);
            while (SDL_PollEvent(&e))
                Handle(e);
            return;
        }
        if (deadlineMs && clock.NowMs() >= *deadlineMs)
            return;
    }
}

int DefaultScale(int displayHeight) {
    return std::max(1, displayHeight * 85 / 100 / kScreenHeight);
}

std::unique_ptr<SdlDisplay> OpenSdlDisplay(const SdlSettings& settings, std::string* error) {
    // The program composes its own frames: no GL stack, just the window surface.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Quit signals are ours (they close the main window in order).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_MOUSE_TOUCH_EVENTS, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        if (error)
            *error = SDL_GetError();
        return nullptr;
    }
    int scale = settings.scale;
    if (!scale) {
        SDL_DisplayMode mode{};
        scale = SDL_GetDesktopDisplayMode(0, &mode) == 0 ? DefaultScale(mode.h) : 1;
    }
    Uint32 flags = SDL_WINDOW_SHOWN;
    if (settings.fullscreen)
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    SDL_Window* window =
        SDL_CreateWindow(settings.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                         kScreenWidth * scale, kScreenHeight * scale, flags);
    if (!window) {
        if (error)
            *error = SDL_GetError();
        SDL_Quit();
        return nullptr;
    }
    return std::make_unique<SdlDisplay>(window, scale, settings.fullscreen);
}

Backend MakeSdlBackend(SdlDisplay& display) {
    Backend backend;
    backend.present = [&display](const Surface& framebuffer) { display.Present(framebuffer); };
    backend.wait = [&display](std::optional<std::uint64_t> deadline) { display.Wait(deadline); };
    backend.shutdown = [] {};
    backend.raise = [&display] { display.Raise(); };
    return backend;
}

void CloseSdlDisplay(std::unique_ptr<SdlDisplay>& display) {
    display.reset();
}

} // namespace zorun
