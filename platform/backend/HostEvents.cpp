#include "platform/backend/HostEvents.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <vector>

#include "platform/user/Backend.h"
#include "platform/user/Screen.h"
#include "platform/user/WinUser.h"

namespace zorun {

namespace {

int signalPipe[2] = {-1, -1};
volatile sig_atomic_t quitSignalled = 0;

void OnQuitSignal(int) {
    int saved = errno;
    quitSignalled = 1;
    char byte = 1;
    // A full pipe already holds a pending request; nothing is lost.
    [[maybe_unused]] auto written = write(signalPipe[1], &byte, 1);
    errno = saved;
}

bool DrainSignals() {
    bool any = false;
    char buffer[64];
    while (read(signalPipe[0], buffer, sizeof buffer) > 0)
        any = true;
    return any;
}

} // namespace

bool InstallQuitSignals() {
    if (signalPipe[0] >= 0)
        return true;
    if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaction(sig, &action, nullptr);
    // A file-size limit makes a write fail with EFBIG, reported like any
    // other write error, instead of killing the program mid-save.
    signal(SIGXFSZ, SIG_IGN);
    return true;
}

bool QuitSignalled() {
    return quitSignalled != 0;
}

void RequestQuit() {
    if (HWND main = MainWindow())
        PostMessageW(main, WM_CLOSE, 0, 0);
    else
        PostQuitMessage(0);
}

bool PollHostEvents(int timeoutMs) {
    return PollHostEvents(timeoutMs, -1, nullptr);
}

bool PollHostEvents(int timeoutMs, int displayFd, bool* displayReady) {
    if (displayReady)
        *displayReady = false;
    std::vector<pollfd> fds;
    if (displayFd >= 0)
        fds.push_back({displayFd, POLLIN, 0});
    if (signalPipe[0] >= 0)
        fds.push_back({signalPipe[0], POLLIN, 0});
    for (int fd : WatchedFds())
        fds.push_back({fd, POLLIN, 0});
    if (fds.empty()) {
        if (timeoutMs > 0)
            poll(nullptr, 0, timeoutMs);
        return false;
    }
    int ready = poll(fds.data(), fds.size(), timeoutMs);
    if (ready <= 0)
        return false;
    bool served = false;
    for (const pollfd& p : fds) {
        if (!(p.revents & (POLLIN | POLLHUP | POLLERR)))
            continue;
        if (p.fd == displayFd) {
            if (displayReady)
                *displayReady = true;
        } else if (p.fd == signalPipe[0]) {
            if (DrainSignals()) {
                RequestQuit();
                // Then every loop still running ends too (a message box, a
                // dialog): a program stopped by a signal waits for no one.
                PostQuitMessage(0);
                served = true;
            }
        } else {
            ServeWatchedFd(p.fd);
            served = true;
        }
    }
    return served;
}

} // namespace zorun
