#pragma once
// Drawing helpers shared by the controls, menus, message boxes and the
// chrome: the device's look (white ground, black text and 1-pixel frames,
// dark blue selection with white text).

#include <string_view>

#include "platform/user/WinUser.h"

namespace zorun {

constexpr COLORREF kControlText = RGB(0, 0, 0);
constexpr COLORREF kControlBack = RGB(255, 255, 255);
constexpr COLORREF kControlFrame = RGB(0, 0, 0);
constexpr COLORREF kSelectionBack = RGB(0, 0, 128);
constexpr COLORREF kSelectionText = RGB(255, 255, 255);
constexpr COLORREF kDisabledText = RGB(128, 128, 128);
constexpr COLORREF kButtonFace = RGB(222, 222, 222);
constexpr COLORREF kBarGrey = RGB(214, 214, 214);

void FillSolid(HDC hdc, const RECT& rect, COLORREF color);
// A 1-pixel frame just inside `rect`.
void FrameSolid(HDC hdc, const RECT& rect, COLORREF color);
// Text in `rect` with DrawTextW's `format`, transparent background.
void DrawLabel(HDC hdc, std::u16string_view text, RECT rect, UINT format, COLORREF color,
               HFONT font);
// Width in pixels of `text` in `font`.
[[nodiscard]] int TextWidth(HFONT font, std::u16string_view text);
// The bold variant of the dialog font (titles).
[[nodiscard]] HFONT BoldFont();

} // namespace zorun
