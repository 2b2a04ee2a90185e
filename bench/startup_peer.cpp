// Start-up under X: process start to first frame, and resident memory once
// started, for zorun against a minimal SDL2 program (the same window through
// the same plain framebuffer path) and against the desktop launcher
// matchbox-desktop. All three run on one private Xvfb in the same run.
//
// "First frame" is the first moment a pixel in the middle of the program's
// window is not black (every program here draws its window light or
// coloured). Memory is VmRSS 300 ms after the first frame.
//
//   bench_startup_peer [--benchmark_repetitions=N]

#include <benchmark/benchmark.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

struct XServer {
    pid_t pid = -1;
    Display* display = nullptr;
    fs::path work;

    XServer() {
        std::string pattern = (fs::temp_directory_path() / "zorun-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            return;
        work = pattern;
        int fds[2];
        if (::pipe(fds) != 0)
            return;
        pid = ::fork();
        if (pid == 0) {
            ::dup2(fds[1], 3);
            const int devnull = ::open("/dev/null", O_WRONLY);
            ::dup2(devnull, 2);
            ::execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten",
                     "tcp", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        char number[32] = {};
        pollfd p{fds[0], POLLIN, 0};
        if (::poll(&p, 1, 20000) > 0 && ::read(fds[0], number, sizeof number - 1) > 0) {
            std::string name = std::string(":") + std::to_string(std::atoi(number));
            ::setenv("DISPLAY", name.c_str(), 1);
            display = XOpenDisplay(name.c_str());
        }
        ::close(fds[0]);
        ::setenv("XDG_RUNTIME_DIR", work.c_str(), 1);
    }
    ~XServer() {
        if (display)
            XCloseDisplay(display);
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
        std::error_code ec;
        fs::remove_all(work, ec);
    }
};

XServer& Server() {
    static XServer server;
    return server;
}

long ResidentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

// A mapped top-level window with a non-black middle pixel, or none.
bool HasFirstFrame(Display* display) {
    Window root = DefaultRootWindow(display), parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, root, &root, &parent, &children, &count))
        return false;
    bool drawn = false;
    for (unsigned i = 0; i < count && !drawn; ++i) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(display, children[i], &a) || a.map_state != IsViewable ||
            a.width < 100 || a.height < 100)
            continue;
        XImage* image =
            XGetImage(display, children[i], a.width / 2, a.height / 2, 1, 1, AllPlanes, ZPixmap);
        if (image) {
            drawn = (XGetPixel(image, 0, 0) & 0xFFFFFF) != 0;
            XDestroyImage(image);
        }
    }
    if (children)
        XFree(children);
    return drawn;
}

struct Run {
    double seconds = 0;
    long residentKb = -1;
    bool ok = false;
};

Run StartOnce(const std::vector<std::string>& argv) {
    Run run;
    Display* display = Server().display;
    if (!display)
        return run;
    const auto start = Clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        const int devnull = ::open("/dev/null", O_WRONLY);
        ::dup2(devnull, 1);
        ::dup2(devnull, 2);
        std::vector<char*> args;
        for (const auto& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    const auto limit = start + std::chrono::seconds(20);
    while (Clock::now() < limit) {
        if (HasFirstFrame(display)) {
            run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
            run.ok = true;
            break;
        }
        if (::waitpid(child, nullptr, WNOHANG) == child)
            return run;
        std::this_thread::sleep_for(std::chrono::microseconds(250));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    run.residentKb = ResidentKb(child);
    ::kill(child, SIGTERM);
    if (::waitpid(child, nullptr, 0) != child)
        ::kill(child, SIGKILL);
    // Let the server forget the window before the next start.
    while (HasFirstFrame(display))
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return run;
}

void Measure(benchmark::State& state, const std::vector<std::string>& argv) {
    long residentTotal = 0;
    int runs = 0;
    for (auto _ : state) {
        const Run run = StartOnce(argv);
        if (!run.ok) {
            state.SkipWithError(("no first frame from " + argv[0]).c_str());
            return;
        }
        state.SetIterationTime(run.seconds);
        residentTotal += run.residentKb;
        ++runs;
    }
    state.counters["resident_MB"] = runs ? residentTotal / 1024.0 / runs : 0;
}

std::string DeviceRoot() {
    const fs::path root = Server().work / "device";
    return root.string();
}

void BM_Zorun(benchmark::State& state) {
    Measure(state, {ZORUN_BIN, "--scale", "2", "--device-root", DeviceRoot()});
}
void BM_MinimalSdl(benchmark::State& state) {
    Measure(state, {SDL_PEER_BIN});
}
void BM_MatchboxDesktop(benchmark::State& state) {
    Measure(state, {"matchbox-desktop"});
}

BENCHMARK(BM_Zorun)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_MinimalSdl)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_MatchboxDesktop)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
