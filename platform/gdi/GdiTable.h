#pragma once
// The drawing layer's handle tables (device contexts, GDI objects, icons) and
// the state behind each handle. Handles are numbers never reused: a handle of
// something deleted is simply not found and the call fails. Used from the one
// user-interface thread only.

#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <variant>
#include <vector>

#include "platform/gdi/DibSection.h"
#include "platform/gdi/Surface.h"
#include "platform/gdi/WinGdi.h"

namespace zorun::gdi {

struct Brush {
    COLORREF color = 0;
    bool hollow = false;
};
struct Pen {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
};
struct Font {
    LOGFONTW log{};
};
struct Bitmap {
    Surface surface;
    std::unique_ptr<DibSection> dib; // set for DIB sections
};
using Object = std::variant<Brush, Pen, Font, Bitmap>;

struct Icon {
    Surface argb; // straight alpha
};

struct DcState {
    Point viewport;
    std::optional<Rect> clip; // surface coordinates, on top of the base clip
    HGDIOBJ bitmap = nullptr;
    HGDIOBJ pen = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ font = nullptr;
    int bkMode = OPAQUE;
    COLORREF bkColor = RGB(255, 255, 255);
    COLORREF textColor = RGB(0, 0, 0);
    Point position;
};

struct DeviceContext {
    Surface* surface = nullptr; // a window DC's surface; null for a memory DC
    Point origin;
    Rect baseClip;
    DcState state;
    std::vector<DcState> saved;
};

// Coordinates far beyond any surface are pulled in, so that arithmetic on
// what callers pass can never overflow.
constexpr int kFar = 1 << 28;
[[nodiscard]] inline int Bound(std::int64_t v) {
    return int(v < -kFar ? -kFar : (v > kFar ? kFar : v));
}
[[nodiscard]] inline Rect Bounded(const Rect& r) {
    return {Bound(r.left), Bound(r.top), Bound(r.right), Bound(r.bottom)};
}
[[nodiscard]] inline Rect SizedRect(std::int64_t x, std::int64_t y, std::int64_t w,
                                    std::int64_t h) {
    return {Bound(x), Bound(y), Bound(x + w), Bound(y + h)};
}

// Where a DC draws right now: the surface, how logical coordinates map onto
// it and the clip. For a DIB section the bits are decoded on resolving and
// encoded again by Commit() after drawing.
struct Target {
    DeviceContext* dc = nullptr;
    Surface* surface = nullptr;
    Bitmap* bitmap = nullptr;
    Point offset; // surface = logical + offset
    Rect clip;    // surface coordinates, within the surface

    [[nodiscard]] Rect ToSurface(const Rect& r) const {
        return Bounded(r).Offset(offset.x, offset.y);
    }
    void Commit() const;
};

class GdiTable {
  public:
    static GdiTable& Get();

    HDC AddDc(std::unique_ptr<DeviceContext> dc);
    [[nodiscard]] DeviceContext* FindDc(HDC hdc);
    bool RemoveDc(HDC hdc);

    HGDIOBJ AddObject(Object object);
    [[nodiscard]] Object* FindObject(HGDIOBJ handle);
    template <class T> [[nodiscard]] T* Find(HGDIOBJ handle) {
        Object* o = FindObject(handle);
        return o ? std::get_if<T>(o) : nullptr;
    }
    // Stock objects are never deleted.
    bool RemoveObject(HGDIOBJ handle);
    [[nodiscard]] HGDIOBJ Stock(int index);
    [[nodiscard]] HGDIOBJ DefaultBitmap() { return defaultBitmap_; }

    HICON AddIcon(Icon icon);
    [[nodiscard]] Icon* FindIcon(HICON icon);
    bool RemoveIcon(HICON icon);

    // The DC's current target; nullopt when the DC or its bitmap is gone.
    [[nodiscard]] std::optional<Target> Resolve(HDC hdc);

  private:
    GdiTable();
    std::uintptr_t next_ = 0x100;
    std::unordered_map<std::uintptr_t, std::unique_ptr<DeviceContext>> dcs_;
    std::unordered_map<std::uintptr_t, std::unique_ptr<Object>> objects_;
    std::unordered_map<std::uintptr_t, std::unique_ptr<Icon>> icons_;
    std::vector<HGDIOBJ> stock_;
    HGDIOBJ defaultBitmap_ = nullptr;
};

// 0x00BBGGRR to opaque 0xFFRRGGBB and back.
[[nodiscard]] constexpr std::uint32_t ToArgb(COLORREF c) {
    return 0xFF000000u | (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) |
           std::uint32_t(GetBValue(c));
}
[[nodiscard]] constexpr COLORREF ToColorRef(std::uint32_t argb) {
    return RGB(int((argb >> 16) & 0xFF), int((argb >> 8) & 0xFF), int(argb & 0xFF));
}

} // namespace zorun::gdi
