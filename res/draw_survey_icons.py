#!/usr/bin/env python3
"""Draws the Site Survey list's icons beside itself, in the depths of draw_icon.py at
16 x 16 (the list's size):

- Ap80211b.ico: an 802.11b access point: a green box with an antenna sending waves;
- Ap80211g.ico: an 802.11g or 802.11a access point: the same in blue;
- Peer.ico: an ad-hoc network: two screens side by side joined by a link;
- Ap80211bInUse.ico, Ap80211gInUse.ico, PeerInUse.ico: each with the green in-use tick of
  the Profile Manager's profile in use.
"""
import math
import os

from draw_icon import WHITE, write_icon
from draw_profile_art import ticked

# The list's image list holds 16 colours, which Windows maps to its standard palette:
# the colours are drawn from that palette, so that they stay what they are.
GREEN = (0x00, 0x80, 0x00)
BLUE = (0x00, 0x00, 0xFF)
DARK_BLUE = (0x00, 0x00, 0x80)
DARK = (0x00, 0x00, 0x00)
SCREEN = (0x00, 0xFF, 0xFF)
LINK = (0xFF, 0x00, 0x00)


def access_point(box, edge):
    """A box of colour `box` with an `edge`, two lights, an antenna and two waves."""

    def shade(x, y):
        if 0.12 < x < 0.88 and 0.60 < y < 0.88:
            if x < 0.17 or x > 0.83 or y < 0.65 or y > 0.83:
                return edge
            if 0.66 < y < 0.78 and (0.22 < x < 0.30 or 0.36 < x < 0.44):
                return WHITE
            return box
        if 0.25 < x < 0.33 and 0.16 < y < 0.60:
            return DARK
        d = math.hypot(x - 0.29, y - 0.18)
        if x > 0.36 and y < 0.50:
            for radius in (0.22, 0.40):
                if abs(d - radius) < 0.04:
                    return edge
        return None

    return shade


def screen(x, y, left, top):
    """A small monitor with its top left corner at (left, top); None beside it."""
    if left < x < left + 0.40 and top < y < top + 0.30:
        if x < left + 0.05 or x > left + 0.35 or y < top + 0.05 or y > top + 0.25:
            return DARK
        return SCREEN
    if left + 0.14 < x < left + 0.26 and top + 0.30 <= y < top + 0.38:
        return DARK
    return None


def peers(x, y):
    """Two screens, the second lower and to the right, joined by a red link."""
    for left, top in ((0.06, 0.14), (0.54, 0.46)):
        colour = screen(x, y, left, top)
        if colour:
            return colour
    if abs((x - 0.46) - (y - 0.30) * 0.5) < 0.05 and 0.42 < x < 0.58 and 0.28 < y < 0.62:
        return LINK
    return None


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap_b = access_point(GREEN, DARK)
    ap_g = access_point(BLUE, DARK_BLUE)
    ap_colours = (DARK, WHITE, GREEN, BLUE, DARK_BLUE)
    peer_colours = (DARK, SCREEN, LINK, WHITE, GREEN)
    write_icon(os.path.join(here, "Ap80211b.ico"), ap_b, ap_colours, (16,))
    write_icon(os.path.join(here, "Ap80211bInUse.ico"), ticked(ap_b), ap_colours, (16,))
    write_icon(os.path.join(here, "Ap80211g.ico"), ap_g, ap_colours, (16,))
    write_icon(os.path.join(here, "Ap80211gInUse.ico"), ticked(ap_g), ap_colours, (16,))
    write_icon(os.path.join(here, "Peer.ico"), peers, peer_colours, (16,))
    write_icon(os.path.join(here, "PeerInUse.ico"), ticked(peers), peer_colours, (16,))


if __name__ == "__main__":
    main()
