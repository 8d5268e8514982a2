#!/usr/bin/env python3
"""Reference values for the noise and texture tests, made without the game's code.

Implements Ken Perlin's improved noise (2002) as published (Java reference:
doubled permutation table, fade 6t^5-15t^4+10t^3, 16-case gradient selection)
in double precision, the fractal sums and cellular noise built on it, and the
texture recipes, then prints C++ table rows for tests/unit.

Texels are only reported where the double-precision result is far from every
truncation step and from every threshold of the recipe, so the game's single
precision must give exactly the same bytes there.

Usage: python3 tools/texture_reference.py
"""

import math

PERMUTATION = [
    151, 160, 137, 91, 90, 15, 131, 13, 201, 95, 96, 53, 194, 233, 7, 225, 140, 36, 103, 30, 69, 142, 8, 99, 37,
    240, 21, 10, 23, 190, 6, 148, 247, 120, 234, 75, 0, 26, 197, 62, 94, 252, 219, 203, 117, 35, 11, 32, 57, 177,
    33, 88, 237, 149, 56, 87, 174, 20, 125, 136, 171, 168, 68, 175, 74, 165, 71, 134, 139, 48, 27, 166, 77, 146,
    158, 231, 83, 111, 229, 122, 60, 211, 133, 230, 220, 105, 92, 41, 55, 46, 245, 40, 244, 102, 143, 54, 65, 25,
    63, 161, 1, 216, 80, 73, 209, 76, 132, 187, 208, 89, 18, 169, 200, 196, 135, 130, 116, 188, 159, 86, 164, 100,
    109, 198, 173, 186, 3, 64, 52, 217, 226, 250, 124, 123, 5, 202, 38, 147, 118, 126, 255, 82, 85, 212, 207, 206,
    59, 227, 47, 16, 58, 17, 182, 189, 28, 42, 223, 183, 170, 213, 119, 248, 152, 2, 44, 154, 163, 70, 221, 153,
    101, 155, 167, 43, 172, 9, 129, 22, 39, 253, 19, 98, 108, 110, 79, 113, 224, 232, 178, 185, 112, 104, 218, 246,
    97, 228, 251, 34, 242, 193, 238, 210, 144, 12, 191, 179, 162, 241, 81, 51, 145, 235, 249, 14, 239, 107, 49, 192,
    214, 31, 181, 199, 106, 157, 184, 84, 204, 176, 115, 121, 50, 45, 127, 4, 150, 254, 138, 236, 205, 93, 222, 114,
    67, 29, 24, 72, 243, 141, 128, 195, 78, 66, 215, 61, 156, 180,
]
assert sorted(PERMUTATION) == list(range(256)), "not a permutation"
P = PERMUTATION + PERMUTATION


def fade(t):
    return t * t * t * (t * (t * 6 - 15) + 10)


def lerp(t, a, b):
    return a + t * (b - a)


def grad(hash_value, x, y, z):
    h = hash_value & 15
    u = x if h < 8 else y
    if h < 4:
        v = y
    elif h in (12, 14):
        v = x
    else:
        v = z
    return (u if h & 1 == 0 else -u) + (v if h & 2 == 0 else -v)


def noise(x, y, z):
    X = math.floor(x) & 255
    Y = math.floor(y) & 255
    Z = math.floor(z) & 255
    x -= math.floor(x)
    y -= math.floor(y)
    z -= math.floor(z)
    u, v, w = fade(x), fade(y), fade(z)
    A = P[X] + Y
    AA = P[A] + Z
    AB = P[A + 1] + Z
    B = P[X + 1] + Y
    BA = P[B] + Z
    BB = P[B + 1] + Z
    return lerp(w,
                lerp(v, lerp(u, grad(P[AA], x, y, z), grad(P[BA], x - 1, y, z)),
                     lerp(u, grad(P[AB], x, y - 1, z), grad(P[BB], x - 1, y - 1, z))),
                lerp(v, lerp(u, grad(P[AA + 1], x, y, z - 1), grad(P[BA + 1], x - 1, y, z - 1)),
                     lerp(u, grad(P[AB + 1], x, y - 1, z - 1), grad(P[BB + 1], x - 1, y - 1, z - 1))))


def fbm(x, y, z, octaves, persistence, lacunarity):
    total, weights, a, f = 0.0, 0.0, 1.0, 1.0
    for _ in range(octaves):
        total += noise(f * x, f * y, f * z) * a
        weights += a
        a *= persistence
        f *= lacunarity
    return total / weights


def turbulence(x, y, z, octaves):
    total, weights, a, f = 0.0, 0.0, 1.0, 1.0
    for _ in range(octaves):
        total += abs(noise(f * x, f * y, f * z)) * a
        weights += a
        a *= 0.5
        f *= 2.0
    return total / weights


def feature_point(i, j):
    # Python's % is the mathematical modulo: the same as keeping the low 8 bits.
    return (i + PERMUTATION[(PERMUTATION[j % 256] + i) % 256] / 255,
            j + PERMUTATION[(PERMUTATION[i % 256] + j + 37) % 256] / 255)


def cellular(x, y):
    ix, iy = math.floor(x), math.floor(y)
    best = 1e10
    for j in range(iy - 1, iy + 2):
        for i in range(ix - 1, ix + 2):
            fx, fy = feature_point(i, j)
            best = min(best, math.hypot(fx - x, fy - y))
    return min(max(best, 0.0), 1.0)


# --- texture recipes -------------------------------------------------------

class Ambiguous(Exception):
    """The double result is too close to a threshold to predict the float one."""


MARGIN = 1e-4


def check_away(value, threshold):
    if abs(value - threshold) < MARGIN:
        raise Ambiguous()


def clamp01(c):
    return min(max(c, 0.0), 1.0)


def smooth(c):
    return c * c * (3 - 2 * c)


def mix(a, b, k):
    return tuple(ai + (bi - ai) * k for ai, bi in zip(a, b))


def two_band(t, low, mid, high):
    check_away(t, 0.5)
    if t < 0.5:
        return mix(low, mid, clamp01(2 * t))
    return mix(mid, high, clamp01(2 * (t - 0.5)))


def grey(g):
    return (g, g, g)


def stone_albedo(x, y):
    u, v = x / 64, y / 64
    t = fbm(u, v, 0.3, 6, 0.5, 2) * 0.5 + 0.5
    colour = two_band(t, (0.30, 0.28, 0.26), (0.52, 0.51, 0.49), (0.72, 0.71, 0.70))
    speckle = fbm(4 * u, 4 * v, 1.7, 3, 0.4, 2)
    check_away(speckle, -0.35)
    if speckle < -0.35:
        colour = tuple(c * 0.75 for c in colour)
    return colour


def wood_rings(x, y):
    u, v = x / 64, y / 64
    ring = (turbulence(2 * u, 2 * v, 0.5, 5) * 5 + u) * 4
    r = math.fmod(ring, 1.0)
    check_away(r, 0.0)
    check_away(r, 1.0)
    return r


def wood_albedo(x, y):
    u, v = x / 64, y / 64
    w = clamp01(wood_rings(x, y) + fbm(6 * u, 0.5 * v, 0.8, 4, 0.5, 2) * 0.3)
    return mix((0.45, 0.25, 0.08), (0.87, 0.64, 0.31), w)


def marble_wave(x, y):
    u, v = x / 64, y / 64
    return math.sin((turbulence(u, v, 0, 6) * 3.5 + 3 * u) * 3.14159)


def marble_albedo(x, y):
    m = (marble_wave(x, y) + 1) * 0.5
    return two_band(m, (0.20, 0.18, 0.20), (0.55, 0.50, 0.48), (0.92, 0.90, 0.88))


def cobblestone_albedo(x, y):
    u, v = x / 42, y / 42
    c = cellular(u, v)
    check_away(c, 0.06)
    if c >= 0.06:
        k = clamp01(fbm(3 * u, 3 * v, 0.7, 4, 0.5, 2) * 0.12 + c * 1.3)
        return mix((0.58, 0.54, 0.48), (0.72, 0.68, 0.60), k)
    return (0.18, 0.16, 0.14)


def dirt_albedo(x, y):
    u, v = x / 64, y / 64
    t = clamp01((fbm(u, v, 0.9, 6, 0.55, 2) * 0.5 + 0.5) * 0.8 + cellular(6 * u, 6 * v) * 0.2)
    return two_band(t, (0.28, 0.18, 0.08), (0.48, 0.34, 0.16), (0.62, 0.48, 0.28))


def ice_albedo(x, y):
    u, v = x / 80, y / 80
    s = clamp01(smooth(clamp01(turbulence(3 * u, 3 * v, 1.1, 4) / 0.08)))
    b = clamp01(fbm(u, v, 0.4, 3, 0.6, 2) * 0.5 + 0.5)
    base = (0.55 + 0.33 * b, 0.72 + 0.20 * b, 0.90 + 0.08 * b)
    return mix((0.30, 0.45, 0.70), base, s)


def stone_specular(x, y):
    return grey((fbm(x / 48, y / 48, 2.1, 4, 0.5, 2) * 0.5 + 0.5) * 0.18 + 0.04)


def wood_specular(x, y):
    q = 1 - 2 * abs(wood_rings(x, y) - 0.5)
    return grey(q * q * 0.55 + 0.05)


def marble_specular(x, y):
    return grey((marble_wave(x, y) * 0.5 + 0.5) * 0.55 + 0.25)


def cobblestone_specular(x, y):
    c = cellular(x / 42, y / 42)
    check_away(c, 0.06)
    return grey(c * 0.3 + 0.1 if c >= 0.06 else 0.0)


def dirt_specular(x, y):
    return grey((fbm(x / 64, y / 64, 0.9, 4, 0.5, 2) * 0.5 + 0.5) * 0.05 + 0.01)


def ice_specular(x, y):
    shine = (fbm(x / 80, y / 80, 0.4, 3, 0.6, 2) * 0.5 + 0.5) * 0.35 + 0.6
    return grey(shine * smooth(clamp01(turbulence(x / 26.7, y / 26.7, 1.1, 4) / 0.08)))


def ball_specular(x, y):
    t = y / 255
    c = clamp01(math.cos(t * 3.14159 * 0.5))
    return grey(clamp01(noise(x / 255 * 4, t * 4, 0.7) * 0.12 + c * c * 0.85))


def normal_map(height, strength):
    def texel(x, y):
        dx = (height(x - 1, y) - height(x + 1, y)) * strength
        dy = (height(x, y - 1) - height(x, y + 1)) * strength
        length = math.sqrt(dx * dx + dy * dy + 1)
        # Returned already scaled to bytes: the normal map clamps after scaling.
        return tuple(min(max((n / length * 0.5 + 0.5) * 255, 0.0), 255.0) for n in (dx, dy, 1.0))
    texel.scaled = True
    return texel


stone_normal = normal_map(lambda px, py: fbm(px / 40, py / 40, 2.1, 5, 0.55, 2), 4.5)
wood_normal = normal_map(
    lambda px, py: math.sin((turbulence(2 * px / 64, 2 * py / 64, 0.5, 4) * 5 + px / 64) * 4 * 3.14159) * 0.5 + 0.5,
    2.0)
marble_normal = normal_map(
    lambda px, py: math.sin((turbulence(px / 64, py / 64, 0, 5) * 3.5 + 3 * px / 64) * 3.14159) * 0.5 + 0.5, 1.2)
dirt_normal = normal_map(lambda px, py: fbm(px / 28, py / 28, 1.1, 4, 0.6, 2), 3.0)
ice_normal = normal_map(lambda px, py: smooth(clamp01(turbulence(px / 26.7, py / 26.7, 1.1, 3) / 0.12)), 0.8)


def to_bytes(recipe, x, y):
    values = recipe(x, y)
    if not getattr(recipe, "scaled", False):
        values = tuple(clamp01(c) * 255 for c in values)
    result = []
    for scaled in values:
        fraction = scaled - math.floor(scaled)
        # Exact bytes (0 and 255 after clamping) are safe; anything near a step is not.
        if scaled not in (0.0, 255.0) and (fraction < 0.02 or fraction > 0.98):
            raise Ambiguous()
        result.append(int(scaled))
    return tuple(result)


# Spread over the texture, with the edges (where the normal maps look outside).
CANDIDATES = [(0, 0), (255, 255), (0, 255), (255, 0), (17, 203), (128, 64), (77, 131), (200, 33), (3, 150),
              (250, 90), (99, 99), (160, 222), (45, 12), (231, 177), (64, 64), (111, 5), (190, 140), (8, 248)]


def pick_texels(recipe, count=5):
    picked = []
    for x, y in CANDIDATES:
        try:
            picked.append((x, y, to_bytes(recipe, x, y)))
        except Ambiguous:
            continue
        if len(picked) == count:
            break
    return picked


TEXTURES = [
    ("Albedo", 1, stone_albedo), ("Albedo", 2, wood_albedo), ("Albedo", 3, marble_albedo),
    ("Albedo", 4, cobblestone_albedo), ("Albedo", 5, dirt_albedo), ("Albedo", 6, ice_albedo),
    ("Specular", 1, stone_specular), ("Specular", 2, wood_specular), ("Specular", 3, marble_specular),
    ("Specular", 4, cobblestone_specular), ("Specular", 5, dirt_specular), ("Specular", 6, ice_specular),
    ("NormalMap", 1, stone_normal), ("NormalMap", 2, wood_normal), ("NormalMap", 3, marble_normal),
    ("NormalMap", 5, dirt_normal), ("NormalMap", 6, ice_normal), ("BallSpecular", 0, ball_specular),
]

NOISE_POINTS = [(3.14, 42, 7), (0.5, 0.5, 0.5), (0.25, 0.75, 0.1), (-0.3, 1.7, 2.2), (-1.25, -0.5, -3.75),
                (10.1, -20.2, 30.3), (255.5, 1.5, 0.3), (-255.5, 256.25, -1.75), (300.7, -300.7, 0.0),
                (1000.125, 0.375, -0.625), (7.0, 8.0, 9.0), (-4.0, 0.0, 12.0)]
FBM_POINTS = [(0.3, 0.7, 0.3, 6, 0.5, 2), (1.9, -2.4, 1.7, 3, 0.4, 2), (-5.2, 3.3, 0.9, 4, 0.55, 2.5),
              (0.1, 0.2, 0.3, 1, 0.5, 2)]
TURBULENCE_POINTS = [(0.4, 0.9, 0.5, 5), (-2.2, 7.1, 1.1, 4), (3.3, -0.6, 0.0, 1)]
CELLULAR_POINTS = [(0.5, 0.5), (-0.5, -0.5), (-1.0, 0.0), (-1.0, -1.0), (0.0, -1.0), (-0.999, 2.25),
                   (-256.0, 3.5), (-256.5, -257.25), (-37.75, 12.125), (2.0, 2.0), (255.9, -0.1)]


def main():
    print("// noise(x, y, z)")
    for x, y, z in NOISE_POINTS:
        print(f"    {{{x}f, {y}f, {z}f, {noise(x, y, z):.9f}f}},")
    print("// fbm(x, y, z, octaves, persistence, lacunarity)")
    for x, y, z, o, p, l in FBM_POINTS:
        print(f"    {{{x}f, {y}f, {z}f, {o}, {p}f, {l}f, {fbm(x, y, z, o, p, l):.9f}f}},")
    print("// turbulence(x, y, z, octaves)")
    for x, y, z, o in TURBULENCE_POINTS:
        print(f"    {{{x}f, {y}f, {z}f, {o}, {turbulence(x, y, z, o):.9f}f}},")
    print("// cellular(x, y)")
    for x, y in CELLULAR_POINTS:
        print(f"    {{{x}f, {y}f, {cellular(x, y):.9f}f}},")
    print("// feature points of negative cells")
    for i, j in [(-1, -1), (-1, 0), (0, -1), (-256, -257), (-129, 5)]:
        fx, fy = feature_point(i, j)
        print(f"    {{{i}, {j}, {fx:.9f}f, {fy:.9f}f}},")
    print("// texels")
    for kind, material, recipe in TEXTURES:
        for x, y, rgb in pick_texels(recipe):
            print(f"    {{TextureKind::{kind}, {material}, {x}, {y}, {{{rgb[0]}, {rgb[1]}, {rgb[2]}}}}},")


if __name__ == "__main__":
    main()
