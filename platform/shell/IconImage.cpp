#include "platform/shell/IconImage.h"

#include <algorithm>
#include <cmath>

#include "platform/gdi/Png.h"
#include "platform/kernel/FileSystem.h"
#include "platform/shell/SvgIcon.h"

namespace zorun {

namespace {

std::uint32_t U32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

bool IsPng(std::span<const std::uint8_t> b) {
    return b.size() >= 8 && b[0] == 0x89 && b[1] == 'P' && b[2] == 'N' && b[3] == 'G';
}

// A DIB image of an icon: header, colours, XOR pixels, AND mask.
std::optional<std::vector<std::uint32_t>> DecodeDib(std::span<const std::uint8_t> b, int& w,
                                                    int& h) {
    if (b.size() < 40)
        return std::nullopt;
    const std::uint32_t headerSize = U32(&b[0]);
    const auto width = static_cast<std::int32_t>(U32(&b[4]));
    const auto doubled = static_cast<std::int32_t>(U32(&b[8]));
    const int bpp = U16(&b[14]);
    const std::uint32_t compression = U32(&b[16]);
    std::uint32_t used = U32(&b[32]);
    if (headerSize < 40 || headerSize > b.size() || width <= 0 || width > 256 || doubled <= 0 ||
        doubled / 2 > 256 || doubled < 2 || compression != 0)
        return std::nullopt;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)
        return std::nullopt;
    w = width;
    h = doubled / 2;
    const std::size_t colours = bpp <= 8 ? (used && used <= (1u << bpp) ? used : 1u << bpp) : 0;
    const std::size_t paletteAt = headerSize;
    const std::size_t xorAt = paletteAt + colours * 4;
    const std::size_t xorStride = ((std::size_t(w) * bpp + 31) / 32) * 4;
    const std::size_t andStride = ((std::size_t(w) + 31) / 32) * 4;
    const std::size_t andAt = xorAt + xorStride * h;
    if (andAt > b.size())
        return std::nullopt;
    const bool hasMask = andAt + andStride * h <= b.size();
    std::vector<std::uint32_t> out(std::size_t(w) * h);
    bool anyAlpha = false;
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* row = &b[xorAt + xorStride * std::size_t(h - 1 - y)];
        for (int x = 0; x < w; ++x) {
            std::uint32_t c = 0;
            if (bpp == 32) {
                c = U32(row + x * 4);
                anyAlpha = anyAlpha || (c >> 24) != 0;
            } else if (bpp == 24) {
                c = 0xFF000000u | (row[x * 3 + 2] << 16) | (row[x * 3 + 1] << 8) | row[x * 3];
            } else {
                const int bitIndex = x * bpp;
                const int index =
                    (row[bitIndex / 8] >> (8 - bpp - bitIndex % 8)) & ((1 << bpp) - 1);
                if (std::size_t(index) < colours) {
                    const std::uint8_t* q = &b[paletteAt + std::size_t(index) * 4];
                    c = 0xFF000000u | (q[2] << 16) | (q[1] << 8) | q[0];
                }
            }
            out[std::size_t(y) * w + x] = c;
        }
    }
    // Without alpha in the pixels, the AND mask says what is transparent.
    if (bpp == 32 && !anyAlpha)
        for (auto& c : out)
            c |= 0xFF000000u;
    if (hasMask && !(bpp == 32 && anyAlpha))
        for (int y = 0; y < h; ++y) {
            const std::uint8_t* row = &b[andAt + andStride * std::size_t(h - 1 - y)];
            for (int x = 0; x < w; ++x)
                if ((row[x / 8] >> (7 - x % 8)) & 1)
                    out[std::size_t(y) * w + x] = 0;
        }
    return out;
}

} // namespace

IconPicture ScaleToSquare(const std::uint32_t* argb, int w, int h, int size) {
    IconPicture icon{size, std::vector<std::uint32_t>(std::size_t(size) * size, 0)};
    // Keep the aspect: the longer side fills the square.
    const int side = std::max(w, h);
    const double scale = double(side) / size;
    const double offX = (side - w) / 2.0, offY = (side - h) / 2.0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            // The source area this pixel covers, in source coordinates.
            const double x0 = x * scale - offX, x1 = (x + 1) * scale - offX;
            const double y0 = y * scale - offY, y1 = (y + 1) * scale - offY;
            double a = 0, r = 0, g = 0, bl = 0, area = 0;
            for (int sy = std::max(0, int(std::floor(y0))); sy < std::min(h, int(std::ceil(y1)));
                 ++sy)
                for (int sx = std::max(0, int(std::floor(x0)));
                     sx < std::min(w, int(std::ceil(x1))); ++sx) {
                    const double cover = (std::min(x1, sx + 1.0) - std::max(x0, double(sx))) *
                                         (std::min(y1, sy + 1.0) - std::max(y0, double(sy)));
                    if (cover <= 0)
                        continue;
                    const std::uint32_t c = argb[std::size_t(sy) * w + sx];
                    const double alpha = (c >> 24) / 255.0 * cover;
                    a += alpha;
                    r += ((c >> 16) & 0xFF) * alpha;
                    g += ((c >> 8) & 0xFF) * alpha;
                    bl += (c & 0xFF) * alpha;
                }
            area = scale * scale;
            if (a <= 0)
                continue;
            const auto channel = [](double v) {
                return std::uint32_t(std::clamp(v + 0.5, 0.0, 255.0));
            };
            icon.argb[std::size_t(y) * size + x] = (channel(a / area * 255) << 24) |
                                                   (channel(r / a) << 16) | (channel(g / a) << 8) |
                                                   channel(bl / a);
        }
    return icon;
}

std::optional<IconPicture> DecodePngIcon(std::span<const std::uint8_t> bytes, int size) {
    auto surface = ReadPng(bytes);
    if (!surface || surface->Empty() || surface->Width() > 1024 || surface->Height() > 1024)
        return std::nullopt;
    const auto pixels = surface->Pixels();
    return ScaleToSquare(pixels.data(), surface->Width(), surface->Height(), size);
}

std::optional<IconPicture> DecodeIco(std::span<const std::uint8_t> b, int size) {
    if (b.size() < 6 || U16(&b[0]) != 0 || U16(&b[2]) != 1)
        return std::nullopt;
    const std::size_t count = U16(&b[4]);
    if (count == 0 || 6 + count * 16 > b.size())
        return std::nullopt;
    // The image nearest the size, preferring larger (scaled down) over smaller.
    std::size_t best = count;
    int bestScore = 1 << 30;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = &b[6 + i * 16];
        const int w = e[0] ? e[0] : 256;
        const int bits = U16(e + 6);
        const int score = (w >= size ? (w - size) * 2 : (size - w) * 3 + 1000) * 64 - bits;
        if (score < bestScore) {
            bestScore = score;
            best = i;
        }
    }
    const std::uint8_t* e = &b[6 + best * 16];
    const std::uint32_t length = U32(e + 8), offset = U32(e + 12);
    if (offset > b.size() || length > b.size() - offset)
        return std::nullopt;
    const auto image = b.subspan(offset, length);
    if (IsPng(image))
        return DecodePngIcon(image, size);
    int w = 0, h = 0;
    auto pixels = DecodeDib(image, w, h);
    if (!pixels)
        return std::nullopt;
    return ScaleToSquare(pixels->data(), w, h, size);
}

std::optional<IconPicture> LoadIconFile(const std::filesystem::path& file, int size) {
    const auto bytes = ReadHostFile(file, kIconFileLimit);
    if (!bytes || bytes->empty())
        return std::nullopt;
    auto ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    if (ext == ".ico")
        return DecodeIco(*bytes, size);
    if (ext == ".svg")
        return DecodeSvgIcon(*bytes, size);
    return DecodePngIcon(*bytes, size);
}

} // namespace zorun
