#pragma once
// The frame scaled by the program: an image of the window's size, each
// device pixel written as a scale x scale block, sent part by part. For
// servers without XRender.

#include <memory>

#include "platform/backend/x11/X11Frame.h"
#include "platform/backend/x11/X11Image.h"

namespace zorun {

class X11ScaledFrame final : public X11Frame {
  public:
    [[nodiscard]] static std::unique_ptr<X11ScaledFrame> Create(const Target& target, int scale,
                                                                bool sharedMemory);

    [[nodiscard]] bool SetScale(int scale) override;
    [[nodiscard]] bool SharedMemory() const override { return image_.SharedMemory(); }
    [[nodiscard]] bool ServerScaling() const override { return false; }
    Rect Update(const Surface& frame) override;
    void Show(const Rect& deviceRect, Point origin) override;
    bool TakeCompletion(const XEvent& event) override { return image_.TakeCompletion(event); }
    void Abandon() override { image_.Abandon(); }

  private:
    X11ScaledFrame(const Target& target, bool sharedMemory);

    Target target_;
    X11Image image_;
};

} // namespace zorun
