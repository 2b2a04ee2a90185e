#!/usr/bin/python3
"""Draws the pictures of the group picker, the group organizer and the
program browser, in the style and palette of make_art.py (whose canvas,
masks and colours it uses).

    /usr/bin/python3 res/art/src/make_dialog_art.py [--preview DIR]

Language-neutral pictures go to res/art/; pictures with words (titles, the
cancel button) go to res/<lang>/art/ for every language in TEXTS. The
output is deterministic.

Both dialogs fill the 240 x 268 work area. Their layout (client pixels):
a blue bezel; the title plate (4..235, 4..45), drawn by the title bitmaps
130/131 over the picker's background and part of the organizer's; a light
card (4..235, 48..263) holding the list box (12..179, 56..230 in the
picker, 14..179 in the organizer: dialog units 7/8, 32, 96/95, 100), the arrow
buttons of the organizer at (186, 51) and (186, 102), and the cancel button
at (24, 239).
"""

import os
import sys

import make_art as art
from make_art import (AMBER, AMBER_DK, AMBER_LT, AMBER_OL, BEZEL, BEZEL_DK, BEZEL_HI, BLUE,
                      BLUE_DK, BLUE_LT, BLUE_OL, BLUE_PL, BROWN, Canvas, G2, G3, G4, G5, NAVY,
                      RED_DK, RED_OL, TAB, TAB_HI, TAB_LO, TEAL, TEAL_DK, TEAL_LT, TEAL_OL, WHITE,
                      border, mix, rect_mask, rrect_mask, triangle)

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.normpath(os.path.join(HERE, "..", ".."))

# The words drawn into pictures, per language build.
TEXTS = {
    "en": {
        "move": "Move to group",
        "copy": "Copy to group",
        "organize": "Organize groups",
        "pick_hint": "Choose a group, then ok",
        "organize_hint": "Use the arrows, then ok",
        "cancel": "Cancel",
    },
}

# --- a small pixel font ---------------------------------------------------------
# Glyph skeletons with 1-pixel strokes on a 13-row grid: capitals on rows
# 0..9, lower case from row 3, descenders to row 12. Titles draw them bold
# (each ink pixel doubled to the right), hints draw them as they are.

GLYPHS = {
    "A": [".##..", "#..#.", "#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#", "#...#"],
    "C": [".####.", "#....#", "#.....", "#.....", "#.....", "#.....", "#.....", "#.....", "#....#",
          ".####."],
    "G": [".####.", "#....#", "#.....", "#.....", "#.....", "#..###", "#....#", "#....#", "#....#",
          ".####."],
    "M": ["#......#", "##....##", "#.#..#.#", "#..##..#", "#......#", "#......#", "#......#",
          "#......#", "#......#", "#......#"],
    "O": [".####.", "#....#", "#....#", "#....#", "#....#", "#....#", "#....#", "#....#", "#....#",
          ".####."],
    "P": ["#####.", "#....#", "#....#", "#....#", "#####.", "#.....", "#.....", "#.....", "#.....",
          "#....."],
    "T": ["#######", "...#...", "...#...", "...#...", "...#...", "...#...", "...#...", "...#...",
          "...#...", "...#..."],
    "U": ["#....#", "#....#", "#....#", "#....#", "#....#", "#....#", "#....#", "#....#", "#....#",
          ".####."],
    "a": ["", "", "", ".###.", "....#", "....#", ".####", "#...#", "#...#", ".####"],
    "b": ["#....", "#....", "#....", "####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "c": ["", "", "", ".####", "#....", "#....", "#....", "#....", "#....", ".####"],
    "d": ["....#", "....#", "....#", ".####", "#...#", "#...#", "#...#", "#...#", "#...#", ".####"],
    "e": ["", "", "", ".###.", "#...#", "#...#", "#####", "#....", "#....", ".####"],
    "f": ["..##", ".#..", ".#..", "####", ".#..", ".#..", ".#..", ".#..", ".#..", ".#.."],
    "g": ["", "", "", ".####", "#...#", "#...#", "#...#", "#...#", "#...#", ".####", "....#", "....#",
          "####."],
    "h": ["#....", "#....", "#....", "####.", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#"],
    "i": ["", "#", "", "#", "#", "#", "#", "#", "#", "#"],
    "k": ["#....", "#....", "#....", "#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "l": ["#", "#", "#", "#", "#", "#", "#", "#", "#", "#"],
    "m": ["", "", "", "########.", "#...#...#", "#...#...#", "#...#...#", "#...#...#", "#...#...#",
          "#...#...#"],
    "n": ["", "", "", "####.", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#"],
    "o": ["", "", "", ".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "p": ["", "", "", "####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####.", "#....", "#....",
          "#...."],
    "r": ["", "", "", "#.##", "##..", "#...", "#...", "#...", "#...", "#..."],
    "s": ["", "", "", ".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "t": ["", ".#..", ".#..", "####", ".#..", ".#..", ".#..", ".#..", ".#..", "..##"],
    "u": ["", "", "", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".####"],
    "v": ["", "", "", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#..", "..#.."],
    "w": ["", "", "", "#...#...#", "#...#...#", "#...#...#", "#...#...#", "#...#...#", "#...#...#",
          ".###.###."],
    "y": ["", "", "", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".####", "....#", "....#",
          "####."],
    "z": ["", "", "", "#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"],
    ",": ["", "", "", "", "", "", "", "", "", "#", "#", "#."],
    " ": ["..."],
}


def glyph_width(ch):
    if ch not in GLYPHS:
        raise KeyError("no pixel glyph for %r: add it to GLYPHS" % ch)
    return max(len(row) for row in GLYPHS[ch])


def text_width(text, bold):
    extra = 1 if bold else 0
    return sum(glyph_width(ch) + extra for ch in text) + max(0, len(text) - 1)


def draw_text(c, text, x, top, colour, bold):
    """Draws text with its capitals' top row at `top`; returns the end x."""
    for ch in text:
        for dy, row in enumerate(GLYPHS[ch]):
            for dx, ink in enumerate(row):
                if ink == "#":
                    c.set(x + dx, top + dy, colour)
                    if bold:
                        c.set(x + dx + 1, top + dy, colour)
        x += glyph_width(ch) + (1 if bold else 0) + 1
    return x


# --- shared shapes --------------------------------------------------------------

CARD_TOP, CARD_BOTTOM = (250, 252, 254), (222, 231, 243)
PLATE_TOP, PLATE_BOTTOM = (240, 245, 251), (206, 220, 238)

TITLE_Y = 4   # the title bitmaps are drawn at (0, 4)...
TITLE_H = 46  # ...and cut from a rendering of the whole picture
CARD_Y = 48
PICKER_LIST = (12, 56, 179, 230)  # the list boxes, inclusive
ORGANIZER_LIST = (14, 56, 179, 230)
CANCEL_AT = (24, 239)
UP_AT, DOWN_AT = (186, 51), (186, 102)


def title_plate(c, y0):
    """The light plate behind a title, rows y0..y0+41."""
    plate = rrect_mask(4, y0, 235, y0 + 41, 2)
    for y in range(y0, y0 + 42):
        for x in range(4, 236):
            if (x, y) in plate:
                c.set(x, y, mix(PLATE_TOP, PLATE_BOTTOM, (y - y0) / 41))
    c.paint(border(plate), BEZEL_DK)
    c.hline(6, 233, y0 + 1, WHITE)


def mini_window(c, x0, y0, ghost=False):
    """A 14 x 12 program window, the shortcut being moved or copied."""
    body = rrect_mask(x0, y0, x0 + 13, y0 + 11, 1)
    if ghost:
        for x, y in border(body):
            if (x + y) % 2 == 0:
                c.set(x, y, G4)
        return
    c.shape(body, WHITE, BLUE_OL)
    c.rect(x0 + 1, y0 + 1, x0 + 12, y0 + 3, BLUE)
    c.hline(x0 + 1, x0 + 12, y0 + 1, BLUE_LT)
    c.rect(x0 + 2, y0 + 5, x0 + 4, y0 + 7, TEAL)
    c.hline(x0 + 6, x0 + 11, y0 + 5, G4)
    c.hline(x0 + 6, x0 + 10, y0 + 7, G3)
    c.hline(x0 + 2, x0 + 11, y0 + 9, G3)


def mini_tab(c, x0, y0, w=16, selected=True):
    """A group tab as the launcher draws it: light, a teal cap when selected."""
    body = rrect_mask(x0, y0, x0 + w - 1, y0 + 9, 2)
    c.shape(body, WHITE if selected else art.TAB, TEAL_OL if selected else BEZEL_DK, None,
            G2 if selected else TAB_LO)
    if selected:
        c.hline(x0 + 1, x0 + w - 2, y0 + 1, TEAL)
        c.hline(x0 + 1, x0 + w - 2, y0 + 2, TEAL_LT)


def right_arrow(c, x0, y, colour):
    """A short bold arrow pointing right, its tip at x0 + 7."""
    c.rect(x0, y - 1, x0 + 3, y, colour)
    c.paint(triangle(x0 + 5.5, y, 4, "right"), colour)


def pictogram(kind):
    """The 32 x 32 picture at the left of a title."""
    c = Canvas(32, 32)
    if kind in ("move", "copy"):
        # The shortcut leaves its place (a ghost for a move, itself for a
        # copy) for the other group's tab, the lit one of two.
        mini_window(c, 0, 1, ghost=kind == "move")
        right_arrow(c, 15, 6, TEAL_DK)
        mini_tab(c, 0, 22, 15, selected=False)
        mini_tab(c, 16, 22, 16)
        mini_window(c, 17, 9)
        if kind == "copy":
            c.hline(25, 29, 2, TEAL_DK)  # a plus: one more
            c.vline(27, 0, 4, TEAL_DK)
    else:  # organize: stacked tabs and the two arrows
        for i, y in enumerate((4, 13, 22)):
            mini_tab(c, 1, y, 20, selected=i == 1)
        c.paint(triangle(26.5, 10, 4, "up"), NAVY)
        c.rect(26, 14, 26, 17, NAVY)
        c.paint(triangle(26.5, 22, 4, "down"), NAVY)
    c.add_shadow()
    return c


def title(c, y0, kind, words, hint):
    """A title plate with its pictogram, words and hint at rows y0..y0+41."""
    title_plate(c, y0)
    pic = pictogram(kind)
    c.im.alpha_composite(pic.im, (10, y0 + 5))
    c.px = c.im.load()
    x = 50
    draw_text(c, words, x + 1, y0 + 9, WHITE, True)  # a light edge under the words
    draw_text(c, words, x, y0 + 8, NAVY, True)
    draw_text(c, hint, x, y0 + 24, G5, False)


def dialog_background(listbox, kind=None, words=None, hint=None):
    """The 240 x 268 background; with `kind`, its title drawn in."""
    c = Canvas(240, 268, BEZEL)
    c.hline(0, 239, 0, BEZEL_HI)
    title_plate(c, TITLE_Y)
    if kind:
        title(c, TITLE_Y, kind, words, hint)
    card = rrect_mask(4, CARD_Y, 235, 263, 2)
    for y in range(CARD_Y, 264):
        colour = mix(CARD_TOP, CARD_BOTTOM, (y - CARD_Y) / (263 - CARD_Y))
        c.hline(4, 235, y, colour)
    c.paint(border(card), BEZEL_DK)
    c.hline(6, 233, CARD_Y + 1, WHITE)
    for x, y in rrect_mask(0, 264, 239, 267, 0):
        c.set(x, y, BEZEL)
    # A soft groove round the list box, which draws its own frame.
    l, t, r, b = listbox
    c.paint(border(rect_mask(l - 1, t - 1, r + 1, b + 1)), G3)
    c.paint(border(rect_mask(l - 2, t - 2, r + 2, b + 2)) - {(l - 2, t - 2)}, mix(G3, CARD_TOP, 0.5))
    return c


def title_bitmap(kind, words, hint):
    """Bitmaps 130 / 131: the title of the picker, 240 x 46, drawn at (0, 4)
    over the picker's background, which it matches pixel for pixel."""
    return dialog_background(PICKER_LIST, kind, words, hint).crop(0, TITLE_Y, 240, TITLE_H)


def picker_background():
    """Bitmap 132: the picker's background, its title left to 130 / 131."""
    return dialog_background(PICKER_LIST)


def organizer_background(words, hint):
    """Bitmap 145: the organizer's background with its title; the arrows'
    buttons are icons drawn over it."""
    c = dialog_background(ORGANIZER_LIST, "organize", words, hint)
    # Sockets under the arrow buttons, so they sit in the card.
    for x0, y0 in (UP_AT, DOWN_AT):
        c.paint(border(rrect_mask(x0, y0, x0 + 31, y0 + 31, 3)), mix(G3, CARD_TOP, 0.4))
    return c


# --- buttons ----------------------------------------------------------------------


def button_body(c, mask, pressed):
    if pressed:
        c.shape(mask, AMBER, AMBER_OL, AMBER_DK, AMBER_LT)
    else:
        c.shape(mask, TAB, BEZEL_DK, TAB_HI, TAB_LO)


def cancel_button(words, pressed):
    """Icons 143 / 144: the 64 x 20 cancel button, normal and held."""
    c = Canvas(64, 20)
    button_body(c, rrect_mask(0, 0, 63, 19, 3), pressed)
    s = 1 if pressed else 0
    cross = art.thick_line_mask(6.5 + s, 6.5 + s, 12.5 + s, 12.5 + s, 0.8)
    cross |= art.thick_line_mask(12.5 + s, 6.5 + s, 6.5 + s, 12.5 + s, 0.8)
    c.paint(cross, RED_OL if pressed else RED_DK)
    width = text_width(words, True)
    x = 17 + (63 - 17 - width) // 2
    draw_text(c, words, x + s, 5 + s, BROWN if pressed else NAVY, True)
    return c


def arrow_button(direction, pressed):
    """Icons 142 / 141 (up) and 139 / 138 (down): 32 x 32 arrow buttons."""
    c = Canvas(32, 32)
    button_body(c, rrect_mask(1, 1, 30, 30, 3), pressed)
    s = 1 if pressed else 0
    ink = BROWN if pressed else NAVY
    if direction == "up":
        head = triangle(16 + s, 11 + s, 7, "up")
        shaft = rect_mask(14 + s, 15 + s, 17 + s, 22 + s)
    else:
        head = triangle(16 + s, 20 + s, 7, "down")
        shaft = rect_mask(14 + s, 9 + s, 17 + s, 16 + s)
    c.paint(head | shaft, ink)
    return c


def up_folder():
    """Bitmap 163: 16 x 16, a yellow folder with a bent arrow pointing up,
    on the white of the dialog."""
    c = Canvas(16, 16, WHITE)
    back = rrect_mask(0, 6, 14, 15, 1) | rrect_mask(0, 4, 5, 7, 1)
    c.shape(back, AMBER_DK, AMBER_OL)
    front = rrect_mask(0, 9, 14, 15, 1)
    c.shape(front, AMBER, AMBER_OL, AMBER_LT)
    # The arrow leaves the folder to the right, turns and points up; a white
    # rim keeps it apart from the folder.
    arrow = rect_mask(9, 4, 10, 12) | rect_mask(9, 11, 15, 12) | triangle(10, 2, 4, "up")
    c.paint(art.grow(arrow) - rect_mask(16, 0, 16, 15), WHITE)
    c.paint(arrow, BLUE_DK)
    return c


# --- output -------------------------------------------------------------------


def pictures():
    """Every picture as (folder, file name, canvas, expected size)."""
    out = [
        ("art/bitmaps", "132-picker-background", picker_background(), (240, 268)),
        ("art/bitmaps", "163-up-folder", up_folder(), (16, 16)),
        ("art/icons", "142-up-arrow", arrow_button("up", False), (32, 32)),
        ("art/icons", "141-up-arrow-pressed", arrow_button("up", True), (32, 32)),
        ("art/icons", "139-down-arrow", arrow_button("down", False), (32, 32)),
        ("art/icons", "138-down-arrow-pressed", arrow_button("down", True), (32, 32)),
    ]
    for lang, t in sorted(TEXTS.items()):
        out += [
            (lang + "/art/bitmaps", "130-move-title", title_bitmap("move", t["move"], t["pick_hint"]),
             (240, 46)),
            (lang + "/art/bitmaps", "131-copy-title", title_bitmap("copy", t["copy"], t["pick_hint"]),
             (240, 46)),
            (lang + "/art/bitmaps", "145-organizer-background",
             organizer_background(t["organize"], t["organize_hint"]), (240, 268)),
            (lang + "/art/icons", "143-cancel", cancel_button(t["cancel"], False), (64, 20)),
            (lang + "/art/icons", "144-cancel-pressed", cancel_button(t["cancel"], True), (64, 20)),
        ]
    return out


def main():
    args = sys.argv[1:]
    enlarged = args[1] if len(args) == 2 and args[0] == "--preview" else None
    if args and not enlarged:
        sys.exit("usage: make_dialog_art.py [--preview DIR]")
    for folder, name, c, size in pictures():
        assert (c.w, c.h) == size and c.im.size == size, name
        os.makedirs(os.path.join(RES, folder), exist_ok=True)
        art.save_png(c.im, os.path.join(RES, folder, name + ".png"))
        if enlarged:
            os.makedirs(enlarged, exist_ok=True)
            scale = 2 if c.w >= 200 else 4
            art.preview(c, os.path.join(enlarged, folder.replace("/", "-") + "-" + name + ".png"),
                        scale)


if __name__ == "__main__":
    main()
