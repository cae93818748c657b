#!/usr/bin/env python3
"""Draws the program's pictures and writes them beside this script.

Run it after changing a drawing below; the build uses the files it writes, so commit them too.
    python3 make_resources.py [--preview DIR]
--preview also writes 12-times enlarged copies to DIR for looking at.
"""

import math
import os
import struct
import sys
import zlib

# The 16-colour palette of 4-bit Windows icons, in index order.
PALETTE16 = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]

# Letters of the drawings: "." is transparent, the others index PALETTE16.
INK = {"K": 0, "G": 2, "S": 7, "D": 8, "L": 10, "W": 15}

ICON32 = [
    "................................",
    "...KKKKKKKKKKKKKKKKKKKKKKKKK....",
    "...KWWWWWWWWWWWWWWWWWWWWWWWKD...",
    "...KWWDDDDDDDDDDWWWWWWWWWWWKD...",
    "...KWWWWWWWWWWWWWWWWWWWWWWWKD...",
    "...KWWSSSSSSSWWWWWWWWWWWWWWKD...",
    "...KWWWWWWWWWWWWWWWWWWWWWWWKD...",
    "...KWLLLLLLLLLLLLLLLLLLLLLWKD...",
    "...KWLGGGLGGGLGGGLGGGLGGGLWKD...",
    "...KWLGGGLGGGLGGGLGGGLGWWLWKD...",
    "...KWLGGGLGGGLGGGLGGGLWWGLWKD...",
    "...KWLLLLLLLLLLLLLLLLLWWLLWKD...",
    "...KWLGGGLGGGLGGWWGGGWWGGLWKD...",
    "...KWLGGGLGGGLGGWWGGWWGGGLWKD...",
    "...KWLGGGLGGGLGWWWWGWWGGGLWKD...",
    "...KWLLLLLLLLLLWWLWWWLLLLLWKD...",
    "...KWLGGGLGGGLWWGLGWGLGGGLWKD...",
    "...KWLGGGLGGGLWWGLGGGLGGGLWKD...",
    "...KWLGGGWWGGWWGGLGGGLGGGLWKD...",
    "...KWLLLWWWWLWWLLLLLLLLLLLWKD...",
    "...KWLGGWWWWWWGGGLGGGLGGGLWKD...",
    "...KWLGWWLGGWLGGGLGGGLGGGLWKD...",
    "...KWLGWWLGGGLGGGLGGGLGGGLWKD...",
    "...KWLWWLLLLLLLLLLLLLLLLLLWKD...",
    "...KWLGGGLGGGLGGGLGGGLGGGLWKD...",
    "...KWLGGGLGGGLGGGLGGGLGGGLWKD...",
    "...KWLGGGLGGGLGGGLGGGLGGGLWKD...",
    "...KWLLLLLLLLLLLLLLLLLLLLLWKD...",
    "...KWWWWWWWWWWWWWWWWWWWWWWWKD...",
    "...KKKKKKKKKKKKKKKKKKKKKKKKKD...",
    "....DDDDDDDDDDDDDDDDDDDDDDDDD...",
    "................................",
]

ICON16 = [
    ".KKKKKKKKKKKKKK.",
    ".KWWWWWWWWWWWWKD",
    ".KWDDDDDDWWWWWKD",
    ".KWWWWWWWWWWWWKD",
    ".KWLLLLLLLLLLWKD",
    ".KWLGGLGGLGWLWKD",
    ".KWLGGLGGLWWLWKD",
    ".KWLLLLWLWWLLWKD",
    ".KWLGGWWWWGLLWKD",
    ".KWLGWWLGGLGLWKD",
    ".KWLWWLLLLLLLWKD",
    ".KWLWGLGGLGGLWKD",
    ".KWLGGLGGLGGLWKD",
    ".KWLLLLLLLLLLWKD",
    ".KKKKKKKKKKKKKKD",
    "..DDDDDDDDDDDDDD",
]

# The pointing hand: "K" outline, "W" fill, "." transparent.
HAND_HOT_SPOT = (5, 0)  # the index finger's tip; resources.cpp gives the cursor the same point
HAND = [
    ".....KK..........",
    "....KWWK.........",
    "....KWWK.........",
    "....KWWK.........",
    "....KWWK.........",
    "....KWWKKK.......",
    "....KWWKWWKKK....",
    "....KWWKWWKWWKKK.",
    "....KWWKWWKWWKWWK",
    ".KK.KWWKWWKWWKWWK",
    "KWWKKWWWWWWWWWWWK",
    "KWWWKWWWWWWWWWWWK",
    ".KWWWWWWWWWWWWWWK",
    ".KWWWWWWWWWWWWWWK",
    "..KWWWWWWWWWWWWWK",
    "..KWWWWWWWWWWWWK.",
    "...KWWWWWWWWWWWK.",
    "...KWWWWWWWWWWWK.",
    "....KWWWWWWWWWK..",
    "....KWWWWWWWWWK..",
    "....KKKKKKKKKKK..",
]

# Grey levels of the background at fixed rows; between them the level falls linearly.
GRADIENT_STOPS = [(0, 250.0), (100, 222.0), (200, 192.0), (299, 166.0)]
GRADIENT_ROWS = 300
GRADIENT_COLOURS = 64
TINT_FROM = 225  # the lowest quarter turns faintly blue


def padded(drawing, size):
    rows = [row.ljust(size, ".") for row in drawing]
    return rows + ["." * size] * (size - len(rows))


def rgba(drawing):
    """The drawing as rows of (r, g, b, a)."""
    ink = {k: PALETTE16[i] + (255,) for k, i in INK.items()}
    ink["."] = (0, 0, 0, 0)
    return [[ink[c] for c in row] for row in drawing]


def greyAt(row):
    for (r0, v0), (r1, v1) in zip(GRADIENT_STOPS, GRADIENT_STOPS[1:]):
        if r0 <= row <= r1:
            return v0 + (v1 - v0) * (row - r0) / (r1 - r0)
    raise ValueError(row)


def colourAt(row):
    grey = greyAt(row)
    tint = 0.0
    if row > TINT_FROM:
        tint = math.sin(math.pi * (row - TINT_FROM) / (GRADIENT_ROWS - 1 - TINT_FROM))
    return tuple(round(grey + shift * tint) for shift in (-2.0, 0.0, 1.5))


def sampleRows():
    """Rows whose colours make the palette: every stop, the rest spread evenly between them."""
    per = (GRADIENT_COLOURS - 1) // (len(GRADIENT_STOPS) - 1)
    rows = []
    for (r0, _), (r1, _) in zip(GRADIENT_STOPS, GRADIENT_STOPS[1:]):
        rows += [round(r0 + (r1 - r0) * k / per) for k in range(per)]
    return rows + [GRADIENT_STOPS[-1][0]]


def gradient():
    """The palette and, for each row, its palette index (the colour of the nearest sample row)."""
    samples = sampleRows()
    palette = [colourAt(r) for r in samples]
    index = [min(range(len(samples)), key=lambda k: (abs(samples[k] - row), k))
             for row in range(GRADIENT_ROWS)]
    return palette, index


def pngChunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def png(width, height, colourType, rows, extra=b""):
    header = struct.pack(">IIBBBBB", width, height, 8, colourType, 0, 0, 0)
    raw = b"".join(b"\0" + bytes(row) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + pngChunk(b"IHDR", header) + extra +
            pngChunk(b"IDAT", zlib.compress(raw, 9)) + pngChunk(b"IEND", b""))


def rgbaPng(pixels):
    return png(len(pixels[0]), len(pixels), 6, [[v for p in row for v in p] for row in pixels])


def indexedPng(palette, rows):
    plte = pngChunk(b"PLTE", b"".join(bytes(c) for c in palette))
    return png(len(rows[0]), len(rows), 3, rows, plte)


def blocks(pixels, scale):
    return [[p for p in row for _ in range(scale)] for row in pixels for _ in range(scale)]


def enlarged(pixels, scale, backdrop=(255, 0, 255, 255)):
    """A preview: transparent pixels in magenta so that the shape's edge shows."""
    return blocks([[p if p[3] else backdrop for p in row] for row in pixels], scale)


def ico(pngs):
    """A Windows icon file holding PNG images, as Windows takes them since Vista."""
    header = struct.pack("<HHH", 0, 1, len(pngs))
    offset = len(header) + 16 * len(pngs)
    entries, images = b"", b""
    for size, data in pngs:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        images += data
        offset += len(data)
    return header + entries + images


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    icon32, icon16, hand = padded(ICON32, 32), padded(ICON16, 16), padded(HAND, 32)
    x, y = HAND_HOT_SPOT
    assert hand[y][x] == "K" and "K" not in hand[y][:x], "the hot spot must be the finger's tip"
    palette, index = gradient()
    files = {
        "zoltrek.png": rgbaPng(rgba(icon32)),
        "zoltrek-16.png": rgbaPng(rgba(icon16)),
        "hand.png": rgbaPng(rgba(hand)),
        "background.png": indexedPng(palette, [[i] for i in index]),
    }
    # The desktop's icon theme asks for larger sizes: each pixel of the drawing becomes a square
    # block, so the icon stays as crisp as the drawing (48 from the 16-pixel one).
    for size, drawing in ((48, icon16), (64, icon32), (128, icon32), (256, icon32)):
        files[f"zoltrek-{size}.png"] = rgbaPng(blocks(rgba(drawing), size // len(drawing)))
    # The Windows executable's icon: the same images in the file a resource compiler takes.
    files["zoltrek.ico"] = ico([(size, files[name]) for size, name in (
        (16, "zoltrek-16.png"), (32, "zoltrek.png"), (48, "zoltrek-48.png"), (256, "zoltrek-256.png"))])
    for name, data in files.items():
        with open(os.path.join(here, name), "wb") as f:
            f.write(data)
    if len(argv) == 3 and argv[1] == "--preview":
        previews = {
            "icon32": enlarged(rgba(icon32), 12),
            "icon16": enlarged(rgba(icon16), 12),
            "hand": enlarged(rgba(hand), 12),
            "background": [[palette[i] + (255,)] * 240 for i in index],
        }
        for name, pixels in previews.items():
            with open(os.path.join(argv[2], name + "-preview.png"), "wb") as f:
                f.write(rgbaPng(pixels))


if __name__ == "__main__":
    main(sys.argv)
