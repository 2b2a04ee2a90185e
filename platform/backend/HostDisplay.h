#pragma once
// The display the program shows its screen on: the X11 backend when an X
// server is there, SDL2 (loaded only then) for Wayland and bare KMS/DRM, or
// the one named by --backend / $ZORUN_BACKEND.

#include <memory>
#include <string>
#include <variant>

#include "platform/backend/DisplayHost.h"
#include "platform/backend/Options.h"
#include "platform/user/Backend.h"

namespace zorun {

class SdlDisplay;
class X11Display;

class HostDisplay {
  public:
    explicit HostDisplay(std::unique_ptr<X11Display> x11);
    explicit HostDisplay(std::unique_ptr<SdlDisplay> sdl);
    ~HostDisplay();
    HostDisplay(const HostDisplay&) = delete;
    HostDisplay& operator=(const HostDisplay&) = delete;

    // The backend table; valid while this lives.
    [[nodiscard]] Backend& Table() { return backend_; }
    // True when the screen shows in a window of an X server (the X11
    // backend, or SDL2 on its X11 driver).
    [[nodiscard]] bool OnX11() const { return onX11_; }

  private:
    std::unique_ptr<X11Display> x11_;
    std::unique_ptr<SdlDisplay> sdl_;
    Backend backend_;
    bool onX11_ = false;
};

struct DisplayFailure {
    int status = 1; // 2: there is no display at all
    std::string message;
};

struct DisplayRequest {
    BackendChoice choice = BackendChoice::Automatic;
    int scale = 0;
    bool fullscreen = false;
    std::string title = "Zorun";
    DrmPaths drm; // where to look for a KMS/DRM screen
};

[[nodiscard]] std::variant<std::unique_ptr<HostDisplay>, DisplayFailure>
OpenHostDisplay(const DisplayRequest& request);

} // namespace zorun
