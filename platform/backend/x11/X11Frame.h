#pragma once
// The device screen on the X server's side: the frame of 240 x 320 device
// pixels, shown in the window with each device pixel as a scale x scale
// block (nearest neighbour). Two ways to do it:
//   - the server scales (XRender): only device pixels travel, into a pixmap
//     the window is drawn from, so a larger scale costs the program nothing;
//   - the program scales into an image of the window's size (servers
//     without XRender).
// Only what changed since the last frame is converted and sent.

#include <X11/Xlib.h>

#include <memory>
#include <vector>

#include "platform/base/Geometry.h"

namespace zorun {

class Surface;
class X11Image;

class X11Frame {
  public:
    struct Target {
        Display* display;
        Visual* visual;
        int depth;
        Window window;
        GC gc;
    };
    // The server-scaling kind where the server can, unless `serverScaling`
    // is false; `sharedMemory` false: never MIT-SHM. nullptr when no image
    // can be made at all.
    [[nodiscard]] static std::unique_ptr<X11Frame> Create(const Target& target, int scale,
                                                          bool sharedMemory, bool serverScaling);
    virtual ~X11Frame() = default;

    [[nodiscard]] virtual bool SetScale(int scale) = 0;
    [[nodiscard]] int Scale() const { return scale_; }
    [[nodiscard]] virtual bool SharedMemory() const = 0;
    [[nodiscard]] virtual bool ServerScaling() const = 0;

    // Takes the frame in: what differs from the last one is converted (and,
    // when the server scales, sent). The changed part in device pixels
    // (empty: nothing changed).
    virtual Rect Update(const Surface& frame) = 0;
    // Draws the part `deviceRect` in the window, whose device pixel (0, 0)
    // sits at window pixel `origin`.
    virtual void Show(const Rect& deviceRect, Point origin) = 0;
    // Draws what of the window area `windowRect` the screen covers.
    void ShowWindowArea(const Rect& windowRect, Point origin);

    // True when `event` was the server's answer to a shared-memory put.
    virtual bool TakeCompletion(const XEvent& event) = 0;
    // Lets go of everything without a word to the server (its connection
    // is gone).
    virtual void Abandon() = 0;

  protected:
    explicit X11Frame(int scale) : scale_(scale) {}
    // The part of `frame` that differs from the last one: compared with
    // `image` when it holds the frame's own pixels one to one, else with a
    // copy kept here. Everything the first time, or after Forget().
    Rect Changes(const Surface& frame, const X11Image* image);
    void Forget() { lastValid_ = false; }

    int scale_;

  private:
    std::vector<std::uint32_t> last_;
    bool lastValid_ = false;
};

} // namespace zorun
