#pragma once
// Draws the information panel into a device context: the background plate,
// the page strip when both date and region are chosen, and the six slots
// (or, on page 2, the region alone). Bitmaps, icons and the font are loaded
// for each paint and released at its end.

#include "info/InfoTexts.h"
#include "platform/base/WinTypes.h"

namespace InfoPanelPainter {

// Paints the whole panel of `client` size on `dc`, composing the background
// through a memory context. Returns the page actually shown: 1 whenever
// `sysInfoMode` is not 3.
int Paint(HDC dc, const RECT& client, int sysInfoMode, int infoPage, const InfoTexts& texts);

// The text rules (exposed for tests): page 1 centres the measured block in
// `box`, drawing in the box itself when the text is at least as wide; page 2
// draws from the box's top-left. An empty text draws nothing.
void DrawFieldText(HDC dc, const std::u16string& text, const RECT& box, int fontHeight = 13);
// A field's text on page 1, first made to fit its box (FieldTextFit).
void DrawFittedFieldText(HDC dc, const std::u16string& text, const RECT& box);
void DrawRegionPageText(HDC dc, const std::u16string& text, const RECT& box);

} // namespace InfoPanelPainter
