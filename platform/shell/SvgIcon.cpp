#include "platform/shell/SvgIcon.h"

#include <algorithm>
#include <cairo.h>
#include <dlfcn.h>

#include "platform/base/LibrarySymbol.h"
#include <librsvg/rsvg.h>

namespace zorun {

namespace {

// The few functions used, looked up in the library once it is open.
struct Rsvg {
    decltype(&rsvg_handle_new_from_data) newFromData = nullptr;
    decltype(&rsvg_handle_render_document) renderDocument = nullptr;
    decltype(&g_object_unref) objectUnref = nullptr;
    decltype(&g_error_free) errorFree = nullptr;
    decltype(&cairo_image_surface_create) surfaceCreate = nullptr;
    decltype(&cairo_surface_status) surfaceStatus = nullptr;
    decltype(&cairo_surface_flush) surfaceFlush = nullptr;
    decltype(&cairo_image_surface_get_data) surfaceData = nullptr;
    decltype(&cairo_image_surface_get_stride) surfaceStride = nullptr;
    decltype(&cairo_surface_destroy) surfaceDestroy = nullptr;
    decltype(&cairo_create) create = nullptr;
    decltype(&cairo_destroy) destroy = nullptr;
};

std::optional<Rsvg> Open() {
    // Kept open for the rest of the run: its pictures may be drawn any time.
    void* library = dlopen("librsvg-2.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return std::nullopt;
    Rsvg r;
    // cairo and GLib come with librsvg; dlsym searches its dependencies too.
    if (!ResolveSymbol(library, "rsvg_handle_new_from_data", r.newFromData) ||
        !ResolveSymbol(library, "rsvg_handle_render_document", r.renderDocument) ||
        !ResolveSymbol(library, "g_object_unref", r.objectUnref) ||
        !ResolveSymbol(library, "g_error_free", r.errorFree) ||
        !ResolveSymbol(library, "cairo_image_surface_create", r.surfaceCreate) ||
        !ResolveSymbol(library, "cairo_surface_status", r.surfaceStatus) ||
        !ResolveSymbol(library, "cairo_surface_flush", r.surfaceFlush) ||
        !ResolveSymbol(library, "cairo_image_surface_get_data", r.surfaceData) ||
        !ResolveSymbol(library, "cairo_image_surface_get_stride", r.surfaceStride) ||
        !ResolveSymbol(library, "cairo_surface_destroy", r.surfaceDestroy) ||
        !ResolveSymbol(library, "cairo_create", r.create) ||
        !ResolveSymbol(library, "cairo_destroy", r.destroy))
        return std::nullopt;
    return r;
}

const Rsvg* Library() {
    static const std::optional<Rsvg> library = Open();
    return library ? &*library : nullptr;
}

// cairo's premultiplied native-endian ARGB to straight 0xAARRGGBB.
std::uint32_t Straight(std::uint32_t c) {
    const std::uint32_t a = c >> 24;
    if (a == 0)
        return 0;
    if (a == 255)
        return c;
    const auto channel = [a](std::uint32_t v) {
        return std::min<std::uint32_t>(255, (v * 255 + a / 2) / a);
    };
    return (a << 24) | (channel((c >> 16) & 0xFF) << 16) | (channel((c >> 8) & 0xFF) << 8) |
           channel(c & 0xFF);
}

} // namespace

std::optional<IconPicture> DecodeSvgIcon(std::span<const std::uint8_t> bytes, int size) {
    if (bytes.empty() || size <= 0 || size > 1024)
        return std::nullopt;
    const Rsvg* rsvg = Library();
    if (!rsvg)
        return std::nullopt;
    GError* error = nullptr;
    RsvgHandle* handle = rsvg->newFromData(bytes.data(), bytes.size(), &error);
    if (!handle) {
        if (error)
            rsvg->errorFree(error);
        return std::nullopt;
    }
    cairo_surface_t* surface = rsvg->surfaceCreate(CAIRO_FORMAT_ARGB32, size, size);
    std::optional<IconPicture> picture;
    if (rsvg->surfaceStatus(surface) == CAIRO_STATUS_SUCCESS) {
        cairo_t* cr = rsvg->create(surface);
        const RsvgRectangle viewport{0, 0, double(size), double(size)};
        const bool drawn = rsvg->renderDocument(handle, cr, &viewport, &error);
        rsvg->destroy(cr);
        if (error)
            rsvg->errorFree(error);
        if (drawn) {
            rsvg->surfaceFlush(surface);
            const unsigned char* data = rsvg->surfaceData(surface);
            const int stride = rsvg->surfaceStride(surface);
            IconPicture p{size, std::vector<std::uint32_t>(std::size_t(size) * size)};
            for (int y = 0; y < size; ++y) {
                const auto* row =
                    reinterpret_cast<const std::uint32_t*>(data + std::size_t(y) * stride);
                for (int x = 0; x < size; ++x)
                    p.argb[std::size_t(y) * size + x] = Straight(row[x]);
            }
            picture = std::move(p);
        }
    }
    rsvg->surfaceDestroy(surface);
    rsvg->objectUnref(handle);
    return picture;
}

} // namespace zorun
