#pragma once
// The frame scaled by the X server (XRender): the device pixels go into a
// 240 x 320 pixmap, and the window is drawn from it through a picture whose
// transform scales by a whole factor with the nearest filter. Only device
// pixels travel and the program keeps one unscaled image, whatever the
// scale (a full-screen window on a large display costs it nothing more).

#include <X11/extensions/Xrender.h>

#include <memory>

#include "platform/backend/x11/X11Frame.h"
#include "platform/backend/x11/X11Image.h"

namespace zorun {

class X11RenderFrame final : public X11Frame {
  public:
    // nullptr when the server has no XRender 0.6 (transforms and filters) or
    // no picture format for the window's visual.
    [[nodiscard]] static std::unique_ptr<X11RenderFrame> Create(const Target& target, int scale,
                                                                bool sharedMemory);
    ~X11RenderFrame() override;

    [[nodiscard]] bool SetScale(int scale) override;
    [[nodiscard]] bool SharedMemory() const override { return image_.SharedMemory(); }
    [[nodiscard]] bool ServerScaling() const override { return true; }
    Rect Update(const Surface& frame) override;
    void Show(const Rect& deviceRect, Point origin) override;
    bool TakeCompletion(const XEvent& event) override { return image_.TakeCompletion(event); }
    void Abandon() override;

  private:
    X11RenderFrame(const Target& target, bool sharedMemory);
    [[nodiscard]] bool Prepare(XRenderPictFormat* format);

    Target target_;
    X11Image image_;
    Pixmap pixmap_ = 0;
    Picture source_ = 0;      // the pixmap, scaled
    Picture destination_ = 0; // the window
    bool abandoned_ = false;
};

} // namespace zorun
