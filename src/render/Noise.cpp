// Improved gradient noise, its fractal sums and cellular noise.
#include "render/Noise.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

// The textures must come out the same from every build: no fused multiply-add,
// which both compilers would otherwise use on targets that have it.
#if defined(__clang__)
#pragma STDC FP_CONTRACT OFF
#elif defined(__GNUC__)
#pragma GCC optimize("fp-contract=off")
#endif

namespace {
// Ken Perlin's permutation of 0..255; every hash of the noise comes from it.
constexpr std::uint8_t kPermutation[256] = {
    151, 160, 137, 91,  90,  15,  131, 13,  201, 95,  96,  53,  194, 233, 7,   225, 140, 36,  103, 30,  69,  142,
    8,   99,  37,  240, 21,  10,  23,  190, 6,   148, 247, 120, 234, 75,  0,   26,  197, 62,  94,  252, 219, 203,
    117, 35,  11,  32,  57,  177, 33,  88,  237, 149, 56,  87,  174, 20,  125, 136, 171, 168, 68,  175, 74,  165,
    71,  134, 139, 48,  27,  166, 77,  146, 158, 231, 83,  111, 229, 122, 60,  211, 133, 230, 220, 105, 92,  41,
    55,  46,  245, 40,  244, 102, 143, 54,  65,  25,  63,  161, 1,   216, 80,  73,  209, 76,  132, 187, 208, 89,
    18,  169, 200, 196, 135, 130, 116, 188, 159, 86,  164, 100, 109, 198, 173, 186, 3,   64,  52,  217, 226, 250,
    124, 123, 5,   202, 38,  147, 118, 126, 255, 82,  85,  212, 207, 206, 59,  227, 47,  16,  58,  17,  182, 189,
    28,  42,  223, 183, 170, 213, 119, 248, 152, 2,   44,  154, 163, 70,  221, 153, 101, 155, 167, 43,  172, 9,
    129, 22,  39,  253, 19,  98,  108, 110, 79,  113, 224, 232, 178, 185, 112, 104, 218, 246, 97,  228, 251, 34,
    242, 193, 238, 210, 144, 12,  191, 179, 162, 241, 81,  51,  145, 235, 249, 14,  239, 107, 49,  192, 214, 31,
    181, 199, 106, 157, 184, 84,  204, 176, 115, 121, 50,  45,  127, 4,   150, 254, 138, 236, 205, 93,  222, 114,
    67,  29,  24,  72,  243, 141, 128, 195, 78,  66,  215, 61,  156, 180};

// The permutation written twice, so that the chained lookups below (each adds
// at most 255 to an entry) never need a wrap: index i reads entry i mod 256.
struct DoubledPermutation {
    std::uint8_t p[512] = {};
};

constexpr DoubledPermutation makeDoubled() {
    DoubledPermutation table;
    for (int i = 0; i < 512; ++i) table.p[i] = kPermutation[i & 255];
    return table;
}

constexpr DoubledPermutation kDoubled = makeDoubled();

// 6t^5 - 15t^4 + 10t^3: flat first and second derivatives at 0 and 1, so the
// cells meet without visible creases.
float fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

float lerp(float t, float a, float b) { return a + t * (b - a); }

// Dot product with one of 12 edge gradients (four repeated to make 16), picked
// by the low four bits of the hash.
// Inlined by force: eight calls per noise value are most of its cost otherwise.
[[gnu::always_inline]] inline float grad(int hash, float x, float y, float z) {
    const int h = hash & 15;
    const float u = h < 8 ? x : y;
    const float v = h < 4 ? y : (h == 12 || h == 14 ? x : z);
    return ((h & 1) == 0 ? u : -u) + ((h & 2) == 0 ? v : -v);
}

// floor without a library call (this target has no rounding instruction):
// exact for every float, -0.0 and integers returned as they are.
[[gnu::always_inline]] inline float floorOf(float v) {
    if (!(std::fabs(v) < 8388608.0f)) return std::floor(v);  // already integral, or not finite
    const float truncated = static_cast<float>(static_cast<int>(v));
    if (truncated == v) return v;
    return truncated > v ? truncated - 1.0f : truncated;
}

// The low eight bits of the two's-complement cell index `floored` (an integer
// valued float), so -1 gives 255. Values beyond int range or not finite would
// make the conversion undefined, so they are wrapped in float first.
int cellByte(float floored) {
    if (std::fabs(floored) < 8388608.0f) return static_cast<int>(floored) & 255;
    if (!std::isfinite(floored)) return 0;
    return static_cast<int>(std::fmod(floored, 256.0f) + 256.0f) & 255;
}


// One coordinate's share of a noise value: its cell byte, its offset in the
// cell and the faded offset. Grids compute it once per row or column.
struct Axis {
    int cell;
    float offset;
    float fade;
};

[[gnu::always_inline]] inline Axis axisOf(float coordinate) {
    const float floored = floorOf(coordinate);
    const float offset = coordinate - floored;
    return {cellByte(floored), offset, fade(offset)};
}

[[gnu::always_inline]] inline float noiseOf(const Axis& ax, const Axis& ay, const Axis& az) {
    const float x = ax.offset;
    const float y = ay.offset;
    const float z = az.offset;
    const float u = ax.fade;
    const float v = ay.fade;
    const float w = az.fade;
    const std::uint8_t* p = kDoubled.p;
    const int A = p[ax.cell] + ay.cell;
    const int AA = p[A] + az.cell;
    const int AB = p[A + 1] + az.cell;
    const int B = p[ax.cell + 1] + ay.cell;
    const int BA = p[B] + az.cell;
    const int BB = p[B + 1] + az.cell;
    return lerp(w,
                lerp(v, lerp(u, grad(p[AA], x, y, z), grad(p[BA], x - 1.0f, y, z)),
                     lerp(u, grad(p[AB], x, y - 1.0f, z), grad(p[BB], x - 1.0f, y - 1.0f, z))),
                lerp(v, lerp(u, grad(p[AA + 1], x, y, z - 1.0f), grad(p[BA + 1], x - 1.0f, y, z - 1.0f)),
                     lerp(u, grad(p[AB + 1], x, y - 1.0f, z - 1.0f),
                          grad(p[BB + 1], x - 1.0f, y - 1.0f, z - 1.0f))));
}

// The layers of fbm (or of turbulence, with `absolute`) over a grid, layer by
// layer; per point the operations and their order are those of the scalar sum.
void sumLayers(const std::vector<float>& xs, const std::vector<float>& ys, float z, int octaves, float persistence,
               float lacunarity, bool absolute, std::vector<float>& out) {
    const std::size_t width = xs.size();
    out.assign(width * ys.size(), 0.0f);
    std::vector<Axis> columns(width);
    float weights = 0.0f;
    float amplitude = 1.0f;
    float frequency = 1.0f;
    for (int octave = 0; octave < octaves; ++octave) {
        for (std::size_t i = 0; i < width; ++i) columns[i] = axisOf(frequency * xs[i]);
        const Axis depth = axisOf(frequency * z);
        for (std::size_t j = 0; j < ys.size(); ++j) {
            const Axis row = axisOf(frequency * ys[j]);
            float* line = out.data() + j * width;
            for (std::size_t i = 0; i < width; ++i) {
                const float n = noiseOf(columns[i], row, depth);
                line[i] += (absolute ? std::fabs(n) : n) * amplitude;
            }
        }
        weights += amplitude;
        amplitude *= persistence;
        frequency *= lacunarity;
    }
    for (float& value : out) value = weights != 0.0f ? value / weights : 0.0f;
}
}  // namespace

float noise(float x, float y, float z) { return noiseOf(axisOf(x), axisOf(y), axisOf(z)); }

float fbm(float x, float y, float z, int octaves, float persistence, float lacunarity) {
    float sum = 0.0f;
    float weights = 0.0f;
    float amplitude = 1.0f;
    float frequency = 1.0f;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += noise(frequency * x, frequency * y, frequency * z) * amplitude;
        weights += amplitude;
        amplitude *= persistence;
        frequency *= lacunarity;
    }
    return weights != 0.0f ? sum / weights : 0.0f;
}

float turbulence(float x, float y, float z, int octaves) {
    float sum = 0.0f;
    float weights = 0.0f;
    float amplitude = 1.0f;
    float frequency = 1.0f;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += std::fabs(noise(frequency * x, frequency * y, frequency * z)) * amplitude;
        weights += amplitude;
        amplitude *= 0.5f;
        frequency *= 2.0f;
    }
    return weights != 0.0f ? sum / weights : 0.0f;
}

float cellular(float x, float y) {
    const float cellX = floorOf(x);
    const float cellY = floorOf(y);
    // Squared distances, one square root at the end: the root is monotonic and
    // correctly rounded, so the root of the least square is exactly the least
    // of the roots. Starts at the square of the 1e10 "nothing found yet".
    float nearestSquared = 1e20f;
    for (int dj = -1; dj <= 1; ++dj) {
        for (int di = -1; di <= 1; ++di) {
            // Integer-valued floats, exact for any coordinate a texture uses.
            const float i = cellX + static_cast<float>(di);
            const float j = cellY + static_cast<float>(dj);
            const int ib = cellByte(i);
            const int jb = cellByte(j);
            const float pointX = i + static_cast<float>(kPermutation[(kPermutation[jb] + ib) & 255]) / 255.0f;
            const float pointY = j + static_cast<float>(kPermutation[(kPermutation[ib] + jb + 37) & 255]) / 255.0f;
            const float dx = pointX - x;
            const float dy = pointY - y;
            nearestSquared = std::min(nearestSquared, dx * dx + dy * dy);
        }
    }
    return std::clamp(std::sqrt(nearestSquared), 0.0f, 1.0f);
}

void fbmGrid(const std::vector<float>& xs, const std::vector<float>& ys, float z, int octaves, float persistence,
             float lacunarity, std::vector<float>& out) {
    sumLayers(xs, ys, z, octaves, persistence, lacunarity, false, out);
}

void turbulenceGrid(const std::vector<float>& xs, const std::vector<float>& ys, float z, int octaves,
                    std::vector<float>& out) {
    sumLayers(xs, ys, z, octaves, 0.5f, 2.0f, true, out);
}
