#pragma once
// The scaled picture of the device screen on the X server's side of the
// wire: one image of 240 x 320 device pixels, each drawn as scale x scale
// window pixels (nearest neighbour), in the window's pixel format. It lives
// in shared memory (MIT-SHM) when the server offers it, so a large put
// copies nothing through the socket; small ones, and all where there is no
// shared memory, go by plain XPutImage.
//
// Only what changed since the last frame is converted and sent: a clock
// tick moves a few hundred bytes, not the whole screen.

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstdint>
#include <vector>

#include "platform/base/Geometry.h"

namespace zorun {

class Surface;

class X11Frame {
  public:
    // `sharedMemory` false: never MIT-SHM.
    X11Frame(Display* display, Visual* visual, int depth, bool sharedMemory);
    ~X11Frame();
    X11Frame(const X11Frame&) = delete;
    X11Frame& operator=(const X11Frame&) = delete;

    // Makes the image for `scale` (dropping the old one); false when no
    // image can be made.
    [[nodiscard]] bool Resize(int scale);
    [[nodiscard]] int Scale() const { return scale_; }
    [[nodiscard]] bool SharedMemory() const { return shm_.shmaddr != nullptr; }

    // Converts the device pixels that differ from the last frame into the
    // image; the changed part in device pixels (empty: nothing changed).
    Rect Update(const Surface& frame);
    // Sends the part `deviceRect` of the image to `drawable`, whose device
    // pixel (0, 0) sits at window pixel `origin`.
    void Put(Drawable drawable, GC gc, const Rect& deviceRect, Point origin);
    // Sends what of the window area `windowRect` the image covers.
    void PutWindowArea(Drawable drawable, GC gc, const Rect& windowRect, Point origin);

    // Lets go of the image without a word to the server (its connection is
    // gone).
    void Abandon();

    // True when `event` told that the server has finished reading the image
    // (the image may be written again).
    bool TakeCompletion(const XEvent& event);

  private:
    void Release();
    void WaitUntilIdle(); // the server is done with the shared image
    void Convert(const Surface& frame, const Rect& rect);

    Display* display_;
    Visual* visual_;
    int depth_;
    int scale_ = 0;
    XImage* image_ = nullptr;
    XShmSegmentInfo shm_{};
    bool shmAvailable_ = false;
    int completionType_ = -1;
    bool busy_ = false;               // a shared-memory put is still being read
    bool standardRgb_ = false;        // 32-bit 0x00RRGGBB pixels: the frame's own layout
    std::vector<std::uint32_t> last_; // the device frame last converted
    bool lastValid_ = false;
};

} // namespace zorun
