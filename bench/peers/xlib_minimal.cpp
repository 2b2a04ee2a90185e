// The floor for start-up time and memory under X: the least an Xlib program
// does to show one frame the way zorun shows its screen (a 480 x 640 window,
// one full image put once it is exposed), then it waits to be closed. With
// ZORUN_FIRST_FRAME_FD set it reports like zorun: its CPU time in µs.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void ReportFirstFrame() {
    const char* fd = std::getenv("ZORUN_FIRST_FRAME_FD");
    if (!fd || !*fd)
        return;
    timespec cpu{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    const std::string line = std::to_string(cpu.tv_sec * 1000000L + cpu.tv_nsec / 1000) + "\n";
    [[maybe_unused]] auto written = write(std::atoi(fd), line.data(), line.size());
}

} // namespace

int main() {
    constexpr int kWidth = 480, kHeight = 640;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    const int screen = DefaultScreen(display);
    Window window =
        XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, kWidth, kHeight, 0, 0, 0);
    XStoreName(display, window, "xlib-minimal");
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &deleteWindow, 1);
    XSelectInput(display, window, ExposureMask);
    std::vector<std::uint32_t> pixels(std::size_t(kWidth) * kHeight, 0x3060A0u);
    XImage* image = XCreateImage(display, DefaultVisual(display, screen),
                                 static_cast<unsigned>(DefaultDepth(display, screen)), ZPixmap, 0,
                                 reinterpret_cast<char*>(pixels.data()), kWidth, kHeight, 32, 0);
    GC gc = XCreateGC(display, window, 0, nullptr);
    XMapWindow(display, window);
    bool reported = false;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == Expose && event.xexpose.count == 0) {
            XPutImage(display, window, gc, image, 0, 0, 0, 0, kWidth, kHeight);
            XFlush(display);
            if (!reported) {
                ReportFirstFrame();
                reported = true;
            }
        } else if (event.type == ClientMessage &&
                   static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow) {
            break;
        }
    }
    image->data = nullptr;
    XDestroyImage(image);
    XFreeGC(display, gc);
    XCloseDisplay(display);
    return 0;
}
