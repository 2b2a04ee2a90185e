#include "platform/user/Controls.h"

#include <algorithm>
#include <unordered_set>

#include "platform/user/CommCtrl.h"
#include "platform/user/ControlPaint.h"
#include "platform/user/ControlSupport.h"
#include "platform/user/Screen.h"
#include "platform/user/WindowSystem.h"

namespace zorun {

void RegisterBuiltinControls() {
    RegisterControlClass(u"STATIC", StaticProc);
    RegisterControlClass(u"BUTTON", ButtonProc);
    RegisterControlClass(u"EDIT", EditProc);
    RegisterControlClass(u"LISTBOX", ListBoxProc);
    RegisterControlClass(u"COMBOBOX", ComboBoxProc);
    RegisterControlClass(u"ComboLBox", ComboListBoxProc);
    RegisterControlClass(WC_LISTVIEW, ListViewProc);
}

void NotifyParent(HWND control, UINT code) {
    HWND parent = GetParent(control);
    if (parent)
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), static_cast<int>(code)),
                     reinterpret_cast<LPARAM>(control));
}

std::shared_ptr<void>& ControlStateTable(std::type_index stateType) {
    return WindowSystem::Get().controls.tables[stateType];
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
    return WindowSystem::Get().controls.transientWindows;
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

RECT InsideBorder(HWND control) {
    RECT c = ClientOf(control);
    if (StyleOf(control) & WS_BORDER)
        c = {c.left + 1, c.top + 1, c.right - 1, c.bottom - 1};
    return c;
}

std::optional<int> RowAfterKey(int vk, int current, int count, int page) {
    switch (vk) {
    case VK_UP:
        return current < 0 ? 0 : current - 1;
    case VK_DOWN:
        return current < 0 ? 0 : current + 1;
    case VK_PRIOR:
        return std::max(0, current - page + 1);
    case VK_NEXT:
        return std::min(count - 1, std::max(0, current) + page - 1);
    case VK_HOME:
        return 0;
    case VK_END:
        return count - 1;
    default:
        return std::nullopt;
    }
}

HFONT FontOf(HFONT own) {
    return own ? own : DialogFont();
}

int FontHeight(HFONT font) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return 14;
    SelectObject(dc, FontOf(font));
    TEXTMETRICW metrics{};
    const bool measured = GetTextMetricsW(dc, &metrics) && metrics.tmHeight > 0;
    DeleteDC(dc);
    return measured ? static_cast<int>(metrics.tmHeight) : 14;
}

HWND ColorTargetOf(HWND control) {
    if (HWND combo = ComboOfDropList(control))
        return GetParent(combo);
    return GetParent(control);
}

HBRUSH PrepareControlDC(HWND control, HDC hdc, UINT ctlColorMessage, HFONT ownFont, COLORREF text) {
    SelectObject(hdc, FontOf(ownFont));
    SetTextColor(hdc, text);
    SetBkColor(hdc, kControlBack);
    SetBkMode(hdc, TRANSPARENT);
    HWND target = ColorTargetOf(control);
    if (!target)
        return nullptr;
    return reinterpret_cast<HBRUSH>(SendMessageW(
        target, ctlColorMessage, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(control)));
}

HFONT CurrentFont(HDC hdc) {
    HFONT font = GetCurrentObject(hdc, OBJ_FONT);
    return font ? font : DialogFont();
}

} // namespace zorun
