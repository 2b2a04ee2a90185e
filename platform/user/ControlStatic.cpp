// STATIC: text (left, centred, right; wrapped), or an icon or a bitmap.
// Pictures are drawn at their own size: an icon at the top left (centred
// with SS_CENTERIMAGE), a bitmap centred; what does not fit is cut off.
// With SS_NOTIFY a press reports STN_CLICKED, so a picture can serve as a
// button; without it the stylus passes through to what lies beneath.
#include <string>
#include <vector>

#include "platform/gdi/Icon.h"
#include "platform/user/ControlPaint.h"
#include "platform/user/ControlSupport.h"

namespace zorun {
namespace {

struct StaticState {
    HFONT font = nullptr;
    HICON icon = nullptr;
    HBITMAP bitmap = nullptr;
    // Pictures the control loaded itself (the text "#number"): they stay
    // alive until the control goes, even once replaced, because the handle
    // was handed out by STM_SETIMAGE / STM_GETIMAGE.
    std::vector<HICON> ownIcons;
    std::vector<HBITMAP> ownBitmaps;
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

DWORD TypeOf(HWND hwnd) {
    return StyleOf(hwnd) & SS_TYPEMASK;
}

void DrawBitmapCentred(HDC hdc, const RECT& client, HBITMAP bitmap) {
    BITMAP bm{};
    if (!GetObjectW(bitmap, sizeof bm, &bm))
        return;
    HDC mem = CreateCompatibleDC(hdc);
    if (!mem)
        return;
    HGDIOBJ old = SelectObject(mem, bitmap);
    const int x = client.left + (client.Width() - bm.bmWidth) / 2;
    const int y = client.top + (client.Height() - bm.bmHeight) / 2;
    BitBlt(hdc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
}

void DrawIconAt(HDC hdc, const RECT& client, HICON icon, bool centred) {
    SIZE size{};
    if (!GetIconSize(icon, &size))
        return;
    int x = client.left, y = client.top;
    if (centred) {
        x += (client.Width() - size.cx) / 2;
        y += (client.Height() - size.cy) / 2;
    }
    DrawIconEx(hdc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
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
    HBRUSH brush = PrepareControlDC(hwnd, hdc, WM_CTLCOLORSTATIC, s.font,
                                    IsWindowEnabled(hwnd) ? kControlText : kDisabledText);
    if (brush)
        FillRect(hdc, &client, brush);
    else
        FillSolid(hdc, client, kControlBack);
    if (type == SS_ICON) {
        if (s.icon)
            DrawIconAt(hdc, client, s.icon, (style & SS_CENTERIMAGE) != 0);
    } else if (type == SS_BITMAP) {
        if (s.bitmap)
            DrawBitmapCentred(hdc, client, s.bitmap);
    } else {
        const std::u16string text = GetWindowText(hwnd);
        UINT format = DT_WORDBREAK | DT_NOPREFIX;
        if (type == SS_CENTER)
            format |= DT_CENTER;
        else if (type == SS_RIGHT)
            format |= DT_RIGHT;
        RECT r = client;
        DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), &r, format);
    }
    EndPaint(hwnd, &ps);
}

void LoadFromText(HWND hwnd, StaticState& s, const std::u16string& text) {
    const DWORD type = TypeOf(hwnd);
    const int number = ResourceNumber(text);
    if (!number || (type != SS_ICON && type != SS_BITMAP))
        return;
    if (type == SS_ICON) {
        s.icon = LoadIconW(nullptr, number);
        if (s.icon)
            s.ownIcons.push_back(s.icon);
    } else {
        s.bitmap = LoadBitmapW(nullptr, number);
        if (s.bitmap)
            s.ownBitmaps.push_back(s.bitmap);
    }
}

void ReleaseOwnImages(StaticState& s) {
    for (HICON icon : s.ownIcons)
        DestroyIcon(icon);
    for (HBITMAP bitmap : s.ownBitmaps)
        DeleteObject(bitmap);
    s.ownIcons.clear();
    s.ownBitmaps.clear();
    s.icon = nullptr;
    s.bitmap = nullptr;
}

// STM_SETIMAGE / STM_SETICON: a picture of the control's own kind replaces
// the one shown and the old one is returned (the caller's to release); a
// picture of the other kind is refused (0) and stays the caller's.
LRESULT SetImage(HWND hwnd, StaticState& s, UINT kind, LPARAM handle) {
    LRESULT previous = 0;
    if (kind == IMAGE_BITMAP && TypeOf(hwnd) == SS_BITMAP) {
        previous = reinterpret_cast<LRESULT>(s.bitmap);
        s.bitmap = reinterpret_cast<HBITMAP>(handle);
    } else if (kind == IMAGE_ICON && TypeOf(hwnd) == SS_ICON) {
        previous = reinterpret_cast<LRESULT>(s.icon);
        s.icon = reinterpret_cast<HICON>(handle);
    } else {
        return 0;
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    return previous;
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
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_SETFONT:
        s.font = reinterpret_cast<HFONT>(wParam);
        if (lParam)
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s.font);
    case STM_SETICON:
        return SetImage(hwnd, s, IMAGE_ICON, static_cast<LPARAM>(wParam));
    case STM_SETIMAGE:
        return SetImage(hwnd, s, static_cast<UINT>(wParam), lParam);
    case STM_GETICON:
        return reinterpret_cast<LRESULT>(s.icon);
    case STM_GETIMAGE:
        return wParam == IMAGE_BITMAP ? reinterpret_cast<LRESULT>(s.bitmap)
               : wParam == IMAGE_ICON ? reinterpret_cast<LRESULT>(s.icon)
                                      : 0;
    case WM_PAINT:
        Paint(hwnd, s);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCHITTEST:
        return (StyleOf(hwnd) & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_LBUTTONDOWN:
        if (StyleOf(hwnd) & SS_NOTIFY)
            NotifyParent(hwnd, STN_CLICKED);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_DESTROY:
        ReleaseOwnImages(s);
        ControlStates<StaticState>::Forget(hwnd);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace zorun
