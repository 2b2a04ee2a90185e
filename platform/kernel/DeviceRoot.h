#pragma once
// The host folder that holds the device's file tree. Set once at start-up
// from --device-root (or the default); tests point it at a temporary folder.

#include <filesystem>

namespace zorun {

void SetDeviceRoot(const std::filesystem::path& root);
[[nodiscard]] const std::filesystem::path& DeviceRoot();

// The default root: $XDG_DATA_HOME/zorun/device, else ~/.local/share/zorun/device.
[[nodiscard]] std::filesystem::path DefaultDeviceRoot();

// Where the program keeps what it must not lose but has nowhere else to put:
// $XDG_STATE_HOME/zorun, else ~/.local/state/zorun (not made here).
[[nodiscard]] std::filesystem::path UserStateFolder();

} // namespace zorun
