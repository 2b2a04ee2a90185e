#include "tests/support/XTestDisplay.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/windows/X11Connection.h"

extern char** environ;

namespace {

// The environment with DISPLAY replaced.
std::vector<std::string> EnvironmentFor(const std::string& display) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        if (std::strncmp(*e, "DISPLAY=", 8) != 0)
            env.emplace_back(*e);
    }
    if (!display.empty())
        env.push_back("DISPLAY=" + display);
    return env;
}

// Starts a program that ends with this process, even if a test crashes: a
// server left behind would hold the test runner's output open forever.
// `descriptors` maps a child's descriptor to one of ours (-1: /dev/null).
pid_t SpawnWith(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                const std::vector<std::pair<int, int>>& descriptors) {
    std::vector<char*> args, envp;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const auto& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    // In the child: only async-signal-safe calls until exec.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent)
        _exit(127);
    for (const auto& [child, ours] : descriptors) {
        const int fd = ours >= 0 ? ours : open("/dev/null", O_WRONLY);
        if (fd == child ? fcntl(fd, F_SETFD, 0) < 0 : (fd < 0 || dup2(fd, child) < 0))
            _exit(127);
    }
    execvpe(args[0], args.data(), envp.data());
    _exit(127);
}

void Stop(pid_t pid) {
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 250; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) != 0)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

bool WindowManagerRunning(const std::string& display) {
    auto x = zorun::X11Connection::Open(display);
    if (!x)
        return false;
    const char* name = "_NET_SUPPORTING_WM_CHECK";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        x->Get(), xcb_intern_atom(x->Get(), 1, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t check = atom ? atom->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(atom);
    return check != XCB_ATOM_NONE && x->Property(x->Root(), check, 1).has_value();
}

} // namespace

std::unique_ptr<XTestDisplay> XTestDisplay::Start(std::string* why) {
    std::unique_ptr<XTestDisplay> display(new XTestDisplay());
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        *why = "no pipe";
        return nullptr;
    }
    display->server_ =
        SpawnWith({"Xvfb", "-displayfd", "3", "-screen", "0", "640x480x24", "-nolisten", "tcp"},
                  EnvironmentFor(""), {{3, fds[1]}, {1, -1}, {2, -1}});
    close(fds[1]);
    if (display->server_ < 0) {
        close(fds[0]);
        *why = "Xvfb cannot be started";
        return nullptr;
    }
    std::string number;
    // A child of the tests ending meanwhile interrupts the wait (SIGCHLD):
    // that is no answer, so wait on.
    pollfd p{fds[0], POLLIN, 0};
    for (;;) {
        const int ready = poll(&p, 1, 20000);
        if (ready < 0 && errno == EINTR)
            continue;
        char c = 0;
        if (ready <= 0 || read(fds[0], &c, 1) != 1 || c == '\n')
            break;
        number.push_back(c);
    }
    close(fds[0]);
    if (number.empty()) {
        *why = "Xvfb did not say its display";
        return nullptr;
    }
    display->name_ = ":" + number;

    // The server may name its display a moment before it takes connections.
    if (!WaitFor([&] { return zorun::X11Connection::Open(display->name_) != nullptr; }, 20)) {
        *why = "Xvfb does not answer on " + display->name_;
        return nullptr;
    }
    // The window manager gets a second chance if it gives up at once.
    for (int attempt = 0; attempt < 3; ++attempt) {
        display->windowManager_ = SpawnWith({"matchbox-window-manager", "-use_titlebar", "no"},
                                            EnvironmentFor(display->name_), {{1, -1}, {2, -1}});
        if (display->windowManager_ < 0) {
            *why = "matchbox-window-manager cannot be started";
            return nullptr;
        }
        bool ended = false;
        const bool running = WaitFor(
            [&] {
                ended = waitpid(display->windowManager_, nullptr, WNOHANG) != 0;
                return ended || WindowManagerRunning(display->name_);
            },
            20);
        if (running && !ended)
            return display;
        if (!ended)
            break;
        display->windowManager_ = -1;
    }
    *why = "the window manager did not start on " + display->name_;
    return nullptr;
}

XTestDisplay::~XTestDisplay() {
    for (auto it = programs_.rbegin(); it != programs_.rend(); ++it)
        Stop(*it);
    Stop(windowManager_);
    Stop(server_);
}

pid_t XTestDisplay::Spawn(const std::vector<std::string>& argv) {
    const pid_t pid = SpawnWith(argv, EnvironmentFor(name_), {});
    if (pid > 0)
        programs_.push_back(pid);
    return pid;
}

void XTestDisplay::End(pid_t pid) {
    if (std::find(programs_.begin(), programs_.end(), pid) == programs_.end())
        return;
    std::erase(programs_, pid);
    Stop(pid);
}

bool XTestDisplay::Ended(pid_t pid) {
    if (std::find(programs_.begin(), programs_.end(), pid) == programs_.end())
        return true;
    const pid_t r = waitpid(pid, nullptr, WNOHANG);
    if (r == pid || (r < 0 && errno == ECHILD)) {
        std::erase(programs_, pid);
        return true;
    }
    return false;
}
