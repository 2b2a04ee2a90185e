// BUTTON: push (and default push) buttons, check boxes, radio buttons,
// group boxes. A press shows the pressed look while the stylus stays inside;
// the release inside clicks: BN_CLICKED to the parent.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/user/ControlPaint.h"
#include "platform/user/ControlSupport.h"

namespace zorun {
namespace {

struct ButtonState {
    HFONT font = nullptr;
    int check = BST_UNCHECKED;
    bool pressed = false;  // the pressed look
    bool tracking = false; // the stylus went down on us
};

DWORD TypeOf(HWND hwnd) {
    return StyleOf(hwnd) & BS_TYPEMASK;
}

bool IsPush(DWORD type) {
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}
bool IsRadio(DWORD type) {
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

void PaintBox(HDC hdc, const RECT& box, bool radio, int check, COLORREF ink) {
    FillSolid(hdc, box, kControlBack);
    if (radio) {
        // A small round frame: a square with its corners cut.
        const int l = box.left, t = box.top, r = box.right, b = box.bottom;
        FillSolid(hdc, {l + 3, t, r - 3, t + 1}, ink);
        FillSolid(hdc, {l + 3, b - 1, r - 3, b}, ink);
        FillSolid(hdc, {l, t + 3, l + 1, b - 3}, ink);
        FillSolid(hdc, {r - 1, t + 3, r, b - 3}, ink);
        FillSolid(hdc, {l + 1, t + 1, l + 3, t + 3}, ink);
        FillSolid(hdc, {r - 3, t + 1, r - 1, t + 3}, ink);
        FillSolid(hdc, {l + 1, b - 3, l + 3, b - 1}, ink);
        FillSolid(hdc, {r - 3, b - 3, r - 1, b - 1}, ink);
        if (check == BST_CHECKED)
            FillSolid(hdc, {l + 4, t + 4, r - 4, b - 4}, ink);
        return;
    }
    FrameSolid(hdc, box, ink);
    if (check == BST_CHECKED) {
        // A tick: down-right then up-right, 2 pixels thick.
        const int x = box.left + 2, y = box.top + 5;
        for (int k = 0; k < 3; ++k)
            FillSolid(hdc, {x + k, y + k, x + k + 1, y + k + 2}, ink);
        for (int k = 0; k < 5; ++k)
            FillSolid(hdc, {x + 3 + k, y + 1 - k, x + 4 + k, y + 3 - k}, ink);
    }
}

void Paint(HWND hwnd, ButtonState& s) {
    PAINTSTRUCT ps{};
    HDC hdc = BeginPaint(hwnd, &ps);
    if (!hdc) {
        EndPaint(hwnd, &ps);
        return;
    }
    const RECT c = ClientOf(hwnd);
    const DWORD type = TypeOf(hwnd);
    const bool enabled = IsWindowEnabled(hwnd);
    const std::u16string text = GetWindowText(hwnd);
    // Push buttons ask with WM_CTLCOLORBTN; check boxes, radio buttons and
    // group boxes are labels to their parent and ask with WM_CTLCOLORSTATIC.
    HBRUSH brush = PrepareControlDC(hwnd, hdc, IsPush(type) ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC,
                                    s.font, enabled ? kControlText : kDisabledText);
    HFONT font = CurrentFont(hdc);
    const COLORREF ink = enabled ? GetTextColor(hdc) : kDisabledText;
    auto fillBack = [&](const RECT& r) {
        if (brush)
            FillRect(hdc, &r, brush);
        else
            FillSolid(hdc, r, kControlBack);
    };
    if (IsPush(type)) {
        const bool down = s.pressed;
        FillSolid(hdc, c, down ? kControlText : kControlBack);
        FrameSolid(hdc, c, kControlFrame);
        if (type == BS_DEFPUSHBUTTON)
            FrameSolid(hdc, {c.left + 1, c.top + 1, c.right - 1, c.bottom - 1}, kControlFrame);
        DrawLabel(hdc, text, c, DT_CENTER | DT_VCENTER | DT_SINGLELINE, down ? kSelectionText : ink,
                  font);
    } else if (type == BS_GROUPBOX) {
        // Only the frame and the title: the controls inside the box are
        // its siblings and must not be painted over.
        const int mid = std::max(1, FontHeight(font) / 2);
        const RECT frame{c.left, c.top + mid, c.right, c.bottom};
        FrameSolid(hdc, frame, kControlFrame);
        if (!text.empty()) {
            const int w = std::min(TextWidth(font, text), std::max(0, c.Width() - 14));
            const int h = FontHeight(font);
            fillBack({c.left + 5, c.top, c.left + 9 + w, c.top + h});
            DrawLabel(hdc, text, {c.left + 7, c.top, c.left + 7 + w, c.top + h},
                      DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS, ink, font);
        }
    } else {
        fillBack(c);
        const int boxTop = c.top + (c.Height() - 13) / 2;
        const RECT box{c.left, boxTop, c.left + 13, boxTop + 13};
        PaintBox(hdc, box, IsRadio(type), s.check, enabled ? kControlText : kDisabledText);
        if (s.pressed)
            FrameSolid(hdc, {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, ink);
        DrawLabel(hdc, text, {c.left + 17, c.top, c.right, c.bottom},
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE, ink, font);
    }
    if (GetFocus() == hwnd && type != BS_GROUPBOX) {
        RECT f{c.left + 2, c.top + 2, c.right - 2, c.bottom - 2};
        if (!IsPush(type))
            f = {c.left + 15, c.top + 1, c.right, c.bottom - 1};
        DrawFocusRect(hdc, &f);
    }
    EndPaint(hwnd, &ps);
}

void SetCheck(HWND hwnd, ButtonState& s, int check) {
    if (s.check != check) {
        s.check = check;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

// The auto radio buttons of this one's group (between WS_GROUP marks).
std::vector<HWND> RadioGroup(HWND hwnd) {
    std::vector<HWND> group;
    HWND parent = GetParent(hwnd);
    bool inGroup = false;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (StyleOf(c) & WS_GROUP) {
            if (inGroup)
                break;
            group.clear();
        }
        group.push_back(c);
        if (c == hwnd)
            inGroup = true;
    }
    std::erase_if(group, [](HWND c) {
        return (GetWindowLongW(c, GWL_STYLE) & BS_TYPEMASK) != BS_AUTORADIOBUTTON ||
               SendMessageW(c, WM_GETDLGCODE, 0, 0) != DLGC_RADIOBUTTON;
    });
    return group;
}

void Click(HWND hwnd, ButtonState& s) {
    const DWORD type = TypeOf(hwnd);
    if (type == BS_AUTOCHECKBOX)
        SetCheck(hwnd, s, s.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    if (type == BS_AUTORADIOBUTTON) {
        for (HWND other : RadioGroup(hwnd))
            if (other != hwnd)
                SendMessageW(other, BM_SETCHECK, BST_UNCHECKED, 0);
        SetCheck(hwnd, s, BST_CHECKED);
    }
    NotifyParent(hwnd, BN_CLICKED);
}

} // namespace

LRESULT ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ButtonState& s = ControlStates<ButtonState>::Of(hwnd);
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
    case WM_NCHITTEST:
        // A group box frames other controls: the stylus reaches them through it.
        return TypeOf(hwnd) == BS_GROUPBOX ? HTTRANSPARENT : HTCLIENT;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s.font);
    case WM_SETTEXT:
    case WM_ENABLE: {
        const LRESULT r = DefWindowProcW(hwnd, message, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return r;
    }
    case WM_GETDLGCODE: {
        const DWORD type = TypeOf(hwnd);
        if (type == BS_DEFPUSHBUTTON)
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        if (type == BS_PUSHBUTTON)
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        if (IsRadio(type))
            return DLGC_RADIOBUTTON;
        if (type == BS_GROUPBOX)
            return DLGC_STATIC;
        return DLGC_BUTTON;
    }
    case BM_GETCHECK:
        return s.check;
    case BM_SETCHECK:
        SetCheck(hwnd, s, static_cast<int>(wParam) == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED);
        return 0;
    case BM_GETSTATE:
        return s.check | (s.pressed ? BST_PUSHED : 0);
    case BM_SETSTATE:
        s.pressed = wParam != 0;
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case BM_CLICK:
        if (IsWindowEnabled(hwnd) && TypeOf(hwnd) != BS_GROUPBOX)
            Click(hwnd, s);
        return 0;
    case WM_LBUTTONDOWN:
        if (TypeOf(hwnd) == BS_GROUPBOX)
            return 0;
        s.tracking = true;
        s.pressed = true;
        if (StyleOf(hwnd) & WS_TABSTOP)
            SetFocus(hwnd);
        SetCapture(hwnd);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_MOUSEMOVE:
        if (s.tracking) {
            const bool inside =
                ClientOf(hwnd).Contains({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            if (inside != s.pressed) {
                s.pressed = inside;
                InvalidateRect(hwnd, nullptr, TRUE);
            }
        }
        return 0;
    case WM_LBUTTONUP: {
        if (!s.tracking)
            return 0;
        const bool inside = ClientOf(hwnd).Contains({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        s.tracking = false;
        s.pressed = false;
        if (GetCapture() == hwnd)
            ReleaseCapture();
        InvalidateRect(hwnd, nullptr, TRUE);
        if (inside)
            Click(hwnd, s); // may destroy us: nothing after this
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (s.tracking && reinterpret_cast<HWND>(lParam) != hwnd) {
            s.tracking = false;
            s.pressed = false;
            InvalidateRect(hwnd, nullptr, TRUE);
        }
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            Click(hwnd, s);
            return 0;
        }
        if (HandleDialogKey(hwnd, static_cast<int>(wParam)))
            return 0;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_DESTROY:
        ControlStates<ButtonState>::Forget(hwnd);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace zorun
