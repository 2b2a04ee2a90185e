// Activation, keyboard focus and stylus capture.

#include <map>

#include "platform/user/Screen.h"
#include "platform/user/WindowSystem.h"
#include "platform/windows/HostWindows.h"

using zorun::Point;
using zorun::Rect;
using zorun::Window;
using zorun::WindowSystem;

namespace {

std::map<int, zorun::ForegroundListener>& Listeners() {
    static std::map<int, zorun::ForegroundListener> listeners;
    return listeners;
}

} // namespace

namespace zorun {

int AddForegroundListener(ForegroundListener listener) {
    static int nextId = 1;
    int id = nextId++;
    Listeners()[id] = std::move(listener);
    return id;
}

void RemoveForegroundListener(int id) {
    Listeners().erase(id);
}

void WindowSystem::NotifyForeground() {
    HWND foreground = active;
    // A copy: a listener may add or remove listeners.
    auto listeners = Listeners();
    for (auto& [id, listener] : listeners) {
        if (listener)
            listener(foreground);
    }
}

} // namespace zorun

HWND SetActiveWindow(HWND hwnd) {
    auto& ws = WindowSystem::Get();
    HWND previous = ws.active;
    if (hwnd) {
        hwnd = ws.TopLevelOf(hwnd);
        if (!ws.Lasting(hwnd))
            return nullptr;
    }
    if (hwnd == previous)
        return previous;
    ws.active = hwnd;
    if (ws.Live(previous))
        zorun::CallWindow(previous, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(hwnd));
    if (hwnd && ws.active == hwnd && ws.Live(hwnd)) {
        BringWindowToTop(hwnd);
        zorun::CallWindow(hwnd, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(previous));
    }
    ws.NotifyForeground();
    return previous;
}

HWND GetActiveWindow() {
    return WindowSystem::Get().active;
}

BOOL SetForegroundWindow(HWND hwnd) {
    if (zorun::IsHostWindow(hwnd))
        return zorun::HostWindows::Get().Activate(hwnd) ? TRUE : FALSE;
    if (!IsWindow(hwnd))
        return FALSE;
    SetActiveWindow(hwnd);
    return TRUE;
}

HWND GetForegroundWindow() {
    return WindowSystem::Get().active;
}

HWND SetFocus(HWND hwnd) {
    auto& ws = WindowSystem::Get();
    HWND previous = ws.focus;
    if (hwnd && !ws.Lasting(hwnd))
        return nullptr;
    if (hwnd == previous)
        return previous;
    if (hwnd) {
        HWND top = ws.TopLevelOf(hwnd);
        if (ws.active != top)
            SetActiveWindow(top);
        if (!ws.Live(hwnd))
            return nullptr;
    }
    ws.focus = hwnd;
    if (ws.Live(previous))
        zorun::CallWindow(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (hwnd && ws.focus == hwnd && ws.Live(hwnd))
        zorun::CallWindow(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    return previous;
}

HWND GetFocus() {
    return WindowSystem::Get().focus;
}

HWND SetCapture(HWND hwnd) {
    auto& ws = WindowSystem::Get();
    HWND previous = ws.capture;
    if (!ws.Lasting(hwnd))
        return previous;
    ws.capture = hwnd;
    if (previous && previous != hwnd && ws.Live(previous))
        zorun::CallWindow(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return previous;
}

BOOL ReleaseCapture() {
    auto& ws = WindowSystem::Get();
    HWND previous = ws.capture;
    ws.capture = nullptr;
    if (previous && ws.Find(previous))
        zorun::CallWindow(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    return WindowSystem::Get().capture;
}
