// The X11 backend against a real X server (a private Xvfb, no window
// manager): the frame reaches the window scaled pixel for pixel, input comes
// back as device input, and the wait wakes for input, a watched descriptor,
// a signal and the timer deadline and for nothing else. Skipped where Xvfb
// is not installed.

// GoogleTest before Xlib: Xlib's macros (None, Bool) clash with its names.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/backend/HostEvents.h"
#include "platform/backend/x11/X11Display.h"
#include "platform/base/Clock.h"
#include "platform/gdi/Surface.h"
#include "platform/user/Backend.h"
#include "platform/user/Input.h"
#include "platform/user/Screen.h"
#include "platform/user/WinUser.h"

namespace {

using zorun::InputEvent;

// A private X server on a display number it picks itself.
class Xvfb {
  public:
    Xvfb() {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(fds[1], 3);
            const int devnull = open("/dev/null", O_WRONLY);
            dup2(devnull, 2);
            execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten",
                   "tcp", "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        char number[16] = {};
        pollfd p{fds[0], POLLIN, 0};
        if (pid_ > 0 && poll(&p, 1, 20000) == 1 && read(fds[0], number, sizeof number - 1) > 0)
            name_ = ":" + std::to_string(std::atoi(number));
        // Kept open: the server may still be writing the line's end, and a
        // closed pipe makes it give up.
        reportFd_ = fds[0];
    }
    ~Xvfb() { Stop(); }
    void Stop() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
        if (reportFd_ >= 0)
            close(reportFd_);
        reportFd_ = -1;
    }
    [[nodiscard]] const std::string& Name() const { return name_; }

  private:
    pid_t pid_ = -1;
    int reportFd_ = -1;
    std::string name_;
};

long VoluntarySwitches() {
    std::ifstream status("/proc/thread-self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("voluntary_ctxt_switches:", 0) == 0)
            return std::stol(line.substr(24));
    return -1;
}

// How the frame travels: shared memory or not, scaled by the server or by
// the program, at which scale, in a window or full screen.
struct Transfer {
    bool sharedMemory;
    bool serverScaling;
    int scale;
    bool fullscreen = false;
};

class X11DisplayTest : public ::testing::TestWithParam<Transfer> {
  protected:
    static void SetUpTestSuite() { server = new Xvfb(); }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }

    void SetUp() override {
        if (server->Name().empty())
            GTEST_SKIP() << "Xvfb is not available";
        setenv("DISPLAY", server->Name().c_str(), 1);
        zorun::ResetWindowSystem();
        std::string error;
        const Transfer& t = GetParam();
        display = zorun::X11Display::Open(
            {t.scale, t.fullscreen, "Zorun test", t.sharedMemory, t.serverScaling}, &error);
        ASSERT_TRUE(display) << error;
        // Xvfb offers MIT-SHM and XRender to its local clients.
        ASSERT_EQ(display->SharedMemory(), t.sharedMemory);
        ASSERT_EQ(display->ServerScaling(), t.serverScaling);
        peer = XOpenDisplay(server->Name().c_str());
        ASSERT_TRUE(peer);
        frame = zorun::Surface(zorun::kScreenWidth, zorun::kScreenHeight, 0xFF000000u);
        for (int y = 0; y < frame.Height(); ++y)
            for (int x = 0; x < frame.Width(); ++x)
                frame.SetPixel(x, y,
                               0xFF000000u | (x << 16) | ((y & 0xFF) << 8) | ((x * y) & 0xFF));
    }
    void TearDown() override {
        if (peer)
            XCloseDisplay(peer);
        display.reset();
        zorun::ResetWindowSystem();
    }

    // Serves the display until `done` or two seconds have passed.
    template <typename Done> bool ServeUntil(Done done) {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!done()) {
            if (std::chrono::steady_clock::now() > limit)
                return false;
            display->Wait(zorun::CurrentClock().NowMs() + 20);
        }
        return true;
    }

    // The window's pixel at window coordinates, as the server holds it.
    std::uint32_t WindowPixel(int x, int y) {
        XImage* image = XGetImage(peer, display->WindowId(), x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return 0;
        const auto pixel = static_cast<std::uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFFu;
        XDestroyImage(image);
        return pixel;
    }
    // Every window pixel of the device pixel's block shows its colour.
    bool Shows(int deviceX, int deviceY, std::uint32_t argb) {
        const zorun::ScreenLayout& layout = display->Layout();
        const int s = layout.scale;
        XImage* image = XGetImage(peer, display->WindowId(), layout.offset.x + deviceX * s,
                                  layout.offset.y + deviceY * s, static_cast<unsigned>(s),
                                  static_cast<unsigned>(s), AllPlanes, ZPixmap);
        if (!image)
            return false;
        bool all = true;
        for (int y = 0; y < s; ++y)
            for (int x = 0; x < s; ++x)
                all = all && (XGetPixel(image, x, y) & 0xFFFFFFu) == (argb & 0xFFFFFFu);
        XDestroyImage(image);
        return all;
    }
    // Window pixels (x, y) relative to device pixel (0, 0)'s block.
    void SendButton(int type, unsigned button, int deviceX, int deviceY, int within) {
        const zorun::ScreenLayout& layout = display->Layout();
        SendButton(type, button, layout.offset.x + deviceX * layout.scale + within,
                   layout.offset.y + deviceY * layout.scale + within);
    }

    void Send(XEvent event) {
        event.xany.window = display->WindowId();
        XSendEvent(peer, display->WindowId(), False, 0, &event);
        XFlush(peer);
    }
    void SendButton(int type, unsigned button, int x, int y) {
        XEvent e{};
        e.xbutton.type = type;
        e.xbutton.button = button;
        e.xbutton.x = x;
        e.xbutton.y = y;
        e.xbutton.same_screen = True;
        Send(e);
    }
    void SendKey(KeySym key, unsigned state = 0, int type = KeyPress) {
        XEvent e{};
        e.xkey.type = type;
        e.xkey.keycode = XKeysymToKeycode(peer, key);
        e.xkey.state = state;
        e.xkey.same_screen = True;
        Send(e);
    }
    std::vector<InputEvent> TakeInput() {
        std::vector<InputEvent> taken;
        while (auto e = zorun::PeekInput()) {
            taken.push_back(*e);
            zorun::DiscardInput();
        }
        return taken;
    }
    bool QuitPosted() {
        MSG msg{};
        return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && msg.message == WM_QUIT;
    }

    static Xvfb* server;
    std::unique_ptr<zorun::X11Display> display;
    Display* peer = nullptr;
    zorun::Surface frame;
};

Xvfb* X11DisplayTest::server = nullptr;

TEST_P(X11DisplayTest, TheFrameReachesTheWindowScaledAndChangesFollow) {
    display->Present(frame);
    ASSERT_TRUE(ServeUntil([&] { return Shows(239, 319, frame.Pixel(239, 319)); }));
    for (auto [x, y] : {std::pair{0, 0}, {17, 3}, {120, 160}, {238, 1}, {1, 318}, {239, 0}})
        EXPECT_TRUE(Shows(x, y, frame.Pixel(x, y))) << x << "," << y;
    // Full screen: the margins around the centred screen stay black.
    if (const zorun::Point offset = display->Layout().offset; offset.x > 0) {
        EXPECT_EQ(WindowPixel(offset.x - 1, offset.y), 0u);
    }

    // A change in a small part is sent on its own; the rest stays.
    frame.Fill({100, 100, 103, 102}, 0xFF123456u);
    display->Present(frame);
    ASSERT_TRUE(ServeUntil([&] { return Shows(102, 101, 0xFF123456u); }));
    EXPECT_TRUE(Shows(100, 100, 0xFF123456u));
    EXPECT_TRUE(Shows(103, 101, frame.Pixel(103, 101)));
    EXPECT_TRUE(Shows(99, 100, frame.Pixel(99, 100)));
}

// The window is mapped at the first present, and the server shows nothing
// until it is exposed: work waiting for the first frame runs only once the
// frame is really in the window.
TEST_P(X11DisplayTest, TheFirstFrameCountsAsShownOnceTheWindowIsExposed) {
    zorun::Backend backend = zorun::MakeX11Backend(*display);
    zorun::SetBackend(&backend);
    bool shown = false;
    zorun::AfterFirstFrame([&] { shown = true; });
    backend.present(frame);
    EXPECT_FALSE(shown) << "mapped, not yet exposed";
    EXPECT_TRUE(ServeUntil([&] { return shown; }));
    EXPECT_TRUE(ServeUntil([&] { return Shows(239, 319, frame.Pixel(239, 319)); }));
    zorun::SetBackend(nullptr);
}

TEST_P(X11DisplayTest, PointerAndKeysBecomeDeviceInput) {
    display->Present(frame);
    // Anywhere in a device pixel's block is that pixel.
    const int last = display->Layout().scale - 1;
    SendButton(ButtonPress, Button1, 10, 20, last);
    SendButton(ButtonRelease, Button1, 11, 21, 0);
    SendButton(ButtonPress, Button3, 0, 1, 0);
    SendButton(ButtonRelease, Button3, 0, 1, 0);
    SendButton(ButtonPress, 4, 0, 1, 0); // the wheel means nothing
    ASSERT_TRUE(ServeUntil([&] { return zorun::PeekInput(4).has_value(); }));
    auto input = TakeInput();
    ASSERT_EQ(input.size(), 5u);
    EXPECT_EQ(input[0].kind, InputEvent::Kind::StylusDown);
    EXPECT_EQ(input[0].point, (zorun::Point{10, 20}));
    EXPECT_EQ(input[1].kind, InputEvent::Kind::StylusUp);
    EXPECT_EQ(input[1].point, (zorun::Point{11, 21}));
    EXPECT_EQ(input[2].kind, InputEvent::Kind::StylusDown);
    EXPECT_EQ(input[3].kind, InputEvent::Kind::SecondaryClick);
    EXPECT_EQ(input[4].kind, InputEvent::Kind::StylusUp);

    // A letter is its key and its character; Return is a key with its own
    // character and no text; Shift makes the capital; a key pressed again
    // before its release repeats, and its release is a key going up.
    SendKey(XK_a);
    SendKey(XK_Return);
    SendKey(XK_b, ShiftMask);
    SendKey(XK_b, ShiftMask);
    SendKey(XK_b, ShiftMask, KeyRelease);
    ASSERT_TRUE(ServeUntil([&] { return zorun::PeekInput(7).has_value(); }));
    input = TakeInput();
    ASSERT_EQ(input.size(), 8u);
    EXPECT_EQ(input[0].kind, InputEvent::Kind::KeyDown);
    EXPECT_EQ(input[0].virtualKey, 'A');
    EXPECT_EQ(input[1].kind, InputEvent::Kind::Char);
    EXPECT_EQ(input[1].character, u'a');
    EXPECT_EQ(input[2].kind, InputEvent::Kind::KeyDown);
    EXPECT_EQ(input[2].virtualKey, VK_RETURN);
    EXPECT_EQ(input[2].character, u'\r');
    EXPECT_EQ(input[3].virtualKey, 'B');
    EXPECT_FALSE(input[3].repeat);
    EXPECT_EQ(input[4].character, u'B');
    EXPECT_EQ(input[5].virtualKey, 'B');
    EXPECT_TRUE(input[5].repeat);
    EXPECT_EQ(input[7].kind, InputEvent::Kind::KeyUp);
    EXPECT_EQ(input[7].virtualKey, 'B');

    // A key held while the focus went elsewhere is new when pressed again.
    SendKey(XK_c);
    XEvent away{};
    away.xfocus.type = FocusOut;
    away.xfocus.mode = NotifyNormal;
    away.xfocus.detail = NotifyNonlinear;
    Send(away);
    SendKey(XK_c);
    ASSERT_TRUE(ServeUntil([&] { return zorun::PeekInput(3).has_value(); }));
    input = TakeInput();
    ASSERT_EQ(input.size(), 4u);
    EXPECT_EQ(input[2].virtualKey, 'C');
    EXPECT_FALSE(input[2].repeat);
}

TEST_P(X11DisplayTest, TheWindowManagersCloseAsksTheProgramToQuit) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.message_type = XInternAtom(peer, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(peer, "WM_DELETE_WINDOW", False));
    Send(e);
    EXPECT_TRUE(ServeUntil([&] { return zorun::MessagesPending(); }));
    EXPECT_TRUE(QuitPosted());
}

TEST_P(X11DisplayTest, TheWaitWakesForADescriptorASignalAndTheDeadline) {
    ASSERT_TRUE(zorun::InstallQuitSignals());
    display->Present(frame);
    ASSERT_TRUE(ServeUntil([&] { return Shows(0, 0, frame.Pixel(0, 0)); }));

    // A watched descriptor: the wait returns having served it.
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    int served = 0;
    zorun::AddWatchedFd(fds[0], [&] {
        char byte;
        (void)read(fds[0], &byte, 1);
        ++served;
    });
    std::thread writer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        (void)write(fds[1], "x", 1);
    });
    // (A wait may also return for an X event; the deadline is far beyond.)
    zorun::Clock& clock = zorun::CurrentClock();
    std::uint64_t limit = clock.NowMs() + 5000;
    while (!served && clock.NowMs() < limit)
        display->Wait(limit);
    writer.join();
    EXPECT_EQ(served, 1);
    zorun::RemoveWatchedFd(fds[0]);
    close(fds[0]);
    close(fds[1]);

    // A quit signal: the wait returns and the quit is on its way.
    std::thread signaller([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        kill(getpid(), SIGHUP);
    });
    limit = clock.NowMs() + 5000;
    while (!zorun::MessagesPending() && clock.NowMs() < limit)
        display->Wait(limit);
    signaller.join();
    EXPECT_TRUE(QuitPosted());

    // The deadline: one sleep for the whole wait, not a slice at a time.
    const std::uint64_t deadline = clock.NowMs() + 350;
    const long before = VoluntarySwitches();
    while (clock.NowMs() < deadline)
        display->Wait(deadline);
    const long switches = VoluntarySwitches() - before;
    EXPECT_LE(switches, 2) << "the wait woke up " << switches << " times";
    EXPECT_FALSE(zorun::MessagesPending());
}

INSTANTIATE_TEST_SUITE_P(Transfer, X11DisplayTest,
                         ::testing::Values(Transfer{true, true, 2}, Transfer{false, true, 3},
                                           Transfer{true, false, 2}, Transfer{false, false, 3},
                                           Transfer{true, true, 1, true}),
                         [](const ::testing::TestParamInfo<Transfer>& param) {
                             const Transfer& p = param.param;
                             return std::string(p.sharedMemory ? "SharedMemory" : "PutImage") +
                                    (p.serverScaling ? "ServerScaled" : "ProgramScaled") + "By" +
                                    std::to_string(p.scale) + (p.fullscreen ? "FullScreen" : "");
                         });

// The server going away (the session ends) must not end the program on the
// spot: it is asked to quit, so it saves, and the wait goes on without X.
TEST(X11DisplayLostTest, ALostServerAsksTheProgramToQuit) {
    Xvfb own;
    if (own.Name().empty())
        GTEST_SKIP() << "Xvfb is not available";
    setenv("DISPLAY", own.Name().c_str(), 1);
    zorun::ResetWindowSystem();
    std::string error;
    auto display = zorun::X11Display::Open({1, false, "Zorun test"}, &error);
    ASSERT_TRUE(display) << error;
    zorun::Surface frame(zorun::kScreenWidth, zorun::kScreenHeight, 0xFF336699u);
    display->Present(frame);
    own.Stop();
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (display->Connected() && std::chrono::steady_clock::now() < limit)
        display->Wait(zorun::CurrentClock().NowMs() + 20);
    EXPECT_FALSE(display->Connected());
    MSG msg{};
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    display->Present(frame); // nothing more is sent, nothing breaks
    display->Wait(zorun::CurrentClock().NowMs() + 5);
    display.reset();
    zorun::ResetWindowSystem();
}

} // namespace

namespace {

// Another program on the same server: a window that can own CLIPBOARD and
// answer for it, or ask for it.
class ClipboardPeer {
  public:
    explicit ClipboardPeer(const std::string& server) : display_(XOpenDisplay(server.c_str())) {
        if (!display_)
            return;
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
        clipboard_ = XInternAtom(display_, "CLIPBOARD", False);
        utf8_ = XInternAtom(display_, "UTF8_STRING", False);
        property_ = XInternAtom(display_, "PEER_CLIPBOARD", False);
    }
    ~ClipboardPeer() {
        if (display_)
            XCloseDisplay(display_);
    }
    [[nodiscard]] bool Open() const { return display_ != nullptr; }

    // Takes CLIPBOARD with `text`; a thread answers requests (when `answer`)
    // until Stop.
    void Own(std::string text, bool answer) {
        XSetSelectionOwner(display_, clipboard_, window_, CurrentTime);
        XSync(display_, False);
        serving_ = std::thread([this, text = std::move(text), answer] {
            while (!stop_) {
                XEvent event;
                if (!XCheckTypedWindowEvent(display_, window_, SelectionRequest, &event)) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                    continue;
                }
                if (!answer)
                    continue;
                const XSelectionRequestEvent& r = event.xselectionrequest;
                XEvent reply{};
                reply.xselection = {SelectionNotify, 0,        True,       display_, r.requestor,
                                    r.selection,     r.target, r.property, r.time};
                if (r.target == utf8_)
                    XChangeProperty(display_, r.requestor, r.property, utf8_, 8, PropModeReplace,
                                    reinterpret_cast<const unsigned char*>(text.data()),
                                    static_cast<int>(text.size()));
                else
                    reply.xselection.property = None;
                XSendEvent(display_, r.requestor, False, NoEventMask, &reply);
                XFlush(display_);
            }
        });
    }
    void Stop() {
        stop_ = true;
        if (serving_.joinable())
            serving_.join();
    }
    // Asks for CLIPBOARD as UTF8_STRING; `serve` runs while waiting.
    template <typename Serve> std::optional<std::string> Ask(Serve serve) {
        XConvertSelection(display_, clipboard_, utf8_, property_, window_, CurrentTime);
        XFlush(display_);
        XEvent event;
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!XCheckTypedWindowEvent(display_, window_, SelectionNotify, &event)) {
            if (std::chrono::steady_clock::now() > limit)
                return std::nullopt;
            serve();
        }
        if (event.xselection.property == None)
            return std::nullopt;
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(display_, window_, property_, 0, 1 << 16, True, AnyPropertyType, &type,
                           &format, &items, &after, &data);
        std::optional<std::string> text;
        if (data && type == utf8_)
            text = std::string(reinterpret_cast<const char*>(data), items);
        if (data)
            XFree(data);
        return text;
    }

  private:
    Display* display_;
    Window window_ = 0;
    Atom clipboard_ = 0, utf8_ = 0, property_ = 0;
    std::thread serving_;
    std::atomic<bool> stop_{false};
};

} // namespace

TEST(X11ClipboardTest, TextGoesBothWaysAndAHungOwnerIsNotWaitedFor) {
    Xvfb server;
    if (server.Name().empty())
        GTEST_SKIP() << "Xvfb is not available";
    setenv("DISPLAY", server.Name().c_str(), 1);
    zorun::ResetWindowSystem();
    std::string error;
    auto display = zorun::X11Display::Open({1, false, "Zorun test", false, false}, &error);
    ASSERT_TRUE(display) << error;

    // Copied in the program: another program pastes it, in UTF-8.
    {
        ClipboardPeer peer(server.Name());
        ASSERT_TRUE(peer.Open());
        display->SetClipboard(u"h\u00e9llo \u2713");
        EXPECT_EQ(display->Clipboard(), u"h\u00e9llo \u2713") << "our own, without a round trip";
        const auto pasted = peer.Ask([&] { display->Wait(zorun::CurrentClock().NowMs() + 10); });
        EXPECT_EQ(pasted, "h\xc3\xa9llo \xe2\x9c\x93");
    }
    // Copied in another program: the program pastes it.
    {
        ClipboardPeer peer(server.Name());
        peer.Own("from the peer\nline 2", true);
        display->Wait(zorun::CurrentClock().NowMs() + 50); // our ownership ends
        EXPECT_EQ(display->Clipboard(), u"from the peer\nline 2");
        peer.Stop();
    }
    // An owner that never answers: no text, after a bounded wait.
    {
        ClipboardPeer peer(server.Name());
        peer.Own("never sent", false);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(display->Clipboard(), std::nullopt);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        peer.Stop();
    }
    display.reset();
    zorun::ResetWindowSystem();
}
