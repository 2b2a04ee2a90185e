#include "platform/gdi/Png.h"

#include <png.h>

#include <bit>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zorun {

namespace {

constexpr png_uint_32 kMaxSide = 16384;
constexpr std::uint64_t kMaxPixels = 64ULL * 1024 * 1024;

// libpng's BGRA byte order is 0xAARRGGBB in a little-endian word.
static_assert(std::endian::native == std::endian::little);

} // namespace

std::optional<Surface> ReadPng(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0)
        return std::nullopt;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        return std::nullopt;
    if (image.width == 0 || image.height == 0 || image.width > kMaxSide ||
        image.height > kMaxSide || std::uint64_t(image.width) * image.height > kMaxPixels) {
        png_image_free(&image);
        return std::nullopt;
    }
    image.format = PNG_FORMAT_BGRA;
    Surface surface(int(image.width), int(image.height), 0);
    if (!png_image_finish_read(&image, nullptr, surface.Pixels().data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    return surface;
}

std::optional<Surface> ReadPngFile(const std::string& utf8Path) {
    std::ifstream in(utf8Path, std::ios::binary);
    if (!in)
        return std::nullopt;
    in.seekg(0, std::ios::end);
    const auto size = std::streamoff(in.tellg());
    if (size <= 0 || size > (std::streamoff(1) << 30))
        return std::nullopt;
    in.seekg(0);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size))
        return std::nullopt;
    return ReadPng(bytes);
}

std::vector<std::uint8_t> WritePngToMemory(const Surface& surface) {
    if (surface.Empty())
        return {};
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(surface.Width());
    image.height = png_uint_32(surface.Height());
    image.format = PNG_FORMAT_BGRA;
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(image, size, 0, surface.Pixels().data(), 0, nullptr))
        return {};
    std::vector<std::uint8_t> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, surface.Pixels().data(), 0,
                                   nullptr))
        return {};
    out.resize(size);
    return out;
}

bool WritePng(const Surface& surface, const std::string& utf8Path) {
    const std::vector<std::uint8_t> bytes = WritePngToMemory(surface);
    if (bytes.empty())
        return false;
    // Written beside the target and renamed, so a failure leaves no torn file.
    const std::string temp = utf8Path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::remove(temp.c_str());
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, utf8Path, ec);
    if (ec) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

} // namespace zorun
