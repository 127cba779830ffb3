#!/usr/bin/env python3
"""Draws the window's icon, dorvax-hconv.ico beside this script: a silver
disc, a red arrow from it into a yellow folder, and rows of data on the
folder, in the 16 colours of the classic palette, at 16, 32 and 48 pixels.
The shapes are laid out on a 32 x 32 grid; the other sizes sample that
grid, so that all three show the same picture.

Run it again after changing a shape: python3 src/winui/make_icon.py
"""
import math
import os
import struct

PALETTE = [
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
]
BLACK, OLIVE, NAVY, TEAL, SILVER, GREY, RED, YELLOW, BLUE, CYAN, WHITE = 0, 3, 4, 6, 7, 8, 9, 11, 12, 14, 15
TRANSPARENT = None
STRONG = (BLACK, GREY, RED, NAVY)


def in_rect(u, v, left, top, right, bottom):
    return left <= u < right and top <= v < bottom


def ring(u, v, cx, cy, radius):
    """The one-pixel outline of a circle."""
    return abs(math.hypot(u - cx, v - cy) - radius) <= 0.5


def disc(u, v, cx, cy, radius):
    return math.hypot(u - cx, v - cy) < radius - 0.5


def in_triangle(u, v, a, b, c):
    def side(p, q):
        return (q[0] - p[0]) * (v - p[1]) - (q[1] - p[1]) * (u - p[0])
    d1, d2, d3 = side(a, b), side(b, c), side(c, a)
    return (d1 >= 0 and d2 >= 0 and d3 >= 0) or (d1 <= 0 and d2 <= 0 and d3 <= 0)


def colour_at(u, v):
    """The colour at a point of the 32 x 32 grid; the later shape lies on top."""
    colour = TRANSPARENT
    # The disc: silver face, grey rim, a cyan track ring, a white gleam on
    # the upper left, the white centre with its hole.
    cx = cy = 10.5
    if disc(u, v, cx, cy, 9):
        colour = SILVER
    if ring(u, v, cx, cy, 9):
        colour = GREY
    if ring(u, v, cx, cy, 6):
        colour = CYAN
    if ring(u, v, cx, cy, 7) and u < cx and v < cy:
        colour = WHITE
    if disc(u, v, cx, cy, 3):
        colour = WHITE
    if ring(u, v, cx, cy, 3) or ring(u, v, cx, cy, 1):
        colour = GREY
    # The folder: an olive tab and a yellow body with a black outline.
    if in_rect(u, v, 14, 15, 22, 19):
        edge = not in_rect(u, v, 15, 16, 21, 19)
        colour = BLACK if edge else OLIVE
    if in_rect(u, v, 14, 18, 32, 31):
        edge = not in_rect(u, v, 15, 19, 31, 30)
        colour = BLACK if edge else YELLOW
    if in_rect(u, v, 15, 19, 30, 20):
        colour = WHITE
    # The arrow from the disc down into the folder.
    if in_rect(u, v, 19, 6, 26, 10) or in_rect(u, v, 22, 6, 26, 13) or \
            in_triangle(u, v, (19, 12), (28, 12), (23.5, 17)):
        colour = RED
    # Rows of converted data on the folder.
    for y, end in ((22, 27), (24, 29), (26, 27)):
        if in_rect(u, v, 17, y, end, y + 1):
            colour = NAVY
    if in_rect(u, v, 28, 22, 29, 23):
        colour = BLUE
    if in_rect(u, v, 28, 26, 29, 27):
        colour = TEAL
    return colour


def render(size, samples=4):
    """The picture at `size` pixels: each pixel takes the colour most of its
    samples show, or stays transparent when most show nothing. Outlines and
    the arrow count twice, so that they stay whole at 16 pixels."""
    rows = []
    step = 32.0 / size
    for y in range(size):
        row = []
        for x in range(size):
            counts = {}
            for sy in range(samples):
                for sx in range(samples):
                    u = (x + (sx + 0.5) / samples) * step
                    v = (y + (sy + 0.5) / samples) * step
                    c = colour_at(u, v)
                    counts[c] = counts.get(c, 0) + 1
            opaque = {c: n for c, n in counts.items() if c is not TRANSPARENT}
            covered = sum(opaque.values())
            if covered * 2 < samples * samples:
                row.append(TRANSPARENT)
            else:
                row.append(max(opaque, key=lambda c: (opaque[c] * (2 if c in STRONG else 1), c)))
        rows.append(row)
    return rows


def icon_image(rows):
    """One image of the icon file: a 16-colour bitmap and its mask."""
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', c & 0xFF, (c >> 8) & 0xFF, c >> 16, 0) for c in PALETTE)
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor_bits, and_bits = b'', b''
    for row in reversed(rows):  # bitmaps are stored bottom-up
        line = bytearray(xor_stride)
        mask = bytearray(and_stride)
        for x, c in enumerate(row):
            index = 0 if c is TRANSPARENT else c
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
            if c is TRANSPARENT:
                mask[x // 8] |= 0x80 >> (x % 8)
        xor_bits += bytes(line)
        and_bits += bytes(mask)
    return header + palette + xor_bits + and_bits


def main():
    sizes = (16, 32, 48)
    images = [icon_image(render(size)) for size in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    out += b''.join(images)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'dorvax-hconv.ico')
    with open(path, 'wb') as f:
        f.write(out)
    print(f'written: {path} ({len(out)} bytes)')


if __name__ == '__main__':
    main()
