// Bitmaps: compatible bitmaps and DIB sections.

#include "platform/gdi/GdiTable.h"

using zorun::gdi::Bitmap;
using zorun::gdi::GdiTable;

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384 ||
        std::int64_t(width) * height > 64LL * 1024 * 1024)
        return nullptr;
    Bitmap b;
    b.surface = zorun::Surface(width, height);
    return GdiTable::Get().AddObject(std::move(b));
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, void* section,
                         DWORD) {
    if (bits)
        *bits = nullptr;
    if (!info || usage != DIB_RGB_COLORS || section)
        return nullptr;
    auto dib = zorun::DibSection::Create(*info);
    if (!dib)
        return nullptr;
    Bitmap b;
    b.surface = zorun::Surface(dib->Width(), dib->Height());
    if (bits)
        *bits = dib->Bits();
    b.dib = std::move(dib);
    return GdiTable::Get().AddObject(std::move(b));
}
