#include "platform/user/ModalLoop.h"

#include "platform/user/WindowSystem.h"

using zorun::WindowSystem;

int RunModalLoop(HWND hwnd) {
    auto& ws = WindowSystem::Get();
    if (!ws.Live(hwnd))
        return 0;
    // The loop owns the screen: its owner takes no input meanwhile.
    HWND owner = GetWindow(ws.TopLevelOf(hwnd), GW_OWNER);
    bool disabledOwner = false;
    if (owner && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        disabledOwner = true;
    }

    // Frames are addressed by depth: inner loops push above and pop before
    // this one looks again.
    std::size_t depth = ws.modal.size();
    ws.modal.push_back({hwnd});
    for (;;) {
        if (ws.modal.size() <= depth || ws.modal[depth].ended || !ws.Live(hwnd))
            break;
        MSG msg{};
        if (!GetMessageW(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    int result = 0;
    if (depth < ws.modal.size()) {
        if (ws.modal[depth].ended)
            result = ws.modal[depth].result;
        ws.modal.resize(depth);
    }
    if (disabledOwner && IsWindow(owner)) {
        EnableWindow(owner, TRUE);
        // The window went while its owner could not take the screen back.
        if (!GetActiveWindow())
            SetActiveWindow(owner);
    }
    return result;
}

bool EndModalLoop(HWND hwnd, int result) {
    auto& ws = WindowSystem::Get();
    for (auto it = ws.modal.rbegin(); it != ws.modal.rend(); ++it) {
        if (it->hwnd == hwnd && !it->ended) {
            it->ended = true;
            it->result = result;
            // Wakes a loop that may be waiting with nothing else to do.
            PostMessageW(nullptr, WM_NULL, 0, 0);
            return true;
        }
    }
    return false;
}

bool IsInModalLoop(HWND hwnd) {
    for (const auto& frame : WindowSystem::Get().modal) {
        if (frame.hwnd == hwnd && !frame.ended)
            return true;
    }
    return false;
}
