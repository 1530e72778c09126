#!/usr/bin/env python3
"""Draws the bar's pictures from the text pixel art below and writes them as
BMP and ICO files into bar/res (run again after editing; the build only uses
the written files): PANELIMAGE1-24 (one per built-in sensor), the settings
button's picture and the program icon."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "res")

# 16 colours, 4 bits per pixel. Letters of the pixel art name them.
PALETTE = {
    ".": (192, 192, 192),  # silver: the icon cell's colour
    "k": (0, 0, 0), "w": (255, 255, 255), "s": (128, 128, 128), "n": (0, 0, 128),
    "b": (0, 0, 255), "c": (0, 160, 224), "g": (0, 160, 0), "G": (0, 96, 0),
    "r": (208, 0, 0), "y": (255, 224, 0), "o": (255, 128, 0), "m": (160, 0, 160),
    "t": (0, 128, 128), "p": (224, 224, 224), "d": (96, 64, 32),
}
ORDER = list(PALETTE)

PICTURES = {
    1: [  # processor usage: a chip
        "................", "...k.k.k.k.k....", "..kkkkkkkkkkk...", "kkkssssssssskkk.",
        "..ksssssssssk...", "kkkssgggggsskkk.", "..kssgkkkgssk...", "kkkssgkkkgsskkk.",
        "..kssgkkkgssk...", "kkkssgggggsskkk.", "..ksssssssssk...", "kkkssssssssskkk.",
        "..kkkkkkkkkkk...", "...k.k.k.k.k....", "................", "................"],
    2: [  # memory: a module with chips
        "................", "................", "................", "kkkkkkkkkkkkkkkk",
        "kgggggggggggggGk", "kgkkgkkgkkgkkgGk", "kgkkgkkgkkgkkgGk", "kgkkgkkgkkgkkgGk",
        "kgggggggggggggGk", "kGGGGGGGGGGGGGGk", "kkkkkkkkkkkkkkkk", ".y.y.y.y.y.y.y..",
        ".y.y.y.y.y.y.y..", "................", "................", "................"],
    3: [  # disk cache: a platter and a fast arrow
        "................", "....kkkkkk......", "..kkppppppkk....", ".kppppppppppk...",
        ".kkppppppppkk...", ".kpkkkkkkkkpk...", ".kppppppppppk...", ".kppppppppppk.y.",
        ".kppppppppppkyy.", "..kkppppppkkyyyy", "....kkkkkk..yy..", "............y...",
        "................", "..rrrrrrrrrr....", "..rrrrrrrrrr....", "................"],
    4: [  # disks: a drive with its light
        "................", "................", "................", "..kkkkkkkkkkkk..",
        ".kppppppppppppk.", ".kpsssssssssspk.", ".kpsppppppppspk.", ".kpsssssssssspk.",
        ".kppppppppppppk.", ".kppppppppgg.pk.", ".kppppppppggppk.", "..kkkkkkkkkkkk..",
        "................", "................", "................", "................"],
    5: [  # dial-up: a telephone handset
        "................", "..kkkkkkkkkkkk..", ".krrrrrrrrrrrrk.", "krrkkkkkkkkkkrrk",
        "krk..........krk", "krk..........krk", ".k....kkkk....k.", ".....krrrrk.....",
        "....krrkkrrk....", "...krrkwwkrrk...", "...krrrkkrrrk...", "...krrrrrrrrk...",
        "...kkkkkkkkkk...", "................", "................", "................"],
    6: [  # running time: an hourglass
        "................", "...kkkkkkkkkk...", "...kdddddddddk..", "....kyyyyyyyk...",
        ".....kyyyyyk....", "......kyyyk.....", ".......kyk......", ".......kyk......",
        "......kpypk.....", ".....kpppppk....", "....kpyyyyypk...", "...kyyyyyyyyyk..",
        "...kdddddddddk..", "...kkkkkkkkkk...", "................", "................"],
    7: [  # swap file: a page and its way to the disk and back
        "................", "..kkkkkkk.......", "..kwwwwwkk......", "..kwkkkwwwk.....",
        "..kwwwwwwwk.....", "..kwkkkkkwk..b..", "..kwwwwwwwk.bbb.", "..kwkkkkkwkbbbbb",
        "..kwwwwwwwk..b..", "..kkkkkkkkk..b..", "..r......b...b..", ".rrr.....bbbbb..",
        "rrrrr...........", "..r.............", "..rrrrrrr.......", "................"],
    8: [  # network: two machines on one wire
        "................", "kkkkkk....kkkkkk", "kcccck....kcccck", "kcccck....kcccck",
        "kkkkkk....kkkkkk", "..kk........kk..", ".kkkk......kkkk.", "..y..........y..",
        "..y..........y..", "..yyyyyyyyyyyy..", ".......y........", "......kkk.......",
        "......kgk.......", "......kkk.......", "................", "................"],
    9: [  # processes and threads: stacked tasks
        "................", "kkkkkkkkk.......", "knnnnnnnk.......", "kwwwwwwwkkkkk...",
        "kwwwwwwwnnnnk...", "kwwwwwwwwwwwkkkk", "kkkkkwwwwwwwnnnk", "....kwwwwwwwwwwk",
        "....kkkkkwwwwwwk", "........kwwwwwwk", "........kkkkkkkk", "................",
        "..o..o..o..o....", ".o..o..o..o.....", "o..o..o..o......", "................"],
    10: [  # time: a clock
        "................", ".....kkkkkk.....", "...kkwwwwwwkk...", "..kwwwwkwwwwwk..",
        ".kwwwwwkwwwwwwk.", ".kwwwwwkwwwwwwk.", "kwwwwwwkwwwwwwwk", "kwkwwwwkkkkkwkwk",
        "kwwwwwwwwwwwwwwk", "kwwwwwwwwwwwwwwk", ".kwwwwwwwwwwwwk.", ".kwwwwwwkwwwwwk.",
        "..kwwwwwwwwwwk..", "...kkwwwwwwkk...", ".....kkkkkk.....", "................"],
    11: [  # battery
        "................", "................", "................", ".kkkkkkkkkkkkk..",
        ".kgggggggwwwwk..", ".kgggggggwwwwkk.", ".kgggggggwwwwkk.", ".kgggggggwwwwkk.",
        ".kgggggggwwwwkk.", ".kgggggggwwwwk..", ".kkkkkkkkkkkkk..", "................",
        "................", "................", "................", "................"],
    12: [  # date: a calendar leaf
        "................", "..k..k..k..k....", ".kkkkkkkkkkkkk..", ".krrrrrrrrrrrk..",
        ".krrrrrrrrrrrk..", ".kkkkkkkkkkkkk..", ".kwwwwwwwwwwwk..", ".kwwwkkkwwwwwk..",
        ".kwwwwwkwwwwwk..", ".kwwwwkwwwwwwk..", ".kwwwkwwwwwwwk..", ".kwwwkkkwwwwwk..",
        ".kwwwwwwwwwwwk..", ".kkkkkkkkkkkkk..", "................", "................"],
    13: [  # display: a monitor
        "................", ".kkkkkkkkkkkkkk.", ".kssssssssssssk.", ".kstttttttttsk..",
        ".ksttccttttttsk.", ".ksttttttttttsk.", ".ksttttttggttsk.", ".ksttttttttttsk.",
        ".kssssssssssssk.", ".kkkkkkkkkkkkkk.", "......kssk......", "....kkkkkkkk....",
        "....ksssssssk...", "....kkkkkkkkk...", "................", "................"],
    14: [  # monitors: two screens
        "................", "................", "kkkkkkk.kkkkkkk.", "ksssssk.ksssssk.",
        "kstttsk.kscccsk.", "kstttsk.kscccsk.", "kstttsk.kscccsk.", "ksssssk.ksssssk.",
        "kkkkkkk.kkkkkkk.", "..ksk.....ksk...", ".kkkkk...kkkkk..", "................",
        "................", "................", "................", "................"],
    15: [  # windows: visible and minimised
        "................", "kkkkkkkkkk......", "knnnnnnnnk......", "kwwwwwwwwk......",
        "kwwkkkkkkkkkk...", "kwwknnnnnnnnk...", "kwwkwwwwwwwwk...", "kkkkwwwwwwwwk...",
        "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kkkkkkkkkk...", "................",
        "..........kkkkk.", "..........knnnk.", "..........kkkkk.", "................"],
}

THERMOMETER = [
    "................", "..kkk...........", ".kwwwk..........", ".kwrwk..........",
    ".kwrwk..........", ".kwrwk..........", ".kwrwk..........", ".kwrwk..........",
    ".kwrwk..........", ".kwrwk..........", "kwrrrwk.........", "krrrrrk.........",
    "krrrrrk.........", ".kkkkk..........", "................", "................"]
FAN = [
    "................", "..........bb....", "...........bb...", "......kk...bb...",
    "bb...kkkk..bb...", "bbb.kkkkkk.bb...", ".bbbkk..kkbb....", "..bbkk..kkb.....",
    "......kk........", ".....kkkk..bbb..", "....bkkkkbbbbb..", "...bb.kk.....b..",
    "..bb............", "..b.............", "................", "................"]
DIGITS = {
    "1": ["..k..", ".kk..", "..k..", "..k..", "..k..", ".kkk."],
    "2": [".kkk.", "k...k", "...k.", "..k..", ".k...", "kkkkk"],
    "3": ["kkkk.", "....k", ".kkk.", "....k", "....k", "kkkk."],
    "4": ["...k.", "..kk.", ".k.k.", "kkkkk", "...k.", "...k."],
}
BOLT = [
    "........yyyy....", ".......yyyy.....", "......yyyy......", ".....yyyy.......",
    "....yyyyyyyy....", ".......yyyy.....", "......yyyy......", ".....yyy........",
    "....yy..........", "...y............"]
SETTINGS = [  # three sliders
    "................", "................", "..k.............", "kkkkkkkkkkkkkkk.",
    ".krk............", "..k......k......", "kkkkkkkkkkkkkkk.", "........kbk.....",
    ".........k......", "....k...........", "kkkkkkkkkkkkkkk.", "...kgk..........",
    "....k...........", "................", "................", "................"]


def blank():
    return [["."] * 16 for _ in range(16)]


def put(canvas, x, y, rows):
    for j, row in enumerate(rows):
        for i, ch in enumerate(row):
            if ch != "." and 0 <= y + j < len(canvas) and 0 <= x + i < len(canvas[0]):
                canvas[y + j][x + i] = ch


def grid(rows):
    return [list(r.ljust(16, ".")[:16]) for r in rows]


def with_digit(base, digit, x, y):
    c = grid(base)
    put(c, x, y, DIGITS[digit])
    return c


def chip_with_bolt():
    c = grid(PICTURES[1])
    put(c, 0, 4, BOLT)
    return c


def system_bolt():
    c = blank()
    put(c, -2, 1, BOLT)
    put(c, 9, 10, ["..r..", "rrrrr", "..r.."])
    put(c, 0, 13, ["kkkkk"])
    return c


def pictures():
    out = {n: grid(rows) for n, rows in PICTURES.items()}
    for i, d in enumerate("1234"):
        out[16 + i] = with_digit(THERMOMETER, d, 9, 4)
    out[20] = chip_with_bolt()
    out[21] = system_bolt()
    for i, d in enumerate("123"):
        out[22 + i] = with_digit(FAN, d, 11, 10)
    return out


def bmp4(canvas):
    """A 4-bit bottom-up BMP file."""
    h, w = len(canvas), len(canvas[0])
    stride = ((w * 4 + 31) // 32) * 4
    rows = b""
    for j in range(h - 1, -1, -1):
        line = bytearray(stride)
        for i, ch in enumerate(canvas[j]):
            line[i // 2] |= ORDER.index(ch if ch in PALETTE else "k") << (4 if i % 2 == 0 else 0)
        rows += bytes(line)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE.values())
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 4, 0, len(rows), 2835, 2835, 16, 0)
    off = 14 + len(info) + len(pal)
    return struct.pack("<2sIHHI", b"BM", off + len(rows), 0, 0, off) + info + pal + rows


def icon_image(canvas):
    """One ICO entry: 4-bit colours, then the mask (silver is transparent)."""
    h, w = len(canvas), len(canvas[0])
    stride = ((w * 4 + 31) // 32) * 4
    mstride = ((w + 31) // 32) * 4
    xor, andm = b"", b""
    for j in range(h - 1, -1, -1):
        line, mline = bytearray(stride), bytearray(mstride)
        for i, ch in enumerate(canvas[j]):
            if ch == ".":
                mline[i // 8] |= 0x80 >> (i % 8)
                ch = "k"
            line[i // 2] |= ORDER.index(ch) << (4 if i % 2 == 0 else 0)
        xor += bytes(line)
        andm += bytes(mline)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE.values())
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 4, 0, len(xor) + len(andm), 0, 0, 16, 0)
    return info + pal + xor + andm


def ico_file(canvases):
    head = struct.pack("<HHH", 0, 1, len(canvases))
    images = [icon_image(c) for c in canvases]
    offset = 6 + 16 * len(canvases)
    entries = b""
    for c, img in zip(canvases, images):
        entries += struct.pack("<BBBBHHII", len(c[0]), len(c), 16, 0, 1, 4, len(img), offset)
        offset += len(img)
    return head + entries + b"".join(images)


def program_icon(size):
    """A small bar with three panels on a dark blue tile."""
    c = [["."] * size for _ in range(size)]
    u = size // 16
    def rect(x, y, w, h, ch):
        for j in range(y * u, (y + h) * u):
            for i in range(x * u, (x + w) * u):
                c[j][i] = ch
    rect(0, 2, 16, 12, "n")
    rect(1, 5, 14, 6, "p")
    rect(1, 10, 14, 1, "s")
    rect(2, 6, 2, 4, "g")
    rect(5, 6, 4, 4, "w")
    rect(10, 6, 4, 4, "w")
    rect(6, 8, 2, 1, "k")
    rect(11, 7, 2, 2, "r")
    return c


def main():
    os.makedirs(OUT, exist_ok=True)
    for n, canvas in pictures().items():
        with open(os.path.join(OUT, "panel%02d.bmp" % n), "wb") as f:
            f.write(bmp4(canvas))
    with open(os.path.join(OUT, "settings.bmp"), "wb") as f:
        f.write(bmp4(grid(SETTINGS)))
    with open(os.path.join(OUT, "corvella.ico"), "wb") as f:
        f.write(ico_file([program_icon(32), program_icon(16)]))


if __name__ == "__main__":
    main()
