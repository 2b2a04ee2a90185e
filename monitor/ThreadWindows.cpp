#include "monitor/ThreadWindows.h"

#include <algorithm>

#include "monitor/MonitorIds.h"
#include "platform/afx/StringTable.h"
#include "platform/kernel/Process.h"
#include "platform/user/WinUser.h"

namespace {

// Far more top-level windows than any screen holds.
constexpr std::size_t kMaxWalk = 65536;

constexpr int kTitleCapacity = 256;
constexpr int kClassCapacity = 256;

} // namespace

ExcludedOwner FindInputPanelOwner() {
    ExcludedOwner owner;
    if (HWND button = FindWindowW(nullptr, u"MS_SIPBUTTON"))
        owner.thread = GetWindowThreadProcessId(button, &owner.process);
    return owner;
}

std::u16string ReadWindowTitle(HWND window) {
    char16_t title[kTitleCapacity] = {};
    const int length = GetWindowTextW(window, title, kTitleCapacity);
    return std::u16string(title, static_cast<std::size_t>(std::max(0, length)));
}

bool IsApplicationWindow(HWND window, const ExcludedOwner& excluded) {
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &process);
    if (thread == 0)
        return false; // gone
    if (!(GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) || GetWindowTextLengthW(window) <= 0)
        return false;
    if (excluded.thread != 0 && thread == excluded.thread)
        return false;
    // The program's own windows (its dialogs, tips and boxes too) are never
    // an application to stop: the title rule alone would miss those not
    // titled as the main window.
    if (process == GetCurrentProcessId())
        return false;
    return ReadWindowTitle(window) != LoadStringW(MonitorResource::ProgramTitle);
}

bool IsDialogClassWindow(HWND window) {
    char16_t className[kClassCapacity] = {};
    GetClassNameW(window, className, kClassCapacity - 1);
    return std::u16string_view(className) == u"Dialog";
}

std::vector<HWND> TopLevelWindowsBottomUp(HWND anchor) {
    std::vector<HWND> windows;
    for (HWND w = GetWindow(anchor, GW_HWNDLAST); w && windows.size() < kMaxWalk;
         w = GetWindow(w, GW_HWNDPREV))
        windows.push_back(w);
    return windows;
}

std::vector<HWND> CollectThreadWindows(HWND window) {
    std::vector<HWND> kept;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (thread == 0)
        return kept;
    const ExcludedOwner excluded = FindInputPanelOwner();
    for (HWND w : TopLevelWindowsBottomUp(window)) {
        if (GetWindowThreadProcessId(w, nullptr) == thread && IsApplicationWindow(w, excluded))
            kept.push_back(w);
    }
    return kept;
}

void CloseThreadWindows(HWND window) {
    for (HWND w : CollectThreadWindows(window)) {
        if (IsDialogClassWindow(w))
            PostMessageW(w, WM_COMMAND, IDCANCEL, 0);
        else
            PostMessageW(w, WM_CLOSE, 0, 0);
    }
}

DWORD CurrentOwnerProcess(HWND window) {
    // A walk's start reads the host's windows afresh: what is known of
    // `window` is then what holds now.
    (void)GetWindow(window, GW_HWNDLAST);
    if (!IsWindow(window))
        return 0;
    DWORD process = 0;
    return GetWindowThreadProcessId(window, &process) != 0 ? process : 0;
}
