#pragma once
// The SDL window behind the SDL backend, and the mapping between window
// pixels and device pixels.

#include <SDL.h>
#include <cstdint>
#include <optional>

#include "platform/backend/sdl/SdlBackend.h"
#include "platform/base/Geometry.h"

namespace zorun {

class Surface;

class SdlDisplay {
  public:
    explicit SdlDisplay(SDL_Window* window, int scale, bool fullscreen);
    ~SdlDisplay();
    SdlDisplay(const SdlDisplay&) = delete;
    SdlDisplay& operator=(const SdlDisplay&) = delete;

    void Present(const Surface& framebuffer);
    void Wait(std::optional<std::uint64_t> deadlineMs);
    // Raises the window above the host's other windows and gives it the focus.
    void Raise();

  private:
    void Layout(); // scale and offset from the window's size
    void Handle(const SDL_Event& event);
    [[nodiscard]] Point ToDevice(int windowX, int windowY) const;

    SDL_Window* window_;
    int scale_;
    bool fullscreen_;
    Point offset_;
    bool mouseDown_ = false;
    const Surface* last_ = nullptr; // shown again when the window is exposed
};

} // namespace zorun
