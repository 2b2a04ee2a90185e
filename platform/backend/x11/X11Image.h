#pragma once
// An image in the X window's pixel format on the client's side, and its way
// to the server: shared memory (MIT-SHM) where the server offers it and the
// part is large, else plain XPutImage through the socket. A shared-memory
// put is answered by a completion event; until it comes the image must not
// change, and small parts go by the socket so that an idle tick (the clock,
// a figure of the panel) raises no event to wake the program again.

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstdint>

#include "platform/base/Geometry.h"

namespace zorun {

class Surface;

class X11Image {
  public:
    // `sharedMemory` false: never MIT-SHM.
    X11Image(Display* display, Visual* visual, int depth, bool sharedMemory);
    ~X11Image();
    X11Image(const X11Image&) = delete;
    X11Image& operator=(const X11Image&) = delete;

    // Makes the image width x height (dropping the old one); false when no
    // image can be made.
    [[nodiscard]] bool Create(int width, int height);
    // Lets go of the image without a word to the server (its connection is gone).
    void Abandon();

    [[nodiscard]] bool SharedMemory() const { return shm_.shmaddr != nullptr; }
    // 32-bit pixels laid out as the device's own 0x??RRGGBB (the top byte is
    // ignored by the server): a row of the image is a row of the frame.
    [[nodiscard]] bool FrameLayout() const { return frameLayout_; }
    [[nodiscard]] const std::uint32_t* Row(int y) const;

    // Writes the frame's pixels of `deviceRect` into the image, each as a
    // scale x scale block at (x * scale, y * scale).
    void Convert(const Surface& frame, const Rect& deviceRect, int scale);
    // Sends the part (x, y, w, h) of the image to (toX, toY) of `drawable`.
    void Put(Drawable drawable, GC gc, int x, int y, unsigned w, unsigned h, int toX, int toY);

    // True when `event` said the server has finished reading the image.
    bool TakeCompletion(const XEvent& event);

  private:
    void Release();
    void WaitUntilIdle(); // the server is done with the shared image

    Display* display_;
    Visual* visual_;
    int depth_;
    XImage* image_ = nullptr;
    XShmSegmentInfo shm_{};
    bool shmAvailable_ = false;
    int completionType_ = -1;
    bool busy_ = false; // a shared-memory put is still being read
    bool frameLayout_ = false;
};

} // namespace zorun
