// LISTBOX: a column of items, one selected (dark blue, white text), rows as
// tall as the font. A tap selects; with LBS_NOTIFY the parent hears
// LBN_SELCHANGE when the choice changed and LBN_DBLCLK for a second tap on
// the same item soon after. A press that moves on scrolls instead and
// chooses nothing. Up/Down,
// Home/End and Page Up/Down move the selection. When the items do not fit,
// a WS_VSCROLL list shows a scroll bar; dragging the content scrolls it too.
//
// "ComboLBox" is the same list as a combo box's dropped pop-up: it runs in
// the combo box's modal loop, follows the stylus, and ends the loop with the
// item chosen (a release on it) or -1 (a press outside, Escape).
#include <algorithm>
#include <string>

#include "platform/base/Text.h"
#include "platform/user/ControlListModel.h"
#include "platform/user/ControlPaint.h"
#include "platform/user/ControlScrollBar.h"
#include "platform/user/ControlSupport.h"
#include "platform/user/ModalLoop.h"

namespace zorun {
namespace {

constexpr DWORD kDoubleTapMs = 500;

struct ListBoxState {
    HFONT font = nullptr;
    int itemHeight = 0; // LB_SETITEMHEIGHT; 0: from the font
    ControlListModel items;
    int selected = -1;
    int top = 0;
    // The stylus: what it does, the selection before the press, the last tap.
    ScrollDrag drag;
    int pressedItem = -1;
    int lastTapItem = -1;
    DWORD lastTapTime = 0;
    // A combo box's dropped list.
    HWND combo = nullptr;
    bool dropList = false;
};

ListBoxState* FindState(HWND hwnd) {
    return ControlStates<ListBoxState>::Find(hwnd);
}

int RowHeight(const ListBoxState& s) {
    return s.itemHeight > 0 ? s.itemHeight : std::max(16, FontHeight(s.font) + 2);
}

RECT Inner(HWND hwnd) {
    return InsideBorder(hwnd);
}

int VisibleRows(HWND hwnd, const ListBoxState& s) {
    return std::max(1, Inner(hwnd).Height() / RowHeight(s));
}

bool HasBar(HWND hwnd, const ListBoxState& s) {
    return (StyleOf(hwnd) & WS_VSCROLL) && s.items.Count() > VisibleRows(hwnd, s);
}

VerticalScrollBar Bar(HWND hwnd, const ListBoxState& s) {
    const RECT in = Inner(hwnd);
    return VerticalScrollBar({in.right - VerticalScrollBar::kWidth, in.top, in.right, in.bottom},
                             s.items.Count(), VisibleRows(hwnd, s), s.top);
}

int MaxTop(HWND hwnd, const ListBoxState& s) {
    return std::max(0, s.items.Count() - VisibleRows(hwnd, s));
}

void SetTop(HWND hwnd, ListBoxState& s, int top) {
    top = std::clamp(top, 0, MaxTop(hwnd, s));
    if (top != s.top) {
        s.top = top;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

void EnsureVisible(HWND hwnd, ListBoxState& s, int index) {
    if (index < 0)
        return;
    if (index < s.top)
        SetTop(hwnd, s, index);
    else if (index >= s.top + VisibleRows(hwnd, s))
        SetTop(hwnd, s, index - VisibleRows(hwnd, s) + 1);
}

// The item under a client point; -1 outside the rows (or on the bar).
int ItemAt(HWND hwnd, const ListBoxState& s, POINT p) {
    const RECT in = Inner(hwnd);
    const int right = HasBar(hwnd, s) ? in.right - VerticalScrollBar::kWidth : in.right;
    if (p.x < in.left || p.x >= right || p.y < in.top || p.y >= in.bottom)
        return -1;
    const int index = s.top + (p.y - in.top) / RowHeight(s);
    return s.items.Valid(index) ? index : -1;
}

void Paint(HWND hwnd, ListBoxState& s) {
    PAINTSTRUCT ps{};
    HDC hdc = BeginPaint(hwnd, &ps);
    if (!hdc) {
        EndPaint(hwnd, &ps);
        return;
    }
    const RECT c = ClientOf(hwnd);
    const RECT in = Inner(hwnd);
    const bool bar = HasBar(hwnd, s);
    const bool enabled = IsWindowEnabled(hwnd);
    HBRUSH brush = PrepareControlDC(hwnd, hdc, WM_CTLCOLORLISTBOX, s.font,
                                    enabled ? kControlText : kDisabledText);
    HFONT font = CurrentFont(hdc);
    const COLORREF ink = enabled ? GetTextColor(hdc) : kDisabledText;
    if (brush)
        FillRect(hdc, &c, brush);
    else
        FillSolid(hdc, c, kControlBack);
    if (StyleOf(hwnd) & WS_BORDER)
        FrameSolid(hdc, c, kControlFrame);
    const int textRight = bar ? in.right - VerticalScrollBar::kWidth : in.right;
    const int rowHeight = RowHeight(s);
    SaveDC(hdc);
    IntersectClipRect(hdc, in.left, in.top, textRight, in.bottom);
    for (int row = 0; in.top + row * rowHeight < in.bottom; ++row) {
        const int index = s.top + row;
        const auto* item = s.items.At(index);
        if (!item)
            break;
        const RECT r{in.left, in.top + row * rowHeight, textRight, in.top + (row + 1) * rowHeight};
        const bool selected = index == s.selected;
        if (selected)
            FillSolid(hdc, r, enabled ? kSelectionBack : kDisabledText);
        DrawLabel(hdc, item->text, {r.left + 2, r.top, r.right - 1, r.bottom},
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS,
                  selected ? kSelectionText : ink, font);
    }
    RestoreDC(hdc, -1);
    if (bar)
        Bar(hwnd, s).Paint(hdc, enabled);
    EndPaint(hwnd, &ps);
}

bool Notifies(HWND hwnd, const ListBoxState& s) {
    return !s.dropList && (StyleOf(hwnd) & LBS_NOTIFY);
}

void Select(HWND hwnd, ListBoxState& s, int index) {
    if (!s.items.Valid(index))
        index = -1;
    if (index == s.selected)
        return;
    s.selected = index;
    EnsureVisible(hwnd, s, index);
    InvalidateRect(hwnd, nullptr, TRUE);
}

// Ends the dropped list's loop with the item chosen, -1 for none. The loop
// returns the item + 1, so that a loop ended any other way (0) chooses nothing.
void EndDropList(HWND hwnd, int item) {
    if (IsInModalLoop(hwnd))
        EndModalLoop(hwnd, item < 0 ? 0 : item + 1);
}

void Press(HWND hwnd, ListBoxState& s, POINT p) {
    if (s.dropList && !ClientOf(hwnd).Contains(p)) {
        EndDropList(hwnd, -1); // a tap outside the dropped list closes it
        return;
    }
    if (!s.dropList && (StyleOf(hwnd) & WS_TABSTOP))
        SetFocus(hwnd);
    if (!IsWindow(hwnd))
        return;
    SetCapture(hwnd);
    s.drag.start = p;
    s.drag.startPosition = s.top;
    s.pressedItem = -1;
    if (HasBar(hwnd, s)) {
        const VerticalScrollBar bar = Bar(hwnd, s);
        const auto part = bar.HitTest(p);
        if (part == VerticalScrollBar::Part::Thumb) {
            s.drag.mode = ScrollDrag::Mode::Thumb;
            return;
        }
        if (part != VerticalScrollBar::Part::None) {
            s.drag.mode = ScrollDrag::Mode::Bar;
            SetTop(hwnd, s, bar.PositionAfter(part));
            return;
        }
    }
    s.drag.mode = ScrollDrag::Mode::Pressed;
    s.pressedItem = ItemAt(hwnd, s, p);
    // The dropped list shows at once which item a release would choose.
    if (s.dropList && s.pressedItem >= 0)
        Select(hwnd, s, s.pressedItem);
}

void Move(HWND hwnd, ListBoxState& s, POINT p) {
    switch (s.drag.mode) {
    case ScrollDrag::Mode::Thumb:
        SetTop(hwnd, s,
               Bar(hwnd, s).PositionForThumbDrag(s.drag.startPosition, p.y - s.drag.start.y));
        return;
    case ScrollDrag::Mode::Pressed:
        if (!s.drag.BeyondSlop(p) || MaxTop(hwnd, s) == 0) {
            if (s.dropList) {
                const int index = ItemAt(hwnd, s, p);
                if (index >= 0)
                    Select(hwnd, s, index);
            }
            return;
        }
        // Far enough: the gesture scrolls and will choose nothing.
        s.drag.mode = ScrollDrag::Mode::Scrolling;
        [[fallthrough]];
    case ScrollDrag::Mode::Scrolling:
        SetTop(hwnd, s, s.drag.ContentPosition(p.y, RowHeight(s)));
        return;
    default:
        return;
    }
}

// A tap (a press and a release that did not scroll) on an item chooses it.
void Release(HWND hwnd, ListBoxState& s, POINT p) {
    const ScrollDrag::Mode mode = s.drag.mode;
    s.drag.mode = ScrollDrag::Mode::None;
    if (s.dropList) {
        const int index = ItemAt(hwnd, s, p);
        if (mode == ScrollDrag::Mode::Pressed && index >= 0)
            EndDropList(hwnd, index);
        return;
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
    const int index = s.pressedItem;
    if (mode != ScrollDrag::Mode::Pressed || index < 0 || !s.items.Valid(index))
        return;
    const DWORD now = GetTickCount();
    const bool doubleTap =
        index == s.lastTapItem && index == s.selected && now - s.lastTapTime <= kDoubleTapMs;
    s.lastTapItem = doubleTap ? -1 : index;
    s.lastTapTime = now;
    const bool changed = index != s.selected;
    Select(hwnd, s, index);
    if (!Notifies(hwnd, s))
        return;
    if (changed)
        NotifyParent(hwnd, LBN_SELCHANGE); // may destroy us
    else if (doubleTap)
        NotifyParent(hwnd, LBN_DBLCLK);
}

bool Key(HWND hwnd, ListBoxState& s, int vk) {
    const int count = s.items.Count();
    const int page = VisibleRows(hwnd, s);
    if (vk == VK_RETURN || vk == VK_ESCAPE) {
        if (!s.dropList)
            return false;
        EndDropList(hwnd, vk == VK_RETURN ? s.selected : -1);
        return true;
    }
    const auto next = RowAfterKey(vk, s.selected, count, page);
    if (!next)
        return false;
    if (s.items.Valid(*next) && *next != s.selected) {
        Select(hwnd, s, *next);
        if (Notifies(hwnd, s))
            NotifyParent(hwnd, LBN_SELCHANGE);
    }
    return true;
}

} // namespace

HWND ComboOfDropList(HWND list) {
    const ListBoxState* s = FindState(list);
    return s && s->dropList ? s->combo : nullptr;
}

LRESULT ListBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ListBoxState& s = ControlStates<ListBoxState>::Of(hwnd);
    const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_PAINT:
        Paint(hwnd, s);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        s.font = reinterpret_cast<HFONT>(wParam);
        SetTop(hwnd, s, s.top);
        if (lParam)
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s.font);
    case WM_ENABLE:
    case WM_SIZE:
        SetTop(hwnd, s, s.top);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        if (!lParam)
            return LB_ERR;
        std::u16string text(reinterpret_cast<const char16_t*>(lParam));
        // As on the device, only LB_ADDSTRING keeps an LBS_SORT list sorted.
        const int at = message == LB_ADDSTRING
                           ? s.items.Add(std::move(text), StyleOf(hwnd) & LBS_SORT)
                           : s.items.Insert(index, std::move(text));
        if (s.selected >= at)
            ++s.selected;
        InvalidateRect(hwnd, nullptr, TRUE);
        return at;
    }
    case LB_DELETESTRING:
        if (!s.items.Delete(index))
            return LB_ERR;
        if (s.selected == index)
            s.selected = -1;
        else if (s.selected > index)
            --s.selected;
        SetTop(hwnd, s, s.top);
        InvalidateRect(hwnd, nullptr, TRUE);
        return s.items.Count();
    case LB_RESETCONTENT:
        s.items.Clear();
        s.selected = -1;
        s.top = 0;
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case LB_GETCOUNT:
        return s.items.Count();
    case LB_GETCURSEL:
        return s.selected;
    case LB_SETCURSEL:
        Select(hwnd, s, index);
        return s.items.Valid(index) ? index : LB_ERR;
    case LB_GETTEXT:
        return CopyItemText(s.items, index, lParam);
    case LB_GETTEXTLEN:
        return s.items.Valid(index) ? static_cast<LRESULT>(s.items.At(index)->text.size()) : LB_ERR;
    case LB_GETITEMDATA:
        return s.items.Valid(index) ? s.items.At(index)->data : LB_ERR;
    case LB_SETITEMDATA:
        if (!s.items.Valid(index))
            return LB_ERR;
        s.items.At(index)->data = lParam;
        return 0;
    case LB_FINDSTRINGEXACT: {
        if (!lParam)
            return LB_ERR;
        const std::u16string_view wanted(reinterpret_cast<const char16_t*>(lParam));
        for (int i = 0; i < s.items.Count(); ++i)
            if (CompareNoCase(s.items.At(i)->text, wanted) == 0)
                return i;
        return LB_ERR;
    }
    case LB_GETTOPINDEX:
        return s.top;
    case LB_SETTOPINDEX:
        if (!s.items.Valid(index))
            return LB_ERR;
        SetTop(hwnd, s, index);
        return 0;
    case LB_GETITEMHEIGHT:
        return RowHeight(s);
    case LB_SETITEMHEIGHT:
        if (lParam <= 0 || lParam > 255)
            return LB_ERR;
        s.itemHeight = static_cast<int>(lParam);
        SetTop(hwnd, s, s.top);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDOWN:
        Press(hwnd, s, point);
        return 0;
    case WM_MOUSEMOVE:
        if (s.drag.mode != ScrollDrag::Mode::None)
            Move(hwnd, s, point);
        return 0;
    case WM_LBUTTONUP:
        if (s.drag.mode != ScrollDrag::Mode::None)
            Release(hwnd, s, point); // may destroy us: nothing after this
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd) {
            s.drag.mode = ScrollDrag::Mode::None;
            if (s.dropList)
                EndDropList(hwnd, -1);
        }
        return 0;
    case WM_KEYDOWN:
        if (Key(hwnd, s, static_cast<int>(wParam)))
            return 0;
        if (!s.dropList && HandleDialogKey(hwnd, static_cast<int>(wParam)))
            return 0;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_DESTROY:
        if (s.dropList)
            EndDropList(hwnd, -1);
        ControlStates<ListBoxState>::Forget(hwnd);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

LRESULT ComboListBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        ListBoxState& s = ControlStates<ListBoxState>::Of(hwnd);
        s.dropList = true;
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        s.combo = cs ? static_cast<HWND>(cs->lpCreateParams) : nullptr;
        return 0;
    }
    return ListBoxProc(hwnd, message, wParam, lParam);
}

} // namespace zorun
