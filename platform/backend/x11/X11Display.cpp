#include "platform/backend/x11/X11Display.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XInput2.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstring>
#include <unistd.h>

#include "platform/backend/HostEvents.h"
#include "platform/backend/x11/X11Clipboard.h"
#include "platform/backend/x11/X11Errors.h"
#include "platform/backend/x11/X11Frame.h"
#include "platform/backend/x11/X11Keyboard.h"
#include "platform/base/Clock.h"
#include "platform/base/Text.h"
#include "platform/user/Input.h"
#include "platform/user/Screen.h"

namespace zorun {

namespace {

// EWMH: the request comes from the user (a second start of the program),
// as a pager's would, so focus-stealing prevention lets it through.
constexpr long kSourceUser = 2;

Rect ExposedRect(const XExposeEvent& e) {
    return {e.x, e.y, e.x + e.width, e.y + e.height};
}

Time EventTime(const XEvent& e) {
    switch (e.type) {
    case KeyPress:
    case KeyRelease:
        return e.xkey.time;
    case ButtonPress:
    case ButtonRelease:
        return e.xbutton.time;
    case MotionNotify:
        return e.xmotion.time;
    default:
        return CurrentTime;
    }
}

} // namespace

std::unique_ptr<X11Display> X11Display::Open(const X11Settings& settings, std::string* error) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        if (error)
            *error = std::string("cannot open the X display '") + XDisplayName(nullptr) + "'";
        return nullptr;
    }
    std::unique_ptr<X11Display> self(new X11Display(display, settings));
    if (!self->Create(error))
        return nullptr;
    return self;
}

X11Display::X11Display(Display* display, const X11Settings& settings)
    : display_(display), settings_(settings), screen_(DefaultScreen(display)) {
    InstallX11ErrorHandler(display_);
    XSetIOErrorExitHandler(display_, &X11Display::OnConnectionLost, this);
    // A write to a server that went away must not kill the program before
    // it has saved; the lost connection is noticed and handled instead.
    std::signal(SIGPIPE, SIG_IGN);
}

X11Display::~X11Display() {
    keyboard_.reset();
    clipboard_.reset();
    if (lost_) {
        // Nothing more may be asked of a dead connection: only our own
        // memory is let go. Xlib sends nothing once its connection is
        // marked dead, so the graphics context's client memory can go too.
        frame_->Abandon();
        if (gc_)
            XFreeGC(display_, gc_);
        return;
    }
    frame_.reset();
    if (gc_)
        XFreeGC(display_, gc_);
    if (window_)
        XDestroyWindow(display_, window_);
    if (colormap_)
        XFreeColormap(display_, colormap_);
    XCloseDisplay(display_);
}

void X11Display::OnConnectionLost(Display*, void* self) {
    auto* display = static_cast<X11Display*>(self);
    if (display->lost_)
        return;
    display->lost_ = true;
    // The program ends as when its window is closed: it saves first.
    RequestQuit();
}

bool X11Display::Create(std::string* error) {
    visual_ = DefaultVisual(display_, screen_);
    depth_ = DefaultDepth(display_, screen_);
    if (visual_->c_class != TrueColor || depth_ < 15) {
        XVisualInfo info{};
        if (!XMatchVisualInfo(display_, screen_, 24, TrueColor, &info)) {
            if (error)
                *error = "the X display has no true-colour visual";
            return false;
        }
        visual_ = info.visual;
        depth_ = info.depth;
        colormap_ = XCreateColormap(display_, RootWindow(display_, screen_), visual_, AllocNone);
    }

    int scale = settings_.scale;
    if (scale <= 0)
        scale = DefaultScale(DisplayHeight(display_, screen_));
    int width = kScreenWidth * scale, height = kScreenHeight * scale;
    int x = std::max(0, (DisplayWidth(display_, screen_) - width) / 2);
    int y = std::max(0, (DisplayHeight(display_, screen_) - height) / 2);
    if (settings_.fullscreen) {
        width = DisplayWidth(display_, screen_);
        height = DisplayHeight(display_, screen_);
        x = y = 0;
    }

    XSetWindowAttributes attributes{};
    attributes.background_pixel = 0; // black around a centred screen
    attributes.border_pixel = 0;
    attributes.colormap = colormap_ ? colormap_ : DefaultColormap(display_, screen_);
    attributes.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                            ButtonReleaseMask | ButtonMotionMask | StructureNotifyMask |
                            FocusChangeMask;
    window_ =
        XCreateWindow(display_, RootWindow(display_, screen_), x, y, static_cast<unsigned>(width),
                      static_cast<unsigned>(height), 0, depth_, InputOutput, visual_,
                      CWBackPixel | CWBorderPixel | CWColormap | CWEventMask, &attributes);
    if (!window_) {
        if (error)
            *error = "cannot make an X window";
        return false;
    }
    XGCValues values{};
    values.graphics_exposures = False;
    gc_ = XCreateGC(display_, window_, GCGraphicsExposures, &values);

    layout_ = ScreenLayout::For(width, height, scale, settings_.fullscreen);
    frame_ = X11Frame::Create({display_, visual_, depth_, window_, gc_}, layout_.scale,
                              settings_.sharedMemory, settings_.serverScaling);
    if (!frame_) {
        if (error)
            *error = "cannot make the screen's image for the X display";
        return false;
    }
    width_ = width;
    height_ = height;
    SetProperties(width, height);
    SelectTouch();
    // A held key repeats as presses alone, not as release-and-press pairs.
    Bool detectable = False;
    XkbSetDetectableAutoRepeat(display_, True, &detectable);
    keyboard_ = std::make_unique<X11Keyboard>(display_, window_);
    clipboard_ = std::make_unique<X11Clipboard>(display_, window_);
    XFlush(display_);
    return true;
}

void X11Display::SetProperties(int width, int height) {
    const char* names[] = {"WM_PROTOCOLS",       "WM_DELETE_WINDOW", "_NET_WM_PING",
                           "_NET_ACTIVE_WINDOW", "_NET_WM_NAME",     "UTF8_STRING",
                           "_NET_WM_PID",        "_NET_WM_STATE",    "_NET_WM_STATE_FULLSCREEN"};
    Atom atoms[std::size(names)] = {};
    XInternAtoms(display_, const_cast<char**>(names), static_cast<int>(std::size(names)), False,
                 atoms);
    wmProtocols_ = atoms[0];
    wmDelete_ = atoms[1];
    netWmPing_ = atoms[2];
    netActiveWindow_ = atoms[3];
    const Atom netWmName = atoms[4], utf8 = atoms[5], netWmPid = atoms[6], netWmState = atoms[7],
               fullscreen = atoms[8];

    const std::string& title = settings_.title;
    XStoreName(display_, window_, title.c_str());
    XChangeProperty(display_, window_, netWmName, utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()),
                    static_cast<int>(title.size()));
    char name[] = "zorun";
    XClassHint classHint{name, name};
    XSetClassHint(display_, window_, &classHint);
    Atom protocols[] = {wmDelete_, netWmPing_};
    XSetWMProtocols(display_, window_, protocols, 2);
    // With the host name, the process id lets tools and window lists find
    // the window of a process.
    const long pid = getpid();
    XChangeProperty(display_, window_, netWmPid, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    char host[HOST_NAME_MAX + 1] = {};
    if (gethostname(host, sizeof host - 1) == 0) {
        XTextProperty machine{};
        char* list[] = {host};
        if (XStringListToTextProperty(list, 1, &machine)) {
            XSetWMClientMachine(display_, window_, &machine);
            XFree(machine.value);
        }
    }

    XWMHints hints{};
    hints.flags = InputHint | StateHint;
    hints.input = True;
    hints.initial_state = NormalState;
    XSetWMHints(display_, window_, &hints);
    if (settings_.fullscreen) {
        XChangeProperty(display_, window_, netWmState, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&fullscreen), 1);
    } else {
        // The device screen has one size: the window keeps it.
        XSizeHints size{};
        size.flags = PPosition | PMinSize | PMaxSize;
        size.min_width = size.max_width = width;
        size.min_height = size.max_height = height;
        XSetWMNormalHints(display_, window_, &size);
    }
}

void X11Display::SelectTouch() {
    int event = 0, errorBase = 0;
    if (!XQueryExtension(display_, "XInputExtension", &xinputOpcode_, &event, &errorBase)) {
        xinputOpcode_ = -1;
        return;
    }
    int major = 2, minor = 2;
    if (XIQueryVersion(display_, &major, &minor) != Success || major < 2 ||
        (major == 2 && minor < 2)) {
        xinputOpcode_ = -1;
        return;
    }
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_TouchBegin);
    XISetMask(bits, XI_TouchUpdate);
    XISetMask(bits, XI_TouchEnd);
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
    XISelectEvents(display_, window_, &mask, 1);
}

bool X11Display::SharedMemory() const {
    return frame_ && frame_->SharedMemory();
}

bool X11Display::ServerScaling() const {
    return frame_ && frame_->ServerScaling();
}

void X11Display::Present(const Surface& framebuffer) {
    if (lost_)
        return;
    last_ = &framebuffer;
    if (!mapped_) {
        XMapRaised(display_, window_);
        mapped_ = true;
    }
    const Rect changed = frame_->Update(framebuffer);
    if (exposed_)
        frame_->Show(changed, layout_.offset);
    XFlush(display_);
    if (exposed_)
        NoteFrameShown();
}

void X11Display::Raise() {
    if (lost_ || !window_)
        return;
    if (!mapped_) {
        XMapRaised(display_, window_);
        mapped_ = true;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window_;
    event.xclient.message_type = netActiveWindow_;
    event.xclient.format = 32;
    event.xclient.data.l[0] = kSourceUser;
    event.xclient.data.l[1] = static_cast<long>(lastEventTime_);
    XSendEvent(display_, RootWindow(display_, screen_), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    // Without a window manager nobody answers that: raise and focus ourselves.
    XRaiseWindow(display_, window_);
    XFlush(display_);
}

void X11Display::Relayout(int width, int height) {
    if (width == width_ && height == height_)
        return;
    width_ = width;
    height_ = height;
    const ScreenLayout layout =
        ScreenLayout::For(width, height, layout_.scale, settings_.fullscreen);
    if (layout.scale != layout_.scale) {
        if (!frame_->SetScale(layout.scale))
            return;
        // A frame the program scales starts again from nothing.
        if (last_ && !frame_->ServerScaling())
            (void)frame_->Update(*last_);
    }
    layout_ = layout;
    // The server clears a resized window and exposes it: that redraws it.
}

void X11Display::PushStylus(InputEvent::Kind kind, int windowX, int windowY) {
    PushInput({kind, layout_.ToDevice(windowX, windowY)});
}

void X11Display::HandleTouch(XEvent& event) {
    if (!XGetEventData(display_, &event.xcookie))
        return;
    const auto* touch = static_cast<const XIDeviceEvent*>(event.xcookie.data);
    const int x = static_cast<int>(touch->event_x), y = static_cast<int>(touch->event_y);
    lastEventTime_ = touch->time;
    switch (event.xcookie.evtype) {
    case XI_TouchBegin:
        // The first finger is the stylus; others are ignored until it lifts.
        if (!touch_ && !mouseButton_) {
            touch_ = touch->detail;
            PushStylus(InputEvent::Kind::StylusDown, x, y);
        }
        break;
    case XI_TouchUpdate:
        if (touch_ == touch->detail)
            PushStylus(InputEvent::Kind::StylusMove, x, y);
        break;
    case XI_TouchEnd:
        if (touch_ == touch->detail) {
            touch_.reset();
            PushStylus(InputEvent::Kind::StylusUp, x, y);
        }
        break;
    default:
        break;
    }
    XFreeEventData(display_, &event.xcookie);
}

void X11Display::Handle(XEvent& event) {
    if (keyboard_->Filter(event))
        return;
    if (Time t = EventTime(event); t != CurrentTime)
        lastEventTime_ = t;
    if (clipboard_->Handle(event))
        return;
    switch (event.type) {
    case Expose:
        exposure_ = exposure_.Union(ExposedRect(event.xexpose));
        if (event.xexpose.count == 0) {
            exposed_ = true;
            frame_->ShowWindowArea(exposure_, layout_.offset);
            exposure_ = {};
            // The window is mapped at the first present, so a frame is there.
            if (last_) {
                XFlush(display_);
                NoteFrameShown();
            }
        }
        break;
    case ConfigureNotify:
        Relayout(event.xconfigure.width, event.xconfigure.height);
        break;
    case UnmapNotify:
        exposed_ = false;
        break;
    case ButtonPress:
        // Left is the stylus; right is the stylus held down (the context menu
        // at once); wheel and other buttons mean nothing on the device.
        if ((event.xbutton.button == Button1 || event.xbutton.button == Button3) && !mouseButton_ &&
            !touch_) {
            mouseButton_ = event.xbutton.button;
            PushStylus(InputEvent::Kind::StylusDown, event.xbutton.x, event.xbutton.y);
            if (event.xbutton.button == Button3)
                PushStylus(InputEvent::Kind::SecondaryClick, event.xbutton.x, event.xbutton.y);
        }
        break;
    case MotionNotify:
        if (mouseButton_) {
            // Only the latest of a run of motions matters.
            XEvent next;
            while (XPending(display_) && XPeekEvent(display_, &next) && next.type == MotionNotify &&
                   next.xmotion.window == window_)
                XNextEvent(display_, &event);
            PushStylus(InputEvent::Kind::StylusMove, event.xmotion.x, event.xmotion.y);
        }
        break;
    case ButtonRelease:
        if (event.xbutton.button == mouseButton_) {
            mouseButton_ = 0;
            PushStylus(InputEvent::Kind::StylusUp, event.xbutton.x, event.xbutton.y);
        }
        break;
    case KeyPress:
        keyboard_->OnKeyPress(event.xkey);
        break;
    case KeyRelease:
        keyboard_->OnKeyRelease(event.xkey);
        break;
    case FocusIn:
        keyboard_->OnFocusIn();
        break;
    case FocusOut:
        keyboard_->OnFocusOut();
        break;
    case MappingNotify:
        XRefreshKeyboardMapping(&event.xmapping);
        break;
    case ClientMessage:
        if (event.xclient.message_type == wmProtocols_) {
            const auto protocol = static_cast<Atom>(event.xclient.data.l[0]);
            if (protocol == wmDelete_) {
                RequestQuit();
            } else if (protocol == netWmPing_) {
                event.xclient.window = RootWindow(display_, screen_);
                XSendEvent(display_, event.xclient.window, False,
                           SubstructureRedirectMask | SubstructureNotifyMask, &event);
            }
        }
        break;
    case GenericEvent:
        if (event.xcookie.extension == xinputOpcode_)
            HandleTouch(event);
        break;
    default:
        (void)frame_->TakeCompletion(event);
        break;
    }
}

void X11Display::SetClipboard(const std::u16string& text) {
    if (!lost_)
        clipboard_->Own(ToUtf8(text), lastEventTime_);
}

std::optional<std::u16string> X11Display::Clipboard() {
    if (lost_)
        return std::nullopt;
    auto text = clipboard_->Read(lastEventTime_);
    if (!text)
        return std::nullopt;
    return FromUtf8(*text);
}

bool X11Display::HandlePending() {
    bool handled = false;
    // XPending sends what is buffered and reads what has arrived, without blocking.
    while (!lost_ && XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        Handle(event);
        handled = true;
    }
    return handled;
}

void X11Display::Wait(std::optional<std::uint64_t> deadlineMs) {
    Clock& clock = CurrentClock();
    for (;;) {
        if (HandlePending())
            return;
        int timeout = -1;
        if (deadlineMs) {
            const std::uint64_t now = clock.NowMs();
            if (now >= *deadlineMs)
                timeout = 0;
            else
                timeout = static_cast<int>(std::min<std::uint64_t>(*deadlineMs - now, INT_MAX));
        }
        bool readable = false;
        if (PollHostEvents(timeout, lost_ ? -1 : ConnectionNumber(display_), &readable))
            return;
        if (readable)
            continue; // read at the top of the loop
        if (!deadlineMs || clock.NowMs() >= *deadlineMs)
            return; // an interrupted poll returns too: the loop asks again
    }
}

Backend MakeX11Backend(X11Display& display) {
    Backend backend;
    backend.present = [&display](const Surface& framebuffer) { display.Present(framebuffer); };
    backend.wait = [&display](std::optional<std::uint64_t> deadline) { display.Wait(deadline); };
    backend.shutdown = [] {};
    backend.raise = [&display] { display.Raise(); };
    backend.setClipboard = [&display](const std::u16string& text) { display.SetClipboard(text); };
    backend.clipboard = [&display] { return display.Clipboard(); };
    return backend;
}

} // namespace zorun
