#include "platform/user/SoftKeyboardArt.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string_view>

#include "platform/user/ControlPaint.h"
#include "platform/user/Dialog.h"

namespace zorun {

namespace {

// The artwork's palette (res/art/src/make_art.py).
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey1 = RGB(244, 246, 249);
constexpr COLORREF kGrey2 = RGB(226, 231, 238);
constexpr COLORREF kGrey3 = RGB(202, 209, 219);
constexpr COLORREF kGrey4 = RGB(158, 168, 182);
constexpr COLORREF kGrey5 = RGB(110, 120, 136);
constexpr COLORREF kGrey6 = RGB(66, 75, 92);
constexpr COLORREF kInk = RGB(28, 34, 48);
constexpr COLORREF kBlueOutline = RGB(24, 52, 98);
constexpr COLORREF kBlueDark = RGB(36, 82, 148);
constexpr COLORREF kBlueLight = RGB(138, 182, 230);
constexpr COLORREF kBluePale = RGB(212, 228, 246);
constexpr COLORREF kTealOutline = RGB(8, 66, 78);
constexpr COLORREF kTealDark = RGB(12, 112, 124);
constexpr COLORREF kTealLight = RGB(120, 208, 210);
constexpr COLORREF kCyanPale = RGB(206, 240, 242);
constexpr COLORREF kAmberOutline = RGB(112, 66, 12);
constexpr COLORREF kAmberDark = RGB(212, 132, 24);
constexpr COLORREF kAmber = RGB(246, 178, 52);

constexpr COLORREF kPlate = kGrey3;
constexpr COLORREF kPlateEdge = kGrey5;

struct CapLook {
    COLORREF face, shade, edge, ink;
};
constexpr CapLook kCharacterCap{kWhite, kGrey2, kGrey4, kInk};
constexpr CapLook kFunctionCap{kGrey2, kGrey3, kGrey5, kInk};
constexpr CapLook kLatchedCap{kCyanPale, kTealLight, kTealDark, kTealOutline};
constexpr CapLook kHeldCap{kAmber, kAmberDark, kAmberOutline, kInk};

using Picture = std::initializer_list<std::string_view>;

// Key pictures: '#' is ink, anything else is left as it is.
const Picture kShift{
    "....#....", "...#.#...", "..#...#..", ".#.....#.",
    "###...###", "..#...#..", "..#...#..", "..#####..",
};
const Picture kCapsLock{
    "....#....", "...###...", "..#####..", ".#######.",
    "...###...", "...###...", ".........", "...###...",
};
const Picture kBackspace{
    "....#########", "...#........#", "..#..#...#..#", ".#....#.#...#", "#......#....#",
    ".#....#.#...#", "..#..#...#..#", "...#........#", "....#########",
};
const Picture kEnter{
    "........#", "........#", "..#.....#", ".##.....#", "#########", ".##......", "..#......",
};
const Picture kLeft{"...#", "..##", ".###", "####", ".###", "..##", "...#"};
const Picture kRight{"#...", "##..", "###.", "####", "###.", "##..", "#..."};
const Picture kUp{"...#...", "..###..", ".#####.", "#######"};
const Picture kDown{"#######", ".#####.", "..###..", "...#..."};
const Picture kSpace{"#.............#", "#.............#", "###############"};

// The command bar's button: 'o' outline, 'm' face, 'k' keys, 's' shade.
const Picture kKeyboardButton{
    ".ooooooooooooooooooo.", "ommmmmmmmmmmmmmmmmmmo", "omkkmkkmkkmkkmkkmkkmo",
    "omkkmkkmkkmkkmkkmkkmo", "ommmmmmmmmmmmmmmmmmmo", "ommkkmkkmkkmkkmkkmmmo",
    "ommkkmkkmkkmkkmkkmmmo", "ommmmmmmmmmmmmmmmmmmo", "omkkmmkkkkkkkkkkmkkmo",
    "omkkmmkkkkkkkkkkmkkmo", "ommmmmmmmmmmmmmmmmmmo", "ossssssssssssssssssso",
    ".ooooooooooooooooooo.",
};

int PictureWidth(const Picture& picture) {
    std::size_t width = 0;
    for (std::string_view row : picture)
        width = std::max(width, row.size());
    return static_cast<int>(width);
}

// Draws the picture with its top-left corner at (x, y); `colour` gives the
// colour of each character (nothing for a transparent one).
template <typename ColourOf>
void DrawPicture(HDC hdc, const Picture& picture, int x, int y, ColourOf colour) {
    int row = 0;
    for (std::string_view line : picture) {
        // Runs of one character are filled at once.
        for (std::size_t start = 0; start < line.size();) {
            std::size_t end = start + 1;
            while (end < line.size() && line[end] == line[start])
                ++end;
            if (const std::optional<COLORREF> c = colour(line[start]))
                FillSolid(
                    hdc,
                    {x + static_cast<int>(start), y + row, x + static_cast<int>(end), y + row + 1},
                    *c);
            start = end;
        }
        ++row;
    }
}

void DrawCentred(HDC hdc, const Picture& picture, const RECT& box, COLORREF ink) {
    const int width = PictureWidth(picture);
    const int height = static_cast<int>(picture.size());
    DrawPicture(hdc, picture, box.left + (box.Width() - width) / 2,
                box.top + (box.Height() - height + 1) / 2,
                [ink](char c) { return c == '#' ? std::optional<COLORREF>(ink) : std::nullopt; });
}

// A key cap inside its cell: a 1-pixel gap on the left and above, the
// outline's corners left out, a shade along the bottom.
RECT DrawCap(HDC hdc, const RECT& cell, const CapLook& look) {
    const RECT r{cell.left + 1, cell.top + 1, cell.right, cell.bottom};
    FillSolid(hdc, {r.left + 1, r.top, r.right - 1, r.top + 1}, look.edge);
    FillSolid(hdc, {r.left + 1, r.bottom - 1, r.right - 1, r.bottom}, look.edge);
    FillSolid(hdc, {r.left, r.top + 1, r.left + 1, r.bottom - 1}, look.edge);
    FillSolid(hdc, {r.right - 1, r.top + 1, r.right, r.bottom - 1}, look.edge);
    FillSolid(hdc, {r.left + 1, r.top + 1, r.right - 1, r.bottom - 2}, look.face);
    FillSolid(hdc, {r.left + 1, r.bottom - 2, r.right - 1, r.bottom - 1}, look.shade);
    return {r.left + 1, r.top + 1, r.right - 1, r.bottom - 2};
}

// Labels of more than one character ("#+=", "abc"): a size below the
// dialog font, so that they fit their key. Made once, like the dialog font.
HFONT SmallKeyFont() {
    static HFONT font = [] {
        LOGFONTW lf{};
        lf.lfHeight = -10;
        lf.lfWeight = FW_NORMAL;
        lf.lfQuality = DEFAULT_QUALITY;
        const std::u16string_view face = u"DejaVu Sans";
        std::copy(face.begin(), face.end(), lf.lfFaceName);
        return CreateFontIndirectW(&lf);
    }();
    return font;
}

const Picture* PictureOf(SoftKeyboardLayout::Action action) {
    using Action = SoftKeyboardLayout::Action;
    switch (action) {
    case Action::Shift:
        return &kShift;
    case Action::CapsLock:
        return &kCapsLock;
    case Action::Backspace:
        return &kBackspace;
    case Action::Enter:
        return &kEnter;
    case Action::Left:
        return &kLeft;
    case Action::Right:
        return &kRight;
    case Action::Up:
        return &kUp;
    case Action::Down:
        return &kDown;
    case Action::Space:
        return &kSpace;
    default:
        return nullptr;
    }
}

} // namespace

void PaintSoftKeyboard(HDC hdc, const SoftKeyboardLayout& layout, int pressedKey,
                       const RECT& area) {
    FillSolid(hdc, area, kPlate);
    FillSolid(hdc, {0, 0, SoftKeyboardLayout::kWidth, 1}, kPlateEdge);
    const auto& keys = layout.Keys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const SoftKeyboardLayout::Key& key = keys[i];
        if (key.rect.Intersect(area).IsEmpty())
            continue;
        const int index = static_cast<int>(i);
        const CapLook& look = index == pressedKey                                   ? kHeldCap
                              : layout.IsLatched(index)                             ? kLatchedCap
                              : key.action == SoftKeyboardLayout::Action::Character ? kCharacterCap
                                                                                    : kFunctionCap;
        const RECT inside = DrawCap(hdc, key.rect, look);
        if (const Picture* picture = PictureOf(key.action)) {
            DrawCentred(hdc, *picture, inside, look.ink);
        } else {
            // Over the whole cap, unclipped: an accent or a descender may
            // touch the outline. Words take the smaller font.
            const std::u16string label = layout.Label(index);
            const RECT text{inside.left, key.rect.top + 1, inside.right, key.rect.bottom};
            DrawLabel(hdc, label, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP,
                      look.ink, label.size() > 1 ? SmallKeyFont() : DialogFont());
        }
    }
    FillSolid(hdc, {0, 0, SoftKeyboardLayout::kWidth, 1}, kPlateEdge);
}

void PaintKeyboardButton(HDC hdc, const RECT& button, bool down) {
    const int width = PictureWidth(kKeyboardButton);
    const int height = static_cast<int>(kKeyboardButton.size());
    int x = button.left + (button.Width() - width) / 2;
    int y = button.top + 2 + (button.Height() - 2 - height) / 2;
    COLORREF outline = kGrey6, face = kGrey1, keys = kGrey6, shade = kGrey3;
    if (down) {
        // A sunken well, the picture pressed into it and lit blue.
        const RECT well{button.left + 1, button.top + 3, button.right - 1, button.bottom - 1};
        FillSolid(hdc, well, kGrey3);
        FillSolid(hdc, {well.left, well.top, well.right, well.top + 1}, kGrey5);
        FillSolid(hdc, {well.left, well.top, well.left + 1, well.bottom}, kGrey5);
        FillSolid(hdc, {well.left, well.bottom - 1, well.right, well.bottom}, kWhite);
        FillSolid(hdc, {well.right - 1, well.top + 1, well.right, well.bottom}, kWhite);
        ++x;
        ++y;
        outline = kBlueOutline, face = kBluePale, keys = kBlueDark, shade = kBlueLight;
    }
    DrawPicture(hdc, kKeyboardButton, x, y, [&](char c) -> std::optional<COLORREF> {
        switch (c) {
        case 'o':
            return outline;
        case 'm':
            return face;
        case 'k':
            return keys;
        case 's':
            return shade;
        default:
            return std::nullopt;
        }
    });
}

} // namespace zorun
