#include "platform/gdi/Surface.h"

#include <algorithm>
#include <cstring>

namespace zorun {

void FillPixels(std::uint32_t* first, std::size_t count, std::uint32_t argb) {
    if (count == 0)
        return;
    const std::uint32_t byte = argb & 0xFFu;
    if (argb == byte * 0x01010101u) {
        std::memset(first, int(byte), count * sizeof argb);
        return;
    }
    // A few pixels by hand, then ever longer copies of what is already there.
    std::size_t done = std::min<std::size_t>(count, 16);
    std::fill(first, first + done, argb);
    while (done < count) {
        const std::size_t chunk = std::min(done, count - done);
        std::memcpy(first + done, first, chunk * sizeof argb);
        done += chunk;
    }
}

Surface::Surface(int width, int height, std::uint32_t fill) {
    if (width <= 0 || height <= 0)
        return;
    width_ = width;
    height_ = height;
    pixels_.resize(std::size_t(width) * std::size_t(height));
    if (fill != 0)
        FillPixels(pixels_.data(), pixels_.size(), fill);
}

std::uint32_t Surface::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    return pixels_[std::size_t(y) * width_ + x];
}

void Surface::SetPixel(int x, int y, std::uint32_t argb) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    pixels_[std::size_t(y) * width_ + x] = argb;
}

void Surface::Fill(const Rect& rect, std::uint32_t argb) {
    Rect r = rect.Intersect(Bounds());
    if (r.IsEmpty())
        return;
    // The first row filled, the others copied from it.
    const auto width = std::size_t(r.Width());
    const std::uint32_t* first = Row(r.top) + r.left;
    FillPixels(Row(r.top) + r.left, width, argb);
    for (int y = r.top + 1; y < r.bottom; ++y)
        std::memcpy(Row(y) + r.left, first, width * sizeof argb);
    RemoveTexts(r);
}

void Surface::Blit(const Surface& from, const Rect& source, Point dest, const Rect& clip) {
    // Clip the source to its surface, then the destination to ours and the clip.
    Rect src = source.Intersect(from.Bounds());
    if (src.IsEmpty())
        return;
    const int dx = dest.x - source.left;
    const int dy = dest.y - source.top;
    Rect dst = src.Offset(dx, dy).Intersect(Bounds()).Intersect(clip);
    if (dst.IsEmpty())
        return;
    src = dst.Offset(-dx, -dy);
    const auto width = std::size_t(dst.Width());
    if (&from == this && dy > 0) {
        for (int y = dst.Height() - 1; y >= 0; --y)
            std::memmove(Row(dst.top + y) + dst.left, from.Row(src.top + y) + src.left, width * 4);
    } else {
        for (int y = 0; y < dst.Height(); ++y)
            std::memmove(Row(dst.top + y) + dst.left, from.Row(src.top + y) + src.left, width * 4);
    }
    CopyTexts(from, src, {dx, dy});
}

void Surface::AddText(TextRecord record) {
    std::erase_if(texts_, [&](const TextRecord& t) { return t.position == record.position; });
    texts_.push_back(std::move(record));
}

void Surface::RemoveTexts(const Rect& rect) {
    if (rect.IsEmpty() || texts_.empty())
        return;
    std::erase_if(texts_, [&](const TextRecord& t) { return rect.Contains(t.position); });
}

void Surface::CopyTexts(const Surface& from, const Rect& source, Point offset) {
    if (source.IsEmpty())
        return;
    std::vector<TextRecord> copied;
    for (const TextRecord& t : from.texts_) {
        if (source.Contains(t.position)) {
            TextRecord moved = t;
            moved.position = {t.position.x + offset.x, t.position.y + offset.y};
            moved.bounds = t.bounds.Offset(offset.x, offset.y);
            copied.push_back(std::move(moved));
        }
    }
    RemoveTexts(source.Offset(offset.x, offset.y));
    for (TextRecord& t : copied)
        texts_.push_back(std::move(t));
}

} // namespace zorun
