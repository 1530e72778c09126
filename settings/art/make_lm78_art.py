#!/usr/bin/env python3
"""Draws the picture at the top of the hardware monitoring dialog (a
monitoring chip with a thermometer and a fan) from text pixel art into
settings/res/lm78pic.bmp (run again after editing)."""
import os

from make_art import OUT, Canvas, bmp4, K, W, FACE, SHADOW, NAVY, BLUE, GRN, RED, PALE, YEL

PICTURE = [
    "........................................",
    "..............................rrr.......",
    "....................ccccc....rwwwr......",
    "..................cc.....cc..rwrwr......",
    ".................c..bbb....c.rwwwr......",
    "................c..bbbbb....crwrwr......",
    "...............c...bbbbb.....rwwwr......",
    "...............c....bbb......rwrwr......",
    "..............c..bb.....bb...rwwwr......",
    "..............c.bbbb.o.bbbb..rwrwr......",
    "..............c.bbbb...bbbb..rRRRr......",
    "..............c..bb.....bb...rRRRr......",
    "...............c....bbb......rRRRr......",
    "...............c...bbbbb....rRRRRRr.....",
    "................c..bbbbb...rRRRRRRRr....",
    ".................c..bbb...crRRRRRRRr....",
    "..................cc.....cc.rRRRRRr.....",
    "....................ccccc....rRRRr......",
    ".............................rrrr.......",
    "........................................",
    "......p.p.p.p.p.p.p.p.p.p.p.............",
    "......p.p.p.p.p.p.p.p.p.p.p.............",
    "....#######################.............",
    "....#kkkkkkkkkkkkkkkkkkkkk#s............",
    "....#k.kkkkkkkkkkkkkkkkkkk#s............",
    "....#kkkwkkkwkwkwwwkwwwkkk#s............",
    "....#kkkwkkkwwwkkkwkwkwkkk#s............",
    "....#kkkwkkkwkwkkwkkwwwkkk#s............",
    "....#kkkwkkkwkwkkwkkwkwkkk#s............",
    "....#kkkwwwkwkwkkwkkwwwkkk#s............",
    "....#kkkkkkkkkkkkkkkkkkkkk#s............",
    "....#kkkkkkkkkkkkkkkkkkkkk#s............",
    "....#######################s............",
    ".....sssssssssssssssssssssss............",
    "......p.p.p.p.p.p.p.p.p.p.p.............",
    "......p.p.p.p.p.p.p.p.p.p.p.............",
    "........................................",
    "..gggggggggggggggggggggggggggggggggggg..",
    "........................................",
    "........................................",
]
COLOURS = {"#": K, "k": NAVY, "w": W, "p": SHADOW, "s": SHADOW, "c": K, "b": BLUE, "o": YEL,
           "r": K, "R": RED, "g": GRN}


def picture():
    c = Canvas(40, 40, FACE)
    c.art(0, 0, PICTURE, COLOURS)
    return c


def main():
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, "lm78pic.bmp"), "wb") as f:
        f.write(bmp4(picture()))


if __name__ == "__main__":
    main()
