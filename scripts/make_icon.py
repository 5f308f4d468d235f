#!/usr/bin/env python3
"""Draws the program's icon and writes it as a Windows .ico file.

One icon group with three images: 32x32 in 16 colours, 32x32 in black and
white, and 16x16 in 16 colours. The picture: a small window with a blue title
bar, and a red target mark on it, for "which window is in front".

Usage: make_icon.py OUTPUT.ico
"""
import struct
import sys

# The standard 16-colour palette, as (blue, green, red).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128),
    (128, 0, 0), (128, 0, 128), (128, 128, 0), (192, 192, 192),
    (128, 128, 128), (0, 0, 255), (0, 255, 0), (0, 255, 255),
    (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255),
]
BLACK, DARK_BLUE, GREY, WHITE, RED, BLUE = 0, 4, 8, 15, 9, 12
TRANSPARENT = None


def draw(size):
    """Returns rows (top first) of palette indices or TRANSPARENT."""
    s = size / 32.0
    px = [[TRANSPARENT] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                px[y][x] = colour

    rect(2, 4, 30, 28, BLACK)      # window outline
    rect(3, 5, 29, 27, WHITE)      # client area
    rect(3, 5, 29, 10, BLUE)       # title bar
    rect(24, 6, 28, 9, GREY)       # close box
    for line in (13, 17, 21):      # log lines
        rect(5, line, 20, line + 2, GREY)
    # target mark in the lower right
    cx, cy, r = 22 * s, 20 * s, 6 * s
    for y in range(size):
        for x in range(size):
            d = ((x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2) ** 0.5
            if abs(d - r) < 1.1 * max(s, 0.75) or d < 1.6 * s:
                px[y][x] = RED
    return px


def bitmap_header(size, bits, colours):
    return struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bits, 0, 0, 0, 0, colours, 0)


def row_bytes(bits, size):
    return ((size * bits + 31) // 32) * 4


def pack_rows(values, bits, size):
    out = bytearray()
    for row in reversed(values):  # bottom-up
        data = bytearray(row_bytes(bits, size))
        for x, v in enumerate(row):
            if bits == 4:
                data[x // 2] |= v << (4 if x % 2 == 0 else 0)
            else:
                if v:
                    data[x // 8] |= 0x80 >> (x % 8)
        out += data
    return bytes(out)


def image(size, bits):
    px = draw(size)
    mask = [[1 if v is TRANSPARENT else 0 for v in row] for row in px]
    if bits == 4:
        colours = [[0 if v is TRANSPARENT else v for v in row] for row in px]
        palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for b, g, r in PALETTE)
        count = 16
    else:
        # black and white: dark colours black, light ones white
        light = {WHITE}
        colours = [[1 if (v is not TRANSPARENT and v in light) else 0 for v in row] for row in px]
        palette = struct.pack('<BBBBBBBB', 0, 0, 0, 0, 255, 255, 255, 0)
        count = 2
    return bitmap_header(size, bits, count) + palette + pack_rows(colours, bits, size) + pack_rows(mask, 1, size)


def main():
    images = [(32, 4), (32, 1), (16, 4)]
    blobs = [image(size, bits) for size, bits in images]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for (size, bits), blob in zip(images, blobs):
        count = 16 if bits == 4 else 2
        out += struct.pack('<BBBBHHII', size, size, count, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    with open(sys.argv[1], 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
