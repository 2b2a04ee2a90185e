#include "platform/gdi/DibSection.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <unordered_map>

#include "platform/gdi/WinGdi.h"

namespace zorun {

namespace {

constexpr int kMaxSide = 16384;
constexpr std::int64_t kMaxPixels = 64LL * 1024 * 1024;

// A colour channel under a mask, widened or narrowed to 8 bits.
std::uint32_t Channel(std::uint32_t value, std::uint32_t mask) {
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask >> shift);
    std::uint32_t v = (value & mask) >> shift;
    if (bits >= 8)
        return v >> (bits - 8);
    // Replicate the high bits downwards so that full scale stays 255.
    std::uint32_t out = 0;
    for (int filled = 0; filled < 8; filled += bits)
        out |= (v << (8 - bits)) >> filled;
    return out & 0xFF;
}

std::uint32_t Unchannel(std::uint32_t channel8, std::uint32_t mask) {
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask >> shift);
    std::uint32_t v = bits >= 8 ? channel8 << (bits - 8) : channel8 >> (8 - bits);
    return (v << shift) & mask;
}

} // namespace

std::unique_ptr<DibSection> DibSection::Create(const BITMAPINFO& info) {
    const BITMAPINFOHEADER& h = info.bmiHeader;
    const std::int64_t width = h.biWidth;
    const std::int64_t height = h.biHeight < 0 ? -std::int64_t(h.biHeight) : h.biHeight;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
        width * height > kMaxPixels)
        return nullptr;
    const int bpp = h.biBitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return nullptr;
    const bool bitfields = h.biCompression == BI_BITFIELDS;
    if (h.biCompression != BI_RGB && !(bitfields && (bpp == 16 || bpp == 32)))
        return nullptr;

    std::unique_ptr<DibSection> dib(new DibSection);
    dib->width_ = int(width);
    dib->height_ = int(height);
    dib->bpp_ = bpp;
    dib->topDown_ = h.biHeight < 0;
    dib->stride_ = int(((width * bpp + 31) / 32) * 4);
    // The colour table follows the header, whose size the header gives; it
    // is read only within the BITMAPINFO the caller passed.
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > sizeof(BITMAPINFO))
        return nullptr;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&info);
    dib->palette_.fill(0xFF000000u);
    if (bpp <= 8) {
        const int maxColors = 1 << bpp;
        dib->paletteSize_ =
            h.biClrUsed > 0 && h.biClrUsed < DWORD(maxColors) ? int(h.biClrUsed) : maxColors;
        const auto available = int((sizeof(BITMAPINFO) - h.biSize) / sizeof(RGBQUAD));
        for (int i = 0; i < std::min(dib->paletteSize_, available); ++i) {
            RGBQUAD q;
            std::memcpy(&q, bytes + h.biSize + std::size_t(i) * sizeof q, sizeof q);
            dib->palette_[std::size_t(i)] = 0xFF000000u | (std::uint32_t(q.rgbRed) << 16) |
                                            (std::uint32_t(q.rgbGreen) << 8) | q.rgbBlue;
        }
    } else if (bitfields) {
        // Right after the basic header, also where the larger headers keep them.
        std::memcpy(dib->masks_.data(), bytes + sizeof(BITMAPINFOHEADER), sizeof dib->masks_);
    } else if (bpp == 16) {
        dib->masks_ = {0x7C00, 0x03E0, 0x001F};
    } else {
        dib->masks_ = {0xFF0000, 0x00FF00, 0x0000FF};
    }
    dib->bits_.assign(std::size_t(dib->stride_) * dib->height_, 0);
    return dib;
}

std::uint8_t* DibSection::RowBits(std::vector<std::uint8_t>& bits, int y) {
    const int row = topDown_ ? y : height_ - 1 - y;
    return bits.data() + std::size_t(row) * stride_;
}

std::uint32_t DibSection::Decode(const std::uint8_t* row, int x) const {
    switch (bpp_) {
    case 1:
        return palette_[std::size_t((row[x >> 3] >> (7 - (x & 7))) & 1)];
    case 4:
        return palette_[std::size_t((row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF)];
    case 8:
        return palette_[row[x]];
    case 24: {
        const std::uint8_t* p = row + std::size_t(x) * 3;
        return 0xFF000000u | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
    }
    default: {
        std::uint32_t v = 0;
        if (bpp_ == 16) {
            v = std::uint32_t(row[x * 2]) | (std::uint32_t(row[x * 2 + 1]) << 8);
        } else {
            std::memcpy(&v, row + std::size_t(x) * 4, 4);
        }
        return 0xFF000000u | (Channel(v, masks_[0]) << 16) | (Channel(v, masks_[1]) << 8) |
               Channel(v, masks_[2]);
    }
    }
}

int DibSection::NearestIndex(std::uint32_t argb) const {
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < paletteSize_; ++i) {
        const std::uint32_t c = palette_[std::size_t(i)];
        const int dr = int((c >> 16) & 0xFF) - int((argb >> 16) & 0xFF);
        const int dg = int((c >> 8) & 0xFF) - int((argb >> 8) & 0xFF);
        const int db = int(c & 0xFF) - int(argb & 0xFF);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void DibSection::Encode(std::uint8_t* row, int x, std::uint32_t argb) {
    switch (bpp_) {
    case 24: {
        std::uint8_t* p = row + std::size_t(x) * 3;
        p[0] = std::uint8_t(argb);
        p[1] = std::uint8_t(argb >> 8);
        p[2] = std::uint8_t(argb >> 16);
        return;
    }
    case 16:
    case 32: {
        const std::uint32_t v = Unchannel((argb >> 16) & 0xFF, masks_[0]) |
                                Unchannel((argb >> 8) & 0xFF, masks_[1]) |
                                Unchannel(argb & 0xFF, masks_[2]);
        if (bpp_ == 16) {
            row[x * 2] = std::uint8_t(v);
            row[x * 2 + 1] = std::uint8_t(v >> 8);
        } else {
            std::memcpy(row + std::size_t(x) * 4, &v, 4);
        }
        return;
    }
    default:
        break; // palette formats go through EncodeIndex below
    }
}

void DibSection::ToSurface(Surface& surface) {
    if (everSynced_ && bits_ == synced_)
        return;
    if (surface.Width() != width_ || surface.Height() != height_)
        surface = Surface(width_, height_);
    for (int y = 0; y < height_; ++y) {
        const std::uint8_t* row = RowBits(bits_, y);
        std::uint32_t* out = surface.Row(y);
        for (int x = 0; x < width_; ++x)
            out[x] = Decode(row, x);
    }
    synced_ = bits_;
    everSynced_ = true;
}

void DibSection::FromSurface(const Surface& surface) {
    if (surface.Width() != width_ || surface.Height() != height_)
        return;
    std::unordered_map<std::uint32_t, int> nearest;
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* row = RowBits(bits_, y);
        const std::uint32_t* in = surface.Row(y);
        for (int x = 0; x < width_; ++x) {
            if (bpp_ > 8) {
                Encode(row, x, in[x]);
                continue;
            }
            const std::uint32_t rgb = in[x] & 0xFFFFFF;
            auto it = nearest.find(rgb);
            if (it == nearest.end())
                it = nearest.emplace(rgb, NearestIndex(rgb)).first;
            const auto index = std::uint8_t(it->second);
            if (bpp_ == 8) {
                row[x] = index;
            } else if (bpp_ == 4) {
                const int shift = (x & 1) ? 0 : 4;
                row[x >> 1] = std::uint8_t((row[x >> 1] & ~(0xF << shift)) | (index << shift));
            } else {
                const int shift = 7 - (x & 7);
                row[x >> 3] = std::uint8_t((row[x >> 3] & ~(1 << shift)) | ((index & 1) << shift));
            }
        }
    }
    synced_ = bits_;
    // Lossy formats are decoded again so the pixels show what the bits hold.
    everSynced_ = bpp_ == 24 ||
                  (bpp_ == 32 && masks_ == std::array<std::uint32_t, 3>{0xFF0000, 0xFF00, 0xFF});
}

} // namespace zorun
