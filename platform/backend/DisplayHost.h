#pragma once
// What the host offers to show the device screen on: an X server, a Wayland
// compositor, or a bare KMS/DRM screen.

#include <filesystem>
#include <string>

namespace zorun {

// Where the kernel shows the DRM devices; tests point these at fixtures.
struct DrmPaths {
    std::filesystem::path sysClassDrm = "/sys/class/drm";
    std::filesystem::path devDri = "/dev/dri";
};

// $DISPLAY names an X server (whether it answers is seen on opening it).
[[nodiscard]] bool HasX11Display();
// A Wayland compositor's socket is there ($WAYLAND_DISPLAY, else
// "wayland-0", in $XDG_RUNTIME_DIR unless it is a path).
[[nodiscard]] bool HasWaylandDisplay();
// A DRM card has a connected screen and its device opens read-write.
[[nodiscard]] bool HasDrmScreen(const DrmPaths& paths = {});

} // namespace zorun
