#pragma once
// The work area as it is now: the screen between the navigation bar and the
// command bar, ending at the soft keyboard's top while the keyboard is up.
// When it changes, every top-level window hears WM_SETTINGCHANGE with
// SPI_SETSIPINFO; the dialog manager then fits dialogs to it, so that the
// field a user types into is never under the keyboard.

#include "platform/base/Geometry.h"
#include "platform/user/WinUser.h"

constexpr UINT WM_SETTINGCHANGE = 0x001A;
constexpr UINT SPI_SETWORKAREA = 0x002F, SPI_GETWORKAREA = 0x0030, SPI_SETSIPINFO = 224,
               SPI_GETSIPINFO = 225;
constexpr DWORD SIPF_OFF = 0x0, SIPF_ON = 0x1, SIPF_DOCKED = 0x2;

struct SIPINFO {
    DWORD cbSize;
    DWORD fdwFlags;
    RECT rcVisibleDesktop; // the work area left visible
    RECT rcSipRect;        // the keyboard's rectangle
    DWORD dwImDataSize;
    void* pvImData;
};

// SPI_GETWORKAREA fills a RECT; SPI_GETSIPINFO fills a SIPINFO whose cbSize
// is set. FALSE for anything else.
BOOL SystemParametersInfoW(UINT action, UINT param, void* data, UINT winIni);

namespace zorun {

[[nodiscard]] Rect CurrentWorkArea();

// What a dialog does when the work area changes. While the keyboard is up:
// a dialog over the whole work area shrinks to what is left of it (it hears
// WM_SIZE), a smaller one moves up to stay inside it, and either moves up
// further when its focused control would still be under the keyboard.
// When the keyboard goes down, the dialog goes back where it was.
void FitDialogToWorkArea(HWND dialog);

} // namespace zorun
