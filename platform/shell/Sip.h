#pragma once
// SHSipPreference: an edit control asks for the soft input panel to rise or
// fall. The panel itself belongs to the window system's chrome, which
// registers its handler here; until one is registered (no soft keyboard, or
// --no-sip) the request is granted and nothing happens.

#include <functional>

#include "platform/base/WinTypes.h"

enum SIPSTATE { SIP_UP = 0, SIP_DOWN, SIP_FORCEDOWN, SIP_UNCHANGED, SIP_INPUTDIALOG };

BOOL SHSipPreference(HWND hwnd, SIPSTATE state);

namespace zorun {
// The soft keyboard's handler; an empty function removes it.
void SetSipHandler(std::function<BOOL(HWND, SIPSTATE)> handler);
} // namespace zorun
