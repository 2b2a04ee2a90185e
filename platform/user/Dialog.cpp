#include "platform/user/Dialog.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "platform/user/ControlSupport.h"
#include "platform/user/Controls.h"
#include "platform/user/ModalLoop.h"
#include "platform/user/Screen.h"
#include "platform/user/WindowSystem.h"
#include "platform/user/WorkArea.h"

namespace {

using DialogState = zorun::DialogRecord;

std::unordered_map<HWND, DialogState>& Dialogs() {
    return zorun::WindowSystem::Get().controls.dialogManager.dialogs;
}

DLGPROC& PendingDlgProc() {
    return zorun::WindowSystem::Get().controls.dialogManager.pendingDlgProc;
}

DialogState* FindState(HWND hwnd) {
    auto& dialogs = Dialogs();
    auto it = dialogs.find(hwnd);
    return it == dialogs.end() ? nullptr : &it->second;
}

void PruneDialogs() {
    std::erase_if(Dialogs(), [](const auto& d) { return !IsWindow(d.first); });
}

// The window procedure of dialogs driven by a DLGPROC: the procedure first,
// the dialog manager for what it leaves.
LRESULT DlgProcWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogState& state = Dialogs()[hwnd];
    if (DLGPROC& pending = PendingDlgProc(); !state.dlgProc && pending) {
        state.dlgProc = pending;
        pending = nullptr;
    }
    if (state.dlgProc) {
        if (const std::intptr_t handled = state.dlgProc(hwnd, message, wParam, lParam)) {
            if (message == WM_DESTROY)
                return zorun::DefDialogProc(hwnd, message, wParam, lParam);
            return handled;
        }
    }
    return zorun::DefDialogProc(hwnd, message, wParam, lParam);
}

std::vector<HWND> TabOrder(HWND dialog) {
    std::vector<HWND> all;
    if (DialogState* state = FindState(dialog); state && !state->controls.empty()) {
        for (HWND c : state->controls)
            if (IsWindow(c))
                all.push_back(c);
    } else {
        for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            all.push_back(c);
    }
    return all;
}

bool IsTabStop(HWND c) {
    const auto style = static_cast<DWORD>(GetWindowLongW(c, GWL_STYLE));
    return (style & WS_TABSTOP) && IsWindowVisible(c) && IsWindowEnabled(c);
}

void FocusControl(HWND control) {
    if (!control)
        return;
    SetFocus(control);
    if (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageW(control, EM_SETSEL, 0, -1);
}

int DefaultId(HWND dialog) {
    if (DialogState* state = FindState(dialog); state && state->defId)
        return state->defId;
    for (HWND c : TabOrder(dialog))
        if (SendMessageW(c, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)
            return GetDlgCtrlID(c);
    return IDOK;
}

void PressButton(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool DialogKey(HWND dialog, HWND focus, int vk) {
    switch (vk) {
    case VK_TAB:
        FocusControl(GetNextDlgTabItem(dialog, focus, FALSE));
        return true;
    case VK_RETURN:
        if (focus && (SendMessageW(focus, WM_GETDLGCODE, 0, 0) &
                      (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
            SendMessageW(focus, BM_CLICK, 0, 0);
            return true;
        }
        PressButton(dialog, DefaultId(dialog));
        return true;
    case VK_ESCAPE:
        PressButton(dialog, IDCANCEL);
        return true;
    default:
        return false;
    }
}

} // namespace

namespace zorun {

HFONT DialogFont() {
    static HFONT font = [] {
        LOGFONTW lf{};
        lf.lfHeight = -12;
        lf.lfWeight = FW_NORMAL;
        lf.lfQuality = DEFAULT_QUALITY;
        const std::u16string face = u"DejaVu Sans";
        std::copy(face.begin(), face.end(), lf.lfFaceName);
        return CreateFontIndirectW(&lf);
    }();
    return font;
}

bool IsDialogWindow(HWND hwnd) {
    return hwnd && IsWindow(hwnd) && FindState(hwnd);
}

void RegisterDialogWindow(HWND hwnd) {
    if (IsWindow(hwnd))
        Dialogs()[hwnd];
}

HWND CreateDialogWindow(const DialogTemplate& dialog, HWND owner, WNDPROC proc, LPARAM initParam,
                        bool show) {
    RegisterBuiltinControls();
    PruneDialogs();
    RECT r = kWorkArea;
    if (dialog.style & DS_CENTER) {
        const int w = std::min(DialogUnitsToPixelsX(dialog.cx), kWorkArea.Width());
        const int h = std::min(DialogUnitsToPixelsY(dialog.cy), kWorkArea.Height());
        const int x = kWorkArea.left + (kWorkArea.Width() - w) / 2;
        const int y = kWorkArea.top + (kWorkArea.Height() - h) / 2;
        r = {x, y, x + w, y + h};
    }
    const DWORD style = WS_POPUP | (dialog.style & ~(WS_VISIBLE | WS_CHILD | DS_CENTER));
    HWND hwnd = CreateWindowExW(0, u"Dialog", dialog.caption ? dialog.caption : u"", style, r.left,
                                r.top, r.Width(), r.Height(), owner, nullptr, proc, nullptr);
    if (!hwnd || !IsWindow(hwnd))
        return nullptr;
    Dialogs()[hwnd];
    HFONT font = DialogFont();
    std::vector<HWND> controls;
    for (const auto& item : dialog.items) {
        const RECT px = DialogUnitsToPixels({item.x, item.y, item.x + item.cx, item.y + item.cy});
        HWND control = CreateWindowExW(
            item.exStyle, item.className ? item.className : u"STATIC", item.text ? item.text : u"",
            item.style | WS_CHILD, px.left, px.top, px.Width(), px.Height(), hwnd,
            reinterpret_cast<HMENU>(static_cast<std::intptr_t>(item.id)), nullptr, nullptr);
        if (control) {
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            controls.push_back(control);
        }
        if (!IsWindow(hwnd))
            return nullptr;
    }
    if (DialogState* state = FindState(hwnd))
        state->controls = std::move(controls);

    HWND first = GetNextDlgTabItem(hwnd, nullptr, FALSE);
    const LRESULT focusFirst =
        SendMessageW(hwnd, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam);
    if (!IsWindow(hwnd))
        return nullptr;
    DialogState* state = FindState(hwnd);
    if ((show || (dialog.style & WS_VISIBLE)) && !(state && state->ended)) {
        ShowWindow(hwnd, SW_SHOW);
        SetForegroundWindow(hwnd);
    }
    if (focusFirst && first && IsWindow(first))
        FocusControl(first);
    return hwnd;
}

std::intptr_t RunDialogLoop(HWND dialog) {
    DialogState* state = FindState(dialog);
    if (!state)
        return -1;
    if (state->ended)
        return state->result;
    const int result = RunModalLoop(dialog);
    if (DialogState* after = FindState(dialog); after && after->ended)
        return after->result;
    return result;
}

LRESULT DefDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
            EndDialog(dialog, LOWORD(wParam));
        return 0;
    case WM_CLOSE:
        PressButton(dialog, IDCANCEL);
        return 0;
    case WM_NEXTDLGCTL:
        if (LOWORD(static_cast<std::uintptr_t>(lParam)))
            FocusControl(reinterpret_cast<HWND>(wParam));
        else
            FocusControl(GetNextDlgTabItem(dialog, GetFocus(), wParam ? TRUE : FALSE));
        return 0;
    case WM_KEYDOWN:
        if (DialogKey(dialog, nullptr, static_cast<int>(wParam)))
            return 0;
        break;
    case DM_GETDEFID:
        return MAKELPARAM(DefaultId(dialog), DC_HASDEFID);
    case DM_SETDEFID:
        if (DialogState* state = FindState(dialog))
            state->defId = static_cast<int>(wParam);
        return TRUE;
    case WM_SETFOCUS:
        FocusControl(GetNextDlgTabItem(dialog, nullptr, FALSE));
        return 0;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETSIPINFO)
            FitDialogToWorkArea(dialog);
        return 0;
    case WM_DESTROY: {
        const LRESULT r = DefWindowProcW(dialog, message, wParam, lParam);
        Dialogs().erase(dialog);
        return r;
    }
    default:
        break;
    }
    return DefWindowProcW(dialog, message, wParam, lParam);
}

bool HandleDialogKey(HWND control, int virtualKey) {
    HWND dialog = GetParent(control);
    if (!IsDialogWindow(dialog))
        return false;
    if (virtualKey == VK_RETURN && (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS))
        return false;
    return DialogKey(dialog, control, virtualKey);
}

} // namespace zorun

HWND CreateDialogIndirectParamW(HINSTANCE, const zorun::DialogTemplate* dialog, HWND owner,
                                DLGPROC proc, LPARAM initParam) {
    if (!dialog)
        return nullptr;
    PendingDlgProc() = proc;
    HWND hwnd = zorun::CreateDialogWindow(*dialog, owner, DlgProcWindow, initParam, false);
    PendingDlgProc() = nullptr;
    return hwnd;
}

std::intptr_t DialogBoxIndirectParamW(HINSTANCE instance, const zorun::DialogTemplate* dialog,
                                      HWND owner, DLGPROC proc, LPARAM initParam) {
    if (!dialog)
        return -1;
    zorun::FocusKeeper focus;
    PendingDlgProc() = proc;
    HWND hwnd = zorun::CreateDialogWindow(*dialog, owner, DlgProcWindow, initParam, true);
    PendingDlgProc() = nullptr;
    (void)instance;
    if (!hwnd)
        return -1;
    const std::intptr_t result = zorun::RunDialogLoop(hwnd);
    DestroyWindow(hwnd);
    return result;
}

std::intptr_t DialogBoxParamW(HINSTANCE instance, int number, HWND owner, DLGPROC proc,
                              LPARAM initParam) {
    return DialogBoxIndirectParamW(instance, zorun::FindDialogTemplate(number), owner, proc,
                                   initParam);
}

BOOL EndDialog(HWND dialog, std::intptr_t result) {
    DialogState* state = FindState(dialog);
    if (!state)
        return FALSE;
    state->ended = true;
    state->result = result;
    if (IsInModalLoop(dialog))
        EndModalLoop(dialog, static_cast<int>(result));
    ShowWindow(dialog, SW_HIDE);
    return TRUE;
}

BOOL MapDialogRect(HWND, RECT* rect) {
    if (!rect)
        return FALSE;
    *rect = zorun::DialogUnitsToPixels(*rect);
    return TRUE;
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    auto order = TabOrder(dialog);
    if (previous)
        std::reverse(order.begin(), order.end());
    const auto n = order.size();
    if (n == 0)
        return nullptr;
    auto start = std::find(order.begin(), order.end(), control);
    const std::size_t from =
        start == order.end() ? n - 1 : static_cast<std::size_t>(start - order.begin());
    for (std::size_t step = 1; step <= n; ++step) {
        HWND c = order[(from + step) % n];
        if (IsTabStop(c))
            return c;
    }
    return nullptr;
}

BOOL SetDlgItemTextW(HWND dialog, int id, const char16_t* text) {
    return SetWindowTextW(GetDlgItem(dialog, id), text ? text : u"");
}

UINT GetDlgItemTextW(HWND dialog, int id, char16_t* buffer, int capacity) {
    return static_cast<UINT>(GetWindowTextW(GetDlgItem(dialog, id), buffer, capacity));
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    SendMessageW(GetDlgItem(dialog, id), BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    return static_cast<UINT>(SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0));
}

LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(GetDlgItem(dialog, id), message, wParam, lParam);
}
