#include "platform/shell/Gesture.h"

#include <cstdlib>

#include "platform/base/Clock.h"
#include "platform/user/Input.h"
#include "platform/user/WinUser.h"

DWORD SHRecognizeGesture(SHRGINFO* info) {
    if (!info || !IsWindow(info->hwndClient))
        return 0;
    POINT down = info->ptDown;
    ClientToScreen(info->hwndClient, &down);
    auto& clock = zorun::CurrentClock();
    const std::uint64_t deadline = clock.NowMs() + kHoldTimeMs;

    bool held = false;
    for (;;) {
        const auto next = zorun::PeekInput();
        if (!next) {
            if (!zorun::WaitForInput(deadline)) {
                held = true;
                break;
            }
            continue;
        }
        using Kind = zorun::InputEvent::Kind;
        if (next->kind == Kind::SecondaryClick) {
            (void)zorun::DiscardInput();
            held = true;
            break;
        }
        if (next->kind == Kind::StylusMove && std::abs(next->point.x - down.x) <= kHoldSlopPixels &&
            std::abs(next->point.y - down.y) <= kHoldSlopPixels) {
            (void)zorun::DiscardInput();
            continue;
        }
        return 0; // released, moved away, or something else came first
    }
    if (!held)
        return 0;
    if (!(info->dwFlags & SHRG_RETURNCMD)) {
        HWND target = info->hwndClient;
        if ((info->dwFlags & SHRG_NOTIFYPARENT) && GetParent(target))
            target = GetParent(target);
        NMRGINFO notify{};
        notify.hdr.hwndFrom = info->hwndClient;
        notify.hdr.idFrom = static_cast<std::uintptr_t>(GetDlgCtrlID(info->hwndClient));
        notify.hdr.code = GN_CONTEXTMENU;
        notify.ptAction = down;
        SendMessageW(target, WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
    }
    return GN_CONTEXTMENU;
}
