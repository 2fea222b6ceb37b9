#!/usr/bin/env python3
"""Writes the built-in pictures of the resource script: the text background (paper with a faint
grain), the grey background and the program icon. Run once; the outputs are kept in the tree."""
import struct
import pathlib

here = pathlib.Path(__file__).resolve().parent


def bmp(path, width, height, pixel):
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):  # bottom-up rows
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        line += b"\0" * (row - width * 3)
        data += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    path.write_bytes(header + info + data)


def paper(x, y):
    # Warm paper with a faint, even grain; no bands, since text rows follow the font's height.
    n = (x * 73856093 ^ y * 19349663) & 0xFF
    d = 2 if n < 24 else (1 if n < 96 else 0)
    return (255 - d, 253 - d, 246 - d)


def grey(x, y):
    return (212, 212, 212) if (x + y) % 2 else (220, 220, 220)


def icon(path):
    size = 32
    pixels = bytearray()
    for y in range(size - 1, -1, -1):
        for x in range(size):
            inside = 4 <= x < 28 and 2 <= y < 30
            if not inside:
                pixels += bytes((0, 0, 0, 0))
            elif x < 6 or x >= 26 or y < 4 or y >= 28:
                pixels += bytes((90, 70, 40, 255))   # frame, BGRA
            elif y % 5 == 0 and 8 <= x < 24:
                pixels += bytes((200, 120, 60, 255))  # text lines
            else:
                pixels += bytes((235, 250, 255, 255))
    mask = b"\0" * (size * 4 * 1)  # 1-bit AND mask, 4 bytes per row
    dib = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = dib + pixels + mask
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 6 + 16)
    path.write_bytes(header + entry + image)


bmp(here / "ViewBackground.bmp", 64, 64, paper)
bmp(here / "GrayBackground.bmp", 32, 32, grey)
icon(here / "VelText.ico")
