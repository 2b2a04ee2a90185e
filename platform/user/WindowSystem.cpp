#include "platform/user/WindowSystem.h"

#include <algorithm>

#include "platform/base/Clock.h"

namespace zorun {

WindowSystem& WindowSystem::Get() {
    static WindowSystem system;
    return system;
}

Window* WindowSystem::Find(HWND hwnd) {
    auto it = windows_.find(reinterpret_cast<std::uintptr_t>(hwnd));
    return it == windows_.end() ? nullptr : it->second.get();
}

Window* WindowSystem::Live(HWND hwnd) {
    return Find(hwnd);
}

Window* WindowSystem::Lasting(HWND hwnd) {
    Window* w = Find(hwnd);
    return (w && !w->destroying) ? w : nullptr;
}

HWND WindowSystem::Add(std::unique_ptr<Window> window) {
    // Handles are never reused, so a stale handle can never reach a new window.
    auto key = nextHandle_;
    nextHandle_ += 4;
    HWND hwnd = reinterpret_cast<HWND>(key);
    window->handle = hwnd;
    windows_[key] = std::move(window);
    return hwnd;
}

void WindowSystem::Remove(HWND hwnd) {
    windows_.erase(reinterpret_cast<std::uintptr_t>(hwnd));
}

std::vector<HWND>& WindowSystem::Siblings(Window& w) {
    if (w.IsChild()) {
        if (Window* p = Find(w.parent))
            return p->children;
    }
    return topLevels;
}

HWND WindowSystem::TopLevelOf(HWND hwnd) {
    Window* w = Find(hwnd);
    while (w && w->IsChild()) {
        Window* p = Find(w->parent);
        if (!p)
            break;
        w = p;
    }
    return w ? w->handle : nullptr;
}

Point WindowSystem::OriginInTopLevel(HWND hwnd) {
    Point origin;
    Window* w = Find(hwnd);
    while (w && w->IsChild()) {
        origin.x += w->rect.left;
        origin.y += w->rect.top;
        w = Find(w->parent);
    }
    return origin;
}

Point WindowSystem::ScreenOrigin(HWND hwnd) {
    Point origin = OriginInTopLevel(hwnd);
    if (Window* top = Find(TopLevelOf(hwnd))) {
        origin.x += top->rect.left;
        origin.y += top->rect.top;
    }
    return origin;
}

Rect WindowSystem::VisibleInTopLevel(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w)
        return {};
    Point o = OriginInTopLevel(hwnd);
    Rect visible = w->ClientRect().Offset(o.x, o.y);
    for (Window* p = w->IsChild() ? Find(w->parent) : nullptr; p;
         p = p->IsChild() ? Find(p->parent) : nullptr) {
        Point po = OriginInTopLevel(p->handle);
        visible = visible.Intersect(p->ClientRect().Offset(po.x, po.y));
    }
    return visible;
}

bool WindowSystem::ReallyVisible(HWND hwnd) {
    for (Window* w = Find(hwnd); w; w = w->IsChild() ? Find(w->parent) : nullptr) {
        if (!w->Visible())
            return false;
    }
    return Find(hwnd) != nullptr;
}

bool WindowSystem::ReallyEnabled(HWND hwnd) {
    for (Window* w = Find(hwnd); w; w = w->IsChild() ? Find(w->parent) : nullptr) {
        if (!w->Enabled())
            return false;
    }
    return Find(hwnd) != nullptr;
}

bool WindowSystem::IsInside(HWND hwnd, HWND ancestor) {
    for (Window* w = Find(hwnd); w; w = w->IsChild() ? Find(w->parent) : nullptr) {
        if (w->handle == ancestor)
            return true;
    }
    return false;
}

void WindowSystem::PlaceTopLevel(HWND hwnd, HWND after) {
    Window* w = Find(hwnd);
    if (!w || w->IsChild())
        return;
    std::erase(topLevels, hwnd);
    auto bandStart = [&] {
        // Topmost windows come first; others start after the last topmost one.
        if (w->Topmost())
            return topLevels.begin();
        return std::find_if(topLevels.begin(), topLevels.end(), [&](HWND h) {
            Window* o = Find(h);
            return !o || !o->Topmost();
        });
    };
    auto bandEnd = [&] {
        if (!w->Topmost())
            return topLevels.end();
        return std::find_if(topLevels.begin(), topLevels.end(), [&](HWND h) {
            Window* o = Find(h);
            return !o || !o->Topmost();
        });
    };
    if (after == HWND_BOTTOM) {
        topLevels.insert(bandEnd(), hwnd);
    } else if (after == HWND_TOP || after == HWND_TOPMOST) {
        topLevels.insert(bandStart(), hwnd);
    } else {
        auto it = std::find(topLevels.begin(), topLevels.end(), after);
        auto lo = bandStart();
        auto hi = bandEnd();
        if (it == topLevels.end() || it < lo || it >= hi)
            topLevels.insert(lo, hwnd);
        else
            topLevels.insert(it + 1, hwnd);
    }
    dirty = true;
}

void WindowSystem::EnsureSurface(Window& w) {
    if (w.IsChild())
        return;
    int width = std::max(1, w.rect.Width());
    int height = std::max(1, w.rect.Height());
    if (!w.surface || w.surface->Width() != width || w.surface->Height() != height)
        w.surface = std::make_shared<Surface>(width, height, 0xFFFFFFFFu);
}

void WindowSystem::ActivateAnother(HWND leaving) {
    // The owner first (a closing message box gives the screen back to its
    // owner), else the topmost activatable window.
    HWND next = nullptr;
    if (Window* w = Find(leaving); w && w->owner) {
        Window* o = Lasting(w->owner);
        if (o && o->Visible() && o->Enabled())
            next = o->handle;
    }
    if (!next) {
        for (HWND h : topLevels) {
            Window* o = Lasting(h);
            if (h != leaving && o && o->Visible() && o->Enabled() &&
                !(o->exStyle & WS_EX_TOOLWINDOW)) {
                next = h;
                break;
            }
        }
    }
    SetActiveWindow(next);
}

std::optional<std::uint64_t> WindowSystem::NextTimerDue() const {
    std::optional<std::uint64_t> due;
    for (const Timer& t : timers) {
        if (!due || t.dueMs < *due)
            due = t.dueMs;
    }
    return due;
}

bool WindowSystem::HasPendingPaint() {
    for (auto& [key, w] : windows_) {
        if (w->invalid.IsEmpty() || !ReallyVisible(w->handle))
            continue;
        // Paint reaches a window only through parents that are not going
        // away: a child of a window being destroyed has nothing to wait for.
        bool reachable = true;
        for (Window* p = w.get(); p && reachable; p = p->IsChild() ? Find(p->parent) : nullptr)
            reachable = !p->destroying;
        if (reachable)
            return true;
    }
    return false;
}

void WindowSystem::DropMessagesFor(HWND hwnd) {
    std::erase_if(queue, [&](const QueueEntry& e) { return !e.isInput && e.msg.hwnd == hwnd; });
    std::erase_if(timers, [&](const Timer& t) { return t.hwnd == hwnd; });
}

void WindowSystem::Reset() {
    // No messages: the objects behind the windows' procedures may be gone.
    for (auto& [dc, surface] : windowDCs)
        DeleteDC(dc);
    windows_.clear();
    topLevels.clear();
    queue.clear();
    timers.clear();
    modal.clear();
    quitCode.reset();
    active = focus = capture = mainWindow = nullptr;
    lastMsg = {};
    pendingChar = 0;
    stylusDown = false;
    lastPos = {};
    shiftDown = false;
    controlDown = false;
    windowDCs.clear();
    dirty = true;
    // --- chrome
    chrome = {};
    // --- end of chrome
    // --- controls
    controls = {};
    // --- end of controls
}

LRESULT CallWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = WindowSystem::Get().Find(hwnd);
    if (!w)
        return 0;
    WNDPROC proc = w->proc;
    return proc ? proc(hwnd, message, wParam, lParam)
                : DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace zorun
