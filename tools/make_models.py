#!/usr/bin/env python3
"""Writes the game's models: small OBJ files with MTL materials and PNG textures.

Everything is made here from seeded noise and simple solids, so the files can
be changed and made again:

    python3 tools/make_models.py            # writes into models/

Models (unit footprint -0.5..0.5 on x and z unless said otherwise; the level
file's size scales them):
    island.obj  floating rock with a grass top at y = 0.5 (static tiles)
    floe.obj    the same rock with a snow top
    raft.obj    convex plank raft with a flat top at y = 0.5 (moving tiles)
    gate.obj    end pad whose floor is at y = 0, with a gate standing over it
    pillar.obj  eight-sided column from y = -0.5 to 0.5 (supports, ruins)
    coin.obj    upright disc of radius 1 (coins are scaled down to 0.28)
    sun.obj     spiky star of radius 4, drawn unlit as the sun

Faces wind counter-clockwise seen from outside; every face is oriented away
from a point inside its solid before it is written, and the script checks the
result before writing: closed solids enclose a positive volume, a model stays
within the triangle budget, the walkable models fill the unit footprint and
stand at the height the level files expect, and every texture a material
names exists with power-of-two sides. Only the Python standard library is
used; PNGs are written with zlib and struct.
"""

import math
import os
import random
import struct
import sys
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
OUT = os.path.join(ROOT, "models")

# Every triangle is shaded per covered pixel on a software rasteriser.
TRIANGLE_BUDGET = 200
# Models the ball rolls on: (height of the walking surface, height up to which
# the solid must fill the -0.5..0.5 footprint). Tiles replace a box whose top
# is 0.5; the gate's floor is 0, below its beams.
WALKABLE = {"island": (0.5, 10), "floe": (0.5, 10), "raft": (0.5, 10), "pillar": (0.5, 10), "gate": (0.0, 1)}

# ---------------------------------------------------------------- vectors


def add(a, b):
    return (a[0] + b[0], a[1] + b[1], a[2] + b[2])


def sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def scale(a, s):
    return (a[0] * s, a[1] * s, a[2] * s)


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def length(a):
    return math.sqrt(dot(a, a))


def normalize(a):
    n = length(a)
    return scale(a, 1.0 / n) if n > 1e-12 else a


def polygon_normal(points):
    """Newell's normal of a planar polygon, pointing the way its winding turns."""
    n = [0.0, 0.0, 0.0]
    for i, p in enumerate(points):
        q = points[(i + 1) % len(points)]
        n[0] += (p[1] - q[1]) * (p[2] + q[2])
        n[1] += (p[2] - q[2]) * (p[0] + q[0])
        n[2] += (p[0] - q[0]) * (p[1] + q[1])
    return normalize(tuple(n))


def centroid(points):
    c = (0.0, 0.0, 0.0)
    for p in points:
        c = add(c, p)
    return scale(c, 1.0 / len(points))


# ---------------------------------------------------------------- OBJ writing


class ObjModel:
    """Polygons grouped by material; positions, uvs and normals shared by value."""

    def __init__(self, name, comment):
        self.name = name
        self.comment = comment
        self.positions, self.uvs, self.normals = [], [], []
        self.index = ({}, {}, {})
        self.groups = {}  # material -> list of faces; a face is a list of (v, vt, vn)
        self.closed_parts = []  # lists of faces that must enclose a positive volume

    def _ref(self, table, store, value):
        key = tuple(round(c, 5) + 0.0 for c in value)
        if key not in table:
            store.append(key)
            table[key] = len(store)
        return table[key]

    def face(self, material, points, uvs, inside, normals=None, part=None):
        """Adds one convex planar polygon, reversed if it faces `inside`.

        Without `normals` the face is flat shaded; given normals must lean the
        same way as the face."""
        points, uvs = list(points), list(uvs)
        normals = list(normals) if normals else None
        if dot(polygon_normal(points), sub(centroid(points), inside)) < 0:
            points.reverse()
            uvs.reverse()
            if normals:
                normals.reverse()
        flat = polygon_normal(points)
        corners = []
        for i, p in enumerate(points):
            n = normals[i] if normals else flat
            if dot(n, flat) <= 0:
                raise ValueError(f"{self.name}: a vertex normal points into its face")
            corners.append(
                (
                    self._ref(self.index[0], self.positions, p),
                    self._ref(self.index[1], self.uvs, uvs[i]),
                    self._ref(self.index[2], self.normals, normalize(n)),
                )
            )
        self.groups.setdefault(material, []).append(corners)
        if part is not None:
            part.append(points)

    def triangle_count(self):
        return sum(len(f) - 2 for faces in self.groups.values() for f in faces)

    def check(self, materials):
        if self.triangle_count() > TRIANGLE_BUDGET:
            raise ValueError(f"{self.name}: {self.triangle_count()} triangles, more than {TRIANGLE_BUDGET}")
        for material in self.groups:
            texture = materials[material][2]
            if texture and not is_power_of_two_png(os.path.join(OUT, texture)):
                raise ValueError(f"{self.name}: {texture} is missing or its sides are not powers of two")
        if self.name in WALKABLE:
            self.check_walkable(*WALKABLE[self.name])
        for part in self.closed_parts:
            volume = sum(
                dot(points[0], cross(points[i], points[i + 1])) / 6.0
                for points in part
                for i in range(1, len(points) - 1)
            )
            if volume <= 0:
                raise ValueError(f"{self.name}: a closed part winds inwards (volume {volume:.4f})")

    def check_walkable(self, top, ceiling):
        """Below `ceiling` the model spans the unit footprint and its highest upward face is at `top`."""
        low, high, highest = [math.inf, math.inf], [-math.inf, -math.inf], -math.inf
        for faces in self.groups.values():
            for face in faces:
                points = [self.positions[v - 1] for v, _, _ in face]
                for p in (p for p in points if p[1] <= ceiling):
                    low = [min(low[0], p[0]), min(low[1], p[2])]
                    high = [max(high[0], p[0]), max(high[1], p[2])]
                    if polygon_normal(points)[1] > 1e-6:
                        highest = max(highest, p[1])
        if any(abs(c + 0.5) > 1e-5 for c in low) or any(abs(c - 0.5) > 1e-5 for c in high):
            raise ValueError(f"{self.name}: footprint {low}..{high}, not -0.5..0.5")
        if abs(highest - top) > 1e-5:
            raise ValueError(f"{self.name}: walking surface at {highest}, not {top}")

    def write(self, materials):
        self.check(materials)
        lines = [f"# {line}".rstrip() for line in self.comment.strip().splitlines()]
        lines.append(f"# Written by tools/make_models.py; {self.triangle_count()} triangles.")
        lines.append(f"mtllib {self.name}.mtl")
        lines.append(f"o {self.name}")
        lines += [f"v {fmt(p)}" for p in self.positions]
        lines += [f"vt {fmt(t)}" for t in self.uvs]
        lines += [f"vn {fmt(n)}" for n in self.normals]
        for material, faces in self.groups.items():
            lines.append(f"usemtl {material}")
            for face in faces:
                lines.append("f " + " ".join(f"{v}/{t}/{n}" for v, t, n in face))
        write_text(f"{self.name}.obj", "\n".join(lines) + "\n")
        mtl = [f"# Materials of {self.name}.obj, written by tools/make_models.py."]
        for material in self.groups:
            kd, ns, texture = materials[material]
            mtl += ["", f"newmtl {material}", "Ka 0.1 0.1 0.1", f"Kd {fmt(kd)}", "Ks 0.2 0.2 0.2", f"Ns {ns}"]
            if texture:
                mtl.append(f"map_Kd {texture}")
        write_text(f"{self.name}.mtl", "\n".join(mtl) + "\n")
        return self.triangle_count()


def fmt(values):
    def number(v):
        text = f"{v:.5f}".rstrip("0").rstrip(".")
        return "0" if text in ("-0", "") else text

    return " ".join(number(v) for v in values)


def write_text(name, text):
    with open(os.path.join(OUT, name), "w", newline="\n") as f:
        f.write(text)


# ---------------------------------------------------------------- PNG writing and noise


def write_png(name, width, height, pixels):
    """pixels: rows of (r, g, b) tuples in 0..255, top row first."""
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for r, g, b in row:
            raw += bytes((r, g, b))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(png)


def is_power_of_two_png(path):
    if not os.path.isfile(path):
        return False
    with open(path, "rb") as f:
        width, height = struct.unpack(">II", f.read(24)[16:24])
    return width > 0 and height > 0 and width & (width - 1) == 0 and height & (height - 1) == 0


class TileableNoise:
    """Value noise on a lattice that wraps every `period` cells, so textures tile."""

    def __init__(self, seed):
        rng = random.Random(seed)
        self.table = [rng.random() for _ in range(256 * 256)]

    def lattice(self, x, y, period):
        return self.table[(x % period) * 256 + (y % period)]

    def value(self, u, v, period):
        x, y = u * period, v * period
        x0, y0 = math.floor(x), math.floor(y)
        fx, fy = x - x0, y - y0
        fx, fy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
        a = self.lattice(x0, y0, period)
        b = self.lattice(x0 + 1, y0, period)
        c = self.lattice(x0, y0 + 1, period)
        d = self.lattice(x0 + 1, y0 + 1, period)
        return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy

    def fbm(self, u, v, period, octaves):
        total, amplitude, norm = 0.0, 1.0, 0.0
        for _ in range(octaves):
            total += self.value(u, v, period) * amplitude
            norm += amplitude
            amplitude *= 0.5
            period *= 2
        return total / norm


def clamp_byte(x):
    return max(0, min(255, int(round(x))))


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def texture(name, size, shade):
    """Writes a size x size texture whose texel at (u, v) in 0..1 is shade(u, v)."""
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            c = shade((x + 0.5) / size, (y + 0.5) / size)
            row.append(tuple(clamp_byte(ch * 255) for ch in c))
        rows.append(row)
    write_png(name, size, size, rows)


def grass_texel(noise):
    def shade(u, v):
        broad = noise.fbm(u, v, 4, 3)
        blades = noise.value(u * 1.0, v * 1.0, 64)
        c = mix((0.24, 0.46, 0.12), (0.47, 0.70, 0.22), broad)
        c = mix(c, (0.60, 0.80, 0.30), max(0.0, blades - 0.75) * 2.0)
        flower = noise.value(u + 0.37, v + 0.61, 32)
        if flower > 0.93:
            c = mix(c, (0.98, 0.92, 0.55), 0.7)
        return c

    return shade


def snow_texel(noise):
    def shade(u, v):
        n = noise.fbm(u, v, 4, 4)
        sparkle = noise.value(u, v, 64)
        c = mix((0.80, 0.85, 0.93), (0.97, 0.98, 1.0), n)
        if sparkle > 0.9:
            c = (1.0, 1.0, 1.0)
        return c

    return shade


def rock_texel(noise):
    def shade(u, v):
        n = noise.fbm(u, v, 4, 4)
        crack = abs(noise.fbm(u + 0.5, v * 0.5, 6, 2) - 0.5)
        c = mix((0.33, 0.28, 0.24), (0.62, 0.56, 0.48), n)
        c = mix(c, (0.18, 0.15, 0.13), max(0.0, 0.06 - crack) * 12.0)
        strata = 0.5 + 0.5 * math.sin((v + 0.08 * n) * math.pi * 12)
        return mix(c, scale(c, 0.85), strata * 0.4)

    return shade


def planks_texel(noise):
    def shade(u, v):
        plank = math.floor(u * 5)
        local = u * 5 - plank
        tone = 0.85 + 0.3 * noise.lattice(plank, 7, 64)
        grain = noise.fbm(u * 0.25 + plank * 0.13, v, 8, 3)
        ring = 0.5 + 0.5 * math.sin((grain * 6 + local * 1.5) * math.pi * 2)
        c = mix((0.45, 0.29, 0.15), (0.66, 0.46, 0.26), ring * 0.6 + grain * 0.4)
        c = scale(c, tone)
        if local < 0.06 or local > 0.94:  # the gap between planks
            c = scale(c, 0.45)
        nail_u, nail_v = local - 0.5, (v * 2) % 1.0
        for centre in (0.12, 0.88):
            if abs(nail_v - centre) < 0.03 and abs(abs(nail_u) - 0.3) < 0.04:
                c = (0.25, 0.24, 0.23)
        return c

    return shade


def jade_texel(noise):
    def shade(u, v):
        n = noise.fbm(u, v, 4, 4)
        vein = abs(math.sin((u * 2 + v + n * 1.6) * math.pi * 2))
        c = mix((0.72, 0.74, 0.70), (0.98, 0.98, 0.95), n)
        c = mix(c, (0.55, 0.58, 0.55), max(0.0, 0.15 - vein) * 4.0)
        border = min(u, v, 1 - u, 1 - v)
        if border < 0.04:
            c = scale(c, 0.7)
        return c

    return shade


def sandstone_texel(noise):
    def shade(u, v):
        row = math.floor(v * 4)
        shifted = u * 2 + (0.5 if row % 2 else 0.0)
        col = math.floor(shifted)
        lu, lv = shifted - col, v * 4 - row
        n = noise.fbm(u, v, 8, 3)
        tone = 0.85 + 0.25 * noise.lattice(col * 3 + row, 11, 64)
        c = scale(mix((0.66, 0.52, 0.38), (0.86, 0.72, 0.52), n), tone)
        if lu < 0.04 or lu > 0.96 or lv < 0.06 or lv > 0.94:  # mortar
            c = (0.42, 0.35, 0.28)
        return c

    return shade


def coin_texel(noise):
    """A star on a raised face with a rim; light and neutral, the coin tints it gold."""

    def shade(u, v):
        x, y = u * 2 - 1, v * 2 - 1
        r = math.hypot(x, y)
        angle = math.atan2(y, x) + math.pi / 2
        star = 0.42 + 0.2 * math.cos(5 * angle)
        n = noise.fbm(u, v, 8, 2) * 0.1
        if r > 0.86:
            return (0.80 + n, 0.80 + n, 0.80 + n)
        if r > 0.80:
            return (0.55, 0.55, 0.55)
        if r < star:
            light = 1.0 - 0.25 * max(0.0, (x + y) * 0.5)
            return (light, light, light)
        return (0.68 + n, 0.68 + n, 0.68 + n)

    return shade


# ---------------------------------------------------------------- solids


def ring(count, radius, y, jitter, rng, start=0.0, squash=1.0):
    pts = []
    for i in range(count):
        a = start + 2 * math.pi * i / count
        r = radius * (1 + rng.uniform(-jitter, jitter))
        pts.append((math.cos(a) * r, y + rng.uniform(-jitter, jitter) * 0.3, math.sin(a) * r * squash))
    return pts


def square_ring(y, half=0.5):
    """Eight points around a square: corners and edge midpoints, from +x counter-clockwise seen from above."""
    h = half
    return [(h, y, 0), (h, y, -h), (0, y, -h), (-h, y, -h), (-h, y, 0), (-h, y, h), (0, y, h), (h, y, h)]


def band(model, material, upper, lower, inside_axis_y, u_repeat, v_top, v_bottom, part, smooth=False):
    """Quads between two rings of equal length, facing away from the y axis."""
    count = len(upper)
    for i in range(count):
        j = (i + 1) % count
        quad = [upper[i], upper[j], lower[j], lower[i]]
        u0, u1 = i / count * u_repeat, (i + 1) / count * u_repeat
        uvs = [(u0, v_top), (u1, v_top), (u1, v_bottom), (u0, v_bottom)]
        inside = (0.0, inside_axis_y(quad), 0.0)
        normals = None
        if smooth:
            normals = [normalize((p[0], 0.0, p[2])) for p in quad]
        model.face(material, quad, uvs, inside, normals, part)


def make_island(name="island", top="grass", top_texture="grass.png"):
    rng = random.Random(11)
    model = ObjModel(
        name,
        f"""Floating island: a flat {top} top filling -0.5..0.5 at y = 0.5 (one polygon,
so the ball rolls without seams), a {top} edge down to y = 0.38, and a
jagged rock cone hanging down to y = -0.5. Flat shaded.""",
    )
    part = []
    # The top is the square with its edge midpoints, the same eight points as
    # the rim below it, so no edge ends in the middle of another.
    rim_top = square_ring(0.5)
    model.face(top, rim_top, [(p[0] * 3 + 1.5, -p[2] * 3 + 1.5) for p in rim_top], (0, 0, 0), part=part)
    rim = square_ring(0.38)
    band(model, top, rim_top, rim, lambda q: 0.44, 8, 0.12, 0.0, part)
    # The rings below follow the square ring's directions so the quads stay convex.
    waist = [scale_xz(norm_xz(r), 0.44 + rng.uniform(-0.04, 0.04), 0.1 + rng.uniform(-0.04, 0.04)) for r in rim]
    belly = [scale_xz(norm_xz(r), 0.26 + rng.uniform(-0.05, 0.05), -0.22 + rng.uniform(-0.05, 0.05)) for r in rim]
    band(model, "rock", rim, waist, lambda q: 0.2, 4, 1.0, 0.6, part)
    band(model, "rock", waist, belly, lambda q: -0.05, 4, 0.6, 0.25, part)
    tip = (0.04, -0.5, -0.03)
    for i in range(8):
        j = (i + 1) % 8
        tri = [belly[i], belly[j], tip]
        model.face("rock", tri, [(i / 2, 0.25), ((i + 1) / 2, 0.25), (i / 2 + 0.25, 0.0)], (0, -0.25, 0), part=part)
    model.closed_parts.append(part)
    return model.write({top: ((1, 1, 1), 12, top_texture), "rock": ((1, 1, 1), 8, "rock.png")})


def make_floe():
    return make_island("floe", "snow", "snow.png")


def norm_xz(p):
    d = math.hypot(p[0], p[2])
    return (p[0] / d, 0.0, p[2] / d)


def scale_xz(direction, radius, y):
    return (direction[0] * radius, y, direction[2] * radius)


def box_faces(model, material, lo, hi, part, uv_scale=1.0):
    """An axis-aligned box; each face mapped by the two axes it spans."""
    x0, y0, z0 = lo
    x1, y1, z1 = hi
    inside = centroid([lo, hi])
    faces = [
        [(x0, y1, z0), (x1, y1, z0), (x1, y1, z1), (x0, y1, z1)],
        [(x0, y0, z0), (x1, y0, z0), (x1, y0, z1), (x0, y0, z1)],
        [(x0, y0, z1), (x1, y0, z1), (x1, y1, z1), (x0, y1, z1)],
        [(x0, y0, z0), (x1, y0, z0), (x1, y1, z0), (x0, y1, z0)],
        [(x1, y0, z0), (x1, y0, z1), (x1, y1, z1), (x1, y1, z0)],
        [(x0, y0, z0), (x0, y0, z1), (x0, y1, z1), (x0, y1, z0)],
    ]
    for f in faces:
        n = polygon_normal(f)
        if abs(n[1]) > 0.5:
            uvs = [(p[0] * uv_scale, p[2] * uv_scale) for p in f]
        elif abs(n[0]) > 0.5:
            uvs = [(p[2] * uv_scale, p[1] * uv_scale) for p in f]
        else:
            uvs = [(p[0] * uv_scale, p[1] * uv_scale) for p in f]
        model.face(material, f, uvs, inside, part=part)


def make_raft():
    model = ObjModel(
        "raft",
        """Plank raft for moving tiles: a flat top filling -0.5..0.5 at y = 0.5 and a
hull tapering to -0.4..0.4 at y = -0.5. Convex, so its convex hull collision
is exactly what is drawn.""",
    )
    part = []
    top = [(0.5, 0.5, 0.5), (0.5, 0.5, -0.5), (-0.5, 0.5, -0.5), (-0.5, 0.5, 0.5)]
    model.face("planks", top, [(p[0] + 0.5, -p[2] + 0.5) for p in top], (0, 0, 0), part=part)
    upper = [(0.5, 0.5, -0.5), (-0.5, 0.5, -0.5), (-0.5, 0.5, 0.5), (0.5, 0.5, 0.5)]
    middle = [(x, 0.1, z) for x, _, z in upper]
    lower = [(x * 0.8, -0.5, z * 0.8) for x, _, z in upper]
    for rings in ((upper, middle, 0.5, 0.3), (middle, lower, 0.3, 0.0)):
        a, b, v0, v1 = rings
        for i in range(4):
            j = (i + 1) % 4
            quad = [a[i], a[j], b[j], b[i]]
            uvs = [(0.0, v0), (1.0, v0), (1.0, v1), (0.0, v1)]
            model.face("planks", quad, uvs, (0, 0, 0), part=part)
    bottom = list(lower)
    model.face("planks", bottom, [(p[0] + 0.5, p[2] + 0.5) for p in bottom], (0, 0, 0), part=part)
    model.closed_parts.append(part)
    return model.write({"planks": ((1, 1, 1), 20, "planks.png")})


def make_gate():
    model = ObjModel(
        "gate",
        """End pad with a gate: the floor is the square -0.5..0.5 at y = 0 (so a ball
resting on it sits well inside the end box), the pad tapers down to y = -0.5,
and two columns at x = +-0.42 carry two beams up to y = 2.3. The ball rolls
through the gate along z.""",
    )
    pad = []
    top = [(0.5, 0.0, 0.5), (0.5, 0.0, -0.5), (-0.5, 0.0, -0.5), (-0.5, 0.0, 0.5)]
    model.face("jade", top, [(p[0] * 2 + 1, -p[2] * 2 + 1) for p in top], (0, -0.2, 0), part=pad)
    upper = [(0.5, 0.0, -0.5), (-0.5, 0.0, -0.5), (-0.5, 0.0, 0.5), (0.5, 0.0, 0.5)]
    lower = [(x * 0.75, -0.5, z * 0.75) for x, _, z in upper]
    for i in range(4):
        j = (i + 1) % 4
        model.face("jade", [upper[i], upper[j], lower[j], lower[i]],
                   [(0, 1), (2, 1), (2, 0), (0, 0)], (0, -0.2, 0), part=pad)
    model.face("jade", lower, [(p[0] + 0.5, p[2] + 0.5) for p in lower], (0, -0.2, 0), part=pad)
    model.closed_parts.append(pad)
    for side in (-1, 1):
        column = []
        x = side * 0.42
        box_faces(model, "jade", (x - 0.05, 0.0, -0.05), (x + 0.05, 1.9, 0.05), column, 2.0)
        model.closed_parts.append(column)
    lintel = []
    box_faces(model, "jade", (-0.58, 2.12, -0.07), (0.58, 2.3, 0.07), lintel, 2.0)
    model.closed_parts.append(lintel)
    tie = []
    box_faces(model, "jade", (-0.47, 1.72, -0.04), (0.47, 1.82, 0.04), tie, 2.0)
    model.closed_parts.append(tie)
    return model.write({"jade": ((1, 1, 1), 48, "jade.png")})


def make_pillar():
    model = ObjModel(
        "pillar",
        """Column from y = -0.5 to 0.5: a square capital 1 across on an eight-sided,
smooth-shaded shaft 0.7 across whose foot flares steeply to 1 across. The
foot has no ledge, so a falling ball slides off it instead of coming to rest
at the bottom of a column.""",
    )
    cap, column = [], []
    box_faces(model, "sandstone", (-0.5, 0.44, -0.5), (0.5, 0.5, 0.5), cap)
    model.closed_parts.append(cap)
    rng = random.Random(5)
    foot = ring(8, 0.5 / math.cos(math.pi / 8), -0.5, 0.0, rng, start=math.pi / 8)
    lower = ring(8, 0.35, -0.36, 0.0, rng, start=math.pi / 8)
    upper = ring(8, 0.35, 0.44, 0.0, rng, start=math.pi / 8)
    band(model, "sandstone", lower, foot, lambda q: -0.45, 2, 0.14, 0.0, column)
    band(model, "sandstone", upper, lower, lambda q: 0.0, 2, 3.0, 0.14, column, smooth=True)
    model.face("sandstone", foot, [(p[0] + 0.5, p[2] + 0.5) for p in foot], (0, 0, 0), part=column)
    return model.write({"sandstone": ((1, 1, 1), 10, "sandstone.png")})


def make_coin():
    model = ObjModel(
        "coin",
        """Coin: an upright sixteen-sided disc of radius 1 facing +z and -z, 0.3
thick, with a smooth rim. The level scales it to 0.28 and spins it about y.""",
    )
    part = []
    count = 16
    front, back = [], []
    for i in range(count):
        a = 2 * math.pi * i / count
        front.append((math.cos(a), math.sin(a), 0.15))
        back.append((math.cos(a), math.sin(a), -0.15))
    model.face("gold", front, [(p[0] * 0.5 + 0.5, p[1] * 0.5 + 0.5) for p in front], (0, 0, 0), part=part)
    model.face("gold", back, [(0.5 - p[0] * 0.5, p[1] * 0.5 + 0.5) for p in back], (0, 0, 0), part=part)
    for i in range(count):
        j = (i + 1) % count
        quad = [front[i], front[j], back[j], back[i]]
        normals = [normalize((p[0], p[1], 0.0)) for p in quad]
        uvs = [(0.97, 0.5), (0.97, 0.55), (0.99, 0.55), (0.99, 0.5)]
        model.face("gold", quad, uvs, (0, 0, 0), normals, part)
    model.closed_parts.append(part)
    return model.write({"gold": ((1, 1, 1), 64, "coin.png")})


def make_sun():
    model = ObjModel(
        "sun",
        """Sun: a once-subdivided icosahedron of radius 2.5 with a spike of length 1.5
over each of its twelve corners. It is drawn unlit in one colour, so only its
outline shows: a star burst.""",
    )
    t = (1 + math.sqrt(5)) / 2
    corners = [normalize(p) for p in [
        (-1, t, 0), (1, t, 0), (-1, -t, 0), (1, -t, 0), (0, -1, t), (0, 1, t),
        (0, -1, -t), (0, 1, -t), (t, 0, -1), (t, 0, 1), (-t, 0, -1), (-t, 0, 1)]]
    faces = [(0, 11, 5), (0, 5, 1), (0, 1, 7), (0, 7, 10), (0, 10, 11), (1, 5, 9), (5, 11, 4), (11, 10, 2),
             (10, 7, 6), (7, 1, 8), (3, 9, 4), (3, 4, 2), (3, 2, 6), (3, 6, 8), (3, 8, 9), (4, 9, 5),
             (2, 4, 11), (6, 2, 10), (8, 6, 7), (9, 8, 1)]
    radius = 2.5
    core = []
    for a, b, c in faces:
        pa, pb, pc = corners[a], corners[b], corners[c]
        ab, bc, ca = normalize(add(pa, pb)), normalize(add(pb, pc)), normalize(add(pc, pa))
        for tri in ((pa, ab, ca), (ab, pb, bc), (ca, bc, pc), (ab, bc, ca)):
            pts = [scale(p, radius) for p in tri]
            model.face("sun", pts, [(0.5, 0.5)] * 3, (0, 0, 0), list(tri), core)
    model.closed_parts.append(core)
    for direction in corners:
        helper = (0, 1, 0) if abs(direction[1]) < 0.9 else (1, 0, 0)
        u = normalize(cross(direction, helper))
        w = cross(direction, u)
        base_centre = scale(direction, radius * 0.9)
        base = [add(base_centre, add(scale(u, 0.55 * math.cos(a)), scale(w, 0.55 * math.sin(a))))
                for a in (0, math.pi / 2, math.pi, 3 * math.pi / 2)]
        tip = scale(direction, radius + 1.5)
        for i in range(4):
            tri = [base[i], base[(i + 1) % 4], tip]
            model.face("sun", tri, [(0.5, 0.5)] * 3, base_centre, None)
    return model.write({"sun": ((1.0, 0.9, 0.5), 1, None)})


def main():
    os.makedirs(OUT, exist_ok=True)
    textures = [
        ("grass.png", 128, grass_texel(TileableNoise(1))),
        ("rock.png", 128, rock_texel(TileableNoise(2))),
        ("snow.png", 128, snow_texel(TileableNoise(7))),
        ("planks.png", 128, planks_texel(TileableNoise(3))),
        ("jade.png", 128, jade_texel(TileableNoise(4))),
        ("sandstone.png", 128, sandstone_texel(TileableNoise(5))),
        ("coin.png", 64, coin_texel(TileableNoise(6))),
    ]
    for name, size, shade in textures:
        texture(name, size, shade)
        print(f"models/{name} ({size}x{size})")
    for make in (make_island, make_floe, make_raft, make_gate, make_pillar, make_coin, make_sun):
        triangles = make()
        print(f"models/{make.__name__[5:]}.obj ({triangles} triangles)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
