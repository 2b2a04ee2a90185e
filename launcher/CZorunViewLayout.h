#pragma once
// The launcher pane's fixed geometry and the small rules that painting and
// interaction share: cells, tab cells, the drag feedback square, the page
// state, the tab-caption buffers, tab-strip scrolling and key movement.
// Pure functions of the view state, so each rule is tested on its own.

#include <array>
#include <string>
#include <string_view>

#include "platform/base/WinTypes.h"

namespace ViewLayout {

constexpr int kShortcutsPerPage = 6;
constexpr int kFrameHeight = 182; // rows of bitmap 142 that are copied
constexpr int kStripTop = 150;    // presses below this row are in the tab strip
constexpr RECT kShortcutArea{5, 5, 233, 150};
constexpr RECT kShortcutHitArea{0, 0, 240, 150};
constexpr POINT kLeftArrow{0, 156};
constexpr POINT kRightArrow{214, 156};
constexpr int kLabelMaxWidth = 70; // label width 78 minus 8

// Visible slot k = index - firstItem, 0..5.
[[nodiscard]] RECT CellRect(int slot);
[[nodiscard]] POINT IconPosition(int slot);
[[nodiscard]] RECT LabelRect(int slot);

// Tab-strip hit cells: 0 left arrow, 1..4 tabs, 5 right arrow; -1 for none.
[[nodiscard]] int TabCellAt(POINT p);
// Caption rectangle of tab 1..4.
[[nodiscard]] RECT TabCaptionRect(int tab);
// Left edge of the selected-tab highlight (bitmap 187) for tab 1..4.
[[nodiscard]] inline int HighlightLeft(int tab) {
    return tab * 47 - 22;
}

// The 20 x 20 drag square around `p`, pushed inside `client`.
[[nodiscard]] RECT FeedbackSquare(POINT p, const RECT& client);
// The bar drawn under a feedback square.
[[nodiscard]] RECT FeedbackBar(const RECT& square);

// The label of a shortcut as drawn with the DC's current font: the name when
// it fits in kLabelMaxWidth or has fewer than 4 characters, else the name
// shortened from the end with "..." appended until it fits (at the least one
// character and "...").
[[nodiscard]] std::u16string FitLabel(HDC dc, std::u16string_view name);

// Pages of a group: count div 6, plus one for a partial page.
[[nodiscard]] int PageCount(int count);
// The page-state value sent to the split window after each paint (0..3).
[[nodiscard]] int PageState(int firstItem, int count);

// A tab caption as the view holds it: the first 16 code units of the group
// name over a zeroed 32-byte buffer, unterminated for names of 16 or more.
using CaptionBuffer = std::array<char16_t, 16>;
[[nodiscard]] CaptionBuffer MakeCaption(std::u16string_view groupName);
// The first byte offset j < 31 of two zero bytes in a row (little-endian
// layout, as the device stores it), or 31 when there is none.
[[nodiscard]] int CaptionZeroOffset(const CaptionBuffer& caption);
// The caption's text, never read beyond the buffer's 16 code units.
[[nodiscard]] std::u16string CaptionText(const CaptionBuffer& caption);
// What the tab shows: the whole text when the zero offset is below 12,
// else its first four code units followed by "...". A caption with
// double-width characters (Japanese) counts them as two: whole up to six
// single widths, else cut to at most four and "...".
[[nodiscard]] std::u16string CaptionLabel(const CaptionBuffer& caption);

// The tab strip: group shown on tab 1, and the tab of the shown group.
struct TabStrip {
    int firstGroup = 0;
    int currentTab = 1;
    friend bool operator==(const TabStrip&, const TabStrip&) = default;
};
// Scrolls by four groups (or to an end); the shown group stays the same.
[[nodiscard]] TabStrip ScrollTabsLeft(TabStrip strip);
[[nodiscard]] TabStrip ScrollTabsRight(TabStrip strip, int groupCount);

// The outcome of an arrow key on the selection.
struct SelectionMove {
    enum class Kind { None, MoveFocus, Repaint };
    Kind kind = Kind::None;
    int selectedItem = -1;
    int firstItem = 0;
};
// Left, Right, Up or Down (virtual key) with selection `selected` on the
// page starting at `firstItem` of a group of `count` shortcuts. Other keys
// give Kind::None.
[[nodiscard]] SelectionMove MoveSelection(int vk, int selected, int firstItem, int count);

} // namespace ViewLayout
