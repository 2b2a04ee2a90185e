#pragma once
// SHSipPreference: a window asks for the soft input panel (the soft
// keyboard of platform/user's chrome) to rise or fall. When the keyboard is
// turned off (--no-sip) the request is granted and nothing happens.

#include "platform/base/WinTypes.h"

enum SIPSTATE { SIP_UP = 0, SIP_DOWN, SIP_FORCEDOWN, SIP_UNCHANGED, SIP_INPUTDIALOG };

// SIP_UP raises the keyboard for `hwnd`'s window, SIP_DOWN and SIP_FORCEDOWN
// lower it, SIP_UNCHANGED and SIP_INPUTDIALOG change nothing. FALSE when
// `hwnd` is not a window.
BOOL SHSipPreference(HWND hwnd, SIPSTATE state);
