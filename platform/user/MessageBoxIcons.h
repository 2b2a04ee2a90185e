#pragma once
// The message box's 32 x 32 icons, drawn by the platform: a yellow
// triangle with "!", a blue circle with "i", a red circle with "x", a blue
// circle with "?".

#include "platform/user/WinUser.h"

namespace zorun {

enum class MessageIcon { None, Exclamation, Information, Stop, Question };

[[nodiscard]] MessageIcon MessageIconOf(UINT type);
void DrawMessageIcon(HDC hdc, int x, int y, MessageIcon icon);

} // namespace zorun
