#!/usr/bin/env python3
"""Writes halvane.ico: the program icon, one 32 x 32 image in the 16 standard colours.

A globe (blue with lighter meridians) crossed by a yellow connection line between two small
green screens. Run it again after changing the drawing; the .ico is kept in the repository so
that the build needs no Python.
"""
import math
import struct
import sys

# The 16-colour palette of Windows, index: (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_BLUE, GREY, GREEN, YELLOW, BLUE, CYAN, WHITE, DARK_GREEN = 0, 4, 8, 10, 11, 12, 14, 15, 2
SIZE = 32


def draw():
    """The picture as rows of palette indexes, None for transparent."""
    pixels = [[None] * SIZE for _ in range(SIZE)]
    cx, cy, r = 15.5, 15.5, 13.0
    for y in range(SIZE):
        for x in range(SIZE):
            d = math.hypot(x - cx, y - cy)
            if d <= r:
                pixels[y][x] = BLUE
                # Meridian and parallels in cyan.
                if abs(abs(x - cx) - r * 0.45 * math.sqrt(max(0.0, 1 - ((y - cy) / r) ** 2))) < 0.7:
                    pixels[y][x] = CYAN
                if abs(y - cy) < 0.6 or abs(x - cx) < 0.6:
                    pixels[y][x] = CYAN
            if r < d <= r + 1.2:
                pixels[y][x] = DARK_BLUE
    # Two screens joined by a yellow line.
    for (sx, sy) in ((2, 3), (21, 20)):
        for y in range(sy, sy + 9):
            for x in range(sx, sx + 10):
                edge = y in (sy, sy + 6) or x in (sx, sx + 9)
                if y <= sy + 6:
                    pixels[y][x] = BLACK if edge else GREEN
                elif x in range(sx + 3, sx + 7):
                    pixels[y][x] = GREY if y < sy + 8 else BLACK
    for t in range(60):
        x = round(12 + (21 - 12) * t / 59)
        y = round(9 + (22 - 9) * t / 59)
        for dx in (0, 1):
            if pixels[y][x + dx] != BLACK:
                pixels[y][x + dx] = YELLOW
    return pixels


def ico_bytes(pixels):
    """One 4-bit image with its AND mask, bottom-up, in an ICO container."""
    xor_rows, and_rows = [], []
    for row in reversed(pixels):
        nibbles = [(p if p is not None else 0) for p in row]
        xor_rows.append(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, SIZE, 2)))
        bits = 0
        for x, p in enumerate(row):
            if p is None:
                bits |= 1 << (SIZE - 1 - x)
        and_rows.append(struct.pack('>I', bits))
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 4, 0,
                         len(xor_rows) * SIZE // 2 + len(and_rows) * 4, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    image = header + palette + b''.join(xor_rows) + b''.join(and_rows)
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


if __name__ == '__main__':
    target = sys.argv[1] if len(sys.argv) > 1 else 'halvane.ico'
    with open(target, 'wb') as out:
        out.write(ico_bytes(draw()))
