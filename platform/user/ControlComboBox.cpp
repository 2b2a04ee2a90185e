// COMBOBOX (drop-down list): a box showing the chosen item and a drop
// button. Its items live in a list box of class "ComboLBox" made with it: a
// hidden pop-up that a tap on the box drops below it (above when there is no
// room), as tall as the height the box is made with (which covers the box
// and its dropped list), but, as the desktop's combo boxes do, showing at
// least CB_SETMINVISIBLE rows (30 unless set) and never more than its items.
// A template's few dialog units would otherwise drop a list of a row or two. The list runs a modal
// loop: a tap on an item chooses it, a tap outside closes it. CBN_SELCHANGE reports only a user's
// choice; Up/Down on the closed box change the choice directly.
#include <algorithm>
#include <string>

#include "platform/user/ControlListModel.h"
#include "platform/user/ControlPaint.h"
#include "platform/user/ControlSupport.h"
#include "platform/user/ModalLoop.h"
#include "platform/user/Screen.h"

namespace zorun {
namespace {

constexpr int kButtonWidth = 13;
// The rows a dropped list shows at least, unless CB_SETMINVISIBLE says otherwise.
constexpr int kDefaultMinVisible = 30;

struct ComboState {
    HFONT font = nullptr;
    HWND list = nullptr;
    int droppedHeight = 0; // the box and its dropped list, as made
    int minVisible = kDefaultMinVisible;
    bool dropped = false;
};

LRESULT ToList(const ComboState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    return s.list ? SendMessageW(s.list, message, wParam, lParam) : CB_ERR;
}

int RowHeight(const ComboState& s) {
    const LRESULT h = ToList(s, LB_GETITEMHEIGHT, 0, 0);
    return h > 0 ? static_cast<int>(h) : 16;
}

int ClosedHeight(const ComboState& s) {
    return RowHeight(s) + 4;
}

void FitClosedHeight(HWND hwnd, const ComboState& s) {
    const RECT c = ClientOf(hwnd);
    if (c.Height() != ClosedHeight(s))
        SetWindowPos(hwnd, nullptr, 0, 0, c.Width(), ClosedHeight(s),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Paint(HWND hwnd, ComboState& s) {
    PAINTSTRUCT ps{};
    HDC hdc = BeginPaint(hwnd, &ps);
    if (!hdc) {
        EndPaint(hwnd, &ps);
        return;
    }
    const RECT c = ClientOf(hwnd);
    const bool enabled = IsWindowEnabled(hwnd);
    const bool focused = GetFocus() == hwnd;
    HBRUSH brush = PrepareControlDC(hwnd, hdc, enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC,
                                    s.font, enabled ? kControlText : kDisabledText);
    HFONT font = CurrentFont(hdc);
    const COLORREF ink = enabled ? GetTextColor(hdc) : kDisabledText;
    if (brush)
        FillRect(hdc, &c, brush);
    else
        FillSolid(hdc, c, kControlBack);
    FrameSolid(hdc, c, kControlFrame);
    const RECT button{c.right - kButtonWidth, c.top, c.right, c.bottom};
    FillSolid(hdc, button, kButtonFace);
    FrameSolid(hdc, button, kControlFrame);
    const int cx = button.left + button.Width() / 2, cy = c.top + c.Height() / 2;
    for (int k = 0; k < 3; ++k)
        FillSolid(hdc, {cx - 2 + k, cy - 1 + k, cx + 3 - k, cy + k}, ink);
    const RECT text{c.left + 1, c.top + 1, button.left, c.bottom - 1};
    if (focused && !s.dropped)
        FillSolid(hdc, text, kSelectionBack);
    const int selected = static_cast<int>(ToList(s, LB_GETCURSEL, 0, 0));
    if (selected >= 0)
        DrawLabel(hdc, ListItemText(s.list, selected),
                  {text.left + 2, text.top, text.right - 1, text.bottom},
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS,
                  focused && !s.dropped ? kSelectionText : ink, font);
    EndPaint(hwnd, &ps);
}

// Where the list drops: below the box, or above it when it does not fit
// below and does above; cut to the screen otherwise.
RECT DropRect(HWND hwnd, const ComboState& s, int count) {
    RECT box{};
    GetWindowRect(hwnd, &box);
    const int row = RowHeight(s);
    int height = std::max(s.droppedHeight - box.Height(), s.minVisible * row + 2);
    height = std::clamp(height, row + 2, std::max(row + 2, count * row + 2));
    int top = box.bottom;
    if (top + height > kScreenHeight && box.top - height >= 0)
        top = box.top - height;
    height = std::min(height, std::max(row + 2, kScreenHeight - top));
    return {box.left, top, box.right, top + height};
}

void Notify(HWND hwnd, UINT code) {
    if (IsWindow(hwnd))
        NotifyParent(hwnd, code);
}

void DropDown(HWND hwnd) {
    ComboState* s = ControlStates<ComboState>::Find(hwnd);
    if (!s || s->dropped || !s->list || !IsWindow(s->list))
        return;
    const int count = static_cast<int>(ToList(*s, LB_GETCOUNT, 0, 0));
    if (count <= 0)
        return;
    Notify(hwnd, CBN_DROPDOWN);
    s = ControlStates<ComboState>::Find(hwnd);
    if (!s || !IsWindow(s->list))
        return;
    HWND list = s->list;
    const RECT r = DropRect(hwnd, *s, count);
    MoveWindow(list, r.left, r.top, r.Width(), r.Height(), FALSE);
    const int before = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
    SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(std::max(0, before)), 0);
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(before), 0);
    s->dropped = true;
    InvalidateRect(hwnd, nullptr, TRUE);
    ShowWindow(list, SW_SHOWNA);
    SetCapture(list);
    const int chosen = RunModalLoop(list) - 1; // the item + 1; 0 when nothing was chosen
    if (IsWindow(list)) {
        if (GetCapture() == list)
            ReleaseCapture();
        ShowWindow(list, SW_HIDE);
    }
    s = ControlStates<ComboState>::Find(hwnd);
    if (!s || !IsWindow(hwnd))
        return;
    s->dropped = false;
    InvalidateRect(hwnd, nullptr, TRUE);
    if (chosen >= 0 && IsWindow(list)) {
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
        Notify(hwnd, CBN_SELENDOK);
        Notify(hwnd, CBN_CLOSEUP);
        Notify(hwnd, CBN_SELCHANGE);
    } else {
        if (IsWindow(list))
            SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(before), 0);
        Notify(hwnd, CBN_SELENDCANCEL);
        Notify(hwnd, CBN_CLOSEUP);
    }
}

// Changes the choice from the keyboard of the closed box.
void Step(HWND hwnd, const ComboState& s, int vk) {
    const int count = static_cast<int>(ToList(s, LB_GETCOUNT, 0, 0));
    const int selected = static_cast<int>(ToList(s, LB_GETCURSEL, 0, 0));
    int next = selected;
    if (vk == VK_UP)
        next = selected < 0 ? 0 : selected - 1;
    else if (vk == VK_DOWN)
        next = selected < 0 ? 0 : selected + 1;
    else if (vk == VK_HOME)
        next = 0;
    else if (vk == VK_END)
        next = count - 1;
    if (next < 0 || next >= count || next == selected)
        return;
    ToList(s, LB_SETCURSEL, static_cast<WPARAM>(next), 0);
    InvalidateRect(hwnd, nullptr, TRUE);
    NotifyParent(hwnd, CBN_SELCHANGE);
}

// The CB_ item messages and the LB_ message of the list that answers each.
UINT ListMessageFor(UINT message) {
    switch (message) {
    case CB_ADDSTRING:
        return LB_ADDSTRING;
    case CB_INSERTSTRING:
        return LB_INSERTSTRING;
    case CB_DELETESTRING:
        return LB_DELETESTRING;
    case CB_RESETCONTENT:
        return LB_RESETCONTENT;
    case CB_GETCOUNT:
        return LB_GETCOUNT;
    case CB_GETCURSEL:
        return LB_GETCURSEL;
    case CB_SETCURSEL:
        return LB_SETCURSEL;
    case CB_GETLBTEXT:
        return LB_GETTEXT;
    case CB_GETLBTEXTLEN:
        return LB_GETTEXTLEN;
    case CB_GETITEMDATA:
        return LB_GETITEMDATA;
    case CB_SETITEMDATA:
        return LB_SETITEMDATA;
    case CB_FINDSTRINGEXACT:
        return LB_FINDSTRINGEXACT;
    default:
        return 0;
    }
}

} // namespace

LRESULT ComboBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ComboState& s = ControlStates<ComboState>::Of(hwnd);
    if (const UINT listMessage = ListMessageFor(message)) {
        const LRESULT r = ToList(s, listMessage, wParam, lParam);
        if (message != CB_GETCOUNT && message != CB_GETCURSEL && message != CB_GETLBTEXT &&
            message != CB_GETLBTEXTLEN && message != CB_GETITEMDATA)
            InvalidateRect(hwnd, nullptr, TRUE);
        return r;
    }
    switch (message) {
    case WM_CREATE: {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        const DWORD style = StyleOf(hwnd);
        s.droppedHeight = cs ? cs->cy : 0;
        // No owner: the list's modal loop leaves the dialog enabled, so the
        // box keeps the focus and hands the list its keys.
        s.list = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, u"ComboLBox", u"",
                                 WS_POPUP | WS_BORDER | (style & WS_VSCROLL) |
                                     ((style & CBS_SORT) ? LBS_SORT : 0),
                                 0, 0, cs ? cs->cx : 0, 0, nullptr, nullptr, nullptr, hwnd);
        if (!s.list)
            return -1;
        SetWindowBackground(s.list, std::nullopt);
        MarkTransientWindow(s.list);
        FitClosedHeight(hwnd, s);
        return 0;
    }
    case WM_PAINT:
        Paint(hwnd, s);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        s.font = reinterpret_cast<HFONT>(wParam);
        ToList(s, WM_SETFONT, wParam, 0);
        FitClosedHeight(hwnd, s);
        if (lParam)
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s.font);
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case CB_GETDROPPEDSTATE:
        return s.dropped ? TRUE : FALSE;
    case CB_SETMINVISIBLE:
        if (wParam == 0)
            return FALSE;
        s.minVisible = static_cast<int>(std::min<WPARAM>(wParam, 1000));
        return TRUE;
    case CB_GETMINVISIBLE:
        return s.minVisible;
    case CB_SHOWDROPDOWN:
        if (wParam)
            DropDown(hwnd);
        else if (s.dropped && s.list)
            EndModalLoop(s.list, 0);
        return TRUE;
    case WM_LBUTTONDOWN:
        if (StyleOf(hwnd) & WS_TABSTOP)
            SetFocus(hwnd);
        DropDown(hwnd); // may destroy us: nothing after this
        return 0;
    case WM_KEYDOWN: {
        const int vk = static_cast<int>(wParam);
        if (s.dropped) {
            // The dropped list takes the keys that move and end it.
            if (vk == VK_UP || vk == VK_DOWN || vk == VK_HOME || vk == VK_END || vk == VK_PRIOR ||
                vk == VK_NEXT || vk == VK_RETURN || vk == VK_ESCAPE)
                ToList(s, WM_KEYDOWN, wParam, lParam);
            return 0;
        }
        if (vk == VK_UP || vk == VK_DOWN || vk == VK_HOME || vk == VK_END) {
            Step(hwnd, s, vk);
            return 0;
        }
        if (HandleDialogKey(hwnd, vk))
            return 0;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    case WM_DESTROY: {
        HWND list = s.list;
        s.list = nullptr;
        ControlStates<ComboState>::Forget(hwnd);
        if (list && IsWindow(list))
            DestroyWindow(list); // ends its loop when it is dropped
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace zorun
