#pragma once
// A 32-bit pixel buffer (0xAARRGGBB, rows top to bottom) and the record of the
// texts drawn on it. The records follow the pixels: a copy of pixels carries
// the records whose position lies in the copied rectangle, an opaque fill
// removes those it covers. This lets tests and the script mode list the words
// on the screen even when they were drawn off screen and copied there.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/base/Geometry.h"

namespace zorun {

struct TextRecord {
    Point position; // top-left of the drawn text, surface coordinates
    std::u16string text;
    Rect bounds; // the box the text covers, surface coordinates
    friend bool operator==(const TextRecord&, const TextRecord&) = default;
};

// Sets `count` pixels from `first` to `argb`, much faster than a loop storing
// one pixel at a time (every surface and every opaque fill starts this way).
void FillPixels(std::uint32_t* first, std::size_t count, std::uint32_t argb);

class Surface {
  public:
    Surface() = default;
    // A surface of width x height filled with `fill`; negative sizes give an empty surface.
    Surface(int width, int height, std::uint32_t fill = 0xFF000000u);

    [[nodiscard]] int Width() const { return width_; }
    [[nodiscard]] int Height() const { return height_; }
    [[nodiscard]] Rect Bounds() const { return {0, 0, width_, height_}; }
    [[nodiscard]] bool Empty() const { return width_ <= 0 || height_ <= 0; }

    // Row y (0 <= y < Height()), Width() pixels.
    [[nodiscard]] std::uint32_t* Row(int y) { return pixels_.data() + std::size_t(y) * width_; }
    [[nodiscard]] const std::uint32_t* Row(int y) const {
        return pixels_.data() + std::size_t(y) * width_;
    }
    [[nodiscard]] std::span<std::uint32_t> Pixels() { return pixels_; }
    [[nodiscard]] std::span<const std::uint32_t> Pixels() const { return pixels_; }
    // Out-of-range reads give 0; out-of-range writes are ignored.
    [[nodiscard]] std::uint32_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, std::uint32_t argb);
    // Fills the part of `rect` inside the surface; drops the records it covers.
    void Fill(const Rect& rect, std::uint32_t argb);

    // Copies `source` (part of `from`) to `dest` here, clipped to both
    // surfaces and to `clip` (this surface's coordinates), with the text
    // records. Works when `from` is this surface.
    void Blit(const Surface& from, const Rect& source, Point dest, const Rect& clip);
    void Blit(const Surface& from, const Rect& source, Point dest) {
        Blit(from, source, dest, Bounds());
    }

    // --- Text records ---
    [[nodiscard]] const std::vector<TextRecord>& Texts() const { return texts_; }
    // Adds a record, replacing one already at the same position.
    void AddText(TextRecord record);
    // Removes the records whose position lies in `rect`.
    void RemoveTexts(const Rect& rect);
    // Replaces the records whose position lies in `source` moved by `offset`
    // with the ones of `from` in `source`, moved by `offset`.
    void CopyTexts(const Surface& from, const Rect& source, Point offset);
    void ClearTexts() { texts_.clear(); }

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
    std::vector<TextRecord> texts_;
};

} // namespace zorun
