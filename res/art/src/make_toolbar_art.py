#!/usr/bin/env python3
"""Draws the command bar's tool-bar bitmap 133: one 16 x 16 image, the
"Monitor" button (a small window holding a list of running programs), in the
palette of make_art.py. Needs only the standard library.

    python3 res/art/src/make_toolbar_art.py
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.normpath(os.path.join(HERE, "..", "bitmaps", "133-monitor-button.png"))

WHITE = (255, 255, 255)
G2 = (226, 231, 238)
G4 = (158, 168, 182)
BLUE_OL = (24, 52, 98)
BLUE = (58, 118, 196)
TEAL = (24, 152, 162)
INK = (28, 34, 48)

# Tool-bar images are opaque: the command bar draws them on its own grey.
ROWS = [
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
COLOURS = {" ": G2, "o": BLUE_OL, "b": BLUE, "w": WHITE, "t": TEAL, "k": INK, "s": G4}


def png(width, height, pixels):
    raw = b"".join(b"\x00" + bytes(c for p in row for c in p + (255,)) for row in pixels)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    assert len(ROWS) == 16 and all(len(r) == 16 for r in ROWS)
    pixels = [[COLOURS[c] for c in row] for row in ROWS]
    with open(OUT, "wb") as f:
        f.write(png(16, 16, pixels))


if __name__ == "__main__":
    main()
