#include "platform/user/ControlPaint.h"

#include <algorithm>
#include <string>

namespace zorun {

void FillSolid(HDC hdc, const RECT& rect, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(hdc, &rect, brush);
    DeleteObject(brush);
}

void FrameSolid(HDC hdc, const RECT& rect, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FrameRect(hdc, &rect, brush);
    DeleteObject(brush);
}

void DrawLabel(HDC hdc, std::u16string_view text, RECT rect, UINT format, COLORREF color,
               HFONT font) {
    HGDIOBJ old = font ? SelectObject(hdc, font) : nullptr;
    const int oldMode = SetBkMode(hdc, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(hdc, color);
    DrawTextW(hdc, text.data(), static_cast<int>(text.size()), &rect, format | DT_NOPREFIX);
    SetTextColor(hdc, oldColor);
    SetBkMode(hdc, oldMode);
    if (old)
        SelectObject(hdc, old);
}

int TextWidth(HFONT font, std::u16string_view text) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return static_cast<int>(text.size()) * 7;
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    if (old)
        SelectObject(dc, old);
    DeleteDC(dc);
    return size.cx;
}

HFONT BoldFont() {
    static HFONT font = [] {
        LOGFONTW lf{};
        lf.lfHeight = -12;
        lf.lfWeight = FW_BOLD;
        const std::u16string face = u"DejaVu Sans";
        std::copy(face.begin(), face.end(), lf.lfFaceName);
        return CreateFontIndirectW(&lf);
    }();
    return font;
}

} // namespace zorun
