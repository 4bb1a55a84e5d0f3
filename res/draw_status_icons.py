#!/usr/bin/env python3
"""Draws the link icons of the Network Status page beside itself, in the depths of
draw_icon.py at 32 x 32 (the size of the pages' icon controls): four signal bars rising
to the right on a rounded tile, with the band of the link in a badge at the top left.

- LinkB.ico: an 802.11b link: green bars, badge "b";
- LinkA.ico: an 802.11a link (5 GHz): orange bars, badge "a";
- LinkOther.ico: any other link (802.11g): blue bars, badge "g";
- NoLink.ico: no link: grey bars struck through in red, no badge.
"""
import math
import os

from draw_icon import DARK_BLUE, ORANGE, RED, WHITE, on_rim, outside_tile, write_icon

GREEN = (0x2F, 0xB3, 0x44)
BLUE = (0x2A, 0x7D, 0xE1)
TILE = (0xF4, 0xF6, 0xF9)
RIM = (0x6B, 0x74, 0x80)
GREY = (0xA3, 0xA9, 0xB1)

# Letters of the badge on a 3 x 5 grid, top row first. A cell is a sixteenth of the icon,
# on whole pixels at 16 and at 32 pixels, so the letters stay sharp.
LETTERS = {
    "a": ("...", "##.", "..#", "###", "###"),
    "b": ("#..", "#..", "###", "#.#", "###"),
    "g": ("###", "#.#", "###", "..#", "##."),
}


def link(bar_colour, letter=None, struck=False):
    """A light tile with four bars rising to the right, a badge, or a red stroke."""

    def shade(x, y):
        if outside_tile(x, y, 0.16):
            return None
        if struck and abs(x - (1 - y)) < 0.07 and 0.12 < x < 0.88:
            return RED
        if letter:
            # The badge: a dark disc with the letter in white.
            if math.hypot(x - 0.28, y - 0.28) < 0.24:
                gx = math.floor((x - 3 / 16) * 16)
                gy = math.floor((y - 2 / 16) * 16)
                if 0 <= gx < 3 and 0 <= gy < 5 and LETTERS[letter][gy][gx] == "#":
                    return WHITE
                return DARK_BLUE
        for i in range(4):
            left = 0.16 + i * 0.19
            top = 0.70 - i * 0.15
            if left <= x < left + 0.14 and top <= y < 0.86:
                return bar_colour
        if on_rim(x, y, 0.16):
            return RIM
        return TILE

    return shade


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    icons = {
        "LinkB.ico": (link(GREEN, "b"), (TILE, RIM, GREEN, DARK_BLUE, WHITE)),
        "LinkA.ico": (link(ORANGE, "a"), (TILE, RIM, ORANGE, DARK_BLUE, WHITE)),
        "LinkOther.ico": (link(BLUE, "g"), (TILE, RIM, BLUE, DARK_BLUE, WHITE)),
        "NoLink.ico": (link(GREY, struck=True), (TILE, RIM, GREY, RED)),
    }
    for name, (shade, colours) in icons.items():
        write_icon(os.path.join(here, name), shade, colours, (32,))


if __name__ == "__main__":
    main()
