#!/usr/bin/python3
"""Draws all of Zorun's artwork (except the application icon) as pixel art.

Run with Debian's Python and python3-pil:  /usr/bin/python3 res/art/src/make_art.py
It rewrites res/art/bitmaps/*.png, res/art/icons/*.png and the device's
background pictures res/device/skin *.bmp. The output is deterministic.

Pieces that are drawn over another picture at run time (selected tab, arrow
states, page-strip arrows) are cut from a rendering of that picture, so they
always match it pixel for pixel.
"""

import math
import os
import struct
import sys
import zlib

from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
ART = os.path.normpath(os.path.join(HERE, ".."))
DEVICE = os.path.normpath(os.path.join(HERE, "..", "..", "device"))

# --- palette ----------------------------------------------------------------
# One palette for everything: deep blue and teal accents, soft greys, white,
# and a few signal colours (amber for "pressed", red, green) used sparingly.

WHITE = (255, 255, 255)
G1 = (244, 246, 249)
G2 = (226, 231, 238)
G3 = (202, 209, 219)
G4 = (158, 168, 182)
G5 = (110, 120, 136)
G6 = (66, 75, 92)
INK = (28, 34, 48)

NAVY = (20, 42, 78)
BLUE_OL = (24, 52, 98)
BLUE_DK = (36, 82, 148)
BLUE = (58, 118, 196)
BLUE_LT = (138, 182, 230)
BLUE_PL = (212, 228, 246)

TEAL_OL = (8, 66, 78)
TEAL_DK = (12, 112, 124)
TEAL = (24, 152, 162)
TEAL_LT = (120, 208, 210)
CYAN_PL = (206, 240, 242)

AMBER_OL = (112, 66, 12)
AMBER_DK = (212, 132, 24)
AMBER = (246, 178, 52)
AMBER_LT = (255, 222, 136)
BROWN = (92, 52, 18)

RED_OL = (104, 30, 28)
RED_DK = (172, 52, 46)
RED = (218, 82, 70)
RED_LT = (246, 160, 150)

GREEN_OL = (22, 78, 42)
GREEN_DK = (40, 128, 70)
GREEN = (72, 172, 98)
GREEN_LT = (172, 226, 172)

PAPER = (255, 248, 214)  # note paper
SHADOW = (10, 24, 48, 56)  # soft drop shadow under icons

# Launcher frame colours.
BEZEL = (34, 70, 122)
BEZEL_HI = (72, 112, 168)
BEZEL_DK = (18, 40, 74)
TAB = (214, 224, 238)
TAB_HI = (240, 245, 251)
TAB_LO = (184, 198, 218)


def mix(a, b, t):
    """Colour t of the way from a to b."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


# --- pixel canvas -------------------------------------------------------------


class Canvas:
    """An RGBA picture with exact, inclusive-coordinate pixel operations."""

    def __init__(self, w, h, fill=(0, 0, 0, 0)):
        self.w, self.h = w, h
        self.im = Image.new("RGBA", (w, h), rgba(fill))
        self.px = self.im.load()

    def inside(self, x, y):
        return 0 <= x < self.w and 0 <= y < self.h

    def set(self, x, y, c):
        if self.inside(x, y):
            self.px[x, y] = rgba(c)

    def get(self, x, y):
        return self.px[x, y]

    def blend(self, x, y, c, a):
        """Paints colour c over the pixel with opacity a (0..1)."""
        if not self.inside(x, y):
            return
        r, g, b, al = self.px[x, y]
        if al == 0:
            self.px[x, y] = (c[0], c[1], c[2], int(round(255 * a)))
            return
        self.px[x, y] = (*mix((r, g, b), c, a), al)

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def hline(self, x0, x1, y, c):
        self.rect(x0, y, x1, y, c)

    def vline(self, x, y0, y1, c):
        self.rect(x, y0, x, y1, c)

    def line(self, x0, y0, x1, y1, c):
        """Bresenham line, both ends included."""
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def paint(self, mask, c):
        for x, y in mask:
            self.set(x, y, c)

    def shape(self, mask, fill, outline=None, hi=None, lo=None):
        """Fills a mask; optional 1-pixel outline, and a highlight on the inner
        top-left edge and a shade on the inner bottom-right edge."""
        self.paint(mask, fill)
        if outline is None:
            edge, inner = set(), mask
        else:
            edge = border(mask)
            inner = mask - edge
        if hi is not None:
            self.paint({(x, y) for x, y in inner if (x, y - 1) not in inner or (x - 1, y) not in inner}, hi)
        if lo is not None:
            self.paint({(x, y) for x, y in inner if (x, y + 1) not in inner or (x + 1, y) not in inner}, lo)
        if outline is not None:
            self.paint(edge, outline)

    def text(self, glyphs, x, y, c):
        """Draws a tiny bitmap text: glyph rows with '#' for ink."""
        for dy, row in enumerate(glyphs):
            for dx, ch in enumerate(row):
                if ch == "#":
                    self.set(x + dx, y + dy, c)

    def crop(self, x0, y0, w, h):
        out = Canvas(w, h)
        out.im = self.im.crop((x0, y0, x0 + w, y0 + h))
        out.px = out.im.load()
        return out

    def add_shadow(self, dx=1, dy=1, colour=SHADOW):
        """A soft shadow under the opaque parts, offset down and right."""
        src = [[self.px[x, y][3] for x in range(self.w)] for y in range(self.h)]
        for y in range(self.h):
            for x in range(self.w):
                sx, sy = x - dx, y - dy
                if src[y][x] == 0 and 0 <= sx < self.w and 0 <= sy < self.h and src[sy][sx] > 128:
                    self.px[x, y] = colour


def rgba(c):
    return tuple(c) if len(c) == 4 else (c[0], c[1], c[2], 255)


# --- masks: sets of (x, y) pixels --------------------------------------------


def rect_mask(x0, y0, x1, y1):
    return {(x, y) for y in range(y0, y1 + 1) for x in range(x0, x1 + 1)}


def rrect_mask(x0, y0, x1, y1, r=1):
    """Rectangle with corners cut: r=1 drops the corner pixel, r=2 a 3-pixel
    step, r=3 a rounder 6-pixel step."""
    cut = {
        0: [],
        1: [(0, 0)],
        2: [(0, 0), (1, 0), (0, 1)],
        3: [(0, 0), (1, 0), (2, 0), (0, 1), (0, 2), (1, 1)],
    }[r]
    m = rect_mask(x0, y0, x1, y1)
    for dx, dy in cut:
        m -= {(x0 + dx, y0 + dy), (x1 - dx, y0 + dy), (x0 + dx, y1 - dy), (x1 - dx, y1 - dy)}
    return m


def disc_mask(cx, cy, r):
    """Pixels whose centres lie within r of (cx, cy); use .0 or .5 centres."""
    m = set()
    for y in range(int(cy - r) - 1, int(cy + r) + 2):
        for x in range(int(cx - r) - 1, int(cx + r) + 2):
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                m.add((x, y))
    return m


def ellipse_mask(cx, cy, rx, ry, angle=0.0):
    """An ellipse, optionally turned by angle degrees (for note heads)."""
    a = math.radians(angle)
    m = set()
    r = int(max(rx, ry)) + 2
    for y in range(int(cy) - r, int(cy) + r + 1):
        for x in range(int(cx) - r, int(cx) + r + 1):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            u = dx * math.cos(a) + dy * math.sin(a)
            v = -dx * math.sin(a) + dy * math.cos(a)
            if (u / rx) ** 2 + (v / ry) ** 2 <= 1.0:
                m.add((x, y))
    return m


def thick_line_mask(x0, y0, x1, y1, half):
    """Pixels whose centres lie within half of the segment (x0, y0)-(x1, y1)."""
    m = set()
    lx, ly = x1 - x0, y1 - y0
    length2 = lx * lx + ly * ly
    for y in range(int(min(y0, y1) - half) - 1, int(max(y0, y1) + half) + 2):
        for x in range(int(min(x0, x1) - half) - 1, int(max(x0, x1) + half) + 2):
            px, py = x + 0.5 - x0, y + 0.5 - y0
            t = max(0.0, min(1.0, (px * lx + py * ly) / length2))
            if (px - t * lx) ** 2 + (py - t * ly) ** 2 <= half * half:
                m.add((x, y))
    return m


def poly_mask(points):
    img = Image.new("L", (256, 256), 0)
    ImageDraw.Draw(img).polygon(points, fill=255)
    px = img.load()
    return {(x, y) for y in range(256) for x in range(256) if px[x, y]}


def line_mask(x0, y0, x1, y1):
    c = Canvas(256, 256)
    c.line(x0, y0, x1, y1, (255, 255, 255))
    return {(x, y) for y in range(256) for x in range(256) if c.px[x, y][3]}


def border(mask):
    """Pixels of the mask with a 4-neighbour outside it: a thin outline."""
    return {(x, y) for x, y in mask if not {(x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)} <= mask}


def grow(mask):
    out = set(mask)
    for x, y in mask:
        out |= {(x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)}
    return out


def triangle(cx, cy, size, direction):
    """A pixel-exact arrow head centred on (cx, cy) in continuous coordinates
    (pixel x covers x..x+1): an integer centre gives a 2-pixel tip, a .5
    centre a 1-pixel tip. size is the number of rows from tip to base."""
    m = set()
    first = int(math.floor(cy - size / 2 + 0.5)) if direction in ("up", "down") else int(
        math.floor(cx - size / 2 + 0.5))
    across = cx if direction in ("up", "down") else cy
    for i in range(size):
        if across == int(across):
            a0, a1 = int(across) - 1 - i, int(across) + i
        else:
            a0, a1 = int(across) - i, int(across) + i
        along = first + i if direction in ("up", "left") else first + size - 1 - i
        for a in range(a0, a1 + 1):
            m.add((a, along) if direction in ("up", "down") else (along, a))
    return m


# --- launcher frame (bitmap 142) and the pieces drawn over it ------------------

TAB_X = [25, 72, 119, 166]  # left edge of tab n's 47-pixel cell: n * 47 - 22
LEFT_ARROW_X, RIGHT_ARROW_X, ARROW_Y = 0, 214, 156


def arrow_button(c, x0, state, direction):
    """A 26 x 26 scroll-arrow cell whose top-left pixel is (x0, ARROW_Y)."""
    body = rrect_mask(x0 + 1, ARROW_Y + 1, x0 + 24, ARROW_Y + 24, 3)
    shift = 1 if state == "pressed" else 0
    cx = (x0 + 12.5 if direction == "left" else x0 + 13.5) + shift
    head = triangle(cx, ARROW_Y + 13 + shift, 7, direction)
    if state == "normal":
        c.shape(body, TAB, BEZEL_DK, TAB_HI, TAB_LO)
        c.shape(head, NAVY)
    elif state == "pressed":
        c.shape(body, AMBER, AMBER_OL, AMBER_DK, AMBER_LT)
        c.shape(head, BROWN)
    else:
        c.shape(body, mix(BEZEL, BEZEL_HI, 0.45), BEZEL_DK)
        c.shape(head, mix(BEZEL_HI, TAB, 0.35))


def launcher_frame(selected=None, left="normal", right="normal"):
    c = Canvas(240, 184, BEZEL)
    c.hline(0, 239, 0, BEZEL_HI)
    # The shortcut area (5, 5)-(232, 149) in a 1-pixel inset bevel; a group's
    # background picture is tiled over exactly this area.
    c.rect(4, 4, 233, 150, BEZEL_DK)
    c.hline(5, 234, 151, BEZEL_HI)
    c.vline(234, 5, 151, BEZEL_HI)
    top, bottom = (250, 252, 254), (222, 231, 243)
    for y in range(5, 150):
        c.hline(5, 232, y, mix(top, bottom, (y - 5) / 144))
    for i, x0 in enumerate(TAB_X, start=1):
        if i == selected:
            body = rrect_mask(x0 + 1, 155, x0 + 45, 180, 2)
            c.shape(body, WHITE, TEAL_OL, None, G2)
            c.hline(x0 + 2, x0 + 44, 156, TEAL)
            c.hline(x0 + 2, x0 + 44, 157, TEAL)
            c.hline(x0 + 2, x0 + 44, 158, TEAL_LT)
        else:
            body = rrect_mask(x0 + 1, 156, x0 + 45, 179, 2)
            c.shape(body, TAB, BEZEL_DK, TAB_HI, TAB_LO)
    arrow_button(c, LEFT_ARROW_X, left, "left")
    arrow_button(c, RIGHT_ARROW_X, right, "right")
    return c



# --- information panel: plate (bitmap 150) and page strip (174, 175) ----------

PLATE_TOP, PLATE_BOTTOM = (214, 230, 248), (186, 208, 236)
STRIP_X, STRIP_Y, STRIP_W, STRIP_H = 226, 4, 10, 65


def info_plate(strip=None):
    """The panel's background: a light blue plate with a fine diagonal grain
    and a thin light frame. strip "right"/"left" adds the page strip."""
    c = Canvas(240, 74)
    for y in range(74):
        base = mix(PLATE_TOP, PLATE_BOTTOM, y / 73)
        for x in range(240):
            grain = (x + y) % 4 == 0 or (x - y) % 8 == 0
            c.set(x, y, mix(base, WHITE, 0.18) if grain else base)
    c.rect(0, 0, 239, 0, BEZEL_HI)
    outer = rect_mask(0, 0, 239, 73)
    c.paint(border(outer), BLUE_DK)
    frame = rrect_mask(2, 2, 237, 71, 2)
    c.paint(border(frame), mix(WHITE, PLATE_TOP, 0.25))
    if strip:
        pill = rrect_mask(STRIP_X, STRIP_Y, STRIP_X + STRIP_W - 1, STRIP_Y + STRIP_H - 1, 2)
        c.shape(pill, mix(BLUE_PL, WHITE, 0.35), BLUE_DK, WHITE, mix(BLUE_PL, BLUE_LT, 0.5))
        cy = STRIP_Y + STRIP_H / 2
        cx = STRIP_X + STRIP_W / 2
        c.shape(triangle(cx, cy, 4, strip), NAVY)
        for dy in (-12, -9, 9, 12):  # grip marks, so the strip reads as a control
            c.hline(STRIP_X + 3, STRIP_X + 6, int(cy) + dy, BLUE_LT)
    return c



# --- page bar between the panes (bitmaps 144-149, icons 194, 195) -------------

# A curl drawn at each end of a page-bar half; rows 1..8 of the bar.
SWIRL = [
    ".####...",
    "#....#..",
    "#.##..#.",
    "#.#.#.#.",
    "#..#..#.",
    ".#...#..",
    "..###...",
]

BAR_STYLES = {
    "grey": (G2, G1, G3, G4, G4),  # band, band light, edge, swirl, triangle
    "lit": (CYAN_PL, mix(CYAN_PL, WHITE, 0.6), TEAL_LT, TEAL, NAVY),
    "pressed": (AMBER_LT, mix(AMBER_LT, WHITE, 0.5), AMBER, AMBER_DK, BROWN),
}


def page_bar(style, direction):
    """One 120 x 12 half of the bar; only its top 10 rows are shown."""
    band, light, edge, swirl, head = BAR_STYLES[style]
    c = Canvas(120, 12)
    c.rect(0, 0, 119, 11, band)
    c.hline(0, 119, 1, light)
    c.hline(0, 119, 0, edge)
    c.hline(0, 119, 9, edge)
    c.rect(0, 10, 119, 11, mix(edge, band, 0.5))
    for row, bits in enumerate(SWIRL):
        for col, ch in enumerate(bits):
            if ch == "#":
                c.set(4 + col, 2 + row, swirl)
                c.set(115 - col, 2 + row, swirl)
    # thin flourishes from the curls toward the arrow
    for x in list(range(11, 48)) + list(range(72, 109)):
        if x % 2 == 0:
            c.set(x, 5, mix(band, swirl, 0.6))
    c.paint(triangle(60, 5, 4, direction), head)
    if style == "pressed":
        c.rect(0, 10, 119, 11, (0, 0, 0, 0))  # the pressed icon only covers the shown rows
    return c


def preview(c, path, scale=4):
    """An enlarged copy with crisp pixels, for looking at a picture."""
    c.im.resize((c.w * scale, c.h * scale), Image.NEAREST).save(path)


# --- program icons, 32 x 32 ---------------------------------------------------


def icon_mail(n=32):
    c = Canvas(n, n)
    body = rrect_mask(2, 7, 28, 25, 1)
    c.shape(body, G1, BLUE_OL, WHITE, G2)
    for x0, x1 in ((3, 12), (27, 18)):
        c.line(x0, 24, x1, 16, G3)
    flap = poly_mask([(3, 8), (27, 8), (15.5, 18.5)]) & body
    c.shape(flap, WHITE)
    c.paint(line_mask(3, 8, 15, 18) | line_mask(27, 8, 16, 18), BLUE_DK)
    c.shape(rrect_mask(13, 16, 17, 20, 1), RED, RED_OL, RED_LT)
    c.add_shadow()
    return c


def icon_calendar(n=32):
    c = Canvas(n, n)
    c.shape(rrect_mask(3, 5, 28, 28, 1), WHITE, BLUE_OL, None, G2)
    c.rect(4, 6, 27, 11, RED)
    c.hline(4, 27, 6, RED_LT)
    c.hline(4, 27, 11, RED_DK)
    for x in (9, 21):
        c.shape(rrect_mask(x, 2, x + 1, 8, 1) | rect_mask(x, 3, x + 1, 8), G4, None, G3, G5)
        c.set(x, 2, G6)
        c.set(x + 1, 2, G6)
    for row in range(3):
        for col in range(4):
            x, y = 5 + col * 6, 14 + row * 5
            today = (row, col) == (1, 2)
            c.rect(x, y, x + 3, y + 2, TEAL if today else G3)
            if today:
                c.hline(x, x + 3, y, TEAL_LT)
    c.add_shadow()
    return c


def icon_contacts():
    c = Canvas(32, 32)
    c.shape(rrect_mask(2, 6, 29, 25, 2), WHITE, BLUE_OL, None, G2)
    c.rect(5, 9, 14, 21, BLUE_PL)
    person = disc_mask(10, 13.5, 2.8) | (disc_mask(10, 22, 5.2) & rect_mask(5, 17, 14, 21))
    c.shape(person, TEAL, None, TEAL_LT)
    c.hline(17, 26, 11, BLUE_DK)
    c.hline(17, 26, 12, BLUE_DK)
    c.hline(17, 25, 16, G4)
    c.hline(17, 23, 19, G4)
    c.hline(17, 24, 22, G3)
    c.add_shadow()
    return c


def icon_notes():
    c = Canvas(32, 32)
    c.shape(rrect_mask(4, 4, 25, 29, 1), PAPER, AMBER_OL, WHITE, mix(PAPER, AMBER, 0.25))
    c.rect(5, 5, 24, 8, AMBER)
    c.hline(5, 24, 5, AMBER_LT)
    c.hline(5, 24, 8, AMBER_DK)
    for x in (8, 12, 16, 20):
        c.set(x, 6, AMBER_OL)
    for y in (13, 17, 21, 25):
        c.hline(7, 22, y, BLUE_LT)
    # a pencil lying across the page
    shaft = thick_line_mask(16, 24, 28.5, 11.5, 2.1)
    tip = poly_mask([(11, 29), (14, 22), (18, 26)])
    c.shape(shaft, TEAL, TEAL_OL, TEAL_LT)
    c.shape(tip - shaft, AMBER_LT, AMBER_OL)
    c.set(11, 28, INK)
    c.set(12, 28, INK)
    c.set(12, 27, INK)
    eraser = thick_line_mask(26.5, 13.5, 28.5, 11.5, 2.1)
    c.shape(eraser, RED_LT, RED_OL)
    c.add_shadow()
    return c


def curve_mask(points):
    """Joins a sampled curve's points with 1-pixel lines (an 8-connected path)."""
    c = Canvas(64, 64)
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        c.line(int(math.floor(x0)), int(math.floor(y0)), int(math.floor(x1)), int(math.floor(y1)), WHITE)
    return {(x, y) for y in range(64) for x in range(64) if c.px[x, y][3]}


def icon_web():
    c = Canvas(32, 32)
    globe = disc_mask(16, 16, 13.5)
    c.shape(globe, BLUE, BLUE_OL, BLUE_LT, BLUE_DK)
    inner = globe - border(globe)
    steps = [math.pi * i / 256 for i in range(257)]
    lines = rect_mask(15, 2, 16, 29)
    for side in (1, -1):  # the two side meridians
        lines |= curve_mask([(16 + side * 7.5 * math.sin(t), 16 - 13.4 * math.cos(t)) for t in steps])
    for y0, bend in ((9, 1.5), (15, 2.5), (22, 1.5)):  # parallels, seen from a little above
        half = math.sqrt(13.4 ** 2 - (y0 - 16) ** 2)
        lines |= curve_mask([(16 + half * math.cos(t), y0 + bend * math.sin(t)) for t in steps])
    c.paint(lines & inner, mix(BLUE, WHITE, 0.5))
    c.add_shadow()
    return c


def icon_music():
    c = Canvas(32, 32)
    notes = ellipse_mask(9, 24.5, 4.6, 3.3, -20) | ellipse_mask(23, 21.5, 4.6, 3.3, -20)
    notes |= rect_mask(12, 8, 13, 24) | rect_mask(26, 5, 27, 21)
    notes |= poly_mask([(12, 7), (27.9, 3), (27.9, 8), (12, 12)])
    c.shape(notes, TEAL, TEAL_OL, TEAL_LT, TEAL_DK)
    c.add_shadow()
    return c


def icon_photos():
    c = Canvas(32, 32)
    c.shape(rrect_mask(2, 5, 29, 27, 1), WHITE, G6, None, G2)
    for y in range(8, 24):
        c.hline(5, 26, y, mix(BLUE_LT, BLUE_PL, (y - 8) / 15))
    c.shape(rrect_mask(20, 10, 24, 14, 1), AMBER, None, AMBER_LT)
    pic = rect_mask(5, 8, 26, 23)
    back = poly_mask([(4, 24), (12, 13), (21, 24)]) & pic
    front = poly_mask([(11, 24), (20, 16), (28, 24)]) & pic
    c.shape(back, TEAL_DK, None, TEAL)
    c.shape(front - back | (front & back), GREEN, None, GREEN_LT)
    c.paint(border(rect_mask(4, 7, 27, 24)), G4)
    c.add_shadow()
    return c


def gear_mask(cx, cy, r_in, r_out, teeth, width, hole):
    """A cog: a disc with square teeth; teeth on the axes come out exact."""
    m = disc_mask(cx, cy, r_in)
    for i in range(teeth):
        a = 2 * math.pi * i / teeth
        ux, uy = math.cos(a), math.sin(a)
        vx, vy = -uy * width / 2, ux * width / 2
        near, far = r_in - 2, r_out
        m |= poly_mask([(cx + ux * near + vx, cy + uy * near + vy), (cx + ux * far + vx, cy + uy * far + vy),
                        (cx + ux * far - vx, cy + uy * far - vy), (cx + ux * near - vx, cy + uy * near - vy)])
    return m - disc_mask(cx, cy, hole)


def icon_settings():
    c = Canvas(32, 32)
    gear = gear_mask(16, 16, 9.6, 13.9, 8, 5, 3.9)
    c.shape(gear, G3, G6, WHITE, G4)
    c.paint(border(disc_mask(16, 16, 6.6)) & gear, G4)
    c.add_shadow()
    return c


def icon_games():
    c = Canvas(32, 32)
    pad = rrect_mask(3, 10, 28, 21, 2) | disc_mask(8, 20, 5.5) | disc_mask(24, 20, 5.5)
    c.shape(pad, mix(G6, BLUE_DK, 0.35), INK, G5, G6)
    cross = rect_mask(5, 15, 11, 17) | rect_mask(7, 13, 9, 19)
    c.shape(cross, G2, None, WHITE, G4)
    for (x, y), col in (((22, 12), AMBER), ((25, 15), RED), ((19, 15), BLUE_LT), ((22, 18), GREEN)):
        c.rect(x, y, x + 1, y + 1, col)
        c.set(x, y, mix(col, WHITE, 0.5))
    c.hline(14, 17, 13, G4)
    c.add_shadow()
    return c


def icon_desktop():
    c = Canvas(32, 32)
    c.shape(rrect_mask(2, 4, 29, 22, 1), G6, INK, G5, None)
    for y in range(6, 21):
        c.hline(4, 27, y, mix(BLUE_LT, TEAL, (y - 6) / 14))
    for x, y in ((6, 8), (11, 8), (6, 13), (11, 13)):
        c.rect(x, y, x + 3, y + 3, WHITE)
        c.hline(x, x + 3, y + 3, BLUE_PL)
    c.shape(rrect_mask(22, 9, 25, 12, 1), AMBER, None, AMBER_LT)
    c.shape(rect_mask(13, 23, 18, 25), G4, None, G3, G5)
    c.shape(rrect_mask(8, 26, 23, 28, 1), G3, G6, G1, G4)
    c.add_shadow()
    return c


def icon_program():
    c = Canvas(32, 32)
    c.shape(rrect_mask(3, 5, 28, 27, 1), WHITE, BLUE_OL, None, G2)
    c.rect(4, 6, 27, 10, BLUE)
    c.hline(4, 27, 6, BLUE_LT)
    c.hline(4, 27, 10, BLUE_DK)
    c.rect(23, 7, 25, 9, mix(BLUE, WHITE, 0.7))
    c.shape(rect_mask(6, 13, 12, 19), TEAL, None, TEAL_LT, TEAL_DK)
    c.hline(15, 25, 14, G4)
    c.hline(15, 22, 17, G3)
    c.hline(6, 25, 22, G3)
    c.hline(6, 19, 24, G3)
    c.add_shadow()
    return c


# --- information panel icons, 24 x 24 ------------------------------------------


def info_inbox():
    c = Canvas(24, 24)
    body = rrect_mask(1, 5, 21, 19, 1)
    c.shape(body, G1, BLUE_OL, WHITE, G2)
    c.line(2, 18, 9, 12, G3)
    c.line(20, 18, 13, 12, G3)
    flap = poly_mask([(2, 6), (20, 6), (11, 14)]) & body
    c.shape(flap, WHITE)
    c.paint(line_mask(2, 6, 10, 13) | line_mask(20, 6, 12, 13), BLUE_DK)
    c.shape(rect_mask(10, 12, 12, 14), RED, None, RED_LT, RED_DK)
    c.add_shadow()
    return c


def info_calendar():
    c = Canvas(24, 24)
    c.shape(rrect_mask(2, 3, 20, 21, 1), WHITE, BLUE_OL, None, G2)
    c.rect(3, 4, 19, 8, RED)
    c.hline(3, 19, 4, RED_LT)
    c.hline(3, 19, 8, RED_DK)
    for x in (6, 15):
        c.rect(x, 1, x + 1, 5, G4)
        c.vline(x, 2, 5, G3)
        c.hline(x, x + 1, 1, G6)
    for row in range(3):
        for col in range(4):
            x, y = 4 + col * 4, 10 + row * 4
            today = (row, col) == (1, 2)
            c.rect(x, y, x + 2, y + 2, TEAL if today else G3)
    c.add_shadow()
    return c


def info_tasks():
    c = Canvas(24, 24)
    c.shape(rrect_mask(3, 3, 20, 22, 1), mix(AMBER_DK, BROWN, 0.35), AMBER_OL, AMBER_DK)
    c.shape(rect_mask(5, 6, 18, 20), WHITE, None, None, G2)
    c.shape(rrect_mask(8, 1, 15, 5, 1), G3, G6, G1)
    tick = thick_line_mask(7.5, 13.5, 10.5, 16.5, 1.2) | thick_line_mask(10.5, 16.5, 16.5, 9.5, 1.2)
    c.paint(tick, GREEN_DK)
    c.add_shadow()
    return c


def info_battery():
    c = Canvas(24, 24)
    c.shape(rect_mask(6, 2, 9, 3), G5)
    c.shape(rrect_mask(3, 3, 12, 21, 1), G1, G6, WHITE)
    for i, y in enumerate((17, 13, 9)):
        c.shape(rect_mask(5, y, 10, y + 2), GREEN, None, GREEN_LT, GREEN_DK)
    # the plug, with its cable running down to the battery's foot
    c.rect(15, 6, 15, 8, G4)
    c.rect(19, 6, 19, 8, G4)
    c.shape(rrect_mask(14, 9, 20, 13, 1), G5, G6, G4)
    c.rect(17, 14, 17, 19, G6)
    c.hline(14, 17, 19, G6)
    c.add_shadow()
    return c


def info_memory():
    c = Canvas(24, 24)
    board = rect_mask(1, 6, 22, 17) - rect_mask(11, 16, 12, 17)
    c.shape(board, TEAL_DK, TEAL_OL, TEAL)
    for x in (3, 9, 15):
        c.shape(rect_mask(x, 8, x + 4, 12), G6, INK, G5)
    for x in range(3, 21, 2):
        if x not in (11,):
            c.vline(x, 15, 16, AMBER)
    c.add_shadow()
    return c


def info_clock():
    c = Canvas(24, 24)
    face = disc_mask(12, 12, 10.9)
    c.shape(face, BLUE, BLUE_OL)
    dial = disc_mask(12, 12, 8.9)
    c.shape(dial, WHITE, None, None, G2)
    for x, y in ((11, 4), (11, 18), (4, 11), (18, 11)):
        w, h = (1, 1) if x in (11,) else (1, 1)
        c.rect(x, y, x + w, y + h, G5) if x == 11 else c.rect(x, y, x + 1, y + 1, G5)
    c.rect(11, 6, 12, 12, NAVY)  # minute hand, up
    c.paint(thick_line_mask(12, 12, 16.5, 15, 0.9), NAVY)  # hour hand
    c.rect(11, 11, 12, 12, RED)
    c.add_shadow()
    return c


GLOBE_LAND = [
    "",
    "",
    ".........###",
    "......#######....##",
    ".....#######....#####",
    "....#######....#######",
    "....######.....######",
    ".....####.....#####",
    "......###......######",
    ".......##.....########",
    "........##....########",
    "........###....######",
    "........####....#####",
    ".........####...####",
    ".........####....###",
    "..........###....##",
    "..........##.....#",
    "..........#",
    "...........#",
]


def info_globe():
    c = Canvas(24, 24)
    globe = disc_mask(12, 12, 10.9)
    c.shape(globe, BLUE, BLUE_OL, BLUE_LT, BLUE_DK)
    inner = globe - border(globe)
    land = {(x, y) for y, row in enumerate(GLOBE_LAND) for x, ch in enumerate(row) if ch == "#"}
    c.shape(land & inner, GREEN, None, GREEN_LT, GREEN_DK)
    c.add_shadow()
    return c


# --- the device's background pictures (24-bit BMP) ------------------------------
# The launcher tiles them over a 228 x 145 area and draws black labels on them,
# so they stay light and quiet.

AREA_W, AREA_H = 228, 145


def skin_lattice():
    """skin 1: a small seamless tile of a faint diamond lattice."""
    n = 24
    c = Canvas(n, n)
    base, line, dot = (238, 243, 249), (225, 233, 243), (214, 225, 239)
    for y in range(n):
        for x in range(n):
            on = (x + y) % 12 == 0 or (x - y) % 12 == 0
            c.set(x, y, line if on else base)
    for x, y in ((0, 0), (12, 12), (0, 12), (12, 0)):
        c.set(x, y, dot)
    return c


def skin_waves():
    """skin 2: soft horizontal waves over a pale blue-to-cyan wash, larger than
    the area so it is cut rather than repeated."""
    w, h = 240, 160
    c = Canvas(w, h)
    top, bottom = (236, 244, 251), (218, 236, 242)
    for y in range(h):
        for x in range(w):
            base = mix(top, bottom, y / (h - 1))
            t = 0.0
            for amp, period, off, y0 in ((6, 160, 0, 46), (5, 120, 40, 92), (7, 200, 90, 134)):
                yc = y0 + amp * math.sin(2 * math.pi * (x + off) / period)
                d = abs(y - yc)
                t = max(t, max(0.0, 1.0 - d / 9.0))
            c.set(x, y, mix(base, WHITE, 0.55 * t * t))
    return c


def skin_grid():
    """skin 4: a quiet graph-paper grid, the area's size."""
    c = Canvas(AREA_W, AREA_H)
    top, bottom = (244, 246, 249), (230, 235, 242)
    for y in range(AREA_H):
        base = mix(top, bottom, y / (AREA_H - 1))
        for x in range(AREA_W):
            col = base
            if x % 8 == 3 or y % 8 == 3:
                col = mix(base, BLUE_LT, 0.10)
            if x % 32 == 19 or y % 32 == 19:
                col = mix(base, BLUE_LT, 0.20)
            c.set(x, y, col)
    return c


def skin_bubbles():
    """skin 5: large soft rings on a pale teal wash, the area's size."""
    c = Canvas(AREA_W, AREA_H)
    a, b = (226, 243, 244), (233, 238, 249)
    rings = [(40, 30, 34), (150, 50, 26), (196, 118, 40), (86, 112, 22), (120, 8, 14), (10, 130, 18)]
    for y in range(AREA_H):
        for x in range(AREA_W):
            col = mix(a, b, (x + y) / (AREA_W + AREA_H))
            glow = 0.0
            for cx, cy, r in rings:
                d = math.hypot(x - cx, y - cy)
                if d < r:
                    glow = max(glow, 0.25 + 0.35 * (d / r) ** 4)
                elif d < r + 1.5:
                    glow = max(glow, 0.7)
            c.set(x, y, mix(col, WHITE, glow))
    return c


def save_png(image, path):
    """Writes a 32-bit RGBA PNG whose rows are all stored unfiltered: the
    program decodes its pictures at every start, and undoing PIL's adaptive
    (mostly Paeth) filters cost more than inflating the bigger stream. For
    this flat pixel art the files come out no larger."""
    rgba = image.convert("RGBA")
    w, h = rgba.size
    data = rgba.tobytes()
    raw = b"".join(b"\x00" + data[y * w * 4:(y + 1) * w * 4] for y in range(h))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" +
                chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_bmp(path, c):
    """Writes a 24-bit, bottom-up, uncompressed BMP with a 40-byte header."""
    w, h = c.w, c.h
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, _ = c.px[x, y]
            pixels += bytes((b, g, r))
        pixels += bytes(stride - w * 3)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


# --- output -------------------------------------------------------------------


def pictures():
    """Every picture as (folder, file name, canvas, expected size)."""
    frame = launcher_frame()
    left_off = launcher_frame(left="disabled").crop(LEFT_ARROW_X, ARROW_Y, 26, 26)
    right_off = launcher_frame(right="disabled").crop(RIGHT_ARROW_X, ARROW_Y, 26, 26)
    left_down = launcher_frame(left="pressed").crop(LEFT_ARROW_X, ARROW_Y, 26, 26)
    right_down = launcher_frame(right="pressed").crop(RIGHT_ARROW_X, ARROW_Y, 26, 26)
    tabs = [launcher_frame(selected=i).crop(TAB_X[i - 1], 155, 47, 26) for i in range(1, 5)]
    assert all(t.im.tobytes() == tabs[0].im.tobytes() for t in tabs), "tab cells differ"
    plate_right = info_plate("right").crop(STRIP_X, STRIP_Y, STRIP_W, STRIP_H)
    plate_left = info_plate("left").crop(STRIP_X, STRIP_Y, STRIP_W, STRIP_H)
    return [
        ("bitmaps", "142-launcher-frame", frame, (240, 184)),
        ("bitmaps", "184-left-arrow-disabled", left_off, (26, 26)),
        ("bitmaps", "185-right-arrow-disabled", right_off, (26, 26)),
        ("bitmaps", "187-selected-tab", tabs[0], (47, 26)),
        ("bitmaps", "144-page-up-grey", page_bar("grey", "up"), (120, 12)),
        ("bitmaps", "146-page-up-lit", page_bar("lit", "up"), (120, 12)),
        ("bitmaps", "147-page-down-grey", page_bar("grey", "down"), (120, 12)),
        ("bitmaps", "149-page-down-lit", page_bar("lit", "down"), (120, 12)),
        ("bitmaps", "150-info-panel", info_plate(), (240, 74)),
        ("bitmaps", "174-page-strip-right", plate_right, (10, 65)),
        ("bitmaps", "175-page-strip-left", plate_left, (10, 65)),
        ("icons", "188-right-arrow-pressed", right_down, (26, 26)),
        ("icons", "189-left-arrow-pressed", left_down, (26, 26)),
        ("icons", "190-right-arrow", frame.crop(RIGHT_ARROW_X, ARROW_Y, 26, 26), (26, 26)),
        ("icons", "191-left-arrow", frame.crop(LEFT_ARROW_X, ARROW_Y, 26, 26), (26, 26)),
        ("icons", "154-desktop", icon_desktop(), (32, 32)),
        ("icons", "155-program", icon_program(), (32, 32)),
        ("icons", "133-mail", icon_mail(), (32, 32)),
        ("icons", "134-calendar", icon_calendar(), (32, 32)),
        ("icons", "135-contacts", icon_contacts(), (32, 32)),
        ("icons", "136-notes", icon_notes(), (32, 32)),
        ("icons", "145-web", icon_web(), (32, 32)),
        ("icons", "146-music", icon_music(), (32, 32)),
        ("icons", "147-photos", icon_photos(), (32, 32)),
        ("icons", "148-settings", icon_settings(), (32, 32)),
        ("icons", "149-games", icon_games(), (32, 32)),
        ("icons", "194-page-up-pressed", page_bar("pressed", "up"), (120, 12)),
        ("icons", "195-page-down-pressed", page_bar("pressed", "down"), (120, 12)),
        ("icons", "168-inbox", info_inbox(), (24, 24)),
        ("icons", "182-calendar", info_calendar(), (24, 24)),
        ("icons", "162-tasks", info_tasks(), (24, 24)),
        ("icons", "181-battery", info_battery(), (24, 24)),
        ("icons", "167-memory", info_memory(), (24, 24)),
        ("icons", "183-clock", info_clock(), (24, 24)),
        ("icons", "166-region", info_globe(), (24, 24)),
    ]


def skins():
    return [
        ("skin 1.bmp", skin_lattice()),
        ("skin 2.bmp", skin_waves()),
        ("skin 4.bmp", skin_grid()),
        ("skin 5.bmp", skin_bubbles()),
    ]


def main():
    # --preview DIR also writes 4x enlarged copies there (keep DIR outside the repository).
    args = sys.argv[1:]
    enlarged = args[1] if len(args) == 2 and args[0] == "--preview" else None
    if args and not enlarged:
        sys.exit("usage: make_art.py [--preview DIR]")
    for folder, name, c, size in pictures():
        assert (c.w, c.h) == size and c.im.size == size, name
        os.makedirs(os.path.join(ART, folder), exist_ok=True)
        save_png(c.im, os.path.join(ART, folder, name + ".png"))
        if enlarged:
            os.makedirs(enlarged, exist_ok=True)
            preview(c, os.path.join(enlarged, folder + "-" + name + ".png"))
    os.makedirs(DEVICE, exist_ok=True)
    for name, c in skins():
        write_bmp(os.path.join(DEVICE, name), c)
        if enlarged:
            preview(c, os.path.join(enlarged, "device-" + name.replace(".bmp", ".png")), 2)


if __name__ == "__main__":
    main()
