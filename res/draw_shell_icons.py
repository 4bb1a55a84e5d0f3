#!/usr/bin/env python3
"""Draws the main window's icons beside itself, in the depths of draw_icon.py, the tray's
at 16 x 16 and the Readme page's at 32 x 32 (the sizes they are shown at):

- TrayUnplugged.ico: the card is absent: a grey tile, its waves struck through in red;
- TrayConnected.ico: a blue tile with white waves and a green dot;
- TrayNoConnection.ico: a blue tile with grey waves and a red dot;
- Readme.ico: the information sign of the Readme page, a white "i" in a blue disc.
"""
import math
import os

from draw_icon import BLUE, DARK_BLUE, RED, WHITE, waves, write_icon

GREY = (0x8A, 0x8F, 0x96)
DARK_GREY = (0x55, 0x5A, 0x61)
LIGHT_GREY = (0xC4, 0xC8, 0xCE)
GREEN = (0x2F, 0xB3, 0x44)


def information(x, y):
    """A blue disc with a white "i": a dot above a stem."""
    d = math.hypot(x - 0.5, y - 0.5)
    if d > 0.47:
        return None
    if math.hypot(x - 0.5, y - 0.28) < 0.08:
        return WHITE
    if abs(x - 0.5) < 0.07 and 0.41 < y < 0.78:
        return WHITE
    if 0.38 < x < 0.62 and 0.72 < y < 0.78:
        return WHITE
    return DARK_BLUE if d > 0.42 else BLUE


def tile(tile_colour, rim_colour, wave_colour, dot_colour, struck=False):
    """The program's tile in other colours, with a larger dot and two bolder arcs."""
    return waves(tile_colour, rim_colour, wave_colour, dot_colour, struck, dot=0.12,
                 radii=(0.32, 0.54), width=0.075)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    icons = {
        "TrayUnplugged.ico": (tile(GREY, DARK_GREY, LIGHT_GREY, DARK_GREY, struck=True),
                              (GREY, DARK_GREY, LIGHT_GREY, RED), 16),
        "TrayConnected.ico": (tile(BLUE, DARK_BLUE, WHITE, GREEN),
                              (BLUE, DARK_BLUE, WHITE, GREEN), 16),
        "TrayNoConnection.ico": (tile(BLUE, DARK_BLUE, LIGHT_GREY, RED),
                                 (BLUE, DARK_BLUE, LIGHT_GREY, RED), 16),
        "Readme.ico": (information, (BLUE, DARK_BLUE, WHITE), 32),
    }
    for name, (shade, colours, size) in icons.items():
        write_icon(os.path.join(here, name), shade, colours, (size,))


if __name__ == "__main__":
    main()
