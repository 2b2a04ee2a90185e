#include "platform/user/WorkArea.h"

#include <algorithm>

#include "platform/user/Screen.h"
#include "platform/user/SoftKeyboard.h"
#include "platform/user/WindowSystem.h"

namespace zorun {

namespace {

// Room left between the focused control and the keyboard.
constexpr int kFocusMargin = 2;

std::map<HWND, Rect>& Homes() {
    auto& homes = WindowSystem::Get().chrome.softKeyboard.homes;
    std::erase_if(homes, [](const auto& home) { return !IsWindow(home.first); });
    return homes;
}

} // namespace

Rect CurrentWorkArea() {
    Rect area = kWorkArea;
    if (SoftKeyboardUp())
        area.bottom = kSoftKeyboardRect.top;
    return area;
}

void FitDialogToWorkArea(HWND dialog) {
    auto& ws = WindowSystem::Get();
    Window* w = ws.Lasting(dialog);
    if (!w || w->IsChild())
        return;
    auto& homes = Homes();
    const Rect now = w->rect;
    const auto known = homes.find(dialog);
    const Rect home = known != homes.end() ? known->second : now;
    const Rect visible = CurrentWorkArea();
    if (!SoftKeyboardUp()) {
        if (known != homes.end()) {
            homes.erase(known);
            if (home != now)
                MoveWindow(dialog, home.left, home.top, home.Width(), home.Height(), TRUE);
        }
        return;
    }
    homes.emplace(dialog, home);

    Rect target = home;
    if (home == kWorkArea) {
        target.bottom = visible.bottom; // a full-screen dialog follows the work area
    } else if (target.bottom > visible.bottom) {
        const int up = std::min(target.bottom - visible.bottom, target.top - visible.top);
        target = target.Offset(0, -std::max(0, up));
    }
    // The focused control, where it will be once the dialog is at `target`.
    HWND focus = GetFocus();
    if (focus && focus != dialog && ws.IsInside(focus, dialog)) {
        const Point origin = ws.OriginInTopLevel(focus);
        const Window* control = ws.Live(focus);
        const int top = target.top + origin.y;
        const int bottom = top + (control ? control->rect.Height() : 0);
        // Up until the control clears the keyboard, but never so far that
        // its own top leaves the work area.
        const int up = std::min(bottom + kFocusMargin - visible.bottom, top - visible.top);
        if (up > 0) {
            target.top -= up;
            if (home != kWorkArea)
                target.bottom -= up; // moved; a full-screen one grows upwards instead
        }
    }
    if (target != now)
        MoveWindow(dialog, target.left, target.top, target.Width(), target.Height(), TRUE);
}

} // namespace zorun

BOOL SystemParametersInfoW(UINT action, UINT, void* data, UINT) {
    if (!data)
        return FALSE;
    switch (action) {
    case SPI_GETWORKAREA:
        *static_cast<RECT*>(data) = zorun::CurrentWorkArea();
        return TRUE;
    case SPI_GETSIPINFO: {
        auto* info = static_cast<SIPINFO*>(data);
        if (info->cbSize < sizeof(SIPINFO))
            return FALSE;
        const bool up = zorun::SoftKeyboardUp();
        info->fdwFlags = SIPF_DOCKED | (up ? SIPF_ON : SIPF_OFF);
        info->rcVisibleDesktop = zorun::CurrentWorkArea();
        info->rcSipRect = zorun::kSoftKeyboardRect;
        info->dwImDataSize = 0;
        info->pvImData = nullptr;
        return TRUE;
    }
    default:
        return FALSE;
    }
}
