#pragma once
// The device screen in an SDL2 window (or full screen), through SDL's plain
// framebuffer path: each frame is scaled by a whole factor, nearest pixel,
// into the window surface. Mouse, touch and keyboard become device input.
// Used for Wayland and bare KMS/DRM; SDL2 is loaded only when this opens.

#include <memory>
#include <string>

#include "platform/user/Backend.h"

namespace zorun {

struct SdlSettings {
    int scale = 0; // 0: the largest whose window fits in 85% of the display height
    bool fullscreen = false;
    std::string title = "Zorun";
};

class SdlDisplay;

// Loads SDL2 and opens the display; nullptr with `error` set when it cannot.
[[nodiscard]] std::unique_ptr<SdlDisplay> OpenSdlDisplay(const SdlSettings& settings,
                                                         std::string* error);
// The backend table working on `display` (which must outlive it).
[[nodiscard]] Backend MakeSdlBackend(SdlDisplay& display);

// Destroys the display (closes SDL).
void CloseSdlDisplay(std::unique_ptr<SdlDisplay>& display);

} // namespace zorun
