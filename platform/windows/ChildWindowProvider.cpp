#include "platform/windows/ChildWindowProvider.h"

#include <algorithm>

#include "platform/kernel/Process.h"

namespace zorun {

std::vector<HostWindow> ChildWindowProvider::List() {
    std::vector<HostWindow> windows;
    // Oldest first: the latest program started is the one on top.
    for (DWORD pid : StartedProcesses()) {
        HostWindow w;
        w.id = pid;
        w.threadId = pid;
        w.processId = pid;
        w.visible = true;
        w.title = StartedProcessName(pid);
        windows.push_back(std::move(w));
    }
    return windows;
}

bool ChildWindowProvider::Exists(std::uint64_t id) {
    const auto started = StartedProcesses();
    return std::find(started.begin(), started.end(), static_cast<DWORD>(id)) != started.end();
}

bool ChildWindowProvider::Close(std::uint64_t id) {
    return Exists(id) && RequestProcessExit(static_cast<DWORD>(id));
}

bool ChildWindowProvider::Activate(std::uint64_t /*id*/) {
    return false; // nothing on the host can be asked to raise it
}

} // namespace zorun
