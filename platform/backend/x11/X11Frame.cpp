#include "platform/backend/x11/X11Frame.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/backend/x11/X11Errors.h"
#include "platform/gdi/Surface.h"
#include "platform/user/Screen.h"

namespace zorun {

namespace {

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

// Below this many bytes a put is copied through the socket (see Put).
constexpr std::size_t kSmallestSharedPut = 64 * 1024;

bool NativeLsbFirst() {
    const std::uint16_t probe = 1;
    return *reinterpret_cast<const std::uint8_t*>(&probe) == 1;
}

} // namespace

X11Frame::X11Frame(Display* display, Visual* visual, int depth, bool sharedMemory)
    : display_(display), visual_(visual), depth_(depth) {
    int major = 0, minor = 0;
    Bool pixmaps = False;
    // A remote server cannot see our memory; DISPLAY names with a host are
    // remote whatever the extension says.
    const char* name = DisplayString(display_);
    bool local = name && (name[0] == ':' || std::strncmp(name, "unix:", 5) == 0);
    shmAvailable_ = sharedMemory && local && XShmQueryVersion(display_, &major, &minor, &pixmaps);
    if (shmAvailable_)
        completionType_ = XShmGetEventBase(display_) + ShmCompletion;
}

X11Frame::~X11Frame() {
    Release();
}

void X11Frame::Release() {
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

void X11Frame::Abandon() {
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

bool X11Frame::Resize(int scale) {
    if (scale == scale_ && image_)
        return true;
    Release();
    scale_ = std::max(1, scale);
    lastValid_ = false;
    const unsigned width = static_cast<unsigned>(kScreenWidth * scale_);
    const unsigned height = static_cast<unsigned>(kScreenHeight * scale_);

    if (shmAvailable_) {
        image_ = XShmCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, nullptr,
                                 &shm_, width, height);
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
                              width, height, 32, 0);
        if (!image_)
            return false;
        // Our own byte order: Xlib swaps for the server when they differ.
        image_->byte_order = NativeLsbFirst() ? LSBFirst : MSBFirst;
        image_->data = static_cast<char*>(
            std::calloc(static_cast<std::size_t>(image_->bytes_per_line) * height, 1));
        if (!image_->data) {
            XDestroyImage(image_);
            image_ = nullptr;
            return false;
        }
    }
    standardRgb_ = image_->bits_per_pixel == 32 && image_->red_mask == 0xFF0000 &&
                   image_->green_mask == 0xFF00 && image_->blue_mask == 0xFF &&
                   image_->byte_order == (NativeLsbFirst() ? LSBFirst : MSBFirst);
    return true;
}

void X11Frame::WaitUntilIdle() {
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

bool X11Frame::TakeCompletion(const XEvent& event) {
    if (completionType_ < 0 || event.type != completionType_)
        return false;
    busy_ = false;
    return true;
}

Rect X11Frame::Update(const Surface& frame) {
    if (!image_)
        return {};
    const int width = std::min(frame.Width(), kScreenWidth);
    const int height = std::min(frame.Height(), kScreenHeight);
    if (width <= 0 || height <= 0)
        return {};
    if (last_.size() != std::size_t(kScreenWidth) * kScreenHeight)
        last_.assign(std::size_t(kScreenWidth) * kScreenHeight, 0);

    Rect changed;
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* now = frame.Row(y);
        std::uint32_t* before = last_.data() + std::size_t(y) * kScreenWidth;
        if (lastValid_ && std::memcmp(now, before, sizeof(std::uint32_t) * width) == 0)
            continue;
        int left = 0, right = width;
        if (lastValid_) {
            while (now[left] == before[left])
                ++left;
            while (now[right - 1] == before[right - 1])
                --right;
        }
        changed = changed.Union({left, y, right, y + 1});
        std::memcpy(before + left, now + left, sizeof(std::uint32_t) * (right - left));
    }
    lastValid_ = true;
    if (changed.IsEmpty())
        return {};
    WaitUntilIdle();
    Convert(frame, changed);
    return changed;
}

void X11Frame::Convert(const Surface& frame, const Rect& rect) {
    const int s = scale_;
    const std::size_t rowBytes = std::size_t(rect.Width()) * s * (image_->bits_per_pixel / 8);
    const Channel red(image_->red_mask), green(image_->green_mask), blue(image_->blue_mask);
    for (int y = rect.top; y < rect.bottom; ++y) {
        const std::uint32_t* src = frame.Row(y);
        const int firstRow = y * s;
        if (standardRgb_) {
            auto* out = reinterpret_cast<std::uint32_t*>(
                            image_->data + std::ptrdiff_t(firstRow) * image_->bytes_per_line) +
                        std::ptrdiff_t(rect.left) * s;
            for (int x = rect.left; x < rect.right; ++x) {
                const std::uint32_t pixel = src[x] & 0x00FFFFFFu;
                for (int k = 0; k < s; ++k)
                    *out++ = pixel;
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
        const char* first = image_->data + std::ptrdiff_t(firstRow) * image_->bytes_per_line +
                            std::ptrdiff_t(rect.left) * s * (image_->bits_per_pixel / 8);
        for (int k = 1; k < s; ++k)
            std::memcpy(const_cast<char*>(first) + std::ptrdiff_t(k) * image_->bytes_per_line,
                        first, rowBytes);
    }
}

void X11Frame::Put(Drawable drawable, GC gc, const Rect& deviceRect, Point origin) {
    if (!image_ || deviceRect.IsEmpty())
        return;
    const int s = scale_;
    const int x = deviceRect.left * s, y = deviceRect.top * s;
    const auto w = static_cast<unsigned>(deviceRect.Width() * s);
    const auto h = static_cast<unsigned>(deviceRect.Height() * s);
    // A small change (the clock, a figure of the panel) goes through the
    // socket: a shared-memory put is answered by a completion event, and
    // that would wake the idle program once more at every tick.
    const std::size_t bytes =
        std::size_t(w) * h * static_cast<unsigned>(image_->bits_per_pixel / 8);
    if (shm_.shmaddr && bytes >= kSmallestSharedPut) {
        WaitUntilIdle();
        XShmPutImage(display_, drawable, gc, image_, x, y, origin.x + x, origin.y + y, w, h, True);
        busy_ = true;
    } else {
        XPutImage(display_, drawable, gc, image_, x, y, origin.x + x, origin.y + y, w, h);
    }
}

void X11Frame::PutWindowArea(Drawable drawable, GC gc, const Rect& windowRect, Point origin) {
    if (!image_)
        return;
    const int s = scale_;
    const Rect covered = windowRect.Offset(-origin.x, -origin.y)
                             .Intersect({0, 0, kScreenWidth * s, kScreenHeight * s});
    if (covered.IsEmpty())
        return;
    // Whole device pixels around the area: the image is addressed in them.
    const Rect device{covered.left / s, covered.top / s, (covered.right + s - 1) / s,
                      (covered.bottom + s - 1) / s};
    Put(drawable, gc, device, origin);
}

} // namespace zorun
