#pragma once
// Icon pictures from files: .ico (the image nearest the wanted size; PNG
// images inside too) and .png, scaled to the wanted square size with an
// area average. Pixels are 0xAARRGGBB with straight alpha, rows top down.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace zorun {

struct IconPicture {
    int size = 0; // square
    std::vector<std::uint32_t> argb;
};

// Icon files larger than this are not read.
constexpr std::uintmax_t kIconFileLimit = 4u << 20;

[[nodiscard]] std::optional<IconPicture> DecodeIco(std::span<const std::uint8_t> bytes, int size);
[[nodiscard]] std::optional<IconPicture> DecodePngIcon(std::span<const std::uint8_t> bytes,
                                                       int size);
// By the file's extension (.ico, .svg, else PNG); nullopt for anything
// unreadable, not a regular file, or larger than kIconFileLimit.
[[nodiscard]] std::optional<IconPicture> LoadIconFile(const std::filesystem::path& file, int size);

// `argb` (w x h) scaled to size x size; the picture is centred when it is
// not square.
[[nodiscard]] IconPicture ScaleToSquare(const std::uint32_t* argb, int w, int h, int size);

} // namespace zorun
