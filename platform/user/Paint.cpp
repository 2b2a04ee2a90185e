// Invalidation and painting: each window's invalid part is one rectangle
// (several invalidations give their union); WM_PAINT comes only for a
// visible window with something invalid. Window DCs draw into the top-level
// window's surface, clipped to the window.

#include "platform/user/WindowSystem.h"

using zorun::Point;
using zorun::Rect;
using zorun::Window;
using zorun::WindowSystem;

namespace {

HDC WindowDC(HWND hwnd, const Rect* clientClip) {
    auto& ws = WindowSystem::Get();
    Window* top = ws.Find(ws.TopLevelOf(hwnd));
    if (!top)
        return nullptr;
    ws.EnsureSurface(*top);
    Point origin = ws.OriginInTopLevel(hwnd);
    Rect clip = ws.VisibleInTopLevel(hwnd);
    if (clientClip)
        clip = clip.Intersect(clientClip->Offset(origin.x, origin.y));
    HDC dc = CreateSurfaceDC(top->surface.get(), origin, clip);
    if (dc)
        ws.windowDCs[dc] = top->surface;
    ws.dirty = true;
    return dc;
}

void ReleaseWindowDC(HDC dc) {
    auto& ws = WindowSystem::Get();
    if (ws.windowDCs.erase(dc) == 0)
        return;
    DeleteDC(dc);
    ws.dirty = true;
}

// What is left of `r` once `cut` is taken away, when that is a rectangle;
// otherwise `r` itself (painting a little more is harmless).
Rect Subtract(const Rect& r, const Rect& cut) {
    Rect common = r.Intersect(cut);
    if (common.IsEmpty())
        return r;
    if (common == r)
        return {};
    if (common.left == r.left && common.right == r.right) {
        if (common.top == r.top)
            return {r.left, common.bottom, r.right, r.bottom};
        if (common.bottom == r.bottom)
            return {r.left, r.top, r.right, common.top};
    }
    if (common.top == r.top && common.bottom == r.bottom) {
        if (common.left == r.left)
            return {common.right, r.top, r.right, r.bottom};
        if (common.right == r.right)
            return {r.left, r.top, common.left, r.bottom};
    }
    return r;
}

} // namespace

namespace zorun {

void InvalidateClient(HWND hwnd, const Rect& clientRect, bool erase) {
    auto& ws = WindowSystem::Get();
    Window* w = ws.Lasting(hwnd);
    if (!w)
        return;
    Rect r = clientRect.Intersect(w->ClientRect());
    if (r.IsEmpty())
        return;
    w->invalid = w->invalid.Union(r);
    w->erase = w->erase || erase;
    // The parent's paint covers its children, so they repaint after it.
    for (HWND c : std::vector<HWND>(w->children)) {
        Window* cw = ws.Live(c);
        if (!cw)
            continue;
        Rect part = r.Intersect(cw->rect);
        if (!part.IsEmpty())
            InvalidateClient(c, part.Offset(-cw->rect.left, -cw->rect.top), erase);
    }
}

void InvalidateAllOf(HWND hwnd) {
    if (Window* w = WindowSystem::Get().Live(hwnd))
        InvalidateClient(hwnd, w->ClientRect(), true);
}

} // namespace zorun

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    auto& ws = WindowSystem::Get();
    if (!hwnd) {
        for (HWND top : std::vector<HWND>(ws.topLevels))
            zorun::InvalidateAllOf(top);
        return TRUE;
    }
    Window* w = ws.Live(hwnd);
    if (!w)
        return FALSE;
    zorun::InvalidateClient(hwnd, rect ? *rect : w->ClientRect(), erase != FALSE);
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    Window* w = WindowSystem::Get().Live(hwnd);
    if (!w)
        return FALSE;
    w->invalid = rect ? Subtract(w->invalid, *rect) : Rect{};
    if (w->invalid.IsEmpty())
        w->erase = false;
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
    auto& ws = WindowSystem::Get();
    Window* w = ws.Live(hwnd);
    if (!w)
        return FALSE;
    if (!w->invalid.IsEmpty() && ws.ReallyVisible(hwnd))
        SendMessageW(hwnd, WM_PAINT, 0, 0);
    w = ws.Live(hwnd);
    if (!w)
        return TRUE;
    for (HWND c : std::vector<HWND>(w->children))
        UpdateWindow(c);
    return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    auto& ws = WindowSystem::Get();
    Window* w = ws.Live(hwnd);
    if (!w || !paint)
        return nullptr;
    Rect area = w->invalid;
    bool erase = w->erase;
    w->invalid = {};
    w->erase = false;
    HDC dc = WindowDC(hwnd, &area);
    if (erase && dc && zorun::CallWindow(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0))
        erase = false;
    paint->hdc = dc;
    paint->fErase = erase ? TRUE : FALSE;
    paint->rcPaint = area;
    return dc;
}

BOOL EndPaint(HWND /*hwnd*/, const PAINTSTRUCT* paint) {
    if (paint && paint->hdc)
        ReleaseWindowDC(paint->hdc);
    return TRUE;
}

HDC GetDC(HWND hwnd) {
    if (!hwnd)
        return nullptr;
    if (!IsWindow(hwnd))
        return nullptr;
    return WindowDC(hwnd, nullptr);
}

int ReleaseDC(HWND /*hwnd*/, HDC hdc) {
    if (!WindowSystem::Get().windowDCs.contains(hdc))
        return 0;
    ReleaseWindowDC(hdc);
    return 1;
}
