// COMBOBOX (drop-down list): a box showing the chosen item and a drop
// button. A tap opens the list below the box (above when there is no room)
// as a modal pop-up: a tap on an item chooses it (CBN_SELCHANGE), a tap
// elsewhere closes it. Up/Down change the choice directly.
#include <algorithm>
#include <string>

#include "platform/user/ControlListModel.h"
#include "platform/user/ControlPaint.h"
#include "platform/user/ControlSupport.h"
#include "platform/user/ModalLoop.h"
#include "platform/user/Screen.h"

namespace zorun {
namespace {

constexpr int kItemHeight = 16;
constexpr int kButtonWidth = 13;
constexpr int kMaxDropRows = 8;

struct ComboState {
    HFONT font = nullptr;
    ControlListModel items;
    int selected = -1;
    bool dropped = false;
    // While dropped: the list window, its first row and the row under the stylus.
    HWND list = nullptr;
    int top = 0;
    int hot = -1;
};

void Select(HWND hwnd, ComboState& s, int index, bool notify) {
    if (!s.items.Valid(index))
        index = -1;
    if (index == s.selected)
        return;
    s.selected = index;
    InvalidateRect(hwnd, nullptr, TRUE);
    if (notify)
        NotifyParent(hwnd, CBN_SELCHANGE);
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
    FrameSolid(hdc, button, kControlFrame);
    const int cx = button.left + button.Width() / 2, cy = c.top + c.Height() / 2;
    for (int k = 0; k < 3; ++k)
        FillSolid(hdc, {cx - 2 + k, cy - 1 + k, cx + 3 - k, cy + k}, ink);
    const RECT text{c.left + 1, c.top + 1, button.left, c.bottom - 1};
    if (focused)
        FillSolid(hdc, text, kSelectionBack);
    if (const auto* item = s.items.At(s.selected))
        DrawLabel(hdc, item->text, {text.left + 2, text.top, text.right - 1, text.bottom},
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS,
                  focused ? kSelectionText : ink, font);
    EndPaint(hwnd, &ps);
}

// The combo box whose list is open (one at a time: the list is modal).
thread_local HWND droppedCombo = nullptr;

void PaintList(HWND list, ComboState& s) {
    PAINTSTRUCT ps{};
    HDC hdc = BeginPaint(list, &ps);
    if (hdc) {
        const RECT c = ClientOf(list);
        FillSolid(hdc, c, kControlBack);
        FrameSolid(hdc, c, kControlFrame);
        const int rows = (c.Height() - 2) / kItemHeight;
        for (int row = 0; row < rows; ++row) {
            const int index = s.top + row;
            const auto* item = s.items.At(index);
            if (!item)
                break;
            const RECT r{1, 1 + row * kItemHeight, c.right - 1, 1 + (row + 1) * kItemHeight};
            const bool hot = index == s.hot;
            if (hot)
                FillSolid(hdc, r, kSelectionBack);
            DrawLabel(hdc, item->text, {r.left + 2, r.top, r.right - 1, r.bottom},
                      DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS,
                      hot ? kSelectionText : kControlText, s.font ? s.font : DialogFont());
        }
    }
    EndPaint(list, &ps);
}

LRESULT ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND combo = droppedCombo;
    if (!combo || !IsWindow(combo))
        return DefWindowProcW(list, message, wParam, lParam);
    ComboState& s = ControlStates<ComboState>::Of(combo);
    switch (message) {
    case WM_PAINT:
        PaintList(list, s);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
        const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const RECT c = ClientOf(list);
        const bool inside = c.Contains(p);
        if (message == WM_LBUTTONDOWN && !inside) {
            EndModalLoop(list, -1);
            return 0;
        }
        const int index = inside ? s.top + (p.y - 1) / kItemHeight : -1;
        if (index != s.hot) {
            s.hot = s.items.Valid(index) ? index : -1;
            InvalidateRect(list, nullptr, FALSE);
        }
        if (message == WM_LBUTTONUP && inside && s.items.Valid(index))
            EndModalLoop(list, index);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            EndModalLoop(list, -1);
        else if (wParam == VK_RETURN)
            EndModalLoop(list, s.hot);
        else if (wParam == VK_UP || wParam == VK_DOWN) {
            const int next =
                std::clamp(s.hot + (wParam == VK_DOWN ? 1 : -1), 0, s.items.Count() - 1);
            s.hot = next;
            const int rows = (ClientOf(list).Height() - 2) / kItemHeight;
            if (next < s.top)
                s.top = next;
            else if (next >= s.top + rows)
                s.top = next - rows + 1;
            InvalidateRect(list, nullptr, FALSE);
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != list)
            EndModalLoop(list, -1);
        return 0;
    default:
        return DefWindowProcW(list, message, wParam, lParam);
    }
}

void DropDown(HWND hwnd, ComboState& s) {
    if (s.dropped || droppedCombo || s.items.Count() == 0)
        return;
    RECT box{};
    GetWindowRect(hwnd, &box);
    const int rows = std::min(s.items.Count(), kMaxDropRows);
    const int height = rows * kItemHeight + 2;
    int top = box.bottom;
    if (top + height > kWorkArea.bottom && box.top - height >= 0)
        top = box.top - height;
    NotifyParent(hwnd, CBN_DROPDOWN);
    HWND list =
        CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, u"ComboLBox", u"", WS_POPUP, box.left,
                        top, box.Width(), height, TopLevelOf(hwnd), nullptr, ListProc, nullptr);
    if (!list)
        return;
    SetWindowBackground(list, std::nullopt);
    MarkTransientWindow(list);
    s.dropped = true;
    s.list = list;
    s.hot = s.selected;
    s.top = std::clamp(s.selected - rows + 1, 0, std::max(0, s.items.Count() - rows));
    droppedCombo = hwnd;
    ShowWindow(list, SW_SHOWNA);
    SetCapture(list);
    SetFocus(list);
    const int chosen = RunModalLoop(list);
    droppedCombo = nullptr;
    if (GetCapture() == list)
        ReleaseCapture();
    if (IsWindow(list))
        DestroyWindow(list);
    if (!IsWindow(hwnd))
        return;
    ComboState& after = ControlStates<ComboState>::Of(hwnd);
    after.dropped = false;
    after.list = nullptr;
    SetFocus(hwnd);
    NotifyParent(hwnd, CBN_CLOSEUP);
    if (IsWindow(hwnd) && chosen >= 0)
        Select(hwnd, ControlStates<ComboState>::Of(hwnd), chosen, true);
}

} // namespace

LRESULT ComboBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ComboState& s = ControlStates<ComboState>::Of(hwnd);
    const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
    switch (message) {
    case WM_PAINT:
        Paint(hwnd, s);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        s.font = reinterpret_cast<HFONT>(wParam);
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
    case CB_ADDSTRING:
    case CB_INSERTSTRING: {
        if (!lParam)
            return CB_ERR;
        std::u16string text(reinterpret_cast<const char16_t*>(lParam));
        const int at = message == CB_ADDSTRING
                           ? s.items.Add(std::move(text), StyleOf(hwnd) & CBS_SORT)
                           : s.items.Insert(index, std::move(text));
        if (s.selected >= at)
            ++s.selected;
        return at;
    }
    case CB_DELETESTRING:
        if (s.dropped || !s.items.Delete(index))
            return CB_ERR;
        if (s.selected == index)
            s.selected = -1;
        else if (s.selected > index)
            --s.selected;
        InvalidateRect(hwnd, nullptr, TRUE);
        return s.items.Count();
    case CB_RESETCONTENT:
        if (s.dropped)
            return CB_ERR;
        s.items.Clear();
        s.selected = -1;
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case CB_GETCOUNT:
        return s.items.Count();
    case CB_GETCURSEL:
        return s.selected;
    case CB_SETCURSEL:
        Select(hwnd, s, index, false);
        return s.items.Valid(index) ? index : CB_ERR;
    case CB_GETLBTEXT:
        return CopyItemText(s.items, index, lParam);
    case CB_GETLBTEXTLEN:
        return s.items.Valid(index) ? static_cast<LRESULT>(s.items.At(index)->text.size()) : CB_ERR;
    case CB_GETITEMDATA:
        return s.items.Valid(index) ? s.items.At(index)->data : CB_ERR;
    case CB_SETITEMDATA:
        if (!s.items.Valid(index))
            return CB_ERR;
        s.items.At(index)->data = lParam;
        return 0;
    case CB_GETDROPPEDSTATE:
        return s.dropped ? TRUE : FALSE;
    case CB_SHOWDROPDOWN:
        if (wParam)
            DropDown(hwnd, s);
        else if (s.dropped && s.list)
            EndModalLoop(s.list, -1);
        return TRUE;
    case WM_LBUTTONDOWN:
        if (StyleOf(hwnd) & WS_TABSTOP)
            SetFocus(hwnd);
        DropDown(hwnd, s); // may destroy us: nothing after this
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_UP || wParam == VK_DOWN) {
            const int next = s.selected < 0 ? 0 : s.selected + (wParam == VK_DOWN ? 1 : -1);
            if (s.items.Valid(next))
                Select(hwnd, s, next, true);
            return 0;
        }
        if (HandleDialogKey(hwnd, static_cast<int>(wParam)))
            return 0;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_DESTROY:
        if (s.dropped && s.list)
            EndModalLoop(s.list, -1);
        ControlStates<ComboState>::Forget(hwnd);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace zorun
