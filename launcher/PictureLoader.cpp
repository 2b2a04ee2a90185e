#include "launcher/PictureLoader.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/kernel/FileSystem.h"

namespace {

constexpr int kMaxSide = 8192;
constexpr std::size_t kFileHeader = 14;
// The largest information header and colour table we read: a 124-byte
// header, three masks and 256 colours.
constexpr std::size_t kInfoLimit = 124 + 12 + 256 * 4;

// A file is read up to what the largest picture accepted needs.
constexpr std::size_t kMaxPictureFileBytes =
    kFileHeader + kInfoLimit + std::size_t{kMaxSide} * kMaxSide * 4;

// Reads at `offset` into `out`; returns how many bytes were read.
using ReadAt = std::function<std::size_t(std::uint64_t offset, std::uint8_t* out, std::size_t n)>;

std::uint32_t U32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

HBITMAP Load(std::uint64_t fileLength, const ReadAt& read) {
    std::uint8_t fileHeader[kFileHeader];
    if (read(0, fileHeader, kFileHeader) != kFileHeader || fileHeader[0] != 'B' ||
        fileHeader[1] != 'M')
        return nullptr;

    std::vector<std::uint8_t> info(kInfoLimit, 0);
    const std::size_t got = read(kFileHeader, info.data(), info.size());
    if (got < 40)
        return nullptr;
    const std::uint32_t headerSize = U32(&info[0]);
    if (headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
        headerSize != 124)
        return nullptr;

    BITMAPINFO bmi{};
    BITMAPINFOHEADER& h = bmi.bmiHeader;
    h.biSize = 40;
    h.biWidth = static_cast<LONG>(U32(&info[4]));
    h.biHeight = static_cast<LONG>(U32(&info[8]));
    h.biPlanes = U16(&info[12]);
    h.biBitCount = U16(&info[14]);
    h.biCompression = U32(&info[16]);
    h.biClrUsed = U32(&info[32]);
    const std::int64_t height = h.biHeight < 0 ? -std::int64_t(h.biHeight) : h.biHeight;
    const int bpp = h.biBitCount;
    if (h.biWidth <= 0 || h.biWidth > kMaxSide || height == 0 || height > kMaxSide ||
        h.biPlanes != 1)
        return nullptr;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return nullptr;
    const bool bitfields = h.biCompression == BI_BITFIELDS;
    if (h.biCompression != BI_RGB && !(bitfields && (bpp == 16 || bpp == 32)))
        return nullptr;

    // Colour entries before the pixels: the used-colour count (all 2^bits
    // when it is 0) for palette formats; the used count, plus the three masks
    // that follow a 40-byte header, otherwise.
    std::uint64_t entries = h.biClrUsed;
    if (bpp <= 8 && entries == 0)
        entries = 1u << bpp;
    if (bpp > 8 && bitfields && headerSize == 40)
        entries += 3;
    const std::uint64_t offset = kFileHeader + headerSize + 4 * entries;

    if (bitfields) // masks sit right after the first 40 bytes in every layout
        std::memcpy(bmi.bmiColors, &info[40], 12);
    if (bpp <= 8) {
        const std::size_t colours = std::min<std::uint64_t>(entries, 256);
        const std::size_t from = headerSize;
        if (from < got)
            std::memcpy(bmi.bmiColors, &info[from], std::min(colours * 4, got - from));
    }

    // The pixels are read only up to the section's size. A file cut short
    // inside its pixels (a copy that did not finish) is shown with the rest
    // filled, as the device did; but no header can make a short file
    // allocate more than a picture of kMaxFilledPixels: beyond that size a
    // picture must hold its pixels.
    const std::uint64_t stride = ((static_cast<std::uint64_t>(h.biWidth) * bpp + 31) / 32) * 4;
    const std::uint64_t sectionSize = stride * static_cast<std::uint64_t>(height);
    const std::uint64_t lastRow = (static_cast<std::uint64_t>(h.biWidth) * bpp + 7) / 8;
    const bool whole =
        offset <= fileLength && fileLength - offset >= sectionSize - stride + lastRow;
    const auto pixels = static_cast<std::uint64_t>(h.biWidth) * static_cast<std::uint64_t>(height);
    if (!whole && (offset > fileLength || pixels > kMaxFilledPixels))
        return nullptr;

    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap)
            DeleteObject(bitmap);
        return nullptr;
    }
    const auto want = static_cast<std::size_t>(std::min(fileLength - offset, sectionSize));
    auto* out = static_cast<std::uint8_t*>(bits);
    if (read(offset, out, want) != want) {
        DeleteObject(bitmap);
        return nullptr;
    }
    // What the file does not hold stays as the section starts: zeros.
    return bitmap;
}

} // namespace

HBITMAP LoadBackgroundPicture(std::u16string_view devicePath) {
    if (devicePath.empty())
        return nullptr;
    // Through the bounded reader: a FIFO or a device is refused, not waited on.
    const std::u16string path(devicePath);
    const auto bytes = zorun::ReadDeviceFilePrefix(path.c_str(), kMaxPictureFileBytes);
    if (!bytes)
        return nullptr;
    return LoadBackgroundPictureFromBytes(*bytes);
}

HBITMAP LoadBackgroundPictureFromBytes(std::span<const std::uint8_t> bytes) {
    return Load(bytes.size(), [bytes](std::uint64_t offset, std::uint8_t* out, std::size_t n) {
        if (offset >= bytes.size())
            return std::size_t{0};
        const auto count = std::min<std::size_t>(n, bytes.size() - offset);
        std::memcpy(out, bytes.data() + offset, count);
        return count;
    });
}
