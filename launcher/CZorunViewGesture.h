#pragma once
// Press-and-hold recognition as the view uses it. The platform's recogniser
// (platform/shell/Gesture.h) is still being written; until it lands the
// view builds against these declarations and no hold is ever recognised.

#if __has_include("platform/shell/Gesture.h")
#include "platform/shell/Gesture.h"
#else
#include "platform/user/WinUser.h"

struct NMHDR {
    HWND hwndFrom;
    std::uintptr_t idFrom;
    UINT code;
};
struct SHRGINFO {
    DWORD cbSize;
    HWND hwndClient;
    POINT ptDown;
    DWORD dwFlags;
};
constexpr UINT GN_CONTEXTMENU = 1000;
inline DWORD SHRecognizeGesture(SHRGINFO*) { return 0; }
#endif
