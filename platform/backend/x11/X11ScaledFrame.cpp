#include "platform/backend/x11/X11ScaledFrame.h"

#include "platform/user/Screen.h"

namespace zorun {

X11ScaledFrame::X11ScaledFrame(const Target& target, bool sharedMemory)
    : X11Frame(1), target_(target),
      image_(target.display, target.visual, target.depth, sharedMemory) {}

std::unique_ptr<X11ScaledFrame> X11ScaledFrame::Create(const Target& target, int scale,
                                                       bool sharedMemory) {
    std::unique_ptr<X11ScaledFrame> frame(new X11ScaledFrame(target, sharedMemory));
    if (!frame->SetScale(scale))
        return nullptr;
    return frame;
}

bool X11ScaledFrame::SetScale(int scale) {
    scale = std::max(1, scale);
    if (!image_.Create(kScreenWidth * scale, kScreenHeight * scale))
        return false;
    scale_ = scale;
    Forget(); // the new image holds nothing yet
    return true;
}

Rect X11ScaledFrame::Update(const Surface& frame) {
    const Rect changed = Changes(frame, nullptr);
    image_.Convert(frame, changed, scale_);
    return changed;
}

void X11ScaledFrame::Show(const Rect& r, Point origin) {
    if (r.IsEmpty())
        return;
    const int s = scale_;
    image_.Put(target_.window, target_.gc, r.left * s, r.top * s,
               static_cast<unsigned>(r.Width() * s), static_cast<unsigned>(r.Height() * s),
               origin.x + r.left * s, origin.y + r.top * s);
}

} // namespace zorun
