#pragma once
// Press-and-hold recognition, called from a window's stylus-down handler.
// The stylus is held when it stays down within 5 pixels of the press for
// 600 ms of the platform clock; a queued right-click (desktop builds) is the
// same gesture at once. On a hold the window gets the context-menu
// notification (WM_NOTIFY, NMRGINFO, code GN_CONTEXTMENU) before the call
// returns. Otherwise the input that ended the wait (a release, a move
// further away, a key) stays queued for the caller; small moves are eaten.

#include "platform/user/WinUser.h" // NMHDR

struct SHRGINFO {
    DWORD cbSize;
    HWND hwndClient;
    POINT ptDown; // client coordinates of hwndClient
    DWORD dwFlags;
};

struct NMRGINFO {
    NMHDR hdr;
    POINT ptAction; // screen coordinates
    DWORD dwItemSpec;
};

constexpr DWORD SHRG_RETURNCMD = 0x00000001, SHRG_NOTIFYPARENT = 0x00000002;
constexpr UINT GN_CONTEXTMENU = 1000;
inline constexpr int kHoldTimeMs = 600;
inline constexpr int kHoldSlopPixels = 5;

// GN_CONTEXTMENU when the gesture was made (after the notification, unless
// SHRG_RETURNCMD asks only for the result; SHRG_NOTIFYPARENT sends it to the
// parent instead), else 0.
DWORD SHRecognizeGesture(SHRGINFO* info);
