#include "launcher/CZorunViewLayout.h"

#include <algorithm>
#include <cstdint>

#include "platform/base/Text.h"
#include "platform/gdi/WinGdi.h"
#include "platform/user/WinUser.h"

namespace ViewLayout {

namespace {

constexpr int kTabTop = 155;
constexpr int kTabBottom = 179;
constexpr std::array<std::array<int, 2>, 6> kTabCellX{
    {{0, 22}, {25, 68}, {71, 115}, {119, 162}, {166, 209}, {213, 234}}};

} // namespace

RECT CellRect(int slot) {
    const int col = slot % 3, row = slot / 3;
    return {col * 78 + 5, row * 67 + 10, col * 78 + 77, row * 67 + 72};
}

POINT IconPosition(int slot) {
    const int col = slot % 3, row = slot / 3;
    return {col * 78 + 25, row * 67 + 15};
}

RECT LabelRect(int slot) {
    const int col = slot % 3, row = slot / 3;
    return {col * 78, row * 67 + 52, col * 78 + 78, row * 67 + 72};
}

int TabCellAt(POINT p) {
    for (int c = 0; c < 6; ++c) {
        const RECT cell{kTabCellX[c][0], kTabTop, kTabCellX[c][1], kTabBottom};
        if (cell.Contains(p))
            return c;
    }
    return -1;
}

RECT TabCaptionRect(int tab) {
    return {kTabCellX[tab][0], 160, kTabCellX[tab][1], kTabBottom};
}

RECT FeedbackSquare(POINT p, const RECT& client) {
    auto span = [](int v, int lo, int hi) {
        int first = lo, last = lo + 20;
        if (v - 10 > lo) {
            first = v - 10;
            last = v + 10;
        }
        if (last >= hi) {
            last = hi;
            first = hi - 20;
        }
        return std::array<int, 2>{first, last};
    };
    const auto [left, right] = span(p.x, client.left, client.right);
    const auto [top, bottom] = span(p.y, client.top, client.bottom);
    return {left, top, right, bottom};
}

RECT FeedbackBar(const RECT& square) {
    return {square.left - 5, square.bottom + 3, square.right + 5, square.bottom + 9};
}

std::u16string FitLabel(HDC dc, std::u16string_view name) {
    auto width = [dc](std::u16string_view text) {
        SIZE size{};
        int fit = 0;
        if (!GetTextExtentExPointW(dc, text.data(), static_cast<int>(text.size()), 0, &fit, nullptr,
                                   &size))
            return 0;
        return static_cast<int>(size.cx);
    };
    std::u16string text(name);
    if (text.size() < 4 || width(text) <= kLabelMaxWidth)
        return text;
    // One character fewer per pass, down to one character and "...".
    std::size_t keep = name.size();
    do {
        --keep;
        text = std::u16string(name.substr(0, keep)) + u"...";
    } while (text.size() >= 5 && width(text) > kLabelMaxWidth);
    return text;
}

int PageCount(int count) {
    return count / kShortcutsPerPage + (count % kShortcutsPerPage != 0 ? 1 : 0);
}

int PageState(int firstItem, int count) {
    if (firstItem == 0)
        return count <= kShortcutsPerPage ? 0 : 1;
    return firstItem + kShortcutsPerPage > count - 1 ? 2 : 3;
}

CaptionBuffer MakeCaption(std::u16string_view groupName) {
    CaptionBuffer caption{};
    for (std::size_t i = 0; i < caption.size() && i < groupName.size(); ++i)
        caption[i] = groupName[i];
    return caption;
}

int CaptionZeroOffset(const CaptionBuffer& caption) {
    // The byte view of the buffer as the device lays it out (little-endian).
    auto byteAt = [&caption](int offset) {
        const std::uint16_t unit = caption[std::size_t(offset / 2)];
        return offset % 2 == 0 ? (unit & 0xFF) : (unit >> 8);
    };
    for (int j = 0; j < 31; ++j) {
        if (byteAt(j) == 0 && byteAt(j + 1) == 0)
            return j;
    }
    return 31;
}

std::u16string CaptionText(const CaptionBuffer& caption) {
    std::u16string text;
    for (char16_t c : caption) {
        if (c == 0)
            break;
        text += c;
    }
    return text;
}

std::u16string CaptionLabel(const CaptionBuffer& caption) {
    std::u16string text = CaptionText(caption);
    if (std::any_of(text.begin(), text.end(), [](char16_t c) {
            return zorun::IsDoubleWidth(c) || (c >= 0xD800 && c <= 0xDBFF);
        })) {
        // The scan counts bytes, made for text of one-byte letters: a
        // double-width character takes the room of two, so such a caption
        // shows whole up to six single widths and is cut to four.
        // A character beyond the first plane (a surrogate pair) counts as
        // double: its first unit two, its second none.
        auto cells = [](char16_t c) {
            if (c >= 0xDC00 && c <= 0xDFFF)
                return 0;
            return zorun::IsDoubleWidth(c) || (c >= 0xD800 && c <= 0xDBFF) ? 2 : 1;
        };
        int used = 0;
        for (char16_t c : text)
            used += cells(c);
        if (used <= 6)
            return text;
        std::u16string cut;
        used = 0;
        for (char16_t c : text) {
            if (used + cells(c) > 4)
                break;
            used += cells(c);
            cut += c;
        }
        return cut + u"...";
    }
    if (CaptionZeroOffset(caption) < 12)
        return text;
    return text.substr(0, 4) + u"...";
}

TabStrip ScrollTabsLeft(TabStrip strip) {
    if (strip.firstGroup <= 0)
        return strip;
    if (strip.firstGroup < 5) {
        strip.currentTab += strip.firstGroup;
        strip.firstGroup = 0;
    } else {
        strip.firstGroup -= 4;
        strip.currentTab += 4;
    }
    return strip;
}

TabStrip ScrollTabsRight(TabStrip strip, int groupCount) {
    // ">=" rather than "=": a catalogue of fewer than four groups must not
    // push the strip to a negative first group.
    if (strip.firstGroup + 4 >= groupCount)
        return strip;
    if (groupCount - strip.firstGroup < 9) {
        strip.currentTab -= groupCount - 4 - strip.firstGroup;
        strip.firstGroup = groupCount - 4;
    } else {
        strip.firstGroup += 4;
        strip.currentTab -= 4;
    }
    return strip;
}

namespace {

bool OnPage(int index, int firstItem) {
    return index >= firstItem && index < firstItem + kShortcutsPerPage;
}

SelectionMove Focus(int selected, int firstItem) {
    return {SelectionMove::Kind::MoveFocus, selected, firstItem};
}

SelectionMove Repaint(int selected, int firstItem) {
    return {SelectionMove::Kind::Repaint, selected, firstItem};
}

} // namespace

SelectionMove MoveSelection(int vk, int s, int firstItem, int n) {
    const SelectionMove none{SelectionMove::Kind::None, s, firstItem};
    switch (vk) {
    case VK_LEFT:
        if (s != -1 && s % 3 > 0)
            return Focus(s - 1, firstItem);
        return none;
    case VK_RIGHT:
        if (n == 0)
            return none;
        if (s == -1)
            return firstItem < n ? Focus(firstItem, firstItem) : none;
        if (s % 3 < 2 && s != n - 1)
            return Focus(s + 1, firstItem);
        return none;
    case VK_UP:
        if (s != -1 && s != 0) {
            if (s == firstItem)
                return Repaint(s - 1, firstItem - kShortcutsPerPage);
            return Focus(s - 1, firstItem);
        }
        // Wrap to the last shortcut.
        if (n - 1 == s)
            return none;
        if (!OnPage(n - 1, firstItem))
            return Repaint(n - 1, (n - 1) / kShortcutsPerPage * kShortcutsPerPage);
        return Focus(n - 1, firstItem);
    case VK_DOWN:
        if (n == 0)
            return none;
        if (s != -1 && s != n - 1) {
            if (s == firstItem + kShortcutsPerPage - 1)
                return Repaint(s + 1, firstItem + kShortcutsPerPage);
            return Focus(s + 1, firstItem);
        }
        // Wrap to the first shortcut; already there means nothing to do
        // (drawing the focus again would invert it away).
        if (s == 0)
            return none;
        if (firstItem > 0)
            return Repaint(0, 0);
        return Focus(0, firstItem);
    default:
        return none;
    }
}

} // namespace ViewLayout
