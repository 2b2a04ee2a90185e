#!/usr/bin/python3
"""Draws the program's icon, 128-zorun.png: a 3 x 2 grid of rounded app
tiles in the blue/teal palette, 32 x 32 on transparency.

Run from anywhere: /usr/bin/python3 make_app_icon.py (needs python3-pil).
"""
import os

from PIL import Image

SIZE = 32
TILE = 8
COLUMNS = (1, 12, 23)
ROWS = (6, 17)

# (base, light, dark) per tile, left to right, top to bottom.
PALETTE = [
    ((0x1E, 0x88, 0xE5), (0x64, 0xB5, 0xF6), (0x15, 0x65, 0xC0)),
    ((0x00, 0x89, 0x7B), (0x4D, 0xB6, 0xAC), (0x00, 0x69, 0x5C)),
    ((0x03, 0x9B, 0xE5), (0x4F, 0xC3, 0xF7), (0x02, 0x77, 0xBD)),
    ((0x00, 0xAC, 0xC1), (0x4D, 0xD0, 0xE1), (0x00, 0x83, 0x8F)),
    ((0x39, 0x49, 0xAB), (0x79, 0x86, 0xCB), (0x28, 0x35, 0x93)),
    ((0x26, 0xA6, 0x9A), (0x80, 0xCB, 0xC4), (0x00, 0x79, 0x6B)),
]
SHADOW = (0x0D, 0x2A, 0x3A, 0x60)
SHEEN = (0xFF, 0xFF, 0xFF, 0xFF)


def draw_tile(img, left, top, colours):
    base, light, dark = colours
    corners = {(0, 0), (TILE - 1, 0), (0, TILE - 1), (TILE - 1, TILE - 1)}
    # A soft shadow one pixel below the tile.
    for x in range(1, TILE - 1):
        img.putpixel((left + x, top + TILE), SHADOW)
    for y in range(TILE):
        for x in range(TILE):
            if (x, y) in corners:
                continue
            colour = base
            if y == 0 or (x == 0 and y < TILE - 1):
                colour = light
            elif y == TILE - 1 or x == TILE - 1:
                colour = dark
            img.putpixel((left + x, top + y), colour + (0xFF,))
    # A small glint in the upper left.
    img.putpixel((left + 2, top + 2), SHEEN)
    img.putpixel((left + 3, top + 2), light + (0xFF,))
    img.putpixel((left + 2, top + 3), light + (0xFF,))


def main():
    img = Image.new("RGBA", (SIZE, SIZE), (0, 0, 0, 0))
    for row, top in enumerate(ROWS):
        for column, left in enumerate(COLUMNS):
            draw_tile(img, left, top, PALETTE[row * 3 + column])
    here = os.path.dirname(os.path.abspath(__file__))
    img.save(os.path.join(here, "..", "icons", "128-zorun.png"), optimize=True)


if __name__ == "__main__":
    main()
