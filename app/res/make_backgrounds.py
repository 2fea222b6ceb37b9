#!/usr/bin/env python3
"""Writes the stock background pictures that stand beside VelText.exe: control-bar tiles
(basecntl), text backgrounds (baseview) and grey text backgrounds (graypic). Every picture tiles
without a seam and stays light, so that buttons and text on it keep their contrast. Run once; the
outputs are kept in the tree (small PNG files, names and extensions in small letters)."""
import math
import pathlib
import struct
import zlib

here = pathlib.Path(__file__).resolve().parent / "backgrounds"


def png(path, width, height, pixel):
    rows = bytearray()
    for y in range(height):
        rows.append(0)  # no filter
        for x in range(width):
            r, g, b = pixel(x, y)
            rows += bytes((clamp(r), clamp(g), clamp(b)))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(rows), 9))
                     + chunk(b"IEND", b""))


def clamp(v):
    return max(0, min(255, int(round(v))))


def noise(x, y, seed):
    """A fixed pseudo-random value in 0..1 per pixel."""
    n = (x * 374761393 + y * 668265263 + seed * 144269504) & 0xFFFFFFFF
    n = ((n ^ (n >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((n ^ (n >> 16)) & 0xFFFF) / 65535.0


def smooth_noise(x, y, seed, cell, width, height):
    """Value noise that wraps at width x height, so the tile has no seam."""
    cx, cy = width // cell, height // cell
    gx, gy = x / cell, y / cell
    x0, y0 = int(gx), int(gy)
    fx, fy = gx - x0, gy - y0
    fx, fy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)

    def at(i, j):
        return noise(i % cx, j % cy, seed)

    top = at(x0, y0) * (1 - fx) + at(x0 + 1, y0) * fx
    bottom = at(x0, y0 + 1) * (1 - fx) + at(x0 + 1, y0 + 1) * fx
    return top * (1 - fy) + bottom * fy


def mix(a, b, t):
    return tuple(a[i] * (1 - t) + b[i] * t for i in range(3))


# Control bar: the bar is about 30 pixels tall; the tiles are at least as tall, so no seam runs along it.

def sky(x, y):
    # A clear morning sky: pale blue at the top to almost white, with soft drifting haze.
    t = y / 63.0
    base = mix((200, 225, 247), (240, 247, 253), t)
    haze = smooth_noise(x, y * 4, 3, 32, 128, 256)
    return mix(base, (252, 253, 255), max(0.0, haze - 0.5) * 1.2)


def washi(x, y):
    # Warm Japanese paper with long, faint fibres.
    base = (242, 234, 216)
    fibre = smooth_noise(x, y * 4, 7, 8, 64, 128)
    grain = noise(x, y, 11)
    d = (fibre - 0.5) * 14 + (grain - 0.5) * 6
    return (base[0] + d, base[1] + d, base[2] + d * 0.8)


def mint(x, y):
    # Fresh green with gentle diagonal stripes.
    stripe = 0.5 + 0.5 * math.sin((x + y) * 2 * math.pi / 16)
    return mix((212, 238, 218), (228, 246, 232), stripe)


def sakura_bar(x, y):
    # Pale pink with small blossoms scattered on a 64 x 32 tile.
    base = (250, 232, 238)
    for (px, py) in ((10, 8), (42, 20), (28, 4), (56, 12), (20, 24)):
        dx = min(abs(x - px), 64 - abs(x - px))
        dy = min(abs(y - py), 32 - abs(y - py))
        r = math.hypot(dx, dy)
        if r < 3.2:
            petal = 1.0 - r / 3.2
            return mix(base, (240, 180, 200), petal)
    return base


# Text: light enough for black text; no horizontal bands, since the rows follow the font.

def paper_blue(x, y):
    # Airmail paper: a cool white with a soft grain.
    g = smooth_noise(x, y, 21, 8, 128, 128)
    d = (g - 0.5) * 8 + (noise(x, y, 5) - 0.5) * 3
    return (244 + d, 248 + d, 253 + d * 0.5)


def linen(x, y):
    # Linen: fine woven threads in warm beige.
    warp = 0.5 + 0.5 * math.sin(x * 2 * math.pi / 4)
    weft = 0.5 + 0.5 * math.sin(y * 2 * math.pi / 4)
    slub = smooth_noise(x, y, 9, 16, 64, 64)
    d = (warp * weft - 0.25) * 6 + (slub - 0.5) * 8
    return (248 + d, 243 + d, 232 + d)


def mist_green(x, y):
    # Morning mist over young leaves: pale green clouds.
    c = smooth_noise(x, y, 13, 32, 128, 128) * 0.7 + smooth_noise(x, y, 17, 16, 128, 128) * 0.3
    return mix((236, 246, 236), (248, 252, 246), c)


def sakura_view(x, y):
    # Cherry petals drifting on a 128 x 128 tile, very faint.
    base = (253, 246, 248)
    for (px, py, angle) in ((20, 18, 0.5), (80, 40, 1.7), (50, 90, 2.6), (110, 100, 0.9), (30, 120, 2.1),
                            (96, 8, 1.2)):
        dx = x - px
        dy = y - py
        dx -= 128 * round(dx / 128)
        dy -= 128 * round(dy / 128)
        u = dx * math.cos(angle) + dy * math.sin(angle)
        v = -dx * math.sin(angle) + dy * math.cos(angle)
        e = (u / 6.0) ** 2 + (v / 3.5) ** 2
        if e < 1.0:
            return mix(base, (244, 204, 216), (1.0 - e) * 0.9)
    return base


# Grey: for memos kept out of the way.

def grey_grain(x, y):
    d = (smooth_noise(x, y, 31, 8, 64, 64) - 0.5) * 10 + (noise(x, y, 37) - 0.5) * 4
    return (218 + d, 218 + d, 220 + d)


def grey_canvas(x, y):
    warp = 0.5 + 0.5 * math.sin(x * 2 * math.pi / 3)
    weft = 0.5 + 0.5 * math.sin(y * 2 * math.pi / 3)
    d = (warp * weft - 0.25) * 10
    return (214 + d, 214 + d, 214 + d)


png(here / "basecntl" / "sky.png", 128, 64, sky)
png(here / "basecntl" / "washi.png", 64, 32, washi)
png(here / "basecntl" / "mint.png", 32, 32, mint)
png(here / "basecntl" / "sakura.png", 64, 32, sakura_bar)
png(here / "baseview" / "paper_blue.png", 128, 128, paper_blue)
png(here / "baseview" / "linen.png", 64, 64, linen)
png(here / "baseview" / "mist_green.png", 128, 128, mist_green)
png(here / "baseview" / "sakura.png", 128, 128, sakura_view)
png(here / "graypic" / "grain.png", 64, 64, grey_grain)
png(here / "graypic" / "canvas.png", 48, 48, grey_canvas)
