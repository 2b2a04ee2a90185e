#include "platform/user/Controls.h"

#include <unordered_set>

#include "platform/user/ControlSupport.h"
#include "platform/user/Screen.h"

namespace zorun {

void RegisterBuiltinControls() {
    RegisterControlClass(u"STATIC", StaticProc);
    RegisterControlClass(u"BUTTON", ButtonProc);
    RegisterControlClass(u"EDIT", EditProc);
    RegisterControlClass(u"LISTBOX", ListBoxProc);
    RegisterControlClass(u"COMBOBOX", ComboBoxProc);
}

void NotifyParent(HWND control, UINT code) {
    HWND parent = GetParent(control);
    if (parent)
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), static_cast<int>(code)),
                     reinterpret_cast<LPARAM>(control));
}

DWORD StyleOf(HWND control) {
    return static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
}

HWND TopLevelOf(HWND hwnd) {
    while (hwnd && (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD)) {
        HWND parent = GetParent(hwnd);
        if (!parent)
            break;
        hwnd = parent;
    }
    return hwnd;
}

namespace {
std::unordered_set<HWND>& Transients() {
    static std::unordered_set<HWND> transients;
    return transients;
}
} // namespace

void MarkTransientWindow(HWND hwnd) {
    std::erase_if(Transients(), [](HWND h) { return !IsWindow(h); });
    if (hwnd)
        Transients().insert(hwnd);
}

bool IsTransientWindow(HWND hwnd) {
    return hwnd && IsWindow(hwnd) && Transients().count(hwnd);
}

RECT ClientOf(HWND control) {
    RECT r{};
    if (!GetClientRect(control, &r))
        return RECT{};
    return r;
}

} // namespace zorun
