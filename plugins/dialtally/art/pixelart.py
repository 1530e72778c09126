#!/usr/bin/env python3
"""Turns text pixel art into a 16-colour Windows bitmap (.bmp).

    pixelart.py PICTURE.txt OUT.bmp

The picture is a block of equally long lines, one character per pixel, top
row first; lines starting with '#' are comments. Characters:
  .  silver (the button face the panel sits on)   k  black     g  grey
  w  white     r  red       R  dark red     y  yellow    o  olive
  G  green     d  dark green   b  blue      n  navy      c  cyan
  t  teal      m  magenta   p  purple
The output is a bottom-up 4-bit BI_RGB bitmap with the standard 16-colour
palette, which every Windows version loads with LoadBitmap.
"""
import struct
import sys

# Standard VGA order, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
INDEX = {
    'k': 0, 'R': 1, 'd': 2, 'o': 3, 'n': 4, 'p': 5, 't': 6, '.': 7,
    'g': 8, 'r': 9, 'G': 10, 'y': 11, 'b': 12, 'm': 13, 'c': 14, 'w': 15,
}


def read_picture(path):
    rows = [line.rstrip('\n') for line in open(path, encoding='ascii')]
    rows = [r for r in rows if r and not r.startswith('#')]
    if not rows or any(len(r) != len(rows[0]) for r in rows):
        raise SystemExit(f'{path}: every row must have the same length')
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch not in INDEX:
                raise SystemExit(f'{path}: unknown colour {ch!r} at row {y}, column {x}')
    return rows


def bitmap(rows):
    width, height = len(rows[0]), len(rows)
    stride = ((width * 4 + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray(stride)
        for x, ch in enumerate(row):
            shift = 4 if x % 2 == 0 else 0
            line[x // 2] |= INDEX[ch] << shift
        pixels += line
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return header + info + palette + bytes(pixels)


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    data = bitmap(read_picture(sys.argv[1]))
    with open(sys.argv[2], 'wb') as out:
        out.write(data)


if __name__ == '__main__':
    main()
