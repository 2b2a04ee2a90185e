#!/usr/bin/python3
"""Draws the program's icon, 128-zorun.png: a 3 x 2 grid of rounded app
tiles in the blue/teal palette, 32 x 32 on transparency.

The same design is drawn by hand at 16 and 24 pixels for the desktop's icon
theme (dist/icons/make_icons.py), where scaling the 32-pixel icon down would
blur it.

Run from anywhere: /usr/bin/python3 make_app_icon.py (needs python3-pil).
"""
import os
from collections import namedtuple

from PIL import Image

# size: the canvas; tile: a tile's side; columns, rows: the tiles' corners;
# glint: the white pixel's place inside each tile.
Layout = namedtuple("Layout", "size tile columns rows glint")

LAYOUTS = {
    16: Layout(16, 4, (1, 6, 11), (3, 9), (1, 1)),
    24: Layout(24, 6, (1, 9, 17), (4, 13), (2, 2)),
    32: Layout(32, 8, (1, 12, 23), (6, 17), (2, 2)),
}

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


def draw_tile(img, left, top, colours, tile, glint):
    base, light, dark = colours
    # Rounded by leaving out the corners; a 4-pixel tile would be a cross.
    corners = {(0, 0), (tile - 1, 0), (0, tile - 1), (tile - 1, tile - 1)} if tile > 4 else set()
    # A soft shadow one pixel below the tile.
    for x in range(1, tile - 1):
        img.putpixel((left + x, top + tile), SHADOW)
    for y in range(tile):
        for x in range(tile):
            if (x, y) in corners:
                continue
            colour = base
            if y == 0 or (x == 0 and y < tile - 1):
                colour = light
            elif y == tile - 1 or x == tile - 1:
                colour = dark
            img.putpixel((left + x, top + y), colour + (0xFF,))
    # A small glint in the upper left.
    gx, gy = glint
    img.putpixel((left + gx, top + gy), SHEEN)
    if tile > 4:
        img.putpixel((left + gx + 1, top + gy), light + (0xFF,))
        img.putpixel((left + gx, top + gy + 1), light + (0xFF,))


def draw_icon(size=32):
    layout = LAYOUTS[size]
    img = Image.new("RGBA", (layout.size, layout.size), (0, 0, 0, 0))
    for row, top in enumerate(layout.rows):
        for column, left in enumerate(layout.columns):
            draw_tile(img, left, top, PALETTE[row * 3 + column], layout.tile, layout.glint)
    return img


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    draw_icon(32).save(os.path.join(here, "..", "icons", "128-zorun.png"), optimize=True)


if __name__ == "__main__":
    main()
