// Raster operations: blits, fills, frames, lines and pixels, all clipped to
// the surface and the DC's clip.

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/gdi/GdiTable.h"

using zorun::Rect;
using zorun::Surface;
using zorun::gdi::Brush;
using zorun::gdi::GdiTable;
using zorun::gdi::Pen;
using zorun::gdi::Target;
using zorun::gdi::ToArgb;
using zorun::gdi::ToColorRef;

namespace {

constexpr std::uint32_t kAlpha = 0xFF000000u;
constexpr std::uint32_t kRgb = 0x00FFFFFFu;

bool UsesSource(DWORD rop) {
    return rop == SRCCOPY || rop == SRCPAINT || rop == SRCAND || rop == SRCINVERT;
}
bool UsesPattern(DWORD rop) {
    return rop == PATCOPY || rop == PATINVERT;
}

// One pixel of a raster operation. Copies keep the source's alpha; the XOR
// family keeps the destination's, so inverting twice restores every bit;
// the rest make opaque pixels.
template <DWORD Rop> inline std::uint32_t Apply(std::uint32_t d, std::uint32_t s, std::uint32_t p) {
    if constexpr (Rop == SRCCOPY)
        return s;
    else if constexpr (Rop == SRCPAINT)
        return (d | s) | kAlpha;
    else if constexpr (Rop == SRCAND)
        return (d & s) | kAlpha;
    else if constexpr (Rop == SRCINVERT)
        return d ^ (s & kRgb);
    else if constexpr (Rop == PATCOPY)
        return p;
    else if constexpr (Rop == PATINVERT)
        return d ^ (p & kRgb);
    else if constexpr (Rop == DSTINVERT)
        return d ^ kRgb;
    else if constexpr (Rop == BLACKNESS)
        return kAlpha;
    else
        return kAlpha | kRgb;
}

// Runs `rop` over `dst` (clipped, surface coordinates) with the source
// pixels at `src` + (dst - dst.topleft), optional.
template <DWORD Rop>
void RunRop(Surface& dest, const Rect& dst, const Surface* source, zorun::Point src,
            std::uint32_t pattern) {
    for (int y = 0; y < dst.Height(); ++y) {
        std::uint32_t* d = dest.Row(dst.top + y) + dst.left;
        const std::uint32_t* s = source ? source->Row(src.y + y) + src.x : nullptr;
        if constexpr (Rop == SRCCOPY) {
            std::memmove(d, s, std::size_t(dst.Width()) * 4);
        } else {
            for (int x = 0; x < dst.Width(); ++x)
                d[x] = Apply<Rop>(d[x], s ? s[x] : 0, pattern);
        }
    }
}

bool Run(DWORD rop, Surface& dest, const Rect& dst, const Surface* source, zorun::Point src,
         std::uint32_t pattern) {
    switch (rop) {
    case SRCCOPY:
        RunRop<SRCCOPY>(dest, dst, source, src, pattern);
        return true;
    case SRCPAINT:
        RunRop<SRCPAINT>(dest, dst, source, src, pattern);
        return true;
    case SRCAND:
        RunRop<SRCAND>(dest, dst, source, src, pattern);
        return true;
    case SRCINVERT:
        RunRop<SRCINVERT>(dest, dst, source, src, pattern);
        return true;
    case PATCOPY:
        RunRop<PATCOPY>(dest, dst, source, src, pattern);
        return true;
    case PATINVERT:
        RunRop<PATINVERT>(dest, dst, source, src, pattern);
        return true;
    case DSTINVERT:
        RunRop<DSTINVERT>(dest, dst, source, src, pattern);
        return true;
    case BLACKNESS:
        RunRop<BLACKNESS>(dest, dst, source, src, pattern);
        return true;
    case WHITENESS:
        RunRop<WHITENESS>(dest, dst, source, src, pattern);
        return true;
    default:
        return false;
    }
}

// Fills `r` (logical) with an opaque colour, dropping the texts it covers.
void FillLogical(const Target& t, const Rect& r, std::uint32_t argb) {
    const Rect dst = t.ToSurface(r).Intersect(t.clip);
    if (dst.IsEmpty())
        return;
    t.surface->Fill(dst, argb);
}

void PlotPen(const Target& t, int x, int y, int width, std::uint32_t argb) {
    if (width <= 1) {
        const zorun::Point p{x + t.offset.x, y + t.offset.y};
        if (t.clip.Contains(p))
            t.surface->Row(p.y)[p.x] = argb;
        return;
    }
    const int before = (width - 1) / 2;
    FillLogical(t, {x - before, y - before, x - before + width, y - before + width}, argb);
}

constexpr std::int64_t kLongLine = 4096;

// Cuts a very long segment down to the part near the clip (Liang-Barsky), so
// that walking it costs what is visible, not what was asked.
bool ClipSegment(const Target& t, int penWidth, zorun::Point& a, zorun::Point& b) {
    const Rect c = t.clip.Offset(-t.offset.x, -t.offset.y);
    const double pad = penWidth + 1;
    const double x0 = a.x, y0 = a.y, dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    double lo = 0, hi = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - (c.left - pad), (c.right + pad) - x0, y0 - (c.top - pad),
                         (c.bottom + pad) - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0)
            lo = std::max(lo, r);
        else
            hi = std::min(hi, r);
    }
    if (lo > hi)
        return false;
    const zorun::Point from{int(std::lround(x0 + lo * dx)), int(std::lround(y0 + lo * dy))};
    const zorun::Point to{int(std::lround(x0 + hi * dx)), int(std::lround(y0 + hi * dy))};
    a = from;
    // Keep the end point excluded only where the caller's segment ended.
    b = hi < 1 ? zorun::Point{to.x + (dx > 0) - (dx < 0), to.y + (dy > 0) - (dy < 0)} : to;
    return true;
}

// A line from a to b without its end point, as the device draws it.
void DrawLine(const Target& t, zorun::Point a, zorun::Point b, const Pen& pen) {
    if (pen.style == PS_NULL)
        return;
    const std::uint32_t argb = ToArgb(pen.color);
    if (std::abs(std::int64_t(b.x) - a.x) + std::abs(std::int64_t(b.y) - a.y) > kLongLine &&
        !ClipSegment(t, pen.width, a, b))
        return;
    const int dx = std::abs(b.x - a.x), dy = std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    int err = dx - dy;
    int x = a.x, y = a.y;
    for (int step = 0; x != b.x || y != b.y; ++step) {
        // Dashes of 6 pixels with gaps of 3.
        if (pen.style != PS_DASH || step % 9 < 6)
            PlotPen(t, x, y, pen.width, argb);
        const int e2 = 2 * err;
        if (e2 > -dy) {
            err -= dy;
            x += sx;
        }
        if (e2 < dx) {
            err += dx;
            y += sy;
        }
    }
}

std::optional<Target> Resolve(HDC hdc) {
    return GdiTable::Get().Resolve(hdc);
}

} // namespace

BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop) {
    auto t = Resolve(hdc);
    if (!t || UsesSource(rop))
        return FALSE;
    std::uint32_t pattern = 0;
    if (UsesPattern(rop)) {
        const Brush* brush = GdiTable::Get().Find<Brush>(t->dc->state.brush);
        if (!brush)
            return FALSE;
        if (brush->hollow)
            return TRUE;
        pattern = ToArgb(brush->color);
    }
    if (width < 0) {
        x += width;
        width = -width;
    }
    if (height < 0) {
        y += height;
        height = -height;
    }
    const Rect dst = t->ToSurface(zorun::gdi::SizedRect(x, y, width, height)).Intersect(t->clip);
    if (dst.IsEmpty())
        return TRUE;
    if (!Run(rop, *t->surface, dst, nullptr, {}, pattern))
        return FALSE;
    if (rop == PATCOPY || rop == BLACKNESS || rop == WHITENESS)
        t->surface->RemoveTexts(dst);
    t->Commit();
    return TRUE;
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
    if (!UsesSource(rop))
        return PatBlt(dest, x, y, width, height, rop);
    auto d = Resolve(dest);
    auto s = Resolve(src);
    if (!d || !s)
        return FALSE;
    if (width <= 0 || height <= 0)
        return TRUE;
    // The source is clipped to its surface only; the destination to its clip.
    const Rect source = s->ToSurface(zorun::gdi::SizedRect(srcX, srcY, width, height));
    const zorun::Point delta{zorun::gdi::Bound(x) + d->offset.x - source.left,
                             zorun::gdi::Bound(y) + d->offset.y - source.top};
    const Rect dst =
        source.Intersect(s->surface->Bounds()).Offset(delta.x, delta.y).Intersect(d->clip);
    if (dst.IsEmpty())
        return TRUE;
    const Rect from = dst.Offset(-delta.x, -delta.y);
    if (d->surface == s->surface && rop == SRCCOPY) {
        d->surface->Blit(*s->surface, from, {dst.left, dst.top}, dst);
    } else if (d->surface == s->surface) {
        Surface copy(from.Width(), from.Height());
        copy.Blit(*s->surface, from, {0, 0});
        Run(rop, *d->surface, dst, &copy, {0, 0}, 0);
        d->surface->CopyTexts(copy, copy.Bounds(), {dst.left, dst.top});
    } else {
        Run(rop, *d->surface, dst, s->surface, {from.left, from.top}, 0);
        d->surface->CopyTexts(*s->surface, from, delta);
    }
    d->Commit();
    return TRUE;
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                int srcWidth, int srcHeight, DWORD rop) {
    if (width == srcWidth && height == srcHeight)
        return BitBlt(dest, x, y, width, height, src, srcX, srcY, rop);
    if (!UsesSource(rop))
        return PatBlt(dest, x, y, width, height, rop);
    auto d = Resolve(dest);
    auto s = Resolve(src);
    if (!d || !s || width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0)
        return FALSE;
    if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0)
        return TRUE;
    const Rect target = d->ToSurface(zorun::gdi::SizedRect(x, y, width, height));
    const Rect dst = target.Intersect(d->clip);
    if (dst.IsEmpty())
        return TRUE;
    const Rect source = s->ToSurface(zorun::gdi::SizedRect(srcX, srcY, srcWidth, srcHeight));
    const Rect sourceBounds = s->surface->Bounds();
    // Nearest sampling at pixel centres; the copy keeps its own source row.
    Surface sampled(dst.Width(), dst.Height());
    std::vector<std::uint8_t> valid(std::size_t(dst.Width()) * dst.Height(), 0);
    for (int row = 0; row < dst.Height(); ++row) {
        const int ty = dst.top + row - target.top;
        const int sy =
            source.top + int((std::int64_t(ty) * 2 + 1) * srcHeight / (2 * std::int64_t(height)));
        for (int col = 0; col < dst.Width(); ++col) {
            const int tx = dst.left + col - target.left;
            const int sx = source.left +
                           int((std::int64_t(tx) * 2 + 1) * srcWidth / (2 * std::int64_t(width)));
            if (sourceBounds.Contains({sx, sy})) {
                sampled.Row(row)[col] = s->surface->Row(sy)[sx];
                valid[std::size_t(row) * dst.Width() + col] = 1;
            }
        }
    }
    for (int row = 0; row < dst.Height(); ++row) {
        std::uint32_t* out = d->surface->Row(dst.top + row) + dst.left;
        const std::uint8_t* ok = valid.data() + std::size_t(row) * dst.Width();
        for (int col = 0; col < dst.Width(); ++col) {
            if (!ok[col])
                continue;
            const std::uint32_t sp = sampled.Row(row)[col];
            switch (rop) {
            case SRCCOPY:
                out[col] = Apply<SRCCOPY>(out[col], sp, 0);
                break;
            case SRCPAINT:
                out[col] = Apply<SRCPAINT>(out[col], sp, 0);
                break;
            case SRCAND:
                out[col] = Apply<SRCAND>(out[col], sp, 0);
                break;
            default:
                out[col] = Apply<SRCINVERT>(out[col], sp, 0);
                break;
            }
        }
    }
    // Text records follow, their positions scaled.
    d->surface->RemoveTexts(dst);
    for (const zorun::TextRecord& r : s->surface->Texts()) {
        if (!source.Contains(r.position))
            continue;
        auto mapX = [&](int v) {
            return zorun::gdi::Bound(target.left +
                                     std::int64_t(v - source.left) * width / srcWidth);
        };
        auto mapY = [&](int v) {
            return zorun::gdi::Bound(target.top +
                                     std::int64_t(v - source.top) * height / srcHeight);
        };
        zorun::TextRecord moved = r;
        moved.position = {mapX(r.position.x), mapY(r.position.y)};
        moved.bounds = {mapX(r.bounds.left), mapY(r.bounds.top), mapX(r.bounds.right),
                        mapY(r.bounds.bottom)};
        if (dst.Contains(moved.position))
            d->surface->AddText(std::move(moved));
    }
    d->Commit();
    return TRUE;
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    auto t = Resolve(hdc);
    const Brush* b = GdiTable::Get().Find<Brush>(brush);
    if (!t || !rect || !b)
        return 0;
    if (!b->hollow) {
        FillLogical(*t, *rect, ToArgb(b->color));
        t->Commit();
    }
    return 1;
}

int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    auto t = Resolve(hdc);
    const Brush* b = GdiTable::Get().Find<Brush>(brush);
    if (!t || !rect || !b)
        return 0;
    if (b->hollow || rect->IsEmpty())
        return 1;
    const Rect& r = *rect;
    const Rect edges[] = {{r.left, r.top, r.right, r.top + 1},
                          {r.left, r.bottom - 1, r.right, r.bottom},
                          {r.left, r.top, r.left + 1, r.bottom},
                          {r.right - 1, r.top, r.right, r.bottom}};
    const std::uint32_t argb = ToArgb(b->color);
    for (const Rect& e : edges) {
        const Rect dst = t->ToSurface(e).Intersect(t->clip);
        for (int y = dst.top; y < dst.bottom; ++y)
            std::fill(t->surface->Row(y) + dst.left, t->surface->Row(y) + dst.right, argb);
    }
    t->Commit();
    return 1;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    auto t = Resolve(hdc);
    if (!t)
        return FALSE;
    const Pen* pen = GdiTable::Get().Find<Pen>(t->dc->state.pen);
    const Brush* brush = GdiTable::Get().Find<Brush>(t->dc->state.brush);
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    const int w = pen && pen->style != PS_NULL ? pen->width : 0;
    if (brush && !brush->hollow)
        FillLogical(*t, {left + w, top + w, right - w, bottom - w}, ToArgb(brush->color));
    if (w > 0) {
        // The frame lies inside the rectangle, `w` pixels thick.
        const std::uint32_t argb = ToArgb(pen->color);
        auto edge = [&](Rect e) {
            const Rect dst = t->ToSurface(e).Intersect(t->clip);
            for (int y = dst.top; y < dst.bottom; ++y)
                std::fill(t->surface->Row(y) + dst.left, t->surface->Row(y) + dst.right, argb);
        };
        edge({left, top, right, top + w});
        edge({left, bottom - w, right, bottom});
        edge({left, top, left + w, bottom});
        edge({right - w, top, right, bottom});
    }
    t->Commit();
    return TRUE;
}

BOOL DrawFocusRect(HDC hdc, const RECT* rect) {
    auto t = Resolve(hdc);
    if (!t || !rect)
        return FALSE;
    const Rect r = t->ToSurface(*rect);
    if (r.IsEmpty())
        return TRUE;
    // Every other pixel of the frame, each frame pixel visited once, so a
    // second call restores the picture exactly. Only the visible part is walked.
    // The dots follow the DC's own coordinates, not the surface's: a focus
    // painted off screen and one drawn on the window must fall on the same
    // pixels, or drawing one over the other would not remove it.
    const Rect& clip = t->clip;
    const int phase = (t->offset.x + t->offset.y) & 1;
    auto dotted = [&](int x, int y) {
        if (((x + y + phase) & 1) == 0 && clip.Contains({x, y}))
            t->surface->Row(y)[x] ^= kRgb;
    };
    const int x0 = std::max(r.left, clip.left), x1 = std::min(r.right, clip.right);
    for (int x = x0; x < x1; ++x) {
        dotted(x, r.top);
        if (r.bottom - 1 > r.top)
            dotted(x, r.bottom - 1);
    }
    const int y0 = std::max(r.top + 1, clip.top), y1 = std::min(r.bottom - 1, clip.bottom);
    for (int y = y0; y < y1; ++y) {
        dotted(r.left, y);
        if (r.right - 1 > r.left)
            dotted(r.right - 1, y);
    }
    t->Commit();
    return TRUE;
}

BOOL InvertRect(HDC hdc, const RECT* rect) {
    auto t = Resolve(hdc);
    if (!t || !rect)
        return FALSE;
    const Rect dst = t->ToSurface(*rect).Intersect(t->clip);
    if (!dst.IsEmpty())
        Run(DSTINVERT, *t->surface, dst, nullptr, {}, 0);
    t->Commit();
    return TRUE;
}

BOOL MoveToEx(HDC hdc, int x, int y, POINT* previous) {
    zorun::gdi::DeviceContext* dc = GdiTable::Get().FindDc(hdc);
    if (!dc)
        return FALSE;
    if (previous)
        *previous = dc->state.position;
    dc->state.position = {x, y};
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    auto t = Resolve(hdc);
    if (!t)
        return FALSE;
    const Pen* pen = GdiTable::Get().Find<Pen>(t->dc->state.pen);
    if (pen)
        DrawLine(*t, t->dc->state.position, {x, y}, *pen);
    t->dc->state.position = {x, y};
    t->Commit();
    return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    auto t = Resolve(hdc);
    if (!t)
        return CLR_INVALID;
    const zorun::Point p{x + t->offset.x, y + t->offset.y};
    if (!t->clip.Contains(p))
        return CLR_INVALID;
    t->surface->Row(p.y)[p.x] = ToArgb(color);
    t->Commit();
    return color & kRgb;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    auto t = Resolve(hdc);
    if (!t)
        return CLR_INVALID;
    const zorun::Point p{x + t->offset.x, y + t->offset.y};
    if (!t->clip.Contains(p))
        return CLR_INVALID;
    return ToColorRef(t->surface->Row(p.y)[p.x]);
}
