// A window's scroll bars, asked of the window itself: the controls draw
// their own bars and answer SBM_GETSCROLLINFO / SBM_SETSCROLLINFO for them.
#include "platform/user/WinUser.h"

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
    if (!info || (bar != SB_HORZ && bar != SB_VERT) || !IsWindow(hwnd))
        return FALSE;
    return SendMessageW(hwnd, SBM_GETSCROLLINFO, static_cast<WPARAM>(bar),
                        reinterpret_cast<LPARAM>(info))
               ? TRUE
               : FALSE;
}

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
    if (!info || (bar != SB_HORZ && bar != SB_VERT) || !IsWindow(hwnd))
        return 0;
    const auto position = SendMessageW(hwnd, SBM_SETSCROLLINFO, static_cast<WPARAM>(bar),
                                       reinterpret_cast<LPARAM>(info));
    if (redraw)
        InvalidateRect(hwnd, nullptr, TRUE);
    return static_cast<int>(position);
}

int GetScrollPos(HWND hwnd, int bar) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    return GetScrollInfo(hwnd, bar, &info) ? info.nPos : 0;
}

int SetScrollPos(HWND hwnd, int bar, int position, BOOL redraw) {
    const int previous = GetScrollPos(hwnd, bar);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, position, 0};
    SetScrollInfo(hwnd, bar, &info, redraw);
    return previous;
}
