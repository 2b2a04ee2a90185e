#pragma once
// The SDL window behind the SDL backend, and the mapping between window
// pixels and device pixels.

#include <SDL.h>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/backend/ScreenLayout.h"
#include "platform/backend/sdl/SdlBackend.h"
#include "platform/backend/sdl/SdlLibrary.h"

namespace zorun {

class Surface;

class SdlDisplay {
  public:
    SdlDisplay(const SdlLibrary& sdl, SDL_Window* window, int scale, bool fullscreen);
    ~SdlDisplay();
    SdlDisplay(const SdlDisplay&) = delete;
    SdlDisplay& operator=(const SdlDisplay&) = delete;

    void Present(const Surface& framebuffer);
    void Wait(std::optional<std::uint64_t> deadlineMs);
    // Raises the window above the host's other windows and gives it the focus.
    void Raise();
    // SDL's clipboard, as text.
    void SetClipboard(const std::u16string& text);
    [[nodiscard]] std::optional<std::u16string> Clipboard();

  private:
    void Layout(); // scale and offset from the window's size
    void Handle(const SDL_Event& event);

    const SdlLibrary& sdl_;
    SDL_Window* window_;
    ScreenLayout layout_;
    bool fullscreen_;
    bool mouseDown_ = false;
    const Surface* last_ = nullptr; // shown again when the window is exposed
};

} // namespace zorun
