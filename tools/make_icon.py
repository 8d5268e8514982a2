#!/usr/bin/env python3
"""Draws the game's desktop icon: the red ball rolling over a green floating
tile towards a gold coin, on a transparent background.

    python3 tools/make_icon.py              # writes data/icons/pembrix-{256,48}.png

The picture is described once in unit coordinates (x right, y down, 0..1) as
flat shapes lit by hand, and sampled on a grid of sub-pixels in every pixel, so
each size is antialiased by supersampling rather than scaled from the other.
Only the Python standard library is used; PNGs are written with zlib and struct,
as tools/make_models.py writes the textures.
"""

import math
import os
import struct
import sys
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
OUT = os.path.join(ROOT, "data", "icons")

# Sub-pixels per side: more at the small size, where every edge pixel counts.
SIZES = ((256, 5), (48, 10))

# ---------------------------------------------------------------- the scene

# The tile's top face, a rhombus seen from above and in front.
TOP = ((0.05, 0.60), (0.50, 0.40), (0.95, 0.60), (0.50, 0.80))
SLAB = 0.07  # thickness of the grass band below the top face
LEFT_SIDE = ((0.05, 0.60), (0.50, 0.80), (0.50, 0.80 + SLAB), (0.05, 0.60 + SLAB))
RIGHT_SIDE = ((0.50, 0.80), (0.95, 0.60), (0.95, 0.60 + SLAB), (0.50, 0.80 + SLAB))
# The rock under the tile narrows to a point, as the islands in the game do:
# four flat facets, lighter towards the light.
_L, _M, _R = (0.05, 0.60 + SLAB), (0.50, 0.80 + SLAB), (0.95, 0.60 + SLAB)
_A, _B, _TIP = (0.20, 0.80), (0.78, 0.815), (0.47, 0.975)
ROCK = (((_L, _M, _A), (128, 118, 110)), ((_A, _M, _TIP), (102, 94, 88)),
        ((_M, _B, _TIP), (70, 64, 61)), ((_M, _R, _B), (88, 81, 77)))

BALL_CENTRE, BALL_RADIUS = (0.37, 0.41), 0.225
COIN_CENTRE, COIN_RX, COIN_RY, COIN_DEPTH = (0.745, 0.445), 0.085, 0.125, 0.03
# Speed lines behind the ball, in its red fading away from it (so they show on
# light and dark panels alike): (y, x from, x to, half thickness).
STREAKS = ((0.33, 0.03, 0.12, 0.018), (0.43, 0.015, 0.105, 0.018), (0.53, 0.04, 0.11, 0.016))

LIGHT = (-0.45, -0.62, 0.64)  # from the upper left, in front


def normalize(v):
    n = math.sqrt(sum(c * c for c in v))
    return tuple(c / n for c in v)


LIGHT = normalize(LIGHT)
HALF = normalize((LIGHT[0], LIGHT[1], LIGHT[2] + 1.0))


def inside(p, polygon):
    """True when `p` lies in the convex `polygon` (either winding)."""
    sign = 0
    for i, a in enumerate(polygon):
        b = polygon[(i + 1) % len(polygon)]
        c = (b[0] - a[0]) * (p[1] - a[1]) - (b[1] - a[1]) * (p[0] - a[0])
        if c != 0:
            if sign and (c > 0) != (sign > 0):
                return False
            sign = c
    return True


def ellipse(p, centre, rx, ry):
    """Squared normalised distance from the centre: below 1 inside."""
    dx, dy = (p[0] - centre[0]) / rx, (p[1] - centre[1]) / ry
    return dx * dx + dy * dy


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def speckle(p, cells):
    """A fixed grain in 0..1 per cell, for the grass and rock texture."""
    h = (int(p[0] * cells) * 73856093) ^ (int(p[1] * cells) * 19349663)
    h = (h ^ (h >> 13)) * 1274126177
    return ((h ^ (h >> 16)) & 0xFFFF) / 0xFFFF


def grass_top(p):
    # Lighter towards the back, with a faint grain and the shadows of the ball and coin.
    depth = (p[1] - 0.40) / 0.40
    colour = mix((128, 204, 72), (84, 160, 46), depth)
    colour = mix(colour, (70, 140, 40), 0.18 * speckle(p, 22))
    ball_shadow = ellipse(p, (BALL_CENTRE[0] + 0.05, BALL_CENTRE[1] + BALL_RADIUS - 0.005), 0.19, 0.075)
    coin_shadow = ellipse(p, (COIN_CENTRE[0] + 0.04, COIN_CENTRE[1] + COIN_RY - 0.005), 0.085, 0.03)
    shade = 1.0
    for d, strength in ((ball_shadow, 0.5), (coin_shadow, 0.35)):
        if d < 1.0:
            shade *= 1.0 - strength * (1.0 - d) ** 0.6
    return tuple(c * shade for c in colour)


def coin(p):
    """The coin's gold face, its rim seen edge-on behind it, or None."""
    face = ellipse(p, COIN_CENTRE, COIN_RX, COIN_RY)
    if face < 1.0:
        r = math.sqrt(face)
        dx = (p[0] - COIN_CENTRE[0]) / COIN_RX
        dy = (p[1] - COIN_CENTRE[1]) / COIN_RY
        light = 0.8 + 0.35 * (-dx * 0.6 - dy * 0.8)
        gold = (250, 196, 40) if not 0.62 < r < 0.76 else (196, 128, 18)  # a raised ring
        if r > 0.9:
            gold = (255, 222, 110)  # the bevelled edge catches the light
        colour = tuple(min(255.0, c * light) for c in gold)
        glint = ellipse(p, (COIN_CENTRE[0] - 0.03, COIN_CENTRE[1] - 0.055), 0.018, 0.035)
        if glint < 1.0:
            colour = mix(colour, (255, 252, 230), 0.85 * (1.0 - glint))
        return colour
    back = (COIN_CENTRE[0] + COIN_DEPTH, COIN_CENTRE[1])
    between = COIN_CENTRE[0] <= p[0] <= back[0] and abs(p[1] - COIN_CENTRE[1]) < COIN_RY
    if ellipse(p, back, COIN_RX, COIN_RY) < 1.0 or between:
        return (168, 104, 14)
    return None


def ball(p):
    """The lit ball, or None outside it."""
    dx = (p[0] - BALL_CENTRE[0]) / BALL_RADIUS
    dy = (p[1] - BALL_CENTRE[1]) / BALL_RADIUS
    d2 = dx * dx + dy * dy
    if d2 >= 1.0:
        return None
    n = (dx, dy, math.sqrt(1.0 - d2))
    diffuse = max(0.0, sum(a * b for a, b in zip(n, LIGHT)))
    specular = max(0.0, sum(a * b for a, b in zip(n, HALF))) ** 60
    base = (222, 36, 28)
    colour = tuple(c * (0.32 + 0.75 * diffuse) for c in base)
    colour = mix(colour, (60, 150, 40), 0.18 * max(0.0, dy) ** 2)  # light bounced off the grass
    colour = mix(colour, (255, 255, 255), min(1.0, specular * 1.1))
    soft = ellipse(p, (BALL_CENTRE[0] - 0.075, BALL_CENTRE[1] - 0.09), 0.075, 0.05)  # the sky in it
    if soft < 1.0:
        colour = mix(colour, (255, 210, 205), 0.35 * (1.0 - soft))
    return colour


def streak(p):
    """(r, g, b, a) of a speed line, or None."""
    for y, x0, x1, half in STREAKS:
        x = min(max(p[0], x0), x1)
        if (p[0] - x) ** 2 + (p[1] - y) ** 2 < half * half:
            return (226, 70, 60, 0.35 + 0.6 * (x - x0) / (x1 - x0))
    return None


def sample(p):
    """(r, g, b, a) of one point, front to back: the first shape hit wins."""
    colour = ball(p)
    if colour:
        return colour + (1.0,)
    colour = coin(p)
    if colour:
        return colour + (1.0,)
    colour = streak(p)
    if colour:
        return colour
    if inside(p, TOP):
        return grass_top(p) + (1.0,)
    if inside(p, LEFT_SIDE):
        return ((78, 150, 44) if p[1] < 0.6 + SLAB * 0.6 + (p[0] - 0.05) * 0.444 else (120, 84, 50)) + (1.0,)
    if inside(p, RIGHT_SIDE):
        return ((58, 118, 34) if p[1] < 0.8 + SLAB * 0.6 - (p[0] - 0.5) * 0.444 else (92, 62, 38)) + (1.0,)
    for facet, colour in ROCK:
        if inside(p, facet):
            return colour + (1.0,)
    return (0.0, 0.0, 0.0, 0.0)


# ---------------------------------------------------------------- pixels and PNG


def render(size, subpixels):
    rows = []
    count = subpixels * subpixels
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0
            for sy in range(subpixels):
                for sx in range(subpixels):
                    p = ((px + (sx + 0.5) / subpixels) / size, (py + (sy + 0.5) / subpixels) / size)
                    cr, cg, cb, ca = sample(p)
                    r, g, b, a = r + cr * ca, g + cg * ca, b + cb * ca, a + ca
            if a > 0:
                # Averaged with premultiplied alpha, so edges do not darken.
                row.append((round(r / a), round(g / a), round(b / a), round(255 * a / count)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def write_png(path, width, height, pixels):
    """pixels: rows of (r, g, b, a) tuples in 0..255, top row first."""
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for rgba in row:
            raw += bytes(min(255, max(0, int(c))) for c in rgba)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def main():
    os.makedirs(OUT, exist_ok=True)
    for size, subpixels in SIZES:
        path = os.path.join(OUT, f"pembrix-{size}.png")
        write_png(path, size, size, render(size, subpixels))
        print(f"data/icons/pembrix-{size}.png ({size}x{size}, {subpixels}x{subpixels} samples a pixel)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
