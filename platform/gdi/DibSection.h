#pragma once
// The bits of a device-independent bitmap section in the caller's layout
// (1, 4, 8, 16, 24 or 32 bits per pixel, rows padded to 4 bytes, bottom-up
// unless created top-down) and their conversion to and from ARGB. The caller
// writes the bits at any time, so they are decoded again whenever they
// changed since the last conversion.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi/Surface.h"

struct BITMAPINFO;

namespace zorun {

class DibSection {
  public:
    // nullptr for formats we do not draw (compressed, odd depths) and for
    // absurd sizes (0 or beyond 16384 pixels a side, more than 64 Mpx).
    [[nodiscard]] static std::unique_ptr<DibSection> Create(const BITMAPINFO& info);

    [[nodiscard]] int Width() const { return width_; }
    [[nodiscard]] int Height() const { return height_; }
    [[nodiscard]] int BitsPerPixel() const { return bpp_; }
    [[nodiscard]] int Stride() const { return stride_; }
    [[nodiscard]] std::uint8_t* Bits() { return bits_.data(); }

    // Decodes the bits into `surface` (sized Width x Height) when they changed.
    void ToSurface(Surface& surface);
    // Encodes `surface` into the bits (nearest colour of the table for
    // palette formats).
    void FromSurface(const Surface& surface);

  private:
    DibSection() = default;
    [[nodiscard]] std::uint32_t Decode(const std::uint8_t* row, int x) const;
    void Encode(std::uint8_t* row, int x, std::uint32_t argb);
    [[nodiscard]] int NearestIndex(std::uint32_t argb) const;
    [[nodiscard]] std::uint8_t* RowBits(std::vector<std::uint8_t>& bits, int y);

    int width_ = 0;
    int height_ = 0;
    int bpp_ = 0;
    int stride_ = 0;
    bool topDown_ = false;
    std::array<std::uint32_t, 256> palette_{};
    int paletteSize_ = 0;
    std::array<std::uint32_t, 3> masks_{}; // red, green, blue
    std::vector<std::uint8_t> bits_;
    std::vector<std::uint8_t> synced_; // the bits as last converted
    bool everSynced_ = false;
};

} // namespace zorun
