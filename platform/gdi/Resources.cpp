// Bitmaps and icons by number, decoded from the PNG artwork compiled into
// the program.

#include "platform/gdi/EmbeddedPicture.h"
#include "platform/gdi/GdiTable.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/Png.h"

namespace {

std::optional<zorun::Surface> Decode(zorun::PictureKind kind, int number) {
    for (const zorun::EmbeddedPicture* p = zorunPictures; p->number != 0; ++p) {
        if (p->kind == kind && p->number == number)
            return zorun::ReadPng({p->png, p->size});
    }
    return std::nullopt;
}

} // namespace

HBITMAP LoadBitmapW(HINSTANCE, int number) {
    auto picture = Decode(zorun::PictureKind::Bitmap, number);
    if (!picture)
        return nullptr;
    // Bitmaps are opaque: any transparency is laid over black.
    for (std::uint32_t& p : picture->Pixels()) {
        const std::uint32_t a = p >> 24;
        auto ch = [&](int shift) { return ((((p >> shift) & 0xFF) * a + 127) / 255) << shift; };
        p = 0xFF000000u | ch(16) | ch(8) | ch(0);
    }
    return zorun::CreateBitmapFromSurface(std::move(*picture));
}

HICON LoadIconW(HINSTANCE, int number) {
    auto picture = Decode(zorun::PictureKind::Icon, number);
    if (!picture)
        return nullptr;
    return CreateIconFromArgb(picture->Width(), picture->Height(), picture->Pixels().data());
}
