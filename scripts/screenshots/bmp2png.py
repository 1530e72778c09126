#!/usr/bin/env python3
"""Converts 24-bit bottom-up BMP files (as Screenshots.cpp writes them) to PNG
with the standard library only: bmp2png.py FILE.bmp... (writes FILE.png)."""
import struct
import sys
import zlib


def convert(path):
    data = open(path, "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    if bits != 24:
        raise SystemExit("%s: %d bits per pixel, want 24" % (path, bits))
    stride = (width * 3 + 3) // 4 * 4
    raw = bytearray()
    for y in range(abs(height)):
        row = height - 1 - y if height > 0 else y
        line = data[offset + row * stride: offset + row * stride + width * 3]
        raw.append(0)
        for x in range(width):
            b, g, r = line[3 * x: 3 * x + 3]
            raw += bytes((r, g, b))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, abs(height), 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")
    out = path[:-4] + ".png"
    open(out, "wb").write(png)
    return out


for p in sys.argv[1:]:
    print(convert(p))
