// The top-level windows as one list across the device's windows and the
// other programs' windows on the host, and what can be asked of any window
// there: its owner thread and process, class and title.

#include <algorithm>
#include <unistd.h>

#include "platform/base/Text.h"
#include "platform/user/WindowSystem.h"
#include "platform/windows/HostWindows.h"

using zorun::HostWindow;
using zorun::HostWindows;
using zorun::Window;
using zorun::WindowSystem;

namespace {

// Copies `text` into a caller's buffer, truncated and terminated.
int CopyOut(std::u16string_view text, char16_t* buffer, int capacity) {
    if (!buffer || capacity <= 0)
        return 0;
    const auto n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(capacity) - 1);
    std::copy_n(text.data(), n, buffer);
    buffer[n] = 0;
    return static_cast<int>(n);
}

HWND HostTop() {
    const auto& order = HostWindows::Get().Order();
    return order.empty() ? nullptr : order.back();
}

} // namespace

namespace zorun {

bool IsHostWindow(HWND hwnd) {
    return HostWindows::LooksLikeHostHandle(hwnd);
}

const HostWindow* FindHostWindow(HWND hwnd) {
    return HostWindows::Get().Find(hwnd);
}

// The host's windows lie below the device's (the program's own host window
// holds them all and is never listed). Starting a walk at either end, or
// stepping from the device's windows down to the host's, reads the host's
// list afresh; steps among the host's windows follow that list.
HWND TopLevelNeighbour(HWND hwnd, UINT relation) {
    auto& ws = WindowSystem::Get();
    auto& host = HostWindows::Get();
    const std::vector<HWND>& device = ws.topLevels; // top first
    const std::vector<HWND>& order = host.Order();  // bottom first
    switch (relation) {
    case GW_HWNDFIRST:
        if (!device.empty())
            return device.front();
        host.Refresh();
        return HostTop();
    case GW_HWNDLAST:
        host.Refresh();
        if (!order.empty())
            return order.front();
        return device.empty() ? nullptr : device.back();
    case GW_HWNDNEXT: {
        if (IsHostWindow(hwnd)) {
            auto it = std::find(order.begin(), order.end(), hwnd);
            return (it == order.end() || it == order.begin()) ? nullptr : *(it - 1);
        }
        auto it = std::find(device.begin(), device.end(), hwnd);
        if (it == device.end())
            return nullptr;
        if (it + 1 != device.end())
            return *(it + 1);
        host.Refresh();
        return HostTop();
    }
    case GW_HWNDPREV: {
        if (IsHostWindow(hwnd)) {
            auto it = std::find(order.begin(), order.end(), hwnd);
            if (it == order.end())
                return nullptr;
            if (it + 1 != order.end())
                return *(it + 1);
            return device.empty() ? nullptr : device.back();
        }
        auto it = std::find(device.begin(), device.end(), hwnd);
        return (it == device.end() || it == device.begin()) ? nullptr : *(it - 1);
    }
    default:
        return nullptr;
    }
}

} // namespace zorun

HWND FindWindowW(const char16_t* className, const char16_t* title) {
    auto& ws = WindowSystem::Get();
    auto matches = [&](std::u16string_view windowClass, std::u16string_view windowTitle) {
        return (!className || zorun::EqualsNoCase(windowClass, className)) &&
               (!title || windowTitle == title);
    };
    for (HWND h : ws.topLevels) {
        Window* w = ws.Lasting(h);
        if (w && matches(w->className, GetWindowText(h)))
            return h;
    }
    auto& host = HostWindows::Get();
    host.Refresh();
    const auto& order = host.Order();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const HostWindow* w = host.Find(*it);
        if (w && matches(w->className, w->title))
            return *it;
    }
    return nullptr;
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
    if (const HostWindow* w = zorun::FindHostWindow(hwnd)) {
        if (processId)
            *processId = w->processId;
        return w->threadId;
    }
    if (!WindowSystem::Get().Live(hwnd)) {
        if (processId)
            *processId = 0;
        return 0;
    }
    // One user-interface thread, the process's first: its id is the process id.
    const auto self = static_cast<DWORD>(getpid());
    if (processId)
        *processId = self;
    return self;
}

int GetClassNameW(HWND hwnd, char16_t* buffer, int capacity) {
    if (const HostWindow* w = zorun::FindHostWindow(hwnd))
        return CopyOut(w->className, buffer, capacity);
    if (buffer && capacity > 0)
        buffer[0] = 0;
    Window* w = WindowSystem::Get().Live(hwnd);
    return w ? CopyOut(w->className, buffer, capacity) : 0;
}

int GetWindowTextLengthW(HWND hwnd) {
    if (const HostWindow* w = zorun::FindHostWindow(hwnd))
        return static_cast<int>(w->title.size());
    if (!WindowSystem::Get().Live(hwnd))
        return 0;
    return static_cast<int>(std::max<LRESULT>(0, zorun::CallWindow(hwnd, WM_GETTEXTLENGTH, 0, 0)));
}
