// Device contexts and the objects selected into them.

#include <cstring>
#include <utility>

#include "platform/gdi/GdiTable.h"

using zorun::gdi::Bitmap;
using zorun::gdi::Brush;
using zorun::gdi::DeviceContext;
using zorun::gdi::Font;
using zorun::gdi::GdiTable;
using zorun::gdi::Pen;

namespace {
GdiTable& Table() {
    return GdiTable::Get();
}
} // namespace

HDC CreateSurfaceDC(zorun::Surface* surface, POINT origin, RECT clip) {
    if (!surface)
        return nullptr;
    auto dc = std::make_unique<DeviceContext>();
    dc->surface = surface;
    dc->origin = origin;
    dc->baseClip = clip;
    return Table().AddDc(std::move(dc));
}

HDC CreateCompatibleDC(HDC) {
    return Table().AddDc(std::make_unique<DeviceContext>());
}

BOOL DeleteDC(HDC hdc) {
    return Table().RemoveDc(hdc) ? TRUE : FALSE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
    DeviceContext* dc = Table().FindDc(hdc);
    zorun::gdi::Object* o = Table().FindObject(object);
    if (!dc || !o)
        return nullptr;
    HGDIOBJ* slot = nullptr;
    if (std::holds_alternative<Brush>(*o))
        slot = &dc->state.brush;
    else if (std::holds_alternative<Pen>(*o))
        slot = &dc->state.pen;
    else if (std::holds_alternative<Font>(*o))
        slot = &dc->state.font;
    else if (std::holds_alternative<Bitmap>(*o) && !dc->surface)
        slot = &dc->state.bitmap;
    if (!slot)
        return nullptr;
    HGDIOBJ previous = *slot;
    *slot = object;
    return previous;
}

BOOL DeleteObject(HGDIOBJ object) {
    return Table().RemoveObject(object) ? TRUE : FALSE;
}

int SaveDC(HDC hdc) {
    DeviceContext* dc = Table().FindDc(hdc);
    if (!dc)
        return 0;
    dc->saved.push_back(dc->state);
    return int(dc->saved.size());
}

BOOL RestoreDC(HDC hdc, int saved) {
    DeviceContext* dc = Table().FindDc(hdc);
    if (!dc)
        return FALSE;
    const int depth = int(dc->saved.size());
    // A negative number counts back from the latest save.
    const int level = saved < 0 ? depth + saved + 1 : saved;
    if (level < 1 || level > depth)
        return FALSE;
    dc->state = dc->saved[std::size_t(level - 1)];
    dc->saved.resize(std::size_t(level - 1));
    return TRUE;
}

BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* previous) {
    DeviceContext* dc = Table().FindDc(hdc);
    if (!dc)
        return FALSE;
    if (previous)
        *previous = dc->state.viewport;
    dc->state.viewport = {x, y};
    return TRUE;
}

BOOL GetViewportOrgEx(HDC hdc, POINT* origin) {
    DeviceContext* dc = Table().FindDc(hdc);
    if (!dc || !origin)
        return FALSE;
    *origin = dc->state.viewport;
    return TRUE;
}

BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, POINT* previous) {
    DeviceContext* dc = Table().FindDc(hdc);
    if (!dc)
        return FALSE;
    return SetViewportOrgEx(hdc, dc->state.viewport.x + dx, dc->state.viewport.y + dy, previous);
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    auto target = Table().Resolve(hdc);
    if (!target)
        return 0;
    const RECT r = target->ToSurface({left, top, right, bottom});
    DeviceContext* dc = target->dc;
    dc->state.clip = target->clip.Intersect(r);
    return dc->state.clip->IsEmpty() ? NULLREGION : SIMPLEREGION;
}

int GetClipBox(HDC hdc, RECT* box) {
    auto target = Table().Resolve(hdc);
    if (!target || !box)
        return 0;
    *box = target->clip.Offset(-target->offset.x, -target->offset.y);
    if (target->clip.IsEmpty())
        *box = {};
    return target->clip.IsEmpty() ? NULLREGION : SIMPLEREGION;
}

HBRUSH CreateSolidBrush(COLORREF color) {
    return Table().AddObject(Brush{color & 0xFFFFFF, false});
}

HPEN CreatePen(int style, int width, COLORREF color) {
    return Table().AddObject(Pen{style, width < 1 ? 1 : width, color & 0xFFFFFF});
}

HGDIOBJ GetStockObject(int object) {
    return Table().Stock(object);
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    DeviceContext* dc = Table().FindDc(hdc);
    if (!dc)
        return nullptr;
    switch (type) {
    case OBJ_PEN:
        return dc->state.pen;
    case OBJ_BRUSH:
        return dc->state.brush;
    case OBJ_FONT:
        return dc->state.font;
    case OBJ_BITMAP:
        return dc->state.bitmap;
    default:
        return nullptr;
    }
}

HFONT CreateFontIndirectW(const LOGFONTW* font) {
    if (!font)
        return nullptr;
    Font f;
    f.log = *font;
    f.log.lfFaceName[31] = 0;
    return Table().AddObject(f);
}

int GetObjectW(HGDIOBJ object, int size, void* out) {
    zorun::gdi::Object* o = Table().FindObject(object);
    if (!o)
        return 0;
    if (auto* bitmap = std::get_if<Bitmap>(o)) {
        if (!out)
            return int(sizeof(BITMAP));
        if (size < int(sizeof(BITMAP)))
            return 0;
        BITMAP bm{};
        bm.bmWidth = bitmap->surface.Width();
        bm.bmHeight = bitmap->surface.Height();
        bm.bmPlanes = 1;
        if (bitmap->dib) {
            bm.bmBitsPixel = WORD(bitmap->dib->BitsPerPixel());
            bm.bmWidthBytes = bitmap->dib->Stride();
            bm.bmBits = bitmap->dib->Bits();
        } else {
            bm.bmBitsPixel = 32;
            bm.bmWidthBytes = bm.bmWidth * 4;
        }
        std::memcpy(out, &bm, sizeof bm);
        return int(sizeof bm);
    }
    if (auto* font = std::get_if<Font>(o)) {
        if (!out)
            return int(sizeof(LOGFONTW));
        if (size < int(sizeof(LOGFONTW)))
            return 0;
        std::memcpy(out, &font->log, sizeof(LOGFONTW));
        return int(sizeof(LOGFONTW));
    }
    return 0;
}

int SetBkMode(HDC hdc, int mode) {
    DeviceContext* dc = Table().FindDc(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    return std::exchange(dc->state.bkMode, mode);
}

int GetBkMode(HDC hdc) {
    DeviceContext* dc = Table().FindDc(hdc);
    return dc ? dc->state.bkMode : 0;
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = Table().FindDc(hdc);
    if (!dc)
        return CLR_INVALID;
    return std::exchange(dc->state.textColor, color & 0xFFFFFF);
}

COLORREF GetTextColor(HDC hdc) {
    DeviceContext* dc = Table().FindDc(hdc);
    return dc ? dc->state.textColor : CLR_INVALID;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = Table().FindDc(hdc);
    if (!dc)
        return CLR_INVALID;
    return std::exchange(dc->state.bkColor, color & 0xFFFFFF);
}

COLORREF GetBkColor(HDC hdc) {
    DeviceContext* dc = Table().FindDc(hdc);
    return dc ? dc->state.bkColor : CLR_INVALID;
}

namespace zorun {

Surface* SurfaceOfDC(HDC hdc) {
    auto target = GdiTable::Get().Resolve(hdc);
    return target ? target->surface : nullptr;
}

Surface* SurfaceOfBitmap(HBITMAP bitmap) {
    Bitmap* b = GdiTable::Get().Find<Bitmap>(bitmap);
    if (!b)
        return nullptr;
    if (b->dib)
        b->dib->ToSurface(b->surface);
    return &b->surface;
}

HBITMAP CreateBitmapFromSurface(Surface surface) {
    if (surface.Empty())
        return nullptr;
    Bitmap b;
    b.surface = std::move(surface);
    return GdiTable::Get().AddObject(std::move(b));
}

} // namespace zorun
