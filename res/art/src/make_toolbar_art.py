#!/usr/bin/env python3
"""Draws the tool-bar bitmaps, 16 x 16 images side by side, in the palette of
make_art.py. Needs only the standard library.

- 133: the command bar's "Monitor" button (a small window holding a list of
  running programs).
- 138: the task monitor's buttons: "Activate" (a window with a red arrow
  pointing into it), "Stop" (a window with a red cross), "Stop all" (a large
  red cross).

    python3 res/art/src/make_toolbar_art.py
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
BITMAPS = os.path.normpath(os.path.join(HERE, "..", "bitmaps"))

WHITE = (255, 255, 255)
BAR = (214, 214, 214)
G4 = (158, 168, 182)
BLUE_OL = (24, 52, 98)
BLUE = (58, 118, 196)
TEAL = (24, 152, 162)
INK = (28, 34, 48)
RED_OL = (104, 30, 28)
RED_DK = (172, 52, 46)
RED = (218, 82, 70)

# Tool-bar images are opaque: their background is the command bar's own grey
# (kBarGrey in platform/user/ControlPaint.h), so a button shows only its shape.
MONITOR = [
    "                ",
    " oooooooooooooo ",
    " obbbbbbbbbbbbo ",
    " obbbbbbbbbwbwo ",
    " oooooooooooooo ",
    " owwwwwwwwwwwwo ",
    " owtwkkkkkkwwwo ",
    " owwwwwwwwwwwwo ",
    " owtwkkkkkwwwwo ",
    " owwwwwwwwwwwwo ",
    " owtwkkkkkkkwwo ",
    " owwwwwwwwwwwwo ",
    " oooooooooooooos",
    "  sssssssssssss ",
    "                ",
    "                ",
]

# The window the monitor's first two buttons act on: smaller than the
# monitor's own, so the red sign beside it has room.
WINDOW = [
    "                ",
    " ooooooooooo    ",
    " obbbbbbbbbo    ",
    " obbbbbbwbwo    ",
    " ooooooooooo    ",
    " owwwwwwwwwo    ",
    " owwwwwwwwwo    ",
    " owwwwwwwwwo    ",
    " owwwwwwwwwo    ",
    " owwwwwwwwwo    ",
    " owwwwwwwwwo    ",
    " ooooooooooos   ",
    "  sssssssssss   ",
    "                ",
    "                ",
    "                ",
]

# An arrow pointing up and left, into the window: bring it to the front.
ARROW = [
    "                ",
    "                ",
    "                ",
    "                ",
    "                ",
    "     DDDDDD     ",
    "     DRRRRD     ",
    "     DRRRDD     ",
    "     DRRRRD     ",
    "     DRDRRRD    ",
    "     DD DRRRD   ",
    "         DRRRD  ",
    "          DRRRD ",
    "           DRRD ",
    "            DD  ",
    "                ",
]

COLOURS = {" ": BAR, "o": BLUE_OL, "b": BLUE, "w": WHITE, "t": TEAL, "k": INK, "s": G4,
           "R": RED, "D": RED_OL, "d": RED_DK}


def overlay(base, top):
    return ["".join(t if t != " " else b for b, t in zip(rb, rt)) for rb, rt in zip(base, top)]


def cross(first, last):
    """A red cross from (first, first) to (last, last): bars two pixels wide
    with a dark red edge on either side."""
    rows = [[" "] * 16 for _ in range(16)]
    centre = first + last
    for y in range(first, last + 1):
        for x in range(first, last + 1):
            a, b = x - y, centre - x - y  # b mirrors a across the cross's middle
            if a in (0, 1) or b in (0, 1):
                rows[y][x] = "R"
            elif (a in (-1, 2) or b in (-1, 2)) and rows[y][x] == " ":
                rows[y][x] = "D"
    return ["".join(r) for r in rows]


def png(width, height, pixels):
    raw = b"".join(b"\x00" + bytes(c for p in row for c in p + (255,)) for row in pixels)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write(name, images):
    for image in images:
        assert len(image) == 16 and all(len(r) == 16 for r in image), name
    pixels = [[COLOURS[c] for image in images for c in image[y]] for y in range(16)]
    with open(os.path.join(BITMAPS, name), "wb") as f:
        f.write(png(16 * len(images), 16, pixels))


def main():
    write("133-monitor-button.png", [MONITOR])
    activate = overlay(WINDOW, ARROW)
    stop = overlay(WINDOW, cross(6, 14))
    stop_all = cross(1, 14)
    write("138-monitor-tools.png", [activate, stop, stop_all])


if __name__ == "__main__":
    main()
