// Icons: creation from ARGB and drawing blended over the destination.

#include <algorithm>
#include <cstring>

#include "platform/gdi/GdiTable.h"
#include "platform/gdi/Icon.h"

using zorun::Surface;
using zorun::gdi::GdiTable;

namespace {

constexpr int kMaxIconSide = 1024;

// Straight-alpha area average: each destination pixel averages the source
// pixels its area covers (weighted by alpha), which is plain nearest
// sampling when enlarging.
Surface Scale(const Surface& from, int width, int height) {
    Surface out(width, height, 0);
    const int sw = from.Width(), sh = from.Height();
    for (int y = 0; y < height; ++y) {
        const int y0 = int(std::int64_t(y) * sh / height);
        const int y1 = std::max(y0 + 1, int(std::int64_t(y + 1) * sh / height));
        for (int x = 0; x < width; ++x) {
            const int x0 = int(std::int64_t(x) * sw / width);
            const int x1 = std::max(x0 + 1, int(std::int64_t(x + 1) * sw / width));
            std::uint64_t a = 0, r = 0, g = 0, b = 0, n = 0;
            for (int sy = y0; sy < y1; ++sy) {
                for (int sx = x0; sx < x1; ++sx) {
                    const std::uint32_t p = from.Row(sy)[sx];
                    const std::uint32_t pa = p >> 24;
                    a += pa;
                    r += ((p >> 16) & 0xFF) * pa;
                    g += ((p >> 8) & 0xFF) * pa;
                    b += (p & 0xFF) * pa;
                    ++n;
                }
            }
            if (a == 0)
                continue;
            const auto avgA = std::uint32_t((a + n / 2) / n);
            out.Row(y)[x] = (avgA << 24) | std::uint32_t((r + a / 2) / a) << 16 |
                            std::uint32_t((g + a / 2) / a) << 8 | std::uint32_t((b + a / 2) / a);
        }
    }
    return out;
}

inline std::uint32_t Blend(std::uint32_t d, std::uint32_t s) {
    const std::uint32_t a = s >> 24;
    if (a == 255)
        return s;
    if (a == 0)
        return d;
    const std::uint32_t ia = 255 - a;
    auto mix = [&](int shift) {
        const std::uint32_t sc = (s >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
        return ((sc * a + dc * ia + 127) / 255) << shift;
    };
    const std::uint32_t da = d >> 24;
    const std::uint32_t outA = a + (da * ia + 127) / 255;
    return (outA << 24) | mix(16) | mix(8) | mix(0);
}

} // namespace

HICON CreateIconFromArgb(int w, int h, const std::uint32_t* argb) {
    if (!argb || w <= 0 || h <= 0 || w > kMaxIconSide || h > kMaxIconSide)
        return nullptr;
    zorun::gdi::Icon icon;
    icon.argb = Surface(w, h, 0);
    std::memcpy(icon.argb.Pixels().data(), argb, std::size_t(w) * h * 4);
    return GdiTable::Get().AddIcon(std::move(icon));
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int width, int height, UINT, HBRUSH, UINT) {
    zorun::gdi::Icon* found = GdiTable::Get().FindIcon(icon);
    auto t = GdiTable::Get().Resolve(hdc);
    if (!found || !t)
        return FALSE;
    const Surface& natural = found->argb;
    if (width <= 0)
        width = natural.Width();
    if (height <= 0)
        height = natural.Height();
    Surface scaled;
    const Surface* pixels = &natural;
    if (width != natural.Width() || height != natural.Height()) {
        if (width > kMaxIconSide * 4 || height > kMaxIconSide * 4)
            return FALSE;
        scaled = Scale(natural, width, height);
        pixels = &scaled;
    }
    const zorun::Rect target = t->ToSurface(zorun::gdi::SizedRect(x, y, width, height));
    const zorun::Rect dst = target.Intersect(t->clip);
    for (int row = dst.top; row < dst.bottom; ++row) {
        std::uint32_t* out = t->surface->Row(row);
        const std::uint32_t* in = pixels->Row(row - target.top) - target.left;
        for (int col = dst.left; col < dst.right; ++col)
            out[col] = Blend(out[col], in[col]);
    }
    t->Commit();
    return TRUE;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) {
    return DrawIconEx(hdc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

BOOL DestroyIcon(HICON icon) {
    return GdiTable::Get().RemoveIcon(icon) ? TRUE : FALSE;
}

namespace zorun {

bool GetIconSize(HICON icon, SIZE* size) {
    gdi::Icon* found = GdiTable::Get().FindIcon(icon);
    if (!found || !size)
        return false;
    *size = {found->argb.Width(), found->argb.Height()};
    return true;
}

const Surface* IconPixels(HICON icon) {
    gdi::Icon* found = GdiTable::Get().FindIcon(icon);
    return found ? &found->argb : nullptr;
}

} // namespace zorun
