#include "platform/user/Input.h"

#include <map>
#include <thread>

#include "platform/base/Clock.h"
#include "platform/user/Backend.h"
#include "platform/user/WindowSystem.h"

namespace zorun {

namespace {

std::map<int, std::function<void()>>& Watched() {
    static std::map<int, std::function<void()>> watched;
    return watched;
}

bool HasQueuedInput() {
    for (const QueueEntry& e : WindowSystem::Get().queue) {
        if (e.isInput)
            return true;
    }
    return false;
}

} // namespace

void PushInput(const InputEvent& event) {
    QueueEntry entry;
    entry.isInput = true;
    entry.input = event;
    WindowSystem::Get().queue.push_back(entry);
}

std::optional<InputEvent> PeekInput(std::size_t index) {
    for (const QueueEntry& e : WindowSystem::Get().queue) {
        if (!e.isInput)
            continue;
        if (index == 0)
            return e.input;
        --index;
    }
    return std::nullopt;
}

bool DiscardInput() {
    auto& queue = WindowSystem::Get().queue;
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (it->isInput) {
            queue.erase(it);
            return true;
        }
    }
    return false;
}

bool WaitForInput(std::uint64_t deadlineMs) {
    for (;;) {
        if (HasQueuedInput())
            return true;
        Clock& clock = CurrentClock();
        if (clock.NowMs() >= deadlineMs)
            return false;
        PresentIfChanged();
        if (Backend* backend = CurrentBackend(); backend && backend->wait) {
            backend->wait(deadlineMs);
        } else if (auto* virtualClock = dynamic_cast<VirtualClock*>(&clock)) {
            virtualClock->AdvanceTo(deadlineMs);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(deadlineMs - clock.NowMs()));
        }
    }
}

bool MessagesPending() {
    auto& ws = WindowSystem::Get();
    return !ws.queue.empty() || ws.quitCode || ws.HasPendingPaint();
}

void AddWatchedFd(int fd, std::function<void()> onReadable) {
    if (fd >= 0 && onReadable)
        Watched()[fd] = std::move(onReadable);
}

void RemoveWatchedFd(int fd) {
    Watched().erase(fd);
}

std::vector<int> WatchedFds() {
    std::vector<int> fds;
    for (const auto& [fd, callback] : Watched())
        fds.push_back(fd);
    return fds;
}

void ServeWatchedFd(int fd) {
    auto it = Watched().find(fd);
    if (it == Watched().end())
        return;
    // A copy: the callback may remove itself.
    auto callback = it->second;
    callback();
}

} // namespace zorun
