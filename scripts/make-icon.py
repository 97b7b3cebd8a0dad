#!/usr/bin/env python3
"""Draws the installer's icon and writes it as a Windows .ico file.

A mountain under a blue sky, with the track running across its foot and a
red signal light: the line and the train the package carries. Drawn at 16,
24, 32, 48 and 256 pixels from the same shapes (each pixel sampled 4 x 4
times). The small sizes are stored as bitmaps, which every Windows reads; the
256-pixel one as PNG, as Windows keeps its large icons. Uses nothing but
Python's standard library, so the icon can be drawn again anywhere:

    scripts/make-icon.py src/driver/installer.ico
"""
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 256)
SAMPLES = 4  # per pixel side

SKY_TOP = (0x2E, 0x6D, 0xB4)
SKY_BOTTOM = (0x9C, 0xC8, 0xEE)
ROCK = (0x5B, 0x63, 0x6E)
SNOW = (0xF4, 0xF7, 0xFA)
BALLAST = (0x4A, 0x3B, 0x2F)
RAIL = (0xD9, 0xD9, 0xD9)
POST = (0x26, 0x26, 0x26)
LAMP = (0xE0, 0x1F, 0x1F)


def inside_polygon(x, y, points):
    inside = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def inside_rounded_square(x, y, margin, radius):
    lo, hi = margin, 1 - margin
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


MOUNTAIN = [(0.02, 0.74), (0.38, 0.22), (0.52, 0.42), (0.64, 0.30), (0.98, 0.74)]
SNOW_CAP = [(0.30, 0.34), (0.38, 0.22), (0.47, 0.35), (0.42, 0.38), (0.38, 0.33), (0.34, 0.37)]


def colour_at(x, y):
    """The colour (r, g, b, a) of the point (x, y) of the unit square, y down."""
    if not inside_rounded_square(x, y, 0.03, 0.16):
        return (0, 0, 0, 0)
    if 0.72 <= y <= 0.86:  # the track bed with its rail
        return RAIL + (255,) if 0.75 <= y <= 0.79 else BALLAST + (255,)
    # The signal at the right: a post and a red light.
    if 0.78 <= x <= 0.82 and 0.38 <= y < 0.72:
        return POST + (255,)
    if (x - 0.80) ** 2 + (y - 0.30) ** 2 <= 0.085 ** 2:
        return (LAMP if (x - 0.80) ** 2 + (y - 0.30) ** 2 <= 0.06 ** 2 else POST) + (255,)
    if inside_polygon(x, y, SNOW_CAP):
        return SNOW + (255,)
    if inside_polygon(x, y, MOUNTAIN):
        return ROCK + (255,)
    if y > 0.86:
        return BALLAST + (255,)
    t = y / 0.72
    return tuple(round(a + (b - a) * t) for a, b in zip(SKY_TOP, SKY_BOTTOM)) + (255,)


def draw(size):
    """Rows of (r, g, b, a), top row first, alpha-weighted averages of the samples."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    cr, cg, cb, ca = colour_at((px + (sx + 0.5) / SAMPLES) / size,
                                               (py + (sy + 0.5) / SAMPLES) / size)
                    r, g, b, a = r + cr * ca, g + cg * ca, b + cb * ca, a + ca
            n = SAMPLES * SAMPLES
            row.append((round(r / a), round(g / a), round(b / a), round(a / n)) if a else (0, 0, 0, 0))
        rows.append(row)
    return rows


def png(rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def bitmap(rows):
    """A 32-bit icon bitmap: the header (twice the height: colours and mask), BGRA rows
    bottom up, then the 1-bit transparency mask, each of its rows padded to 4 bytes."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    stride = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + colours + mask


def icon():
    images = [png(draw(size)) if size == 256 else bitmap(draw(size)) for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: make-icon.py OUTPUT.ico")
    with open(sys.argv[1], "wb") as out:
        out.write(icon())
