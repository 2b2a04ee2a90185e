#include "platform/gdi/GdiTable.h"

#include <cstring>

namespace zorun::gdi {

namespace {
std::uintptr_t Key(const void* handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}
template <class H> H MakeHandle(std::uintptr_t id) {
    return reinterpret_cast<H>(id);
}
} // namespace

void Target::Commit() const {
    if (bitmap && bitmap->dib)
        bitmap->dib->FromSurface(bitmap->surface);
}

GdiTable& GdiTable::Get() {
    static GdiTable table;
    return table;
}

GdiTable::GdiTable() {
    stock_.assign(DEFAULT_GUI_FONT + 1, nullptr);
    auto brush = [&](int index, COLORREF c, bool hollow = false) {
        stock_[std::size_t(index)] = AddObject(Brush{c, hollow});
    };
    brush(WHITE_BRUSH, RGB(255, 255, 255));
    brush(LTGRAY_BRUSH, RGB(192, 192, 192));
    brush(GRAY_BRUSH, RGB(128, 128, 128));
    brush(DKGRAY_BRUSH, RGB(64, 64, 64));
    brush(BLACK_BRUSH, RGB(0, 0, 0));
    brush(NULL_BRUSH, 0, true);
    stock_[WHITE_PEN] = AddObject(Pen{PS_SOLID, 1, RGB(255, 255, 255)});
    stock_[BLACK_PEN] = AddObject(Pen{PS_SOLID, 1, RGB(0, 0, 0)});
    stock_[NULL_PEN] = AddObject(Pen{PS_NULL, 1, 0});
    Font defaultFont;
    const char16_t face[] = u"Tahoma";
    std::memcpy(defaultFont.log.lfFaceName, face, sizeof face);
    stock_[SYSTEM_FONT] = AddObject(defaultFont);
    stock_[DEFAULT_GUI_FONT] = stock_[SYSTEM_FONT];
    Bitmap one;
    one.surface = Surface(1, 1);
    defaultBitmap_ = AddObject(std::move(one));
}

HDC GdiTable::AddDc(std::unique_ptr<DeviceContext> dc) {
    const std::uintptr_t id = next_++;
    dc->state.pen = stock_[BLACK_PEN];
    dc->state.brush = stock_[WHITE_BRUSH];
    dc->state.font = stock_[SYSTEM_FONT];
    if (!dc->surface)
        dc->state.bitmap = defaultBitmap_;
    dcs_.emplace(id, std::move(dc));
    return MakeHandle<HDC>(id);
}

DeviceContext* GdiTable::FindDc(HDC hdc) {
    auto it = dcs_.find(Key(hdc));
    return it == dcs_.end() ? nullptr : it->second.get();
}

bool GdiTable::RemoveDc(HDC hdc) {
    return dcs_.erase(Key(hdc)) > 0;
}

HGDIOBJ GdiTable::AddObject(Object object) {
    const std::uintptr_t id = next_++;
    objects_.emplace(id, std::make_unique<Object>(std::move(object)));
    return MakeHandle<HGDIOBJ>(id);
}

Object* GdiTable::FindObject(HGDIOBJ handle) {
    auto it = objects_.find(Key(handle));
    return it == objects_.end() ? nullptr : it->second.get();
}

bool GdiTable::RemoveObject(HGDIOBJ handle) {
    if (!handle || handle == defaultBitmap_)
        return false;
    for (HGDIOBJ s : stock_) {
        if (s == handle)
            return false;
    }
    return objects_.erase(Key(handle)) > 0;
}

HGDIOBJ GdiTable::Stock(int index) {
    if (index < 0 || std::size_t(index) >= stock_.size())
        return nullptr;
    return stock_[std::size_t(index)];
}

HICON GdiTable::AddIcon(Icon icon) {
    const std::uintptr_t id = next_++;
    icons_.emplace(id, std::make_unique<Icon>(std::move(icon)));
    return MakeHandle<HICON>(id);
}

Icon* GdiTable::FindIcon(HICON icon) {
    auto it = icons_.find(Key(icon));
    return it == icons_.end() ? nullptr : it->second.get();
}

bool GdiTable::RemoveIcon(HICON icon) {
    return icons_.erase(Key(icon)) > 0;
}

std::optional<Target> GdiTable::Resolve(HDC hdc) {
    DeviceContext* dc = FindDc(hdc);
    if (!dc)
        return std::nullopt;
    Target t;
    t.dc = dc;
    Rect clip;
    if (dc->surface) {
        t.surface = dc->surface;
        clip = dc->baseClip;
    } else {
        t.bitmap = Find<Bitmap>(dc->state.bitmap);
        if (!t.bitmap)
            return std::nullopt;
        if (t.bitmap->dib)
            t.bitmap->dib->ToSurface(t.bitmap->surface);
        t.surface = &t.bitmap->surface;
        clip = t.surface->Bounds();
    }
    t.offset = {Bound(std::int64_t(dc->origin.x) + dc->state.viewport.x),
                Bound(std::int64_t(dc->origin.y) + dc->state.viewport.y)};
    if (dc->state.clip)
        clip = clip.Intersect(*dc->state.clip);
    t.clip = clip.Intersect(t.surface->Bounds());
    return t;
}

} // namespace zorun::gdi
