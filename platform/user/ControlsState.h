#pragma once
// What the dialog manager, the wait cursor and the built-in controls
// remember between messages. Kept in the window system's state
// (WindowSystem.h), so that a reset of the window system forgets it with
// the windows it names.

#include <cstdint>
#include <memory>
#include <typeindex>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/user/Dialog.h"

namespace zorun {

struct DialogRecord {
    DLGPROC dlgProc = nullptr;
    std::vector<HWND> controls; // creation order = tab order
    bool ended = false;
    std::intptr_t result = 0;
    int defId = 0; // 0: the first default push button, else IDOK
};

struct DialogManagerState {
    std::unordered_map<HWND, DialogRecord> dialogs;
    // The procedure of the dialog being created, until its window takes it.
    DLGPROC pendingDlgProc = nullptr;
};

struct WaitCursorState {
    int depth = 0; // SetWaitCursor(true) calls not yet matched
    HWND window = nullptr;
};

struct ControlsState {
    DialogManagerState dialogManager;
    WaitCursorState waitCursor;
    // Pop-ups that never count as the window in front (MarkTransientWindow).
    std::unordered_set<HWND> transientWindows;
    // Each control class's table of per-window state (ControlStates<State>).
    std::unordered_map<std::type_index, std::shared_ptr<void>> tables;
};

} // namespace zorun
