#!/usr/bin/env python3
"""Draws HOLM's icons, cursors and bitmaps and writes them to shell/res/.

Everything is drawn from code on a tiny canvas, so no image libraries are
needed; plain Python 3 is enough.  Run it from anywhere:

    python3 scripts/make-resources.py

Icons are drawn at 32x32; the 16x16 image in each .ico is that picture
shrunk by averaging 2x2 blocks, which keeps thin outlines readable.
"""

import math
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT_DIR = os.path.join(ROOT, "shell", "res")


# ---------------------------------------------------------------------------
# Colours (RGBA tuples; None means transparent)

def rgb(r, g, b):
    return (r, g, b, 255)


def mix(a, b, t):
    """Blend colour a towards colour b by t (0..1)."""
    t = max(0.0, min(1.0, t))
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(4))


BLACK = rgb(0, 0, 0)
WHITE = rgb(255, 255, 255)
GREY = rgb(192, 192, 192)
DARK_GREY = rgb(128, 128, 128)
NAVY = rgb(0, 0, 128)
BLUE = rgb(40, 90, 200)
LIGHT_BLUE = rgb(110, 160, 240)
SKY = rgb(200, 230, 255)
YELLOW = rgb(255, 220, 90)
FOLDER_BACK = rgb(220, 170, 40)
FOLDER_EDGE = rgb(120, 80, 0)
RED = rgb(220, 30, 30)
LIGHT_RED = rgb(255, 110, 90)
DARK_RED = rgb(120, 0, 0)
GREEN = rgb(40, 170, 60)
LIGHT_GREEN = rgb(130, 220, 120)
DARK_GREEN = rgb(0, 80, 20)
BROWN = rgb(150, 90, 40)
LIGHT_BROWN = rgb(200, 140, 80)
DARK_BROWN = rgb(70, 35, 10)
GOLD = rgb(240, 200, 60)
LIGHT_GOLD = rgb(255, 240, 150)
DARK_GOLD = rgb(130, 90, 0)


# ---------------------------------------------------------------------------
# Shapes.  A shape is a function (x, y) -> bool; it is asked about pixel
# centres, so pixel n covers the range [n, n + 1).

def box(x0, y0, x1, y1):
    """Cells x0..x1, y0..y1 (inclusive)."""
    return lambda x, y: x0 <= x < x1 + 1 and y0 <= y < y1 + 1


def rounded_box(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 + 1 and y0 <= y < y1 + 1):
            return False
        cx = min(max(x, x0 + r), x1 + 1 - r)
        cy = min(max(y, y0 + r), y1 + 1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def ellipse(cx, cy, rx, ry=None):
    ry = rx if ry is None else ry
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def _angle_in(a, start, end):
    """True if angle a (degrees) lies on the arc going from start to end."""
    return (a - start) % 360.0 <= (end - start) % 360.0


def ring(cx, cy, r_in, r_out, gap=None):
    """Annulus; gap=(start, end) in screen degrees (0 = right, 90 = down)
    leaves that arc out."""
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if not r_in <= d <= r_out:
            return False
        if gap:
            a = math.degrees(math.atan2(y - cy, x - cx))
            if _angle_in(a, gap[0], gap[1]):
                return False
        return True
    return inside


def polygon(points):
    """Even-odd filled polygon."""
    def inside(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            if (ay > y) != (by > y):
                cross = ax + (y - ay) * (bx - ax) / (by - ay)
                if x < cross:
                    hit = not hit
        return hit
    return inside


def stroke(x0, y0, x1, y1, width):
    """A thick line segment with round ends."""
    def inside(x, y):
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy
        t = 0.0 if length2 == 0 else ((x - x0) * dx + (y - y0) * dy) / length2
        t = max(0.0, min(1.0, t))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (width / 2.0) ** 2
    return inside


def arrow(x0, y0, x1, y1, shaft=4, head=12, head_len=7):
    """Arrow from (x0, y0) with its tip at (x1, y1)."""
    length = math.hypot(x1 - x0, y1 - y0)
    ux, uy = (x1 - x0) / length, (y1 - y0) / length
    nx, ny = -uy, ux
    bx, by = x1 - ux * head_len, y1 - uy * head_len
    hs, hh = shaft / 2.0, head / 2.0
    return polygon([
        (x0 + nx * hs, y0 + ny * hs),
        (bx + nx * hs, by + ny * hs),
        (bx + nx * hh, by + ny * hh),
        (x1, y1),
        (bx - nx * hh, by - ny * hh),
        (bx - nx * hs, by - ny * hs),
        (x0 - nx * hs, y0 - ny * hs),
    ])


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def intersect(a, b):
    return lambda x, y: a(x, y) and b(x, y)


def vertical_gradient(top, bottom, y0, y1):
    """Colour function for Canvas.fill: top colour at y0, bottom at y1."""
    return lambda x, y: mix(top, bottom, (y - y0) / float(y1 - y0))


# ---------------------------------------------------------------------------
# Canvas

class Canvas:
    """A small RGBA pixel grid; None is a transparent pixel."""

    def __init__(self, w, h, background=None):
        self.w, self.h = w, h
        self.pix = [[background] * w for _ in range(h)]

    def set(self, x, y, col):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.pix[y][x] = col

    def get(self, x, y):
        return self.pix[y][x]

    @staticmethod
    def _colour_at(col, x, y):
        """col is either a colour or a function (x, y) -> colour."""
        return col(x + 0.5, y + 0.5) if callable(col) else col

    def rect(self, x0, y0, x1, y1, col):
        """Fill pixels x0..x1, y0..y1 (inclusive)."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, self._colour_at(col, x, y))

    def frame(self, x0, y0, x1, y1, col):
        """One pixel wide rectangle outline."""
        for x in range(x0, x1 + 1):
            self.set(x, y0, col)
            self.set(x, y1, col)
        for y in range(y0, y1 + 1):
            self.set(x0, y, col)
            self.set(x1, y, col)

    def line(self, x0, y0, x1, y1, col):
        """One pixel wide line (Bresenham)."""
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx = 1 if x0 < x1 else -1
        sy = 1 if y0 < y1 else -1
        err = dx + dy
        while True:
            self.set(x0, y0, col)
            if x0 == x1 and y0 == y1:
                break
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def _inside_map(self, shape):
        return [[shape(x + 0.5, y + 0.5) for x in range(self.w)] for y in range(self.h)]

    def fill(self, shape, col):
        """Paint every pixel whose centre lies inside the shape."""
        inside = self._inside_map(shape)
        for y in range(self.h):
            for x in range(self.w):
                if inside[y][x]:
                    self.set(x, y, self._colour_at(col, x, y))

    def outline(self, shape, col):
        """Paint the one pixel wide inner border of a shape."""
        inside = self._inside_map(shape)

        def ins(x, y):
            return 0 <= x < self.w and 0 <= y < self.h and inside[y][x]

        for y in range(self.h):
            for x in range(self.w):
                if inside[y][x] and not (ins(x - 1, y) and ins(x + 1, y) and
                                         ins(x, y - 1) and ins(x, y + 1)):
                    self.set(x, y, col)

    def solid(self, shape, col, edge):
        """Filled shape with a dark border, the usual icon look."""
        self.fill(shape, col)
        self.outline(shape, edge)

    def shrunk(self):
        """Half size copy.  Each 2x2 block becomes the average of its
        opaque pixels, or transparent if fewer than two are opaque."""
        small = Canvas(self.w // 2, self.h // 2)
        for y in range(small.h):
            for x in range(small.w):
                block = [self.pix[2 * y + dy][2 * x + dx]
                         for dy in (0, 1) for dx in (0, 1)]
                opaque = [p for p in block if p is not None and p[3] >= 128]
                if len(opaque) >= 2:
                    avg = [sum(p[i] for p in opaque) // len(opaque)
                           for i in range(3)]
                    small.set(x, y, tuple(avg) + (255,))
        return small

    def stamp(self, x, y, rows, colours):
        """Copy a little text picture onto the canvas at (x, y).
        rows are strings; colours maps a character to a colour."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch in colours:
                    self.set(x + dx, y + dy, colours[ch])


# ---------------------------------------------------------------------------
# File writers

def _bitmap_header(w, h, bpp, image_size, colours_used=0):
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, image_size,
                       0, 0, colours_used, 0)


def _mask_rows(canvas, transparent):
    """AND mask, bottom-up, one bit per pixel, rows padded to 32 bits."""
    stride = ((canvas.w + 31) // 32) * 4
    out = bytearray()
    for y in range(canvas.h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(canvas.w):
            if transparent(canvas.get(x, y)):
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def _is_clear(col):
    return col is None or col[3] < 128


def ico_image(canvas):
    """One 32-bit icon image: header, BGRA pixels, then the AND mask."""
    xor = bytearray()
    for y in range(canvas.h - 1, -1, -1):
        for x in range(canvas.w):
            col = canvas.get(x, y)
            if _is_clear(col):
                xor += b"\0\0\0\0"
            else:
                r, g, b, _ = col
                xor += bytes((b, g, r, 255))
    mask = _mask_rows(canvas, _is_clear)
    header = _bitmap_header(canvas.w, canvas.h * 2, 32, len(xor) + len(mask))
    return header + bytes(xor) + mask


def write_ico(path, canvases):
    images = [ico_image(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.w % 256, c.h % 256, 0, 0,
                           1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def _is_dark(col):
    r, g, b, _ = col
    return r * 3 + g * 6 + b < 1280


def write_cur(path, canvas, hotspot=(0, 0)):
    """Monochrome cursor: black, white and transparent pixels only."""
    stride = ((canvas.w + 31) // 32) * 4
    xor = bytearray()
    for y in range(canvas.h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(canvas.w):
            col = canvas.get(x, y)
            if not _is_clear(col) and not _is_dark(col):
                row[x // 8] |= 0x80 >> (x % 8)
        xor += row
    mask = _mask_rows(canvas, _is_clear)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    header = _bitmap_header(canvas.w, canvas.h * 2, 1, len(xor) + len(mask), 2)
    data = header + palette + bytes(xor) + mask
    out = struct.pack("<HHH", 0, 2, 1)
    out += struct.pack("<BBBBHHII", canvas.w % 256, canvas.h % 256, 2, 0,
                       hotspot[0], hotspot[1], len(data), 6 + 16)
    with open(path, "wb") as f:
        f.write(out + data)


def write_bmp(path, canvas):
    """24-bit uncompressed bottom-up BMP."""
    stride = (canvas.w * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(canvas.h - 1, -1, -1):
        row = bytearray()
        for x in range(canvas.w):
            r, g, b, _ = canvas.get(x, y) or WHITE
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        pixels += row
    info = _bitmap_header(canvas.w, canvas.h, 24, len(pixels))
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels),
                              0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(file_header + info + bytes(pixels))


# The sixteen colours of the standard VGA palette, for 16-colour images.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def _nearest(palette, col):
    r, g, b = col[:3]
    return min(range(len(palette)),
               key=lambda i: (palette[i][0] - r) ** 2 + (palette[i][1] - g) ** 2
               + (palette[i][2] - b) ** 2)


def _palette_bytes(palette):
    return b"".join(bytes((b, g, r, 0)) for r, g, b in palette)


def _indexed_rows(canvas, palette, bpp, clear_index=0):
    """Bottom-up rows of palette indices, `bpp` bits each, 32-bit padded."""
    stride = ((canvas.w * bpp + 31) // 32) * 4
    per_byte = 8 // bpp
    out = bytearray()
    for y in range(canvas.h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(canvas.w):
            col = canvas.get(x, y)
            index = clear_index if _is_clear(col) else _nearest(palette, col)
            shift = (per_byte - 1 - x % per_byte) * bpp
            row[x // per_byte] |= index << shift
        out += row
    return bytes(out)


def indexed_icon_image(canvas):
    """One 16-colour icon image: header, palette, 4-bit pixels, AND mask."""
    xor = _indexed_rows(canvas, VGA16, 4)
    mask = _mask_rows(canvas, _is_clear)
    header = _bitmap_header(canvas.w, canvas.h * 2, 4, len(xor) + len(mask), 16)
    return header + _palette_bytes(VGA16) + xor + mask


def write_ico16(path, canvases):
    """An icon whose images have 16 colours."""
    images = [indexed_icon_image(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.w % 256, c.h % 256, 16, 0,
                           1, 4, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def write_cur16(path, canvas, hotspot=(0, 0)):
    """A 16-colour cursor."""
    data = indexed_icon_image(canvas)
    out = struct.pack("<HHH", 0, 2, 1)
    out += struct.pack("<BBBBHHII", canvas.w % 256, canvas.h % 256, 16, 0,
                       hotspot[0], hotspot[1], len(data), 6 + 16)
    with open(path, "wb") as f:
        f.write(out + data)


def write_bmp8(path, canvas):
    """8-bit palette BMP; the palette is the picture's own colours (at most 256)."""
    palette = []
    seen = {}
    for y in range(canvas.h):
        for x in range(canvas.w):
            rgb_ = tuple((canvas.get(x, y) or WHITE)[:3])
            if rgb_ not in seen:
                seen[rgb_] = len(palette)
                palette.append(rgb_)
    assert len(palette) <= 256, "too many colours for an 8-bit bitmap"
    stride = (canvas.w + 3) & ~3
    pixels = bytearray()
    for y in range(canvas.h - 1, -1, -1):
        row = bytearray(seen[tuple((canvas.get(x, y) or WHITE)[:3])] for x in range(canvas.w))
        pixels += row + bytes(stride - len(row))
    info = _bitmap_header(canvas.w, canvas.h, 8, len(pixels), len(palette))
    colours = _palette_bytes(palette)
    offset = 14 + len(info) + len(colours)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(file_header + info + colours + bytes(pixels))


# ---------------------------------------------------------------------------
# Icon parts shared by several pictures

def draw_tile_with_h(c):
    tile = rounded_box(2, 2, 29, 29, 6)
    c.fill(tile, vertical_gradient(LIGHT_BLUE, NAVY, 2, 30))
    c.outline(tile, rgb(0, 0, 80))
    # shadow first, then the letter itself
    c.rect(10, 9, 13, 24, rgb(0, 0, 90))
    c.rect(20, 9, 23, 24, rgb(0, 0, 90))
    c.rect(13, 15, 20, 18, rgb(0, 0, 90))
    c.rect(9, 8, 12, 23, WHITE)
    c.rect(19, 8, 22, 23, WHITE)
    c.rect(12, 14, 19, 17, WHITE)


def draw_folder(c):
    back = polygon([(2, 7), (4, 5), (12, 5), (14, 7), (29, 7), (29, 28), (2, 28)])
    c.solid(back, FOLDER_BACK, FOLDER_EDGE)
    front = polygon([(2, 28), (6, 12), (31, 12), (28, 28)])
    c.solid(front, vertical_gradient(rgb(255, 240, 160), YELLOW, 12, 28),
            FOLDER_EDGE)


def draw_taskbar_strip(c):
    c.rect(0, 21, 31, 30, GREY)
    c.rect(0, 21, 31, 21, DARK_GREY)
    c.rect(0, 22, 31, 22, WHITE)
    c.rect(0, 30, 31, 30, BLACK)
    # the sunken notification area with two little tray icons
    c.rect(14, 24, 29, 28, GREY)
    c.rect(14, 24, 29, 24, DARK_GREY)
    c.rect(14, 24, 14, 28, DARK_GREY)
    c.rect(14, 28, 29, 28, WHITE)
    c.rect(29, 24, 29, 28, WHITE)
    c.rect(17, 25, 19, 27, GREEN)
    c.rect(22, 25, 24, 27, BLUE)
    # a raised button on the left
    c.rect(2, 24, 10, 28, GREY)
    c.rect(2, 24, 10, 24, WHITE)
    c.rect(2, 24, 2, 28, WHITE)
    c.rect(2, 28, 10, 28, BLACK)
    c.rect(10, 24, 10, 28, BLACK)


# ---------------------------------------------------------------------------
# Icons

def draw_holm(c):
    draw_tile_with_h(c)


def draw_holm_busy(c):
    draw_tile_with_h(c)
    # an hourglass in the lower right corner
    glass = polygon([(19, 17), (30, 17), (25.5, 23.5), (30, 30), (19, 30),
                     (23.5, 23.5)])
    c.solid(glass, WHITE, BLACK)
    c.fill(polygon([(21, 19), (28, 19), (24.5, 22.5)]), GOLD)
    c.fill(polygon([(24.5, 26), (28, 29), (21, 29)]), GOLD)
    c.rect(18, 16, 31, 17, DARK_BROWN)
    c.rect(18, 29, 31, 30, DARK_BROWN)


def draw_monitor_folder(c):
    draw_folder(c)
    c.fill(stroke(24.5, 24.5, 30, 30, 4), DARK_BROWN)
    lens = ellipse(20, 20, 7)
    c.fill(lens, BLACK)
    c.fill(ellipse(20, 20, 5.2), vertical_gradient(WHITE, SKY, 15, 25))
    c.rect(17, 17, 18, 18, WHITE)


def draw_changed_folder(c):
    draw_folder(c)
    badge = ellipse(23, 22, 8)
    c.solid(badge, vertical_gradient(LIGHT_RED, RED, 14, 30), DARK_RED)
    c.rect(22, 16, 23, 24, WHITE)
    c.rect(22, 26, 23, 27, WHITE)


def draw_default_submenu(c):
    """A white triangle pointing right on a transparent ground."""
    c.fill(polygon([(9, 5), (9, 27), (24, 16)]), WHITE)


def draw_exit_holm(c):
    # door frame and the dark room behind the open door
    c.rect(3, 2, 20, 29, DARK_BROWN)
    c.rect(5, 4, 18, 29, rgb(30, 30, 40))
    # the door, swung open towards us
    door = polygon([(5, 4), (13, 7), (13, 31), (5, 29)])
    c.solid(door, vertical_gradient(LIGHT_BROWN, BROWN, 4, 31), DARK_BROWN)
    c.rect(11, 17, 11, 18, GOLD)
    # the way out
    way_out = arrow(11, 16, 31, 16, shaft=5, head=14, head_len=8)
    c.solid(way_out, vertical_gradient(LIGHT_GREEN, GREEN, 9, 23), DARK_GREEN)


def draw_hide_tray(c):
    draw_taskbar_strip(c)
    down = arrow(16, 1, 16, 20, shaft=6, head=16, head_len=9)
    c.solid(down, vertical_gradient(LIGHT_BLUE, BLUE, 1, 20), NAVY)


def draw_show_tray(c):
    draw_taskbar_strip(c)
    up = arrow(16, 20, 16, 1, shaft=6, head=16, head_len=9)
    c.solid(up, vertical_gradient(LIGHT_BLUE, BLUE, 1, 20), NAVY)


def draw_kill_ntvdm(c):
    # a console window
    c.rect(1, 3, 26, 26, GREY)
    c.frame(1, 3, 26, 26, BLACK)
    c.rect(2, 4, 25, 8, NAVY)
    c.rect(22, 5, 24, 7, GREY)
    c.rect(2, 9, 25, 25, BLACK)
    c.rect(4, 11, 12, 12, GREY)
    c.rect(4, 14, 8, 15, GREY)
    c.rect(10, 14, 11, 15, WHITE)
    # and a red cross over it
    cross = union(stroke(16, 16, 29, 29, 5), stroke(29, 16, 16, 29, 5))
    c.solid(cross, vertical_gradient(LIGHT_RED, RED, 14, 30), DARK_RED)


def draw_logoff(c):
    key = union(ring(9, 16, 3, 7.5),
                box(15, 14, 30, 17),
                box(22, 18, 24, 21),
                box(27, 18, 29, 23))
    c.solid(key, vertical_gradient(LIGHT_GOLD, GOLD, 8, 24), DARK_GOLD)
    c.rect(16, 15, 29, 15, LIGHT_GOLD)


def draw_reboot(c):
    body = ring(16, 16, 7, 12, gap=(-95, -10))
    head = polygon([(16 + 3.5 * math.cos(math.radians(-95)),
                     16 + 3.5 * math.sin(math.radians(-95))),
                    (16 + 15.5 * math.cos(math.radians(-95)),
                     16 + 15.5 * math.sin(math.radians(-95))),
                    (16 + 9.5 * math.cos(math.radians(-45)),
                     16 + 9.5 * math.sin(math.radians(-45)))])
    c.solid(union(body, head), vertical_gradient(LIGHT_GREEN, GREEN, 3, 29),
            DARK_GREEN)


def draw_shutdown(c):
    symbol = union(ring(16, 17, 8, 12.5, gap=(-90 - 38, -90 + 38)),
                   box(14, 2, 17, 17))
    c.solid(symbol, vertical_gradient(LIGHT_RED, RED, 2, 30), DARK_RED)


def draw_switch_to_explorer(c):
    draw_folder(c)
    there = arrow(13, 18, 31, 18, shaft=4, head=10, head_len=6)
    back = arrow(31, 26, 13, 26, shaft=4, head=10, head_len=6)
    c.solid(there, vertical_gradient(LIGHT_GREEN, GREEN, 13, 23), DARK_GREEN)
    c.solid(back, vertical_gradient(LIGHT_BLUE, BLUE, 21, 31), NAVY)


ICONS = [
    ("holm.ico", draw_holm),
    ("holmbusy.ico", draw_holm_busy),
    ("monitorfolder.ico", draw_monitor_folder),
    ("changedfolder.ico", draw_changed_folder),
    ("exitholm.ico", draw_exit_holm),
    ("hidetray.ico", draw_hide_tray),
    ("showtray.ico", draw_show_tray),
    ("killntvdm.ico", draw_kill_ntvdm),
    ("logoff.ico", draw_logoff),
    ("reboot.ico", draw_reboot),
    ("shutdown.ico", draw_shutdown),
    ("switchtoexplorer.ico", draw_switch_to_explorer),
]


# ---------------------------------------------------------------------------
# Cursors (32x32, hotspot at the arrow tip)

POINTER = [
    "B",
    "BB",
    "BWB",
    "BWWB",
    "BWWWB",
    "BWWWWB",
    "BWWWWWB",
    "BWWWWWWB",
    "BWWWWWWWB",
    "BWWWWWWWWB",
    "BWWWWWWWWWB",
    "BWWWWWWBBBBB",
    "BWWWBWWB",
    "BWWBBWWB",
    "BWB  BWWB",
    "BB   BWWB",
    "B     BWWB",
    "      BWWB",
    "       BB",
]

SKULL = [
    "  WWWWWWW  ",
    " WBBBBBBBW ",
    "WBBBBBBBBBW",
    "WBWWBBBWWBW",
    "WBWWBBBWWBW",
    "WBBBBWBBBBW",
    " WBBBBBBBW ",
    "  WBWBWBW  ",
    "  WBBBBBW  ",
    "   WWWWW   ",
]

CURSOR_INK = {"B": BLACK, "W": WHITE}


def pointer_canvas():
    c = Canvas(32, 32)
    c.stamp(0, 0, POINTER, CURSOR_INK)
    return c


def word_cursor(word):
    """The arrow with a word written below it, black on a white outline."""
    c = pointer_canvas()
    x, y = 1, 21
    ink = set()
    for ch in word:
        for row, bits in enumerate(SMALL_FONT[ch]):
            for col_i, bit in enumerate(bits):
                if bit == "1":
                    ink.add((x + col_i, y + row))
        x += 6
    for (px, py) in ink:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                if (px + dx, py + dy) not in ink:
                    c.set(px + dx, py + dy, WHITE)
    for (px, py) in ink:
        c.set(px, py, BLACK)
    return c


def draw_close_cursor():
    return word_cursor("CLOSE")


def draw_hide_cursor():
    return word_cursor("HIDE")


def draw_kill_cursor():
    return word_cursor("KILL")


CURSORS = [
    ("closecursor.cur", draw_close_cursor),
    ("hidecursor.cur", draw_hide_cursor),
    ("killcursor.cur", draw_kill_cursor),
]


# ---------------------------------------------------------------------------
# Bitmaps

def _lattice(period, seed):
    """A period x period grid of pseudo-random values in 0..1."""
    state = seed
    grid = []
    for _ in range(period * period):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        grid.append((state >> 8) / float(1 << 23))
    return grid


def _smooth_noise(x, y, period, grid, size):
    """Value noise that repeats every `size` pixels (period cells)."""
    fx, fy = x * period / float(size), y * period / float(size)
    x0, y0 = int(fx), int(fy)
    tx, ty = fx - x0, fy - y0
    tx, ty = tx * tx * (3 - 2 * tx), ty * ty * (3 - 2 * ty)
    def at(i, j):
        return grid[(j % period) * period + (i % period)]
    top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * tx
    bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * tx
    return top + (bottom - top) * ty


def draw_menu_background():
    """128x128, seamless, dark grey marble: veins of a sine bent by noise."""
    size = 128
    c = Canvas(size, size)
    octaves = [(4, 0.5), (8, 0.25), (16, 0.125), (32, 0.0625)]
    grids = [_lattice(p, 7 + p) for p, _ in octaves]
    for y in range(size):
        for x in range(size):
            turbulence = sum(a * _smooth_noise(x, y, p, g, size)
                             for (p, a), g in zip(octaves, grids))
            vein = math.sin(2 * math.pi * ((x + y) / float(size) + 2.2 * turbulence))
            vein = (1 - abs(vein)) ** 6          # thin light veins
            level = 58 + 26 * turbulence + 58 * vein
            v = max(0, min(255, int(level)))
            c.set(x, y, rgb(v, v, v))
    return c


# 5x7 letters for the line of small text on the splash picture
SMALL_FONT = {
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "I": ["11111", "00100", "00100", "00100", "00100", "00100", "11111"],
    "C": ["01111", "10000", "10000", "10000", "10000", "10000", "01111"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "P": ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    " ": ["00000"] * 7,
}


def small_text(c, x, y, text, col, zoom=2):
    for ch in text:
        for row, bits in enumerate(SMALL_FONT[ch]):
            for col_i, bit in enumerate(bits):
                if bit == "1":
                    for dy in range(zoom):
                        for dx in range(zoom):
                            c.set(x + col_i * zoom + dx, y + row * zoom + dy, col)
        x += 6 * zoom


def small_text_width(text, zoom=2):
    return len(text) * 6 * zoom - zoom


# Big block letters, built from rectangles.  Each returns the rectangles
# (x0, y0, x1, y1 inclusive) for a letter whose top left corner is (x, y).
STROKE = 14
LETTER_H = 70


def block_h(x, y, w=50):
    t, h = STROKE, LETTER_H
    return [(x, y, x + t - 1, y + h - 1),
            (x + w - t, y, x + w - 1, y + h - 1),
            (x, y + 28, x + w - 1, y + 41)]


def block_o(x, y, w=54):
    t, h, k = STROKE, LETTER_H, 8
    return [(x + k, y, x + w - 1 - k, y + t - 1),
            (x + k, y + h - t, x + w - 1 - k, y + h - 1),
            (x, y + k, x + t - 1, y + h - 1 - k),
            (x + w - t, y + k, x + w - 1, y + h - 1 - k),
            # chamfered corners
            (x + 3, y + 3, x + k + 3, y + k + 3),
            (x + w - 4 - k, y + 3, x + w - 4, y + k + 3),
            (x + 3, y + h - 4 - k, x + k + 3, y + h - 4),
            (x + w - 4 - k, y + h - 4 - k, x + w - 4, y + h - 4)]


def block_l(x, y, w=42):
    t, h = STROKE, LETTER_H
    return [(x, y, x + t - 1, y + h - 1),
            (x, y + h - t, x + w - 1, y + h - 1)]


def block_m(x, y, w=64):
    t, h = STROKE, LETTER_H
    rects = [(x, y, x + t - 1, y + h - 1),
             (x + w - t, y, x + w - 1, y + h - 1)]
    # the two slanted strokes, as little stair steps down to the middle
    steps = 16
    depth = 40
    for i in range(steps):
        f = i / float(steps - 1)
        left = int(round(x + f * (w / 2.0 - t / 2.0)))
        top = int(round(y + f * depth))
        rects.append((left, top, left + t - 1, top + t - 1))
        right = x + w - 1 - (left - x)
        rects.append((right - t + 1, top, right, top + t - 1))
    return rects


def draw_splash():
    w, h = 342, 150
    c = Canvas(w, h)
    top, bottom = rgb(22, 40, 92), rgb(70, 118, 170)
    glow = rgb(120, 160, 210)
    for y in range(h):
        for x in range(w):
            col = mix(top, bottom, y / float(h - 1))
            d = ((x - w / 2.0) / 150.0) ** 2 + ((y - 60) / 60.0) ** 2
            c.set(x, y, mix(col, glow, 0.35 * math.exp(-d * 1.5)))

    # lay out "HOLM" in the middle
    gap = 12
    widths = [50, 54, 42, 64]
    makers = [block_h, block_o, block_l, block_m]
    total = sum(widths) + gap * (len(widths) - 1)
    x = (w - total) // 2
    y = 20
    letters = set()
    for make, lw in zip(makers, widths):
        for x0, y0, x1, y1 in make(x, y, lw):
            for yy in range(y0, y1 + 1):
                for xx in range(x0, x1 + 1):
                    letters.add((xx, yy))
        x += lw + gap

    # soft shadow, then the letters with a dark edge and a gentle gradient
    for off, strength in ((5, 0.25), (4, 0.3), (3, 0.35)):
        for (px, py) in letters:
            sx, sy = px + off, py + off
            if (sx, sy) not in letters and 0 <= sx < w and 0 <= sy < h:
                c.set(sx, sy, mix(c.get(sx, sy), rgb(5, 10, 30), strength))
    face_top, face_bottom = WHITE, rgb(190, 210, 240)
    edge = rgb(15, 30, 75)
    for (px, py) in letters:
        border = any((px + dx, py + dy) not in letters
                     for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
        if border:
            c.set(px, py, edge)
        else:
            c.set(px, py, mix(face_top, face_bottom, (py - y) / float(LETTER_H)))

    # a thin rule and the line of small text underneath
    rule_y = 104
    for px in range(40, w - 40):
        fade = min(px - 40, w - 40 - px) / 60.0
        c.set(px, rule_y, mix(c.get(px, rule_y), rgb(200, 220, 250), min(1.0, fade) * 0.8))
    text = "DESKTOP SHELL"
    small_text(c, (w - small_text_width(text)) // 2, 114, text, rgb(215, 228, 250))

    # thin frame: dark outside, light line just inside
    c.frame(0, 0, w - 1, h - 1, rgb(10, 18, 45))
    c.frame(3, 3, w - 4, h - 4, rgb(150, 180, 225))
    return c


BITMAPS = [
    ("splash.bmp", draw_splash),
]

# The built-in look of the cloaked menus: a 16-colour submenu icon and an
# 8-bit background.
ICONS16 = [
    ("defaultsubmenu.ico", draw_default_submenu),
]

BITMAPS8 = [
    ("menubkgnd.bmp", draw_menu_background),
]


# ---------------------------------------------------------------------------

def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    for name, draw in ICONS:
        big = Canvas(32, 32)
        draw(big)
        write_ico(os.path.join(OUT_DIR, name), [big, big.shrunk()])
        print("wrote", name)
    for name, draw in ICONS16:
        big = Canvas(32, 32)
        draw(big)
        write_ico16(os.path.join(OUT_DIR, name), [big, big.shrunk()])
        print("wrote", name)
    for name, draw in CURSORS:
        write_cur16(os.path.join(OUT_DIR, name), draw())
        print("wrote", name)
    for name, draw in BITMAPS:
        write_bmp(os.path.join(OUT_DIR, name), draw())
        print("wrote", name)
    for name, draw in BITMAPS8:
        write_bmp8(os.path.join(OUT_DIR, name), draw())
        print("wrote", name)


if __name__ == "__main__":
    main()
