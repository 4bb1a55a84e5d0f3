#!/usr/bin/env python3
"""Draws the profile editing images beside itself:

- ProfileRow.ico: a profile in the Profile Manager's list: a white card with two lines
  of text and the program's blue waves in its corner;
- ProfileInUse.ico: the same card marked in use with a green disc and a white tick;
- WizardWatermark.bmp (164 x 314): the "Create New Profile" wizard's watermark: a blue
  gradient with waves rising from the lower left and a profile card;
- WizardHeader.bmp (49 x 49): the wizard's header image: the card on white.

The icons come in the depths of draw_icon.py, 16 x 16 only (the list's size); the
bitmaps have 8 bits a pixel, run-length encoded, and a palette of their own.
"""
import math
import os
import struct

from draw_icon import BLUE, DARK_BLUE, WHITE, write_icon

GREEN = (0x2F, 0xB3, 0x44)
DARK_GREEN = (0x1E, 0x7A, 0x2E)
PAPER_EDGE = (0x6B, 0x7B, 0x8F)
LINE = (0x9A, 0xA8, 0xB8)
SKY = (0x3C, 0x7F, 0xD4)
SAMPLES = 4  # per axis, for the soft edges of the bitmaps


def card(x, y):
    """A white card with a grey edge, two text lines and blue waves; None outside."""
    if not (0.14 < x < 0.86 and 0.06 < y < 0.94):
        return None
    if x < 0.20 or x > 0.80 or y < 0.12 or y > 0.88:
        return PAPER_EDGE
    ox, oy = 0.32, 0.40
    d = math.hypot(x - ox, y - oy)
    if d < 0.07:
        return BLUE
    if x > ox - 0.02 and y < oy + 0.02:
        for radius in (0.17, 0.29):
            if abs(d - radius) < 0.045:
                return BLUE
    for top in (0.58, 0.72):
        if top < y < top + 0.06 and 0.28 < x < 0.72:
            return LINE
    return WHITE


def ticked(base):
    """`base` with a green disc and a white tick in its lower right corner: in use."""

    def shade(x, y):
        d = math.hypot(x - 0.70, y - 0.72)
        if d < 0.28:
            # The tick: a short stroke down to the right, then a long one up.
            def near(ax, ay, bx, by):
                t = max(0.0, min(1.0, ((x - ax) * (bx - ax) + (y - ay) * (by - ay)) /
                                 ((bx - ax) ** 2 + (by - ay) ** 2)))
                return math.hypot(x - (ax + t * (bx - ax)), y - (ay + t * (by - ay))) < 0.05
            if near(0.57, 0.72, 0.66, 0.82) or near(0.66, 0.82, 0.84, 0.60):
                return WHITE
            return DARK_GREEN if d > 0.24 else GREEN
        return base(x, y)

    return shade


# The card marked in use.
in_use = ticked(card)


def blend(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def watermark(x, y):
    """The watermark at a point of its 164 x 314 area (x, y in 0..1, y down)."""
    # The profile card, 130 pixels square, in the upper half.
    cx, cy = (x * 164 - 17) / 130, (y * 314 - 36) / 130
    if 0.0 <= cx <= 1.0 and 0.0 <= cy <= 1.0:
        colour = card(cx, cy)
        if colour:
            return colour
    background = blend(SKY, DARK_BLUE, y)
    # Waves from a point below the lower left corner, fading upwards.
    d = math.hypot((x + 0.1) * 164, (y - 1.02) * 314) / 164
    for radius in (0.55, 0.85, 1.15, 1.45):
        if abs(d - radius) < 0.045:
            return blend(background, WHITE, 0.55 * (1.6 - radius))
    return background


def header_image(x, y):
    """The header image: the card on the header's white."""
    return card(x, y) or WHITE


def pixels(width, height, shade):
    """Rows of (r, g, b), top row first, each pixel the average of its samples."""
    rows = []
    for py in range(height):
        row = []
        for px in range(width):
            acc = [0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    colour = shade((px + (sx + 0.5) / SAMPLES) / width,
                                   (py + (sy + 0.5) / SAMPLES) / height)
                    for i in range(3):
                        acc[i] += colour[i]
            row.append(tuple(a // SAMPLES ** 2 for a in acc))
        rows.append(row)
    return rows


def distance(a, b):
    return sum((a[i] - b[i]) ** 2 for i in range(3))


def palette_of(counts, size=256):
    """At most `size` colours standing for the colours counted in `counts` (colour: pixels):
    all of them when they are few enough, else boxes of the colour cube cut at the median
    of their widest side until there are `size`, each then moved to the mean of the pixels
    nearest to it a few times over."""
    colours = sorted(counts)
    if len(colours) <= size:
        return colours
    boxes = [colours]
    while len(boxes) < size:
        box = max((b for b in boxes if len(b) > 1),
                  key=lambda b: max(max(c[i] for c in b) - min(c[i] for c in b) for i in range(3)))
        side = max(range(3), key=lambda i: max(c[i] for c in box) - min(c[i] for c in box))
        box.sort(key=lambda c: c[side])
        half, cut, total = 0, 0, sum(counts[c] for c in box)
        while cut < len(box) - 1 and half + counts[box[cut]] <= total / 2:
            half += counts[box[cut]]
            cut += 1
        cut = max(cut, 1)
        boxes.remove(box)
        boxes += [box[:cut], box[cut:]]
    palette = [tuple(round(sum(c[i] * counts[c] for c in b) / sum(counts[c] for c in b))
                     for i in range(3)) for b in boxes]
    for _ in range(4):
        sums = [[0, 0, 0, 0] for _ in palette]
        for c, n in counts.items():
            k = min(range(len(palette)), key=lambda j: distance(c, palette[j]))
            for i in range(3):
                sums[k][i] += c[i] * n
            sums[k][3] += n
        palette = [tuple(round(t[i] / t[3]) for i in range(3)) if t[3] else p
                   for t, p in zip(sums, palette)]
    return sorted(set(palette))


BI_RLE8 = 1


def rle8(line):
    """One row run-length encoded: runs of one colour as (count, index), stretches of
    three or more pixels that do not repeat as (0, count, pixels) padded to an even size,
    then the end of the row (0, 0)."""
    out = bytearray()
    literal = bytearray()

    def flush():
        while literal:
            part = literal[:255]
            del literal[:255]
            if len(part) < 3:
                for pixel in part:
                    out.extend((1, pixel))
            else:
                out.extend((0, len(part)))
                out.extend(part)
                if len(part) % 2:
                    out.append(0)

    i = 0
    while i < len(line):
        run = 1
        while i + run < len(line) and run < 255 and line[i + run] == line[i]:
            run += 1
        if run >= 2:
            flush()
            out.extend((run, line[i]))
        else:
            literal.append(line[i])
        i += run
    flush()
    return bytes(out + b"\0\0")


def write_bitmap(path, width, height, shade):
    """An 8-bit run-length encoded bitmap file with a palette of its own (of its colours
    when there are no more than 256, else of 256 that stand for them, each pixel the
    nearest), bottom row first."""
    rows = pixels(width, height, shade)
    counts = {}
    for row in rows:
        for colour in row:
            counts[colour] = counts.get(colour, 0) + 1
    palette = palette_of(counts)
    index = {c: min(range(len(palette)), key=lambda j: distance(c, palette[j])) for c in counts}
    data = b"".join(rle8(bytes(index[colour] for colour in row)) for row in reversed(rows))
    data += b"\0\1"
    colours = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, BI_RLE8, len(data), 2835, 2835,
                       len(palette), 0)
    offset = 14 + len(info) + len(colours)
    head = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(head + info + colours + data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write_icon(os.path.join(here, "ProfileRow.ico"), card, (WHITE, PAPER_EDGE, LINE, BLUE), (16,))
    write_icon(os.path.join(here, "ProfileInUse.ico"), in_use,
               (WHITE, PAPER_EDGE, LINE, BLUE, GREEN, DARK_GREEN), (16,))
    write_bitmap(os.path.join(here, "WizardWatermark.bmp"), 164, 314, watermark)
    write_bitmap(os.path.join(here, "WizardHeader.bmp"), 49, 49, header_image)


if __name__ == "__main__":
    main()
