#!/usr/bin/python3
"""Draws the program's icon for the desktop's hicolor icon theme into
dist/icons/hicolor/<N>x<N>/apps/zorun.png.

The 32-pixel icon is the program's own (res/art/icons/128-zorun.png); the
larger sizes are it scaled by whole factors, pixel for pixel, so it stays
crisp. 16 and 24 pixels are drawn by hand from the same design, and 48 is the
24-pixel drawing doubled. The output is deterministic; commit it with this
script. Needs Debian's python3-pil: /usr/bin/python3 dist/icons/make_icons.py
"""
import os
import sys

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "..", "..")
sys.path.insert(0, os.path.join(ROOT, "res", "art", "src"))

import make_app_icon  # noqa: E402

# size -> (drawing, whole factor)
SIZES = {16: (16, 1), 24: (24, 1), 32: (32, 1), 48: (24, 2), 64: (32, 2), 128: (32, 4),
         256: (32, 8)}


def main():
    drawings = {
        16: make_app_icon.draw_icon(16),
        24: make_app_icon.draw_icon(24),
        32: Image.open(os.path.join(ROOT, "res", "art", "icons", "128-zorun.png")).convert("RGBA"),
    }
    for size, (drawing, factor) in SIZES.items():
        image = drawings[drawing].resize((size, size), Image.NEAREST)
        folder = os.path.join(HERE, "hicolor", f"{size}x{size}", "apps")
        os.makedirs(folder, exist_ok=True)
        image.save(os.path.join(folder, "zorun.png"), optimize=True)


if __name__ == "__main__":
    main()
