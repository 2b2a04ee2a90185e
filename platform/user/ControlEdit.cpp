// EDIT: one line of text with a caret. Typing (WM_CHAR) replaces the
// selection, Backspace and Delete remove, Left/Right move the caret; taking
// the focus selects everything. Every change of the text sends EN_CHANGE.
#include <algorithm>
#include <string>

#include "platform/user/ControlPaint.h"
#include "platform/user/ControlSupport.h"

namespace zorun {
namespace {

struct EditState {
    HFONT font = nullptr;
    std::size_t caret = 0;
    std::size_t anchor = 0; // selection = [min(anchor, caret), max(...))
    std::size_t limit = 30000;
    int scroll = 0; // pixels of text hidden on the left
};

constexpr int kPadding = 3;

std::u16string TextOf(HWND hwnd) {
    return GetWindowText(hwnd);
}

void StoreText(HWND hwnd, const std::u16string& text) {
    DefWindowProcW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool ReadOnly(HWND hwnd) {
    return (StyleOf(hwnd) & ES_READONLY) != 0;
}

int Advance(HFONT font, const std::u16string& text, std::size_t count) {
    return TextWidth(font, std::u16string_view(text).substr(0, std::min(count, text.size())));
}

void Clamp(EditState& s, std::size_t length) {
    s.caret = std::min(s.caret, length);
    s.anchor = std::min(s.anchor, length);
}

// Keeps the caret inside the visible part of the box.
void ScrollToCaret(HWND hwnd, EditState& s, const std::u16string& text) {
    HFONT font = s.font ? s.font : DialogFont();
    const int visible = std::max(1, ClientOf(hwnd).Width() - 2 * kPadding);
    const int x = Advance(font, text, s.caret);
    if (x - s.scroll > visible)
        s.scroll = x - visible;
    if (x < s.scroll)
        s.scroll = std::max(0, x - visible / 3);
}

void Changed(HWND hwnd, EditState& s, const std::u16string& text) {
    StoreText(hwnd, text);
    ScrollToCaret(hwnd, s, text);
    InvalidateRect(hwnd, nullptr, TRUE);
    NotifyParent(hwnd, EN_CHANGE);
}

void ReplaceSelection(HWND hwnd, EditState& s, std::u16string_view insert) {
    std::u16string text = TextOf(hwnd);
    Clamp(s, text.size());
    const std::size_t from = std::min(s.anchor, s.caret), to = std::max(s.anchor, s.caret);
    const std::size_t room =
        s.limit > text.size() - (to - from) ? s.limit - (text.size() - (to - from)) : 0;
    insert = insert.substr(0, std::min(insert.size(), room));
    if (insert.empty() && from == to)
        return;
    text.replace(from, to - from, insert);
    s.caret = s.anchor = from + insert.size();
    Changed(hwnd, s, text);
}

void Paint(HWND hwnd, EditState& s) {
    PAINTSTRUCT ps{};
    HDC hdc = BeginPaint(hwnd, &ps);
    if (!hdc) {
        EndPaint(hwnd, &ps);
        return;
    }
    const RECT c = ClientOf(hwnd);
    const std::u16string text = TextOf(hwnd);
    Clamp(s, text.size());
    const bool enabled = IsWindowEnabled(hwnd);
    const bool focused = GetFocus() == hwnd;
    // A read-only or disabled edit is a label to its parent.
    HBRUSH brush = PrepareControlDC(
        hwnd, hdc, enabled && !ReadOnly(hwnd) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC, s.font,
        enabled ? kControlText : kDisabledText);
    HFONT font = CurrentFont(hdc);
    const COLORREF ink = enabled ? GetTextColor(hdc) : kDisabledText;
    if (brush)
        FillRect(hdc, &c, brush);
    else
        FillSolid(hdc, c, kControlBack);
    if (StyleOf(hwnd) & WS_BORDER)
        FrameSolid(hdc, c, kControlFrame);
    IntersectClipRect(hdc, c.left + 1, c.top + 1, c.right - 1, c.bottom - 1);
    const int x0 = c.left + kPadding - s.scroll;
    const RECT line{x0, c.top, c.right + 10000, c.bottom};
    DrawLabel(hdc, text, line, DT_LEFT | DT_VCENTER | DT_SINGLELINE, ink, font);
    const std::size_t from = std::min(s.anchor, s.caret), to = std::max(s.anchor, s.caret);
    if (focused && from != to) {
        const int a = x0 + Advance(font, text, from), b = x0 + Advance(font, text, to);
        const RECT sel{a, c.top + 2, b, c.bottom - 2};
        FillSolid(hdc, sel, kSelectionBack);
        DrawLabel(hdc, std::u16string_view(text).substr(from, to - from),
                  {a, c.top, b + 10000, c.bottom}, DT_LEFT | DT_VCENTER | DT_SINGLELINE,
                  kSelectionText, font);
    }
    if (focused && !ReadOnly(hwnd)) {
        const int x = x0 + Advance(font, text, s.caret);
        FillSolid(hdc, {x, c.top + 3, x + 1, c.bottom - 3}, kControlText);
    }
    EndPaint(hwnd, &ps);
}

std::size_t PositionAt(HWND hwnd, EditState& s, int x) {
    const std::u16string text = TextOf(hwnd);
    HFONT font = s.font ? s.font : DialogFont();
    const int target = x - kPadding + s.scroll;
    std::size_t best = 0;
    int bestDistance = std::abs(target);
    for (std::size_t i = 1; i <= text.size(); ++i) {
        const int d = std::abs(Advance(font, text, i) - target);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

} // namespace

LRESULT EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    EditState& s = ControlStates<EditState>::Of(hwnd);
    switch (message) {
    case WM_CREATE: {
        const std::size_t n = TextOf(hwnd).size();
        s.caret = s.anchor = n;
        return 0;
    }
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
    case WM_SETTEXT: {
        const LRESULT r = DefWindowProcW(hwnd, message, wParam, lParam);
        const std::u16string text = TextOf(hwnd);
        s.caret = s.anchor = text.size();
        s.scroll = 0;
        ScrollToCaret(hwnd, s, text);
        InvalidateRect(hwnd, nullptr, TRUE);
        NotifyParent(hwnd, EN_CHANGE);
        return r;
    }
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS;
    case EM_GETSEL: {
        const auto from = std::min(s.anchor, s.caret), to = std::max(s.anchor, s.caret);
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(from);
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(to);
        return MAKELPARAM(static_cast<int>(from), static_cast<int>(to));
    }
    case EM_SETSEL: {
        const std::size_t n = TextOf(hwnd).size();
        const auto start = static_cast<std::intptr_t>(wParam);
        const auto end = lParam;
        s.anchor = start < 0 ? n : std::min(static_cast<std::size_t>(start), n);
        s.caret = end < 0 ? n : std::min(static_cast<std::size_t>(end), n);
        if (start == 0 && end < 0)
            s.anchor = 0;
        ScrollToCaret(hwnd, s, TextOf(hwnd));
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }
    case EM_LIMITTEXT:
        s.limit = wParam ? static_cast<std::size_t>(wParam) : 30000;
        return 0;
    case EM_SETREADONLY: {
        DWORD style = StyleOf(hwnd);
        style = wParam ? (style | ES_READONLY) : (style & ~ES_READONLY);
        SetWindowLongW(hwnd, GWL_STYLE, static_cast<std::intptr_t>(style));
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }
    case WM_SETFOCUS:
        s.anchor = 0;
        s.caret = TextOf(hwnd).size();
        ScrollToCaret(hwnd, s, TextOf(hwnd));
        InvalidateRect(hwnd, nullptr, TRUE);
        NotifyParent(hwnd, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        s.anchor = s.caret;
        InvalidateRect(hwnd, nullptr, TRUE);
        NotifyParent(hwnd, EN_KILLFOCUS);
        return 0;
    case WM_LBUTTONDOWN:
        if (GetFocus() != hwnd) {
            SetFocus(hwnd);
        } else {
            s.caret = s.anchor = PositionAt(hwnd, s, GET_X_LPARAM(lParam));
            InvalidateRect(hwnd, nullptr, TRUE);
        }
        return 0;
    case WM_CHAR: {
        const auto ch = static_cast<char16_t>(wParam);
        if (ch < 0x20 || ch == 0x7F || ReadOnly(hwnd))
            return 0;
        if ((StyleOf(hwnd) & ES_NUMBER) && (ch < u'0' || ch > u'9'))
            return 0;
        ReplaceSelection(hwnd, s, std::u16string_view(&ch, 1));
        return 0;
    }
    case WM_KEYDOWN: {
        const std::u16string text = TextOf(hwnd);
        Clamp(s, text.size());
        const bool selection = s.anchor != s.caret;
        switch (static_cast<int>(wParam)) {
        case VK_BACK:
        case VK_DELETE:
            if (ReadOnly(hwnd))
                return 0;
            if (!selection) {
                if (wParam == VK_BACK && s.caret > 0)
                    s.anchor = s.caret - 1;
                else if (wParam == VK_DELETE && s.caret < text.size())
                    s.anchor = s.caret + 1;
                else
                    return 0;
            }
            ReplaceSelection(hwnd, s, u"");
            return 0;
        case VK_LEFT:
            s.caret = selection ? std::min(s.anchor, s.caret) : (s.caret > 0 ? s.caret - 1 : 0);
            s.anchor = s.caret;
            break;
        case VK_RIGHT:
            s.caret = selection ? std::max(s.anchor, s.caret) : std::min(s.caret + 1, text.size());
            s.anchor = s.caret;
            break;
        default:
            if (HandleDialogKey(hwnd, static_cast<int>(wParam)))
                return 0;
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
        ScrollToCaret(hwnd, s, text);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }
    case WM_DESTROY:
        ControlStates<EditState>::Forget(hwnd);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace zorun
