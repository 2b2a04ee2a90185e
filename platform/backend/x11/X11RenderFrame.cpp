#include "platform/backend/x11/X11RenderFrame.h"

#include <cmath>

#include "platform/user/Screen.h"

namespace zorun {

X11RenderFrame::X11RenderFrame(const Target& target, bool sharedMemory)
    : X11Frame(1), target_(target),
      image_(target.display, target.visual, target.depth, sharedMemory) {}

std::unique_ptr<X11RenderFrame> X11RenderFrame::Create(const Target& target, int scale,
                                                       bool sharedMemory) {
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XRenderQueryExtension(target.display, &event, &error) ||
        !XRenderQueryVersion(target.display, &major, &minor) || (major == 0 && minor < 6))
        return nullptr;
    XRenderPictFormat* format = XRenderFindVisualFormat(target.display, target.visual);
    if (!format)
        return nullptr;
    std::unique_ptr<X11RenderFrame> frame(new X11RenderFrame(target, sharedMemory));
    if (!frame->Prepare(format) || !frame->SetScale(scale))
        return nullptr;
    return frame;
}

bool X11RenderFrame::Prepare(XRenderPictFormat* format) {
    if (!image_.Create(kScreenWidth, kScreenHeight))
        return false;
    Display* d = target_.display;
    pixmap_ = XCreatePixmap(d, target_.window, kScreenWidth, kScreenHeight,
                            static_cast<unsigned>(target_.depth));
    source_ = XRenderCreatePicture(d, pixmap_, format, 0, nullptr);
    destination_ = XRenderCreatePicture(d, target_.window, format, 0, nullptr);
    // Nearest: each device pixel a sharp block.
    XRenderSetPictureFilter(d, source_, const_cast<char*>(FilterNearest), nullptr, 0);
    return pixmap_ && source_ && destination_;
}

X11RenderFrame::~X11RenderFrame() {
    if (abandoned_)
        return;
    Display* d = target_.display;
    if (destination_)
        XRenderFreePicture(d, destination_);
    if (source_)
        XRenderFreePicture(d, source_);
    if (pixmap_)
        XFreePixmap(d, pixmap_);
}

void X11RenderFrame::Abandon() {
    abandoned_ = true;
    image_.Abandon();
}

bool X11RenderFrame::SetScale(int scale) {
    scale_ = std::max(1, scale);
    // Window pixel (x, y) shows device pixel (x / scale, y / scale). The
    // factor is rounded to the nearest 16.16 step: for every whole scale up
    // to 16 the error stays well inside a block on a screen that size.
    const XFixed step = static_cast<XFixed>(std::lround(65536.0 / scale_));
    XTransform transform{{{step, 0, 0}, {0, step, 0}, {0, 0, XDoubleToFixed(1)}}};
    XRenderSetPictureTransform(target_.display, source_, &transform);
    return true;
}

Rect X11RenderFrame::Update(const Surface& frame) {
    const Rect changed = Changes(frame, &image_);
    if (changed.IsEmpty())
        return changed;
    image_.Convert(frame, changed, 1);
    image_.Put(pixmap_, target_.gc, changed.left, changed.top,
               static_cast<unsigned>(changed.Width()), static_cast<unsigned>(changed.Height()),
               changed.left, changed.top);
    return changed;
}

void X11RenderFrame::Show(const Rect& r, Point origin) {
    if (r.IsEmpty())
        return;
    const int s = scale_;
    XRenderComposite(target_.display, PictOpSrc, source_, None, destination_, r.left * s, r.top * s,
                     0, 0, origin.x + r.left * s, origin.y + r.top * s,
                     static_cast<unsigned>(r.Width() * s), static_cast<unsigned>(r.Height() * s));
}

} // namespace zorun
