// Window creation and destruction, the window tree, geometry, text and
// per-window data.

#include <algorithm>
#include <cstring>

#include "platform/user/Screen.h"
#include "platform/user/WindowSystem.h"
#include "platform/windows/HostWindows.h"

using zorun::Point;
using zorun::Rect;
using zorun::Window;
using zorun::WindowSystem;

namespace {

constexpr WPARAM SIZE_RESTORED = 0;

void SendSizeAndMove(HWND hwnd, bool size, bool move) {
    Window* w = WindowSystem::Get().Live(hwnd);
    if (!w)
        return;
    Rect r = w->rect;
    if (size)
        zorun::CallWindow(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.Width(), r.Height()));
    if (move)
        zorun::CallWindow(hwnd, WM_MOVE, 0, MAKELPARAM(r.left, r.top));
}

// What becomes visible or hidden when a window shows, hides or moves: its
// parent repaints the uncovered part; top-level windows only recompose.
void ExposeOldArea(Window& w, const Rect& oldRect) {
    auto& ws = WindowSystem::Get();
    if (w.IsChild())
        zorun::InvalidateClient(w.parent, oldRect, true);
    ws.dirty = true;
}

void SendDestroy(HWND hwnd) {
    auto& ws = WindowSystem::Get();
    zorun::CallWindow(hwnd, WM_DESTROY, 0, 0);
    Window* w = ws.Find(hwnd);
    if (!w)
        return;
    std::vector<HWND> children = w->children;
    for (HWND c : children)
        SendDestroy(c);
}

// The last message, children first: the framework lets go of its objects here.
void SendNcDestroy(HWND hwnd) {
    auto& ws = WindowSystem::Get();
    Window* w = ws.Find(hwnd);
    if (!w)
        return;
    for (HWND c : std::vector<HWND>(w->children))
        SendNcDestroy(c);
    zorun::CallWindow(hwnd, WM_NCDESTROY, 0, 0);
}

void Forget(HWND hwnd) {
    auto& ws = WindowSystem::Get();
    Window* w = ws.Find(hwnd);
    if (!w)
        return;
    for (HWND c : std::vector<HWND>(w->children))
        Forget(c);
    ws.DropMessagesFor(hwnd);
    if (ws.focus == hwnd)
        ws.focus = nullptr;
    if (ws.active == hwnd)
        ws.active = nullptr;
    if (ws.mainWindow == hwnd)
        ws.mainWindow = nullptr;
    ws.Remove(hwnd);
}

} // namespace

HWND CreateWindowExW(DWORD exStyle, const char16_t* className, const char16_t* title, DWORD style,
                     int x, int y, int width, int height, HWND parentOrOwner, HMENU menuOrId,
                     WNDPROC proc, void* param) {
    auto& ws = WindowSystem::Get();
    if (!proc)
        proc = zorun::FindControlClass(className);
    if (!proc)
        return nullptr;
    bool child = (style & WS_CHILD) != 0;
    if (child && !ws.Lasting(parentOrOwner))
        return nullptr;
    if (width < 0)
        width = 0;
    if (height < 0)
        height = 0;

    auto window = std::make_unique<Window>();
    window->className = className ? className : u"";
    window->text = title ? title : u"";
    window->proc = proc;
    window->style = style & ~WS_VISIBLE; // shown after WM_CREATE
    window->exStyle = exStyle;
    window->rect = {x, y, x + width, y + height};
    if (child) {
        window->parent = parentOrOwner;
        window->id = static_cast<int>(reinterpret_cast<std::intptr_t>(menuOrId));
    } else if (ws.Lasting(parentOrOwner)) {
        // The owner of a popup is always a top-level window.
        window->owner = ws.TopLevelOf(parentOrOwner);
    }
    window->invalid = window->ClientRect();
    window->erase = true;
    ws.EnsureSurface(*window);
    HWND hwnd = ws.Add(std::move(window));
    if (child)
        ws.Find(parentOrOwner)->children.push_back(hwnd); // new children go to the bottom
    else
        ws.PlaceTopLevel(hwnd, HWND_TOP);

    CREATESTRUCTW cs{param, child ? nullptr : menuOrId, parentOrOwner, height,    width,  y,
                     x,     static_cast<LONG>(style),   title,         className, exStyle};
    if (zorun::CallWindow(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!ws.Live(hwnd))
        return nullptr;
    SendSizeAndMove(hwnd, true, true);
    if ((style & WS_VISIBLE) && ws.Live(hwnd))
        ShowWindow(hwnd, SW_SHOW);
    return ws.Live(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
    auto& ws = WindowSystem::Get();
    Window* w = ws.Lasting(hwnd);
    if (!w)
        return FALSE;
    w->destroying = true;
    bool wasVisible = ws.ReallyVisible(hwnd);
    Rect oldRect = w->rect;
    bool child = w->IsChild();
    HWND parent = w->parent;

    // Owned windows go first, as on the device (a dialog takes its message boxes along).
    if (!child) {
        std::vector<HWND> owned;
        for (HWND h : ws.topLevels) {
            Window* o = ws.Find(h);
            if (o && o->owner == hwnd)
                owned.push_back(h);
        }
        for (HWND h : owned)
            DestroyWindow(h);
    }
    if (ws.focus && ws.IsInside(ws.focus, hwnd))
        SetFocus(nullptr);
    if (ws.capture && ws.IsInside(ws.capture, hwnd))
        ReleaseCapture();
    SendDestroy(hwnd);
    SendNcDestroy(hwnd);

    // Hide and unlink, then forget the whole subtree.
    w = ws.Find(hwnd);
    if (w) {
        w->style &= ~WS_VISIBLE;
        std::erase(ws.Siblings(*w), hwnd);
    }
    std::erase(ws.topLevels, hwnd);
    bool wasActive = ws.active == hwnd;
    Forget(hwnd);
    if (child && wasVisible && ws.Live(parent))
        zorun::InvalidateClient(parent, oldRect, true);
    ws.dirty = true;
    if (wasActive) {
        ws.active = nullptr;
        ws.ActivateAnother(hwnd);
    }
    return TRUE;
}

BOOL IsWindow(HWND hwnd) {
    if (zorun::IsHostWindow(hwnd))
        return zorun::HostWindows::Get().Exists(hwnd) ? TRUE : FALSE;
    return WindowSystem::Get().Live(hwnd) ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
    if (const zorun::HostWindow* host = zorun::FindHostWindow(hwnd))
        return host->visible ? TRUE : FALSE;
    auto& ws = WindowSystem::Get();
    return ws.Live(hwnd) && ws.ReallyVisible(hwnd) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
    Window* w = WindowSystem::Get().Live(hwnd);
    return w && w->Enabled() ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    auto& ws = WindowSystem::Get();
    Window* w = ws.Live(hwnd);
    if (!w)
        return FALSE;
    BOOL wasDisabled = w->Enabled() ? FALSE : TRUE;
    if (bool(enable) == w->Enabled())
        return wasDisabled;
    if (enable) {
        w->style &= ~WS_DISABLED;
    } else {
        w->style |= WS_DISABLED;
        if (ws.focus && ws.IsInside(ws.focus, hwnd))
            SetFocus(nullptr);
        if (ws.capture && ws.IsInside(ws.capture, hwnd))
            ReleaseCapture();
    }
    zorun::CallWindow(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}

BOOL ShowWindow(HWND hwnd, int command) {
    auto& ws = WindowSystem::Get();
    Window* w = ws.Lasting(hwnd);
    if (!w)
        return FALSE;
    BOOL wasVisible = w->Visible() ? TRUE : FALSE;
    bool show = command != SW_HIDE;
    if (show != w->Visible()) {
        zorun::CallWindow(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        w = ws.Live(hwnd);
        if (!w)
            return wasVisible;
        if (show) {
            w->style |= WS_VISIBLE;
            zorun::InvalidateAllOf(hwnd);
            ws.dirty = true;
        } else {
            w->style &= ~WS_VISIBLE;
            if (ws.focus && ws.IsInside(ws.focus, hwnd))
                SetFocus(nullptr);
            if (ws.capture && ws.IsInside(ws.capture, hwnd))
                ReleaseCapture();
            ExposeOldArea(*w, w->rect);
            if (ws.active == hwnd)
                ws.ActivateAnother(hwnd);
        }
    }
    w = ws.Live(hwnd);
    if (show && w && !w->IsChild() && command != SW_SHOWNA && !(w->exStyle & WS_EX_TOOLWINDOW))
        SetActiveWindow(hwnd);
    return wasVisible;
}

HWND GetParent(HWND hwnd) {
    Window* w = WindowSystem::Get().Live(hwnd);
    if (!w)
        return nullptr;
    return w->IsChild() ? w->parent : w->owner;
}

HWND GetWindow(HWND hwnd, UINT relation) {
    auto& ws = WindowSystem::Get();
    if (zorun::IsHostWindow(hwnd))
        return relation <= GW_HWNDPREV ? zorun::TopLevelNeighbour(hwnd, relation) : nullptr;
    Window* w = ws.Live(hwnd);
    if (!w)
        return nullptr;
    if (relation == GW_OWNER)
        return w->IsChild() ? nullptr : w->owner;
    if (relation == GW_CHILD)
        return w->children.empty() ? nullptr : w->children.front();
    if (!w->IsChild())
        return zorun::TopLevelNeighbour(hwnd, relation);
    const std::vector<HWND>& list = ws.Siblings(*w);
    if (list.empty())
        return nullptr;
    auto it = std::find(list.begin(), list.end(), hwnd);
    switch (relation) {
    case GW_HWNDFIRST:
        return list.front();
    case GW_HWNDLAST:
        return list.back();
    case GW_HWNDNEXT:
        return (it == list.end() || it + 1 == list.end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV:
        return (it == list.end() || it == list.begin()) ? nullptr : *(it - 1);
    default:
        return nullptr;
    }
}

HWND GetDlgItem(HWND dialog, int id) {
    auto& ws = WindowSystem::Get();
    Window* w = ws.Live(dialog);
    if (!w)
        return nullptr;
    for (HWND c : w->children) {
        Window* cw = ws.Live(c);
        if (cw && cw->id == id)
            return c;
    }
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
    Window* w = WindowSystem::Get().Live(hwnd);
    return w ? w->id : 0;
}

BOOL SetWindowTextW(HWND hwnd, const char16_t* text) {
    if (!IsWindow(hwnd))
        return FALSE;
    return zorun::CallWindow(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : u""))
               ? TRUE
               : FALSE;
}

int GetWindowTextW(HWND hwnd, char16_t* buffer, int capacity) {
    if (!buffer || capacity <= 0)
        return 0;
    buffer[0] = 0;
    if (const zorun::HostWindow* host = zorun::FindHostWindow(hwnd)) {
        const auto n = std::min<std::size_t>(host->title.size(), capacity - 1);
        std::copy_n(host->title.data(), n, buffer);
        buffer[n] = 0;
        return static_cast<int>(n);
    }
    if (!WindowSystem::Get().Live(hwnd))
        return 0;
    return static_cast<int>(zorun::CallWindow(hwnd, WM_GETTEXT, static_cast<WPARAM>(capacity),
                                              reinterpret_cast<LPARAM>(buffer)));
}

std::u16string GetWindowText(HWND hwnd) {
    if (const zorun::HostWindow* host = zorun::FindHostWindow(hwnd))
        return host->title;
    if (!WindowSystem::Get().Live(hwnd))
        return {};
    LRESULT length = zorun::CallWindow(hwnd, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0)
        return {};
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    int got = GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::clamp(got, 0, static_cast<int>(length))));
    return text;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    auto& ws = WindowSystem::Get();
    Window* w = ws.Live(hwnd);
    if (!w || !rect)
        return FALSE;
    Point o = ws.ScreenOrigin(hwnd);
    *rect = w->ClientRect().Offset(o.x, o.y);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
    Window* w = WindowSystem::Get().Live(hwnd);
    if (!w || !rect)
        return FALSE;
    *rect = w->ClientRect();
    return TRUE;
}

BOOL SetWindowPos(HWND hwnd, HWND after, int x, int y, int width, int height, UINT flags) {
    auto& ws = WindowSystem::Get();
    Window* w = ws.Live(hwnd);
    if (!w)
        return FALSE;
    Rect old = w->rect;
    Rect r = old;
    if (!(flags & SWP_NOMOVE))
        r = {x, y, x + old.Width(), y + old.Height()};
    if (!(flags & SWP_NOSIZE))
        r.right = r.left + std::max(0, width), r.bottom = r.top + std::max(0, height);
    bool moved = r.left != old.left || r.top != old.top;
    bool sized = r.Width() != old.Width() || r.Height() != old.Height();
    if (!(flags & SWP_NOZORDER) && !w->IsChild()) {
        if (after == HWND_TOPMOST)
            w->exStyle |= WS_EX_TOPMOST;
        ws.PlaceTopLevel(hwnd, after);
    }
    if (moved || sized) {
        w->rect = r;
        ws.EnsureSurface(*w);
        if (ws.ReallyVisible(hwnd)) {
            ExposeOldArea(*w, old);
            zorun::InvalidateAllOf(hwnd);
        }
        ws.dirty = true;
        SendSizeAndMove(hwnd, sized, moved);
    }
    if (flags & SWP_SHOWWINDOW)
        ShowWindow(hwnd, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    else if (flags & SWP_HIDEWINDOW)
        ShowWindow(hwnd, SW_HIDE);
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL /*repaint*/) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL BringWindowToTop(HWND hwnd) {
    auto& ws = WindowSystem::Get();
    Window* w = ws.Live(hwnd);
    if (!w)
        return FALSE;
    HWND top = ws.TopLevelOf(hwnd);
    ws.PlaceTopLevel(top, HWND_TOP);
    // Owned windows stay above their owner.
    std::vector<HWND> owned;
    for (HWND h : ws.topLevels) {
        Window* o = ws.Find(h);
        if (o && o->owner == top)
            owned.push_back(h);
    }
    for (auto it = owned.rbegin(); it != owned.rend(); ++it)
        ws.PlaceTopLevel(*it, HWND_TOP);
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
    auto& ws = WindowSystem::Get();
    if (!ws.Live(hwnd) || !point)
        return FALSE;
    Point o = ws.ScreenOrigin(hwnd);
    point->x += o.x;
    point->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
    auto& ws = WindowSystem::Get();
    if (!ws.Live(hwnd) || !point)
        return FALSE;
    Point o = ws.ScreenOrigin(hwnd);
    point->x -= o.x;
    point->y -= o.y;
    return TRUE;
}

namespace {

HWND ChildFromPoint(HWND hwnd, Point clientPoint) {
    auto& ws = WindowSystem::Get();
    Window* w = ws.Live(hwnd);
    if (!w)
        return nullptr;
    for (HWND c : std::vector<HWND>(w->children)) {
        Window* cw = ws.Lasting(c);
        if (!cw || !cw->Visible() || !cw->rect.Contains(clientPoint))
            continue;
        const Point inside{clientPoint.x - cw->rect.left, clientPoint.y - cw->rect.top};
        // A child may let the stylus through to what lies beneath it.
        const Point screen = ws.ScreenOrigin(c);
        if (zorun::CallWindow(c, WM_NCHITTEST, 0,
                              MAKELPARAM(screen.x + inside.x, screen.y + inside.y)) ==
            HTTRANSPARENT)
            continue;
        if (ws.Lasting(c))
            return ChildFromPoint(c, inside);
    }
    return hwnd;
}

} // namespace

// The deepest visible window under the point. A disabled window is returned
// too: input to it is dropped, so nothing behind it is reached.
HWND WindowFromPoint(POINT screenPoint) {
    auto& ws = WindowSystem::Get();
    for (HWND h : ws.topLevels) {
        Window* w = ws.Lasting(h);
        if (w && w->Visible() && w->rect.Contains(screenPoint))
            return ChildFromPoint(h, {screenPoint.x - w->rect.left, screenPoint.y - w->rect.top});
    }
    return nullptr;
}

std::intptr_t SetWindowLongW(HWND hwnd, int index, std::intptr_t value) {
    auto& ws = WindowSystem::Get();
    Window* w = ws.Live(hwnd);
    if (!w)
        return 0;
    std::intptr_t previous = 0;
    switch (index) {
    case GWL_USERDATA:
        previous = w->userData;
        w->userData = value;
        break;
    case GWL_STYLE:
        previous = static_cast<std::intptr_t>(w->style);
        w->style = static_cast<DWORD>(value);
        ws.dirty = true;
        break;
    case GWL_ID:
        previous = w->id;
        w->id = static_cast<int>(value);
        break;
    default:
        break;
    }
    return previous;
}

std::intptr_t GetWindowLongW(HWND hwnd, int index) {
    if (const zorun::HostWindow* host = zorun::FindHostWindow(hwnd))
        return index == GWL_STYLE && host->visible ? static_cast<std::intptr_t>(WS_VISIBLE) : 0;
    Window* w = WindowSystem::Get().Live(hwnd);
    if (!w)
        return 0;
    switch (index) {
    case GWL_USERDATA:
        return w->userData;
    case GWL_STYLE:
        return static_cast<std::intptr_t>(w->style);
    case GWL_ID:
        return w->id;
    default:
        return 0;
    }
}
