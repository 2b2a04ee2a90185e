// Bitmaps and icons by number, decoded from the PNG artwork compiled into
// the program.

#include <map>
#include <optional>
#include <utility>

#include "platform/gdi/EmbeddedPicture.h"
#include "platform/gdi/GdiTable.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/Png.h"

namespace {

const zorun::EmbeddedPicture* Find(zorun::PictureKind kind, int number) {
    return zorun::PictureTables().Find(
        [&](const auto& p) { return p.kind == kind && p.number == number; });
}

std::optional<zorun::Surface> Decode(const zorun::EmbeddedPicture& embedded) {
    auto picture = zorun::ReadPng({embedded.png, embedded.size});
    if (picture && embedded.kind == zorun::PictureKind::Bitmap) {
        // Bitmaps are opaque: any transparency is laid over black.
        for (std::uint32_t& p : picture->Pixels()) {
            const std::uint32_t a = p >> 24;
            if (a == 0xFF)
                continue; // most pixels: nothing to lay over (saves a tenth of the start)
            auto ch = [&](int shift) { return ((((p >> shift) & 0xFF) * a + 127) / 255) << shift; };
            p = 0xFF000000u | ch(16) | ch(8) | ch(0);
        }
    }
    return picture;
}

// The program loads its pictures anew at every paint (and releases them at
// its end), as the device does; decoding the PNG each time would cost more
// than the paint itself, so each picture is decoded once and copied out.
// Decoded pictures are kept by their PNG bytes, so a language's pictures never
// stand in for another's under the same number.
const std::optional<zorun::Surface>& Decoded(zorun::PictureKind kind, int number) {
    static const std::optional<zorun::Surface> none;
    static std::map<const unsigned char*, std::optional<zorun::Surface>> pictures;
    const zorun::EmbeddedPicture* embedded = Find(kind, number);
    if (!embedded)
        return none;
    auto found = pictures.find(embedded->png);
    if (found != pictures.end())
        return found->second;
    return pictures.emplace(embedded->png, Decode(*embedded)).first->second;
}

} // namespace

HBITMAP LoadBitmapW(HINSTANCE, int number) {
    const auto& picture = Decoded(zorun::PictureKind::Bitmap, number);
    if (!picture)
        return nullptr;
    return zorun::CreateBitmapFromSurface(*picture);
}

HBITMAP zorun::LoadKeptBitmap(int number) {
    const zorun::EmbeddedPicture* embedded = Find(zorun::PictureKind::Bitmap, number);
    auto picture = embedded ? Decode(*embedded) : std::nullopt;
    if (!picture)
        return nullptr;
    return zorun::CreateBitmapFromSurface(std::move(*picture));
}

HICON LoadIconW(HINSTANCE, int number) {
    const auto& picture = Decoded(zorun::PictureKind::Icon, number);
    if (!picture)
        return nullptr;
    return CreateIconFromArgb(picture->Width(), picture->Height(), picture->Pixels().data());
}
