#!/usr/bin/env python3
"""Draws the program icon Tovix.ico: a blue tile with radio waves rising from a dot.

Each size comes twice: 32-bit with soft edges for Windows XP, and 16 colours with a
transparency mask for older systems and displays. The program icon has both sizes (the
window's small and large icons); the other icons have only the size they are shown at. Run it from anywhere; it writes the
icon beside itself. Other icon scripts draw with its helpers (the tile, the waves,
write_icon).
"""
import math
import os
import struct

BLUE = (0x1F, 0x5F, 0xB4)
DARK_BLUE = (0x12, 0x3A, 0x73)
WHITE = (0xFF, 0xFF, 0xFF)
ORANGE = (0xF2, 0x9B, 0x1D)
RED = (0xD8, 0x2B, 0x21)
SIZES = (32, 16)
SAMPLES = 4  # per axis, for the soft edges


def tile_corner(x, y, r):
    """The nearest point of the inner square of a tile with corners of radius `r`; the
    tile covers the points within `r` of it."""
    return min(max(x, r), 1 - r), min(max(y, r), 1 - r)


def outside_tile(x, y, r):
    cx, cy = tile_corner(x, y, r)
    return math.hypot(x - cx, y - cy) > r


def on_rim(x, y, r):
    """The tile's darker rim, which gives it an edge on light backgrounds."""
    cx, cy = tile_corner(x, y, r)
    return math.hypot(x - cx, y - cy) > r - 0.05 or min(x, y, 1 - x, 1 - y) < 0.05


def waves(tile_colour, rim_colour, wave_colour, dot_colour, struck=False, dot=0.11,
          radii=(0.30, 0.52), width=0.07):
    """A rounded tile with a dot in the lower left and arcs of waves around it, struck
    through in red when `struck`; the painter of a point of the unit square (y down),
    which answers None outside the tile."""

    def shade(x, y):
        if outside_tile(x, y, 0.18):
            return None
        if struck and abs((x - y)) < 0.08 and 0.12 < x < 0.88:
            return RED
        ox, oy = 0.28, 0.72
        d = math.hypot(x - ox, y - oy)
        if d < dot:
            return dot_colour
        if ox - 0.03 < x < 0.86 and 0.14 < y < oy + 0.03:
            for radius in radii:
                if abs(d - radius) < width:
                    return wave_colour
        if on_rim(x, y, 0.18):
            return rim_colour
        return tile_colour

    return shade


# The program's icon: white waves and an orange dot on a blue tile.
shade = waves(BLUE, DARK_BLUE, WHITE, ORANGE)


def render(size, shade=shade):
    """Rows of (r, g, b, a), top row first, of the picture that `shade` paints."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0]
            hits = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    colour = shade((px + (sx + 0.5) / SAMPLES) / size,
                                   (py + (sy + 0.5) / SAMPLES) / size)
                    if colour:
                        hits += 1
                        for i in range(3):
                            acc[i] += colour[i]
            if hits:
                row.append(tuple(a // hits for a in acc) + (255 * hits // SAMPLES ** 2,))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def mask_rows(rows):
    """The 1-bit transparency mask, bottom row first, rows padded to 4 bytes."""
    out = b""
    for row in reversed(rows):
        bits = 0
        data = bytearray()
        for i, pixel in enumerate(row):
            bits = bits << 1 | (1 if pixel[3] < 128 else 0)
            if i % 8 == 7:
                data.append(bits)
                bits = 0
        while len(data) % 4:
            data.append(0)
        out += bytes(data)
    return out


def header(size, bits, palette_size, pixel_bytes):
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, pixel_bytes, 0, 0,
                       palette_size, 0)


def image_32(rows):
    size = len(rows)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask = mask_rows(rows)
    return header(size, 32, 0, len(pixels) + len(mask)) + pixels + mask


def image_4(rows, colours):
    """16 colours: transparent black and `colours`, each pixel the nearest of them."""
    size = len(rows)
    palette = [(0, 0, 0)] + list(colours)
    used = len(palette)
    palette += [(0, 0, 0)] * (16 - len(palette))

    def nearest(pixel):
        if pixel[3] < 128:
            return 0
        return min(range(1, used), key=lambda i: sum((pixel[c] - palette[i][c]) ** 2
                                                     for c in range(3)))

    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for i in range(0, size, 2):
            line.append(nearest(row[i]) << 4 | nearest(row[i + 1]))
        while len(line) % 4:
            line.append(0)
        pixels += line
    mask = mask_rows(rows)
    colours = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    return header(size, 4, 16, len(pixels) + len(mask)) + colours + bytes(pixels) + mask


def write_icon(path, shade, colours, sizes=SIZES):
    """An icon file of each of `sizes`, each 32-bit and in 16 colours."""
    images = []
    for size in sizes:
        rows = render(size, shade)
        images.append((size, 0, 32, image_32(rows)))
        images.append((size, 16, 4, image_4(rows, colours)))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, colours, bits, data in images:
        directory += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bits, len(data),
                                 offset + len(body))
        body += data
    with open(path, "wb") as f:
        f.write(directory + body)


def main():
    write_icon(os.path.join(os.path.dirname(os.path.abspath(__file__)), "Tovix.ico"), shade,
               (BLUE, DARK_BLUE, WHITE, ORANGE))


if __name__ == "__main__":
    main()
