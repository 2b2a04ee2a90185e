#include "platform/backend/x11/X11Image.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/backend/x11/X11Errors.h"
#include "platform/gdi/Surface.h"

namespace zorun {

namespace {

// Below this many bytes a put is copied through the socket (see the header).
constexpr std::size_t kSmallestSharedPut = 64 * 1024;

// Bit position and width of a colour mask, to place 8-bit channels in any
// true-colour pixel format.
struct Channel {
    int shift = 0;
    int bits = 0;
    explicit Channel(unsigned long mask) {
        if (!mask)
            return;
        while (!(mask & 1)) {
            mask >>= 1;
            ++shift;
        }
        while (mask & 1) {
            mask >>= 1;
            ++bits;
        }
    }
    [[nodiscard]] unsigned long Place(std::uint32_t value8) const {
        if (bits >= 8)
            return static_cast<unsigned long>(value8) << (shift + bits - 8);
        return static_cast<unsigned long>(value8 >> (8 - bits)) << shift;
    }
};

bool NativeLsbFirst() {
    const std::uint16_t probe = 1;
    return *reinterpret_cast<const std::uint8_t*>(&probe) == 1;
}

} // namespace

X11Image::X11Image(Display* display, Visual* visual, int depth, bool sharedMemory)
    : display_(display), visual_(visual), depth_(depth) {
    int major = 0, minor = 0;
    Bool pixmaps = False;
    // A remote server cannot see our memory; DISPLAY names with a host are
    // remote whatever the extension says.
    const char* name = DisplayString(display_);
    const bool local = name && (name[0] == ':' || std::strncmp(name, "unix:", 5) == 0);
    shmAvailable_ = sharedMemory && local && XShmQueryVersion(display_, &major, &minor, &pixmaps);
    if (shmAvailable_)
        completionType_ = XShmGetEventBase(display_) + ShmCompletion;
}

X11Image::~X11Image() {
    Release();
}

void X11Image::Release() {
    if (!image_)
        return;
    if (shm_.shmaddr) {
        WaitUntilIdle();
        XShmDetach(display_, &shm_);
        XSync(display_, False);
        shmdt(shm_.shmaddr);
        shm_ = {};
        image_->data = nullptr;
    }
    XDestroyImage(image_);
    image_ = nullptr;
}

void X11Image::Abandon() {
    if (!image_)
        return;
    if (shm_.shmaddr) {
        shmdt(shm_.shmaddr);
        shm_ = {};
        image_->data = nullptr;
    }
    XDestroyImage(image_); // client memory only
    image_ = nullptr;
}

bool X11Image::Create(int width, int height) {
    Release();
    const auto w = static_cast<unsigned>(width), h = static_cast<unsigned>(height);
    if (shmAvailable_) {
        image_ = XShmCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, nullptr,
                                 &shm_, w, h);
        if (image_) {
            shm_.shmid = shmget(IPC_PRIVATE,
                                static_cast<std::size_t>(image_->bytes_per_line) * image_->height,
                                IPC_CREAT | 0600);
            void* address = shm_.shmid >= 0 ? shmat(shm_.shmid, nullptr, 0) : nullptr;
            if (address && address != reinterpret_cast<void*>(-1)) {
                shm_.shmaddr = image_->data = static_cast<char*>(address);
                shm_.readOnly = True;
                X11ErrorTrap trap(display_);
                XShmAttach(display_, &shm_);
                if (trap.Failed()) {
                    shmdt(shm_.shmaddr);
                    shm_.shmaddr = nullptr;
                }
            }
            // Marked for removal now: it goes when both sides let go, even
            // if the program is killed.
            if (shm_.shmid >= 0)
                shmctl(shm_.shmid, IPC_RMID, nullptr);
            if (!shm_.shmaddr) {
                image_->data = nullptr;
                XDestroyImage(image_);
                image_ = nullptr;
                shm_ = {};
                shmAvailable_ = false; // refused once, refused always
            }
        }
    }
    if (!image_) {
        image_ = XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0, nullptr,
                              w, h, 32, 0);
        if (!image_)
            return false;
        // Our own byte order: Xlib swaps for the server when they differ.
        image_->byte_order = NativeLsbFirst() ? LSBFirst : MSBFirst;
        image_->data = static_cast<char*>(
            std::calloc(static_cast<std::size_t>(image_->bytes_per_line) * h, 1));
        if (!image_->data) {
            XDestroyImage(image_);
            image_ = nullptr;
            return false;
        }
    }
    frameLayout_ = depth_ == 24 && image_->bits_per_pixel == 32 && image_->red_mask == 0xFF0000 &&
                   image_->green_mask == 0xFF00 && image_->blue_mask == 0xFF &&
                   image_->byte_order == (NativeLsbFirst() ? LSBFirst : MSBFirst);
    return true;
}

const std::uint32_t* X11Image::Row(int y) const {
    return reinterpret_cast<const std::uint32_t*>(image_->data +
                                                  std::ptrdiff_t(y) * image_->bytes_per_line);
}

void X11Image::WaitUntilIdle() {
    if (!busy_)
        return;
    XEvent event;
    // Only the completion is taken; other events stay queued in order.
    XIfEvent(
        display_, &event,
        [](Display*, XEvent* e, XPointer type) {
            return e->type == *reinterpret_cast<int*>(type) ? True : False;
        },
        reinterpret_cast<XPointer>(&completionType_));
    busy_ = false;
}

bool X11Image::TakeCompletion(const XEvent& event) {
    if (completionType_ < 0 || event.type != completionType_)
        return false;
    busy_ = false;
    return true;
}

void X11Image::Convert(const Surface& frame, const Rect& rect, int s) {
    if (!image_ || rect.IsEmpty())
        return;
    WaitUntilIdle();
    const int bytesPerPixel = image_->bits_per_pixel / 8;
    const std::size_t rowBytes =
        std::size_t(rect.Width()) * s * static_cast<unsigned>(bytesPerPixel);
    const Channel red(image_->red_mask), green(image_->green_mask), blue(image_->blue_mask);
    for (int y = rect.top; y < rect.bottom; ++y) {
        const std::uint32_t* src = frame.Row(y);
        const int firstRow = y * s;
        char* first = image_->data + std::ptrdiff_t(firstRow) * image_->bytes_per_line +
                      std::ptrdiff_t(rect.left) * s * bytesPerPixel;
        if (frameLayout_) {
            // The frame's own pixels, alpha byte and all: the server ignores it.
            auto* out = reinterpret_cast<std::uint32_t*>(first);
            if (s == 1) {
                std::memcpy(out, src + rect.left, rowBytes);
            } else {
                for (int x = rect.left; x < rect.right; ++x)
                    for (int k = 0; k < s; ++k)
                        *out++ = src[x];
            }
        } else {
            for (int x = rect.left; x < rect.right; ++x) {
                const std::uint32_t argb = src[x];
                const unsigned long pixel = red.Place((argb >> 16) & 0xFF) |
                                            green.Place((argb >> 8) & 0xFF) |
                                            blue.Place(argb & 0xFF);
                for (int k = 0; k < s; ++k)
                    XPutPixel(image_, x * s + k, firstRow, pixel);
            }
        }
        // The other rows of a scaled pixel row are the same bytes.
        for (int k = 1; k < s; ++k)
            std::memcpy(first + std::ptrdiff_t(k) * image_->bytes_per_line, first, rowBytes);
    }
}

void X11Image::Put(Drawable drawable, GC gc, int x, int y, unsigned w, unsigned h, int toX,
                   int toY) {
    if (!image_ || w == 0 || h == 0)
        return;
    const std::size_t bytes =
        std::size_t(w) * h * static_cast<unsigned>(image_->bits_per_pixel / 8);
    if (shm_.shmaddr && bytes >= kSmallestSharedPut) {
        WaitUntilIdle();
        XShmPutImage(display_, drawable, gc, image_, x, y, toX, toY, w, h, True);
        busy_ = true;
    } else {
        XPutImage(display_, drawable, gc, image_, x, y, toX, toY, w, h);
    }
}

} // namespace zorun
