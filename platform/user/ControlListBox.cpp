// LISTBOX: a column of items, one selected (dark blue, white text). A tap
// selects (LBN_SELCHANGE), a second tap on the same item soon after is a
// double tap (LBN_DBLCLK); Up/Down move the selection. When the items do not
// fit, a scroll bar on the right scrolls them: arrows by one item, the track
// by a page.
#include <algorithm>
#include <string>

#include "platform/user/ControlListModel.h"
#include "platform/user/ControlPaint.h"
#include "platform/user/ControlSupport.h"

namespace zorun {
namespace {

constexpr int kItemHeight = 16;
constexpr int kBarWidth = 11;
constexpr DWORD kDoubleTapMs = 500;

struct ListBoxState {
    HFONT font = nullptr;
    ControlListModel items;
    int selected = -1;
    int top = 0;
    int lastTapItem = -1;
    DWORD lastTapTime = 0;
};

RECT Inner(HWND hwnd) {
    RECT c = ClientOf(hwnd);
    if (StyleOf(hwnd) & WS_BORDER)
        c = {c.left + 1, c.top + 1, c.right - 1, c.bottom - 1};
    return c;
}

int VisibleRows(HWND hwnd) {
    return std::max(1, Inner(hwnd).Height() / kItemHeight);
}

bool HasBar(HWND hwnd, const ListBoxState& s) {
    return s.items.Count() > VisibleRows(hwnd);
}

int MaxTop(HWND hwnd, const ListBoxState& s) {
    return std::max(0, s.items.Count() - VisibleRows(hwnd));
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
    else if (index >= s.top + VisibleRows(hwnd))
        SetTop(hwnd, s, index - VisibleRows(hwnd) + 1);
}

// The scroll bar's parts: up arrow, track, down arrow, and the thumb in the track.
struct BarParts {
    RECT up, track, down, thumb;
};

BarParts Bar(HWND hwnd, const ListBoxState& s) {
    const RECT in = Inner(hwnd);
    const RECT bar{in.right - kBarWidth, in.top, in.right, in.bottom};
    BarParts p{};
    p.up = {bar.left, bar.top, bar.right, bar.top + kBarWidth};
    p.down = {bar.left, bar.bottom - kBarWidth, bar.right, bar.bottom};
    p.track = {bar.left, p.up.bottom, bar.right, p.down.top};
    const int count = std::max(1, s.items.Count());
    const int trackHeight = std::max(0, p.track.Height());
    const int thumbHeight =
        std::clamp(trackHeight * VisibleRows(hwnd) / count, 6, std::max(6, trackHeight));
    const int range = std::max(1, MaxTop(hwnd, s));
    const int thumbTop = p.track.top + (trackHeight - thumbHeight) * s.top / range;
    p.thumb = {bar.left, thumbTop, bar.right, std::min(p.track.bottom, thumbTop + thumbHeight)};
    return p;
}

void PaintArrow(HDC hdc, const RECT& r, bool up, COLORREF ink) {
    const int cx = r.left + r.Width() / 2;
    const int cy = r.top + r.Height() / 2;
    for (int k = 0; k < 3; ++k) {
        const int y = up ? cy - 1 + k : cy + 1 - k;
        FillSolid(hdc, {cx - k, y, cx + k + 1, y + 1}, ink);
    }
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
    const int textRight = bar ? in.right - kBarWidth : in.right;
    for (int row = 0; row < VisibleRows(hwnd); ++row) {
        const int index = s.top + row;
        const auto* item = s.items.At(index);
        if (!item)
            break;
        const RECT r{in.left, in.top + row * kItemHeight, textRight,
                     in.top + (row + 1) * kItemHeight};
        const bool selected = index == s.selected;
        if (selected)
            FillSolid(hdc, r, kSelectionBack);
        DrawLabel(hdc, item->text, {r.left + 2, r.top, r.right - 1, r.bottom},
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS,
                  selected && enabled ? kSelectionText : ink, font);
    }
    if (bar) {
        const BarParts p = Bar(hwnd, s);
        FillSolid(hdc, {p.up.left, p.up.top, p.down.right, p.down.bottom}, kButtonFace);
        FrameSolid(hdc, p.up, kControlFrame);
        FrameSolid(hdc, p.down, kControlFrame);
        PaintArrow(hdc, p.up, true, kControlText);
        PaintArrow(hdc, p.down, false, kControlText);
        FillSolid(hdc, {p.track.left, p.track.top, p.track.left + 1, p.track.bottom},
                  kControlFrame);
        FillSolid(hdc, p.thumb, kControlBack);
        FrameSolid(hdc, p.thumb, kControlFrame);
    }
    EndPaint(hwnd, &ps);
}

void Select(HWND hwnd, ListBoxState& s, int index, bool notify) {
    if (!s.items.Valid(index))
        index = -1;
    if (index == s.selected)
        return;
    s.selected = index;
    EnsureVisible(hwnd, s, index);
    InvalidateRect(hwnd, nullptr, TRUE);
    if (notify)
        NotifyParent(hwnd, LBN_SELCHANGE);
}

void Tap(HWND hwnd, ListBoxState& s, POINT p) {
    if (HasBar(hwnd, s)) {
        const BarParts bar = Bar(hwnd, s);
        if (p.x >= bar.up.left) {
            if (bar.up.Contains(p))
                SetTop(hwnd, s, s.top - 1);
            else if (bar.down.Contains(p))
                SetTop(hwnd, s, s.top + 1);
            else if (p.y < bar.thumb.top)
                SetTop(hwnd, s, s.top - VisibleRows(hwnd));
            else if (p.y >= bar.thumb.bottom)
                SetTop(hwnd, s, s.top + VisibleRows(hwnd));
            return;
        }
    }
    const RECT in = Inner(hwnd);
    if (p.y < in.top)
        return;
    const int index = s.top + (p.y - in.top) / kItemHeight;
    if (!s.items.Valid(index))
        return;
    const DWORD now = GetTickCount();
    const bool doubleTap = index == s.lastTapItem && now - s.lastTapTime <= kDoubleTapMs;
    s.lastTapItem = doubleTap ? -1 : index;
    s.lastTapTime = now;
    Select(hwnd, s, index, true);
    if (doubleTap)
        NotifyParent(hwnd, LBN_DBLCLK);
}

} // namespace

HWND ComboOfDropList(HWND) {
    return nullptr;
}

LRESULT ListBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ListBoxState& s = ControlStates<ListBoxState>::Of(hwnd);
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
        Select(hwnd, s, index, false);
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
    case LB_GETTOPINDEX:
        return s.top;
    case LB_SETTOPINDEX:
        if (!s.items.Valid(index))
            return LB_ERR;
        SetTop(hwnd, s, index);
        return 0;
    case LB_GETITEMHEIGHT:
        return kItemHeight;
    case WM_LBUTTONDOWN:
        if (StyleOf(hwnd) & WS_TABSTOP)
            SetFocus(hwnd);
        Tap(hwnd, s, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
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
        ControlStates<ListBoxState>::Forget(hwnd);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace zorun
