#include "platform/user/MessageBoxIcons.h"

#include <cmath>

#include "platform/user/ControlPaint.h"

namespace zorun {

MessageIcon MessageIconOf(UINT type) {
    switch (type & 0xF0) {
    case MB_ICONEXCLAMATION:
        return MessageIcon::Exclamation;
    case MB_ICONINFORMATION:
        return MessageIcon::Information;
    case MB_ICONSTOP:
        return MessageIcon::Stop;
    case MB_ICONQUESTION:
        return MessageIcon::Question;
    default:
        return MessageIcon::None;
    }
}

namespace {

void Disc(HDC hdc, int x, int y, COLORREF fill, COLORREF edge) {
    const double c = 15.5, r = 15.0;
    for (int row = 0; row < 32; ++row) {
        const double dy = row + 0.5 - c;
        if (std::abs(dy) > r)
            continue;
        const int half = static_cast<int>(std::lround(std::sqrt(r * r - dy * dy)));
        const int l = x + 16 - half, rr = x + 16 + half;
        FillSolid(hdc, {l, y + row, rr, y + row + 1}, edge);
        if (rr - l > 2)
            FillSolid(hdc, {l + 1, y + row, rr - 1, y + row + 1}, fill);
    }
    // Solid edge rows at the top and bottom of the disc.
    FillSolid(hdc, {x + 12, y + 1, x + 20, y + 2}, edge);
    FillSolid(hdc, {x + 12, y + 30, x + 20, y + 31}, edge);
}

void Triangle(HDC hdc, int x, int y) {
    const COLORREF fill = RGB(255, 214, 0), edge = RGB(96, 72, 0);
    for (int row = 2; row < 30; ++row) {
        const int half = (row - 2) * 15 / 27 + 1;
        const int l = x + 16 - half, r = x + 16 + half;
        FillSolid(hdc, {l, y + row, r, y + row + 1}, edge);
        if (r - l > 2 && row < 29)
            FillSolid(hdc, {l + 1, y + row, r - 1, y + row + 1}, fill);
    }
}

} // namespace

void DrawMessageIcon(HDC hdc, int x, int y, MessageIcon icon) {
    const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);
    switch (icon) {
    case MessageIcon::Exclamation:
        Triangle(hdc, x, y);
        FillSolid(hdc, {x + 15, y + 10, x + 18, y + 22}, black);
        FillSolid(hdc, {x + 15, y + 24, x + 18, y + 27}, black);
        break;
    case MessageIcon::Information:
        Disc(hdc, x, y, RGB(0, 84, 204), RGB(0, 40, 120));
        FillSolid(hdc, {x + 14, y + 7, x + 18, y + 11}, white);
        FillSolid(hdc, {x + 14, y + 13, x + 18, y + 25}, white);
        FillSolid(hdc, {x + 12, y + 13, x + 14, y + 15}, white);
        FillSolid(hdc, {x + 12, y + 23, x + 20, y + 25}, white);
        break;
    case MessageIcon::Stop:
        Disc(hdc, x, y, RGB(210, 0, 0), RGB(110, 0, 0));
        for (int k = 0; k < 13; ++k) {
            FillSolid(hdc, {x + 9 + k, y + 9 + k, x + 12 + k, y + 10 + k}, white);
            FillSolid(hdc, {x + 20 - k, y + 9 + k, x + 23 - k, y + 10 + k}, white);
        }
        break;
    case MessageIcon::Question:
        Disc(hdc, x, y, RGB(0, 84, 204), RGB(0, 40, 120));
        FillSolid(hdc, {x + 11, y + 8, x + 21, y + 11}, white);
        FillSolid(hdc, {x + 19, y + 10, x + 22, y + 16}, white);
        FillSolid(hdc, {x + 15, y + 15, x + 20, y + 18}, white);
        FillSolid(hdc, {x + 15, y + 17, x + 18, y + 21}, white);
        FillSolid(hdc, {x + 15, y + 23, x + 18, y + 26}, white);
        FillSolid(hdc, {x + 10, y + 10, x + 13, y + 13}, white);
        break;
    case MessageIcon::None:
        break;
    }
}

} // namespace zorun
