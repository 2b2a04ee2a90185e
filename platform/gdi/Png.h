#pragma once
// PNG pictures to and from surfaces (libpng). Pixels keep straight alpha.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/gdi/Surface.h"

namespace zorun {

// nullopt for anything that is not a readable PNG, or larger than 16384
// pixels a side or 64 Mpx in all.
[[nodiscard]] std::optional<Surface> ReadPng(std::span<const std::uint8_t> bytes);
[[nodiscard]] std::optional<Surface> ReadPngFile(const std::string& utf8Path);

// 8-bit RGBA. False when the file cannot be written (nothing is left behind
// half written under that name).
[[nodiscard]] bool WritePng(const Surface& surface, const std::string& utf8Path);
// Empty on failure.
[[nodiscard]] std::vector<std::uint8_t> WritePngToMemory(const Surface& surface);

} // namespace zorun
