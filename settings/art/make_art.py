#!/usr/bin/env python3
"""Draws the settings library's pictures from text pixel art and writes them
as BMP, CUR and ICO files into settings/res (run again after editing)."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "res")

# One palette for every picture (16 colours, 4 bits per pixel).
PALETTE = [
    (0, 0, 0), (255, 255, 255), (192, 192, 192), (128, 128, 128),
    (0, 128, 128), (0, 0, 128), (0, 0, 255), (128, 128, 255),
    (255, 255, 0), (0, 160, 0), (200, 0, 0), (224, 224, 224),
    (128, 0, 128), (0, 96, 96), (255, 128, 0), (64, 64, 160),
]
K, W, FACE, SHADOW, DESK, NAVY, BLUE, LIGHT, YEL, GRN, RED, PALE, PUR, DTEAL, ORA, MID = range(16)


class Canvas:
    def __init__(self, w, h, fill):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def rect(self, x, y, w, h, c):
        for j in range(max(0, y), min(self.h, y + h)):
            for i in range(max(0, x), min(self.w, x + w)):
                self.px[j][i] = c

    def frame(self, x, y, w, h, light, dark):
        self.rect(x, y, w, 1, light)
        self.rect(x, y, 1, h, light)
        self.rect(x, y + h - 1, w, 1, dark)
        self.rect(x + w - 1, y, 1, h, dark)

    def art(self, x, y, rows, colours, scale=1):
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch in colours:
                    self.rect(x + i * scale, y + j * scale, scale, scale, colours[ch])


def bmp4(canvas):
    """A 4-bit bottom-up BMP file."""
    stride = ((canvas.w * 4 + 31) // 32) * 4
    rows = b""
    for j in range(canvas.h - 1, -1, -1):
        line = bytearray(stride)
        for i, c in enumerate(canvas.px[j]):
            line[i // 2] |= c << (4 if i % 2 == 0 else 0)
        rows += bytes(line)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.w, canvas.h, 1, 4, 0, len(rows), 2835, 2835, 16, 0)
    off = 14 + len(info) + len(pal)
    return struct.pack("<2sIHHI", b"BM", off + len(rows), 0, 0, off) + info + pal + rows


def icon_image(canvas, transparent):
    """The image part of an ICO/CUR entry: 4-bit colours and a 1-bit mask."""
    w, h = canvas.w, canvas.h
    stride = ((w * 4 + 31) // 32) * 4
    mstride = ((w + 31) // 32) * 4
    xor, andm = b"", b""
    for j in range(h - 1, -1, -1):
        line, mline = bytearray(stride), bytearray(mstride)
        for i, c in enumerate(canvas.px[j]):
            if c == transparent:
                mline[i // 8] |= 0x80 >> (i % 8)
                c = 0
            line[i // 2] |= c << (4 if i % 2 == 0 else 0)
        xor += bytes(line)
        andm += bytes(mline)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 4, 0, len(xor) + len(andm), 0, 0, 16, 0)
    return info + pal + xor + andm


def ico_file(canvas, transparent, kind=1, hotspot=(0, 0)):
    img = icon_image(canvas, transparent)
    a, b = (1, 4) if kind == 1 else hotspot
    head = struct.pack("<HHH", 0, kind, 1)
    entry = struct.pack("<BBBBHHII", canvas.w, canvas.h, 16, 0, a, b, len(img), 6 + 16)
    return head + entry + img


FONT = {  # 5 x 7 letters for the logo
    "C": [" ### ", "#   #", "#    ", "#    ", "#    ", "#   #", " ### "],
    "V": ["#   #", "#   #", "#   #", "#   #", " # # ", " # # ", "  #  "],
    "L": ["#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"],
}


def logo():
    c = Canvas(67, 157, NAVY)
    for j in range(157):  # banded fade from navy to light blue
        c.rect(0, j, 67, 1, [NAVY, MID, BLUE, LIGHT][min(3, j * 4 // 157)])
    for n, letter in enumerate("CVL"):
        c.art(25, 10 + n * 31, FONT[letter], {"#": K}, 4)
        c.art(23, 8 + n * 31, FONT[letter], {"#": W}, 4)
    # a small meter reading, as the bar shows
    c.rect(8, 104, 51, 40, K)
    c.rect(9, 105, 49, 38, FACE)
    heights = [6, 10, 8, 14, 20, 16, 24, 30, 22, 28, 34, 26]
    for i, hgt in enumerate(heights):
        c.rect(11 + i * 4, 141 - hgt, 3, hgt, GRN if hgt < 28 else RED)
    c.frame(0, 0, 67, 157, PALE, K)
    return c


def desktop():
    c = Canvas(254, 128, DESK)
    c.rect(0, 119, 254, 9, FACE)  # the task bar
    c.rect(0, 119, 254, 1, W)
    c.rect(2, 121, 22, 6, FACE)
    c.frame(2, 121, 22, 6, W, K)
    c.rect(5, 123, 3, 2, RED)
    c.rect(9, 123, 12, 2, K)
    c.frame(218, 121, 34, 6, SHADOW, W)
    return c


def app_window(c):
    c.rect(60, 8, 130, 96, FACE)
    c.frame(60, 8, 130, 96, W, K)
    c.rect(62, 10, 126, 8, NAVY)
    c.rect(64, 12, 40, 4, W)
    c.rect(63, 20, 124, 82, W)
    for j in range(5):
        c.rect(68, 26 + j * 10, 90 - j * 9, 3, SHADOW)


def bar(c, x, y, w, title=False):
    h = 13 if not title else 21
    c.rect(x, y, w, h, FACE)
    c.frame(x, y, w, h, W, K)
    top = y
    if title:
        c.rect(x + 2, y + 2, w - 4, 7, NAVY)
        c.rect(x + 4, y + 4, 24, 3, W)
        top = y + 8
    c.rect(x + 3, top + 3, 7, 7, ORA)  # the settings button
    px = x + 13
    colours = [GRN, BLUE, RED, YEL, PUR, DTEAL, GRN, BLUE, RED]
    n = 0
    while px + 24 < x + w - 2:
        c.rect(px, top + 3, 5, 7, colours[n % len(colours)])
        c.frame(px + 6, top + 2, 18, 9, SHADOW, W)
        c.rect(px + 8, top + 5, 12, 3, K)
        px += 27
        n += 1


def preview(position, on_top):
    c = desktop()
    if position == "minimised":
        app_window(c)
        c.rect(221, 122, 6, 4, ORA)  # the tray icon
        c.frame(219, 120, 10, 8, YEL, YEL)
        return c
    places = {"top": (0, 0, 254, False), "bottom": (0, 106, 254, False),
              "floating": (36, 40, 150, True)}
    x, y, w, title = places[position]
    if on_top:
        app_window(c)
        bar(c, x, y, w, title)
    else:
        bar(c, x, y, w, title)
        app_window(c)
    return c


HAND = [
    "      ##",
    "     #..#",
    "     #..#",
    "     #..#",
    "     #..#",
    "     #..###",
    "     #..#..###",
    "     #..#..#..##",
    "  ## #..#..#..#.#",
    " #..##........#.#",
    " #...#..........#",
    "  #.............#",
    "   #............#",
    "   #...........#",
    "    #..........#",
    "    #.........#",
    "     #........#",
    "     ##########",
]

ICONS = {
    "clock": [
        "     ######     ", "   ##......##   ", "  #....#.....#  ", " #.....#......# ",
        " #.....#......# ", "#......#.......#", "#......#.......#", "#......####....#",
        "#..............#", "#..............#", " #............# ", " #............# ",
        "  #..........#  ", "   ##......##   ", "     ######     ", "                "],
    "key": [
        "                ", "  ####          ", " #YYYY#         ", "#YY##YY#        ",
        "#Y#  #Y#########", "#Y#  #YYYYYYYYY#", "#YY##YY####Y#Y# ", " #YYYY#   #Y#Y# ",
        "  ####     ### #", "                ", "                ", "                ",
        "                ", "                ", "                ", "                "],
    "screen": [
        "################", "#BBBBBBBBBBBBBB#", "#BBBBBBBBBBBBBB#", "#BBBBBBBBBBBBBB#",
        "#BBBBBBBBBBBBBB#", "#BBBBBBBBBBBBBB#", "#BBBBBBBBBBBBBB#", "#..............#",
        "#.OO.GG.RR.....#", "################", "      ####      ", "      ####      ",
        "   ##########   ", "                ", "                ", "                "],
    "paint": [
        "      #####     ", "    ##.....##   ", "   #..RR.....#  ", "  #..RRR..GG..# ",
        "  #.......GGG.# ", " #.BB.........# ", " #.BBB....###.# ", " #.......#  #.# ",
        " #..YY...#  #.# ", "  #.YYY...##..# ", "  #..........#  ", "   ##......##   ",
        "     ######     ", "                ", "                ", "                "],
    "chip": [
        "  # # # # # #   ", "  # # # # # #   ", "###############.", "#.............#.",
        "#.##.........#..", "#.##.........#..", "#.............#.", "#.............#.",
        "#.............#.", "###############.", "  # # # # # #   ", "  # # # # # #   ",
        "                ", "                ", "                ", "                "],
    "note": [
        "  ##########    ", "  #........##   ", "  #.####...#.#  ", "  #........####.",
        "  #.######....#.", "  #...........#.", "  #.#######...#.", "  #...........#.",
        "  #.#####.....#.", "  #...........#.", "  #.########..#.", "  #...........#.",
        "  #############.", "                ", "                ", "                "],
}
ICON_COLOURS = {"#": K, ".": W, "Y": YEL, "B": BLUE, "O": ORA, "G": GRN, "R": RED}


def main():
    os.makedirs(OUT, exist_ok=True)

    def write(name, data):
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)

    write("logo.bmp", bmp4(logo()))
    pics = [("top", True), ("top", False), ("bottom", True), ("bottom", False),
            ("floating", True), ("floating", False), ("minimised", True)]
    for n, (pos, on_top) in enumerate(pics):
        write("appearpic%d.bmp" % n, bmp4(preview(pos, on_top)))
    cur = Canvas(32, 32, PALE)
    cur.art(4, 2, HAND, {"#": K, ".": W})
    write("hand.cur", ico_file(cur, PALE, kind=2, hotspot=(10, 2)))
    for name, rows in ICONS.items():
        ic = Canvas(16, 16, PALE)
        ic.art(0, 0, rows, ICON_COLOURS)
        write("%s.ico" % name, ico_file(ic, PALE))


if __name__ == "__main__":
    main()
