#!/usr/bin/env python3
"""Turns text pixel art into the pictures the launcher and the help page use.

    pixelart.py bmp PICTURE.txt OUT.bmp            16-colour Windows bitmap
    pixelart.py gif PICTURE.txt OUT.gif [SCALE]    GIF for the help page
    pixelart.py ico OUT.ico ICON32.txt ICON16.txt  icon with two sizes

A picture is a block of equally long lines, one character per pixel, top row
first; lines starting with '#' are comments. Colours (the standard 16):
  k black    R maroon   d green    o olive    n navy    p purple   t teal
  . silver   g grey     r red      G lime     y yellow  b blue     m magenta
  c cyan     w white
Icons may also use '_' for a transparent pixel.

Bitmaps and icons are 4 bits per pixel with the standard palette, which every
Windows version loads. The generated files are committed, so building needs
no Python; run this again after editing a picture.
"""
import struct
import sys

PALETTE = [  # (red, green, blue) in the order of the Windows 16-colour palette
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
INDEX = {ch: i for i, ch in enumerate('kRdonpt.grGybmcw')}
TRANSPARENT = '_'


def read_picture(path, allow_transparent=False):
    rows = [line.rstrip('\n') for line in open(path, encoding='ascii')]
    rows = [r for r in rows if r and not r.startswith('#')]
    if not rows or any(len(r) != len(rows[0]) for r in rows):
        raise SystemExit(f'{path}: every row must have the same length')
    allowed = set(INDEX) | ({TRANSPARENT} if allow_transparent else set())
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch not in allowed:
                raise SystemExit(f'{path}: unknown colour {ch!r} at row {y + 1}, column {x + 1}')
    return rows


def packed_rows(rows, bits, value):
    """Bottom-up rows of `bits` per pixel, each padded to 4 bytes."""
    width = len(rows[0])
    stride = ((width * bits + 31) // 32) * 4
    data = bytearray()
    per_byte = 8 // bits
    for row in reversed(rows):
        line = bytearray(stride)
        for x, ch in enumerate(row):
            shift = (per_byte - 1 - x % per_byte) * bits
            line[x // per_byte] |= value(ch) << shift
        data += line
    return bytes(data)


def palette_bytes():
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)


def colour(ch):
    return INDEX.get(ch, 0)


def make_bmp(rows):
    width, height = len(rows[0]), len(rows)
    pixels = packed_rows(rows, 4, colour)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    offset = 14 + len(info) + 64
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return header + info + palette_bytes() + pixels


def icon_image(rows):
    size = len(rows)
    if len(rows[0]) != size:
        raise SystemExit('icons must be square')
    xor = packed_rows(rows, 4, colour)
    mask = packed_rows(rows, 1, lambda ch: 1 if ch == TRANSPARENT else 0)
    info = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, len(xor) + len(mask),
                       0, 0, 16, 0)
    return size, info + palette_bytes() + xor + mask


def make_ico(pictures):
    images = [icon_image(rows) for rows in pictures]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b''.join(data for _, data in images)


def lzw(indices, min_code_size):
    """GIF's variable-length LZW, codes packed least significant bit first."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    codes = []
    table = {(i,): i for i in range(clear)}
    next_code, size = end + 1, min_code_size + 1
    codes.append((clear, size))
    prefix = ()
    for px in indices:
        candidate = prefix + (px,)
        if candidate in table:
            prefix = candidate
            continue
        codes.append((table[prefix], size))
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            codes.append((clear, size))
            table = {(i,): i for i in range(clear)}
            next_code, size = end + 1, min_code_size + 1
        prefix = (px,)
    if prefix:
        codes.append((table[prefix], size))
    codes.append((end, size))
    data, acc, nbits = bytearray(), 0, 0
    for code, width in codes:
        acc |= code << nbits
        nbits += width
        while nbits >= 8:
            data.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8
    if nbits:
        data.append(acc)
    return bytes(data)


def make_gif(rows, scale):
    rows = [''.join(ch * scale for ch in row) for row in rows for _ in range(scale)]
    width, height = len(rows[0]), len(rows)
    indices = [colour(ch) for row in rows for ch in row]
    out = b'GIF87a' + struct.pack('<HHBBB', width, height, 0xF3, 0, 0)
    out += b''.join(struct.pack('BBB', *rgb) for rgb in PALETTE)
    out += b',' + struct.pack('<HHHHB', 0, 0, width, height, 0)
    data = lzw(indices, 4)
    out += bytes([4])
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out += bytes([len(chunk)]) + chunk
    return out + b'\x00;'


def write(path, data):
    with open(path, 'wb') as f:
        f.write(data)


def main(argv):
    if len(argv) >= 3 and argv[0] == 'bmp':
        write(argv[2], make_bmp(read_picture(argv[1])))
    elif len(argv) >= 3 and argv[0] == 'gif':
        scale = int(argv[3]) if len(argv) > 3 else 1
        write(argv[2], make_gif(read_picture(argv[1]), scale))
    elif len(argv) >= 3 and argv[0] == 'ico':
        write(argv[1], make_ico([read_picture(p, True) for p in argv[2:]]))
    else:
        raise SystemExit(__doc__)


if __name__ == '__main__':
    main(sys.argv[1:])
