#include "tests/support/XTestDisplay.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
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

pid_t SpawnWith(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                posix_spawn_file_actions_t* actions) {
    std::vector<char*> args, envp;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const auto& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0], actions, nullptr, args.data(), envp.data()) != 0)
        return -1;
    return pid;
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
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    display->server_ =
        SpawnWith({"Xvfb", "-displayfd", "3", "-screen", "0", "640x480x24", "-nolisten", "tcp"},
                  EnvironmentFor(""), &actions);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (display->server_ < 0) {
        close(fds[0]);
        *why = "Xvfb cannot be started";
        return nullptr;
    }
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    while (poll(&p, 1, 20000) > 0) {
        char c = 0;
        if (read(fds[0], &c, 1) != 1 || c == '\n')
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
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        display->windowManager_ = SpawnWith({"matchbox-window-manager", "-use_titlebar", "no"},
                                            EnvironmentFor(display->name_), &actions);
        posix_spawn_file_actions_destroy(&actions);
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
    const pid_t pid = SpawnWith(argv, EnvironmentFor(name_), nullptr);
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
