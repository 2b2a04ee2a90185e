#include "platform/backend/HostDisplay.h"

#include <string_view>

#include "platform/backend/sdl/SdlDisplay.h"
#include "platform/backend/sdl/SdlLibrary.h"
#include "platform/backend/x11/X11Display.h"

namespace zorun {

namespace {

constexpr int kNoDisplayStatus = 2;

using Opened = std::variant<std::unique_ptr<HostDisplay>, DisplayFailure>;

Opened OpenX11(const DisplayRequest& request) {
    std::string error;
    auto display =
        X11Display::Open({request.scale, request.fullscreen, request.title, true, true}, &error);
    if (!display)
        return DisplayFailure{1, error};
    return std::make_unique<HostDisplay>(std::move(display));
}

Opened OpenSdl(const DisplayRequest& request) {
    std::string error;
    auto display = OpenSdlDisplay({request.scale, request.fullscreen, request.title}, &error);
    if (!display)
        return DisplayFailure{1, "SDL2: " + error};
    return std::make_unique<HostDisplay>(std::move(display));
}

} // namespace

HostDisplay::HostDisplay(std::unique_ptr<X11Display> x11)
    : x11_(std::move(x11)), backend_(MakeX11Backend(*x11_)), onX11_(true) {}

HostDisplay::HostDisplay(std::unique_ptr<SdlDisplay> sdl)
    : sdl_(std::move(sdl)), backend_(MakeSdlBackend(*sdl_)) {
    std::string error;
    if (const SdlLibrary* library = LoadSdlLibrary(&error)) {
        const char* driver = library->GetCurrentVideoDriver();
        onX11_ = driver && std::string_view(driver) == "x11";
    }
}

HostDisplay::~HostDisplay() {
    backend_ = {};
    if (sdl_)
        CloseSdlDisplay(sdl_);
    x11_.reset();
}

Opened OpenHostDisplay(const DisplayRequest& request) {
    switch (request.choice) {
    case BackendChoice::X11:
        return OpenX11(request);
    case BackendChoice::Sdl:
        return OpenSdl(request);
    case BackendChoice::Automatic:
        break;
    }
    // An X server is the cheapest to talk to; SDL2 serves the others.
    std::string x11Error = "no X display ($DISPLAY is not set)";
    if (HasX11Display()) {
        Opened x11 = OpenX11(request);
        if (std::holds_alternative<std::unique_ptr<HostDisplay>>(x11))
            return x11;
        x11Error = std::get<DisplayFailure>(x11).message;
    }
    if (HasWaylandDisplay() || HasDrmScreen(request.drm))
        return OpenSdl(request);
    return DisplayFailure{kNoDisplayStatus,
                          "no display to show the screen on: " + x11Error +
                              ", no Wayland display and no usable KMS/DRM screen. "
                              "--headless runs without one."};
}

} // namespace zorun
