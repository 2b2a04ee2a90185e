// Bitmaps and icons by number, decoded from the PNG artwork compiled into
// the program.

#include <map>
#include <utility>

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

// The program loads its pictures anew at every paint (and releases them at
// its end), as the device does; decoding the PNG each time would cost more
// than the paint itself, so each picture is decoded once and copied out.
const std::optional<zorun::Surface>& Decoded(zorun::PictureKind kind, int number) {
    static std::map<std::pair<zorun::PictureKind, int>, std::optional<zorun::Surface>> pictures;
    const auto key = std::make_pair(kind, number);
    auto found = pictures.find(key);
    if (found != pictures.end())
        return found->second;
    auto picture = Decode(kind, number);
    if (picture && kind == zorun::PictureKind::Bitmap) {
        // Bitmaps are opaque: any transparency is laid over black.
        for (std::uint32_t& p : picture->Pixels()) {
            const std::uint32_t a = p >> 24;
            if (a == 0xFF)
                continue; // most pixels: nothing to lay over (saves a tenth of the start)
            auto ch = [&](int shift) { return ((((p >> shift) & 0xFF) * a + 127) / 255) << shift; };
            p = 0xFF000000u | ch(16) | ch(8) | ch(0);
        }
    }
    return pictures.emplace(key, std::move(picture)).first->second;
}

} // namespace

HBITMAP LoadBitmapW(HINSTANCE, int number) {
    const auto& picture = Decoded(zorun::PictureKind::Bitmap, number);
    if (!picture)
        return nullptr;
    return zorun::CreateBitmapFromSurface(*picture);
}

HICON LoadIconW(HINSTANCE, int number) {
    const auto& picture = Decoded(zorun::PictureKind::Icon, number);
    if (!picture)
        return nullptr;
    return CreateIconFromArgb(picture->Width(), picture->Height(), picture->Pixels().data());
}
