#include "platform/shell/Sip.h"

#include "platform/user/SoftKeyboard.h"
#include "platform/user/WinUser.h"

BOOL SHSipPreference(HWND hwnd, SIPSTATE state) {
    if (!IsWindow(hwnd))
        return FALSE;
    switch (state) {
    case SIP_UP:
        zorun::ShowSoftKeyboard(hwnd, true);
        return TRUE;
    case SIP_DOWN:
    case SIP_FORCEDOWN:
        zorun::ShowSoftKeyboard(hwnd, false);
        return TRUE;
    default:
        return TRUE;
    }
}
