#pragma once
// Shared by the whole-program benchmarks (startup.cpp, startup_peer.cpp,
// idle.cpp): starting a program and watching it from outside through /proc
// (CPU time, resident memory, wake-ups), a private X server with a window
// manager, and medians with their spread.
//
// CPU time comes from /proc/PID/task/*/schedstat (nanoseconds, every thread),
// not from the tick-counted utime/stime.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace probe {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

inline double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

inline std::vector<std::string> Tasks(pid_t pid) {
    std::vector<std::string> tasks;
    const std::string dir = "/proc/" + std::to_string(pid) + "/task";
    if (DIR* d = opendir(dir.c_str())) {
        while (const dirent* e = readdir(d))
            if (e->d_name[0] != '.')
                tasks.push_back(dir + "/" + e->d_name);
        closedir(d);
    }
    return tasks;
}

// CPU time of all the process's threads, in milliseconds.
inline double CpuMs(pid_t pid) {
    double ns = 0;
    for (const auto& task : Tasks(pid)) {
        std::ifstream in(task + "/schedstat");
        double running = 0;
        if (in >> running)
            ns += running;
    }
    return ns / 1e6;
}

// Times the process's threads went to sleep and were woken (voluntary
// context switches): its wake-ups.
inline long WakeUps(pid_t pid) {
    long total = 0;
    for (const auto& task : Tasks(pid)) {
        std::ifstream in(task + "/status");
        std::string line;
        while (std::getline(in, line))
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0)
                total += std::atol(line.c_str() + 24);
    }
    return total;
}

inline double ResidentMb(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

// A started program; ended (SIGTERM, then SIGKILL) when it goes out of scope.
class Child {
  public:
    // `reportFirstFrame`: pass ZORUN_FIRST_FRAME_FD so the program tells when
    // its first frame is out (the line it writes: its CPU time in µs).
    Child(const std::vector<std::string>& argv, bool reportFirstFrame,
          const std::vector<std::string>& extraEnv = {}) {
        int fds[2] = {-1, -1};
        if (reportFirstFrame && pipe(fds) != 0)
            return;
        std::vector<std::string> env;
        for (char** e = environ; *e; ++e)
            env.emplace_back(*e);
        for (const auto& e : extraEnv)
            env.push_back(e);
        if (reportFirstFrame)
            env.push_back("ZORUN_FIRST_FRAME_FD=" + std::to_string(fds[1]));
        std::vector<char*> args, envp;
        for (const auto& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        for (auto& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (reportFirstFrame)
            posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        start = Clock::now();
        if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), envp.data()) != 0)
            pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        if (reportFirstFrame) {
            close(fds[1]);
            report_ = fds[0];
        }
    }
    ~Child() {
        Stop();
        if (report_ >= 0)
            close(report_);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    [[nodiscard]] bool Running() const { return pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0; }

    // Waits for the first-frame report; its CPU time then, or a negative
    // number when none came within `seconds`.
    double WaitForReport(int seconds) {
        pollfd p{report_, POLLIN, 0};
        char text[64] = {};
        if (report_ < 0 || poll(&p, 1, seconds * 1000) != 1)
            return -1;
        reportMs = MsSince(start);
        const double cpuNow = CpuMs(pid);
        const ssize_t n = read(report_, text, sizeof text - 1);
        if (n <= 0)
            return -1;
        // The program's own figure when it gives one, else ours.
        const double reported = std::atof(text);
        return reported > 0 ? reported / 1000.0 : cpuNow;
    }

    void Stop() {
        if (pid <= 0)
            return;
        kill(pid, SIGTERM);
        for (int i = 0; i < 200; ++i) {
            if (waitpid(pid, nullptr, WNOHANG) == pid) {
                pid = -1;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }

    pid_t pid = -1;
    Clock::time_point start;
    double reportMs = 0;

  private:
    int report_ = -1;
};

// A private X server (Xvfb, black root) of the given size, optionally with
// matchbox-window-manager; DISPLAY is set for the programs started after it.
class XServer {
  public:
    XServer(int width, int height, bool windowManager) : width_(width), height_(height) {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        server_ = fork();
        if (server_ == 0) {
            dup2(fds[1], 3);
            const int devnull = open("/dev/null", O_WRONLY);
            dup2(devnull, 2);
            execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", screen.c_str(), "-br",
                   "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        char number[16] = {};
        pollfd p{fds[0], POLLIN, 0};
        if (server_ > 0 && poll(&p, 1, 20000) == 1 && read(fds[0], number, sizeof number - 1) > 0)
            name_ = ":" + std::to_string(std::atoi(number));
        report_ = fds[0]; // the server may still be writing the line's end
        if (name_.empty())
            return;
        setenv("DISPLAY", name_.c_str(), 1);
        display_ = XOpenDisplay(name_.c_str());
        if (display_ && windowManager) {
            wm_ = std::make_unique<Child>(
                std::vector<std::string>{"matchbox-window-manager", "-use_titlebar", "no"}, false);
            const Atom check = XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False);
            for (int i = 0; i < 400 && !HasProperty(check); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
    }
    ~XServer() {
        wm_.reset();
        if (display_)
            XCloseDisplay(display_);
        if (server_ > 0) {
            kill(server_, SIGTERM);
            waitpid(server_, nullptr, 0);
        }
        if (report_ >= 0)
            close(report_);
    }
    [[nodiscard]] bool Ready() const { return display_ != nullptr; }
    [[nodiscard]] const std::string& Name() const { return name_; }

    // True when the middle row of the screen has a pixel that is not black:
    // some program has drawn its window there.
    bool Drawn() {
        XImage* row = XGetImage(display_, DefaultRootWindow(display_), 0, height_ / 2,
                                static_cast<unsigned>(width_), 1, AllPlanes, ZPixmap);
        if (!row)
            return false;
        bool drawn = false;
        for (int x = 0; x < width_ && !drawn; x += 4)
            drawn = (XGetPixel(row, x, 0) & 0xFFFFFF) != 0;
        XDestroyImage(row);
        return drawn;
    }

  private:
    bool HasProperty(Atom atom) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        const bool found =
            XGetWindowProperty(display_, DefaultRootWindow(display_), atom, 0, 1, False,
                               AnyPropertyType, &type, &format, &count, &after, &data) == Success &&
            type != None;
        if (data)
            XFree(data);
        return found;
    }

    int width_, height_;
    pid_t server_ = -1;
    int report_ = -1;
    std::string name_;
    Display* display_ = nullptr;
    std::unique_ptr<Child> wm_;
};

// Median and spread of a set of runs.
struct Summary {
    double median = 0, low = 0, high = 0;
    explicit Summary(std::vector<double> values) {
        if (values.empty())
            return;
        std::sort(values.begin(), values.end());
        const std::size_t n = values.size();
        median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
        low = values.front();
        high = values.back();
    }
    [[nodiscard]] std::string Text(int decimals = 1) const {
        char text[96];
        std::snprintf(text, sizeof text, "%.*f [%.*f-%.*f]", decimals, median, decimals, low,
                      decimals, high);
        return text;
    }
};

// The program under test: beside the benchmarks (../app/zorun) or $ZORUN_BINARY.
inline fs::path ZorunBinary() {
    if (const char* b = std::getenv("ZORUN_BINARY"); b && *b)
        return b;
    return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "app" / "zorun";
}

inline double LoadAverage() {
    std::ifstream in("/proc/loadavg");
    double load = 0;
    in >> load;
    return load;
}

} // namespace probe
