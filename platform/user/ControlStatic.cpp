// STATIC: text (left, centred, right; wrapped), or an icon or a bitmap.
#include <string>

#include "platform/user/ControlPaint.h"
#include "platform/user/ControlSupport.h"

namespace zorun {
namespace {

struct StaticState {
    HFONT font = nullptr;
    HICON icon = nullptr;
    HBITMAP bitmap = nullptr;
    bool ownsImage = false; // loaded from the text "#number"
};

int ResourceNumber(const std::u16string& text) {
    if (text.size() < 2 || text[0] != u'#')
        return 0;
    int n = 0;
    for (std::size_t i = 1; i < text.size() && i < 8; ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return 0;
        n = n * 10 + (text[i] - u'0');
    }
    return n;
}

void Paint(HWND hwnd, StaticState& s) {
    PAINTSTRUCT ps{};
    HDC hdc = BeginPaint(hwnd, &ps);
    if (!hdc) {
        EndPaint(hwnd, &ps);
        return;
    }
    const RECT client = ClientOf(hwnd);
    const DWORD style = StyleOf(hwnd);
    const DWORD type = style & SS_TYPEMASK;
    HGDIOBJ oldFont = SelectObject(hdc, s.font ? s.font : DialogFont());
    SetTextColor(hdc, IsWindowEnabled(hwnd) ? kControlText : kDisabledText);
    SetBkColor(hdc, kControlBack);
    // The parent may choose colours and a font (WM_CTLCOLORSTATIC).
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(hwnd), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(hdc),
                                                       reinterpret_cast<LPARAM>(hwnd)));
    if (brush)
        FillRect(hdc, &client, brush);
    else
        FillSolid(hdc, client, kControlBack);
    if (type == SS_ICON) {
        if (s.icon) {
            if (style & SS_CENTERIMAGE)
                DrawIconEx(hdc, (client.Width() - 32) / 2, (client.Height() - 32) / 2, s.icon, 0, 0,
                           0, nullptr, DI_NORMAL);
            else
                DrawIconEx(hdc, 0, 0, s.icon, 0, 0, 0, nullptr, DI_NORMAL);
        }
    } else if (type == SS_BITMAP) {
        if (s.bitmap) {
            HDC mem = CreateCompatibleDC(hdc);
            HGDIOBJ old = SelectObject(mem, s.bitmap);
            BITMAP bm{};
            GetObjectW(s.bitmap, sizeof bm, &bm);
            BitBlt(hdc, 0, 0, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
            SelectObject(mem, old);
            DeleteDC(mem);
        }
    } else {
        const std::u16string text = GetWindowText(hwnd);
        UINT format = DT_WORDBREAK | DT_NOPREFIX;
        if (type == SS_CENTER)
            format |= DT_CENTER;
        else if (type == SS_RIGHT)
            format |= DT_RIGHT;
        SetBkMode(hdc, TRANSPARENT);
        RECT r = client;
        DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), &r, format);
    }
    SelectObject(hdc, oldFont);
    EndPaint(hwnd, &ps);
}

void ReleaseImages(StaticState& s) {
    if (s.ownsImage) {
        if (s.icon)
            DestroyIcon(s.icon);
        if (s.bitmap)
            DeleteObject(s.bitmap);
    }
    s.icon = nullptr;
    s.bitmap = nullptr;
    s.ownsImage = false;
}

void LoadFromText(HWND hwnd, StaticState& s, const std::u16string& text) {
    const DWORD type = StyleOf(hwnd) & SS_TYPEMASK;
    const int number = ResourceNumber(text);
    if (!number || (type != SS_ICON && type != SS_BITMAP))
        return;
    ReleaseImages(s);
    if (type == SS_ICON)
        s.icon = LoadIconW(nullptr, number);
    else
        s.bitmap = LoadBitmapW(nullptr, number);
    s.ownsImage = true;
}

} // namespace

LRESULT StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    StaticState& s = ControlStates<StaticState>::Of(hwnd);
    switch (message) {
    case WM_CREATE: {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (cs && cs->lpszName)
            LoadFromText(hwnd, s, cs->lpszName);
        return 0;
    }
    case WM_SETTEXT: {
        const LRESULT r = DefWindowProcW(hwnd, message, wParam, lParam);
        if (lParam)
            LoadFromText(hwnd, s, reinterpret_cast<const char16_t*>(lParam));
        InvalidateRect(hwnd, nullptr, TRUE);
        return r;
    }
    case WM_SETFONT:
        s.font = reinterpret_cast<HFONT>(wParam);
        if (lParam)
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s.font);
    case STM_SETICON:
    case STM_SETIMAGE: {
        const LRESULT previous = reinterpret_cast<LRESULT>(
            (StyleOf(hwnd) & SS_TYPEMASK) == SS_BITMAP ? static_cast<void*>(s.bitmap)
                                                       : static_cast<void*>(s.icon));
        ReleaseImages(s);
        if ((StyleOf(hwnd) & SS_TYPEMASK) == SS_BITMAP && message == STM_SETIMAGE)
            s.bitmap = reinterpret_cast<HBITMAP>(lParam);
        else
            s.icon = reinterpret_cast<HICON>(message == STM_SETICON ? wParam : lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return previous;
    }
    case STM_GETICON:
        return reinterpret_cast<LRESULT>(s.icon);
    case STM_GETIMAGE:
        return reinterpret_cast<LRESULT>(s.bitmap ? static_cast<void*>(s.bitmap)
                                                  : static_cast<void*>(s.icon));
    case WM_PAINT:
        Paint(hwnd, s);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONUP:
        if (StyleOf(hwnd) & SS_NOTIFY)
            NotifyParent(hwnd, STN_CLICKED);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_DESTROY:
        ReleaseImages(s);
        ControlStates<StaticState>::Forget(hwnd);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace zorun
