#!/usr/bin/env python3
"""Draws Vellipa's icon and writes it as an .ico file with two images,
32x32 and 16x16, 16 colours each (4 bits per pixel with an AND mask).

The picture: a white canvas with a dark frame, three slider bars in red,
green and blue down its left side and a painted stroke across it, the
tool's job in one glance. Usage: make_icon.py OUTPUT.ico
"""
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, GREY, RED, GREEN, BLUE, YELLOW, WHITE = 0, 8, 9, 10, 12, 11, 15


def draw(size):
    """Returns rows of palette indexes (None = transparent), top row first."""
    s = size / 32.0
    rows = [[None] * size for _ in range(size)]

    def box(left, top, right, bottom, colour):
        for y in range(int(top * s), int(bottom * s)):
            for x in range(int(left * s), int(right * s)):
                rows[y][x] = colour

    box(1, 2, 31, 30, BLACK)          # frame
    box(2, 3, 30, 29, WHITE)          # canvas
    box(4, 6, 14, 10, RED)            # the three slider bars
    box(4, 13, 14, 17, GREEN)
    box(4, 20, 14, 24, BLUE)
    box(17, 8, 28, 12, RED)           # a painted picture: three strokes
    box(17, 14, 28, 18, YELLOW)
    box(17, 20, 28, 24, BLUE)
    return rows


def image_bytes(size):
    rows = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bottom-up, as bitmaps are stored
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x, colour in enumerate(row):
            index = BLACK if colour is None else colour
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
            if colour is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += line
        mask += bits
    return header + palette + bytes(xor) + bytes(mask)


def main():
    images = [image_bytes(32), image_bytes(16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main()
