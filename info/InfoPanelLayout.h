#pragma once
// The information panel's fixed geometry: where each slot's icon, text and
// hit rectangle lie for a column step of 75 (one page) or 72 (with the page
// strip), in the panel's client coordinates. Rectangles exclude their right
// and bottom edges.

#include "platform/base/WinTypes.h"

namespace InfoPanelLayout {

// The user's choice of the last field: bit 0 the date, bit 1 the region.
constexpr int kModeDate = 1, kModeRegion = 2, kModeBoth = 3;

// The slots: row 0 inbox, calendar, tasks; row 1 battery, memory, last.
constexpr int kSlotCount = 6;
constexpr int kLastSlot = 5;

constexpr RECT kPageStrip{226, 4, 236, 69}; // fixed, whatever the client origin

[[nodiscard]] constexpr int ColumnStep(int sysInfoMode) {
    return sysInfoMode == kModeBoth ? 72 : 75;
}
// Text boxes are narrower on the first page when the page strip is shown.
[[nodiscard]] constexpr int TextWidth(int sysInfoMode, int infoPage) {
    return sysInfoMode == kModeBoth && infoPage == 1 ? 45 : 50;
}

[[nodiscard]] constexpr RECT IconRect(const RECT& client, int step, int slot) {
    const int row = slot / 3, column = slot % 3;
    return {client.left + 10 + column * step, client.top + 10 + 34 * row,
            client.left + 34 + column * step, client.top + 34 + 34 * row};
}

[[nodiscard]] constexpr RECT TextBox(const RECT& icon, int width) {
    return {icon.right + 1, icon.bottom - 24, icon.right + 1 + width, icon.bottom};
}

// Page 2: the region beside the globe, at the first slot, 100 pixels wide.
[[nodiscard]] constexpr RECT RegionTextBox(const RECT& client) {
    const RECT icon = IconRect(client, 75, 0);
    return {icon.right + 1, icon.bottom - 24, icon.right + 101, icon.bottom};
}

// A tap hits a slot a little beyond its icon: 35 pixels more in row 0,
// 40 in row 1.
[[nodiscard]] constexpr RECT HitRect(const RECT& client, int step, int slot) {
    RECT r = IconRect(client, step, slot);
    r.right += slot < 3 ? 35 : 40;
    return r;
}

} // namespace InfoPanelLayout
