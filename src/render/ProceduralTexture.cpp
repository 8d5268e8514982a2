// The texture recipes: CPU pixels, filled in bands of rows that threads can
// share.
#include "render/ProceduralTexture.h"

#include "base/Math.h"
#include "render/Noise.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <system_error>
#include <thread>

// The textures must come out the same from every build: no fused multiply-add,
// which both compilers would otherwise use on targets that have it.
#if defined(__clang__)
#pragma STDC FP_CONTRACT OFF
#elif defined(__GNUC__)
#pragma GCC optimize("fp-contract=off")
#endif

namespace ProceduralTexture {
namespace {

constexpr float kPi = 3.14159f;  // the recipes' own value, not M_PI

float clamp01(float c) { return std::clamp(c, 0.0f, 1.0f); }
float smooth(float c) { return c * c * (3.0f - 2.0f * c); }
Vec3 mix(Vec3 a, Vec3 b, float k) { return a + (b - a) * k; }

// Truncation, not rounding; NaN (never expected) becomes 0 instead of
// undefined behaviour in the conversion.
std::uint8_t toByte(float value) {
    const float c = value > 0.0f ? (value < 1.0f ? value : 1.0f) : 0.0f;
    return static_cast<std::uint8_t>(c * 255.0f);
}

void writeTexel(std::uint8_t* pixels, int x, int y, Vec3 colour) {
    std::uint8_t* texel = pixels + (static_cast<std::size_t>(y) * kSize + x) * 3;
    texel[0] = toByte(colour.r);
    texel[1] = toByte(colour.g);
    texel[2] = toByte(colour.b);
}

Vec3 grey(float g) { return Vec3(g); }

// Colour ramps through three stops, t below 0.5 on the lower half.
Vec3 threeStopRamp(float t, Vec3 low, Vec3 mid, Vec3 high) {
    if (t < 0.5f) return mix(low, mid, clamp01(2.0f * t));
    return mix(mid, high, clamp01(2.0f * (t - 0.5f)));
}

// --- bands and fields ---
// A texture is filled in bands of whole rows, independent of each other. The
// noise a band needs is computed as fields: one value per point of a region,
// row by row, through the grid sums (bit for bit the scalar fbm/turbulence).

struct Band {
    int rowBegin;
    int rowEnd;
};

struct Span {
    int begin;
    int end;  // one past the last
};

struct Region {
    Span columns;
    Span rows;
};

using Field = std::vector<float>;

// The texels of a band.
Region texelsOf(Band band) { return {{0, kSize}, {band.rowBegin, band.rowEnd}}; }
// The heights a band's normals look at: one more on every side, outside the
// texture where the band touches its edge (evaluated there, not wrapped).
Region heightsOf(Band band) { return {{-1, kSize + 1}, {band.rowBegin - 1, band.rowEnd + 1}}; }

// Texel position t divided by `divisor`, the recipes' texture coordinate.
float at(int t, float divisor) { return static_cast<float>(t) / divisor; }

template <typename Map>
std::vector<float> coordinates(Span span, Map map) {
    std::vector<float> values;
    values.reserve(static_cast<std::size_t>(span.end - span.begin));
    for (int t = span.begin; t < span.end; ++t) values.push_back(map(t));
    return values;
}

template <typename MapX, typename MapY>
Field fbmField(Region region, MapX mapX, MapY mapY, float z, int octaves, float persistence, float lacunarity) {
    Field field;
    fbmGrid(coordinates(region.columns, mapX), coordinates(region.rows, mapY), z, octaves, persistence, lacunarity,
            field);
    return field;
}

template <typename MapX, typename MapY>
Field turbulenceField(Region region, MapX mapX, MapY mapY, float z, int octaves) {
    Field field;
    turbulenceGrid(coordinates(region.columns, mapX), coordinates(region.rows, mapY), z, octaves, field);
    return field;
}

// Writes shade(x, y, k) to every texel of the band, k indexing its fields.
template <typename Shade>
void shadeBand(std::uint8_t* pixels, Band band, Shade shade) {
    std::size_t k = 0;
    for (int y = band.rowBegin; y < band.rowEnd; ++y) {
        for (int x = 0; x < kSize; ++x, ++k) writeTexel(pixels, x, y, shade(x, y, k));
    }
}

// Coordinate maps shared by several recipes.
float per64(int t) { return at(t, 64.0f); }
float per80(int t) { return at(t, 80.0f); }

// --- albedo ---

void stoneAlbedo(std::uint8_t* pixels, Band band) {
    const Field base = fbmField(texelsOf(band), per64, per64, 0.3f, 6, 0.5f, 2.0f);
    const auto fleckScale = [](int t) { return 4.0f * per64(t); };
    const Field flecks = fbmField(texelsOf(band), fleckScale, fleckScale, 1.7f, 3, 0.4f, 2.0f);
    shadeBand(pixels, band, [&](int, int, std::size_t k) {
        const float t = base[k] * 0.5f + 0.5f;
        Vec3 colour = threeStopRamp(t, Vec3(0.30f, 0.28f, 0.26f), Vec3(0.52f, 0.51f, 0.49f), Vec3(0.72f, 0.71f, 0.70f));
        // Darker flecks where a finer noise dips low.
        if (flecks[k] < -0.35f) colour *= 0.75f;
        return colour;
    });
}

// Growth rings bent by turbulence; ringOf gives the position within a ring, 0..1.
Field woodTurbulence(Band band) {
    const auto scale = [](int t) { return 2.0f * per64(t); };
    return turbulenceField(texelsOf(band), scale, scale, 0.5f, 5);
}
float ringOf(float turbulenceValue, int x) { return std::fmod((turbulenceValue * 5.0f + per64(x)) * 4.0f, 1.0f); }

void woodAlbedo(std::uint8_t* pixels, Band band) {
    const Field bend = woodTurbulence(band);
    const Field grain = fbmField(
        texelsOf(band), [](int t) { return 6.0f * per64(t); }, [](int t) { return 0.5f * per64(t); }, 0.8f, 4, 0.5f,
        2.0f);
    shadeBand(pixels, band, [&](int x, int, std::size_t k) {
        const float w = clamp01(ringOf(bend[k], x) + grain[k] * 0.3f);
        return mix(Vec3(0.45f, 0.25f, 0.08f), Vec3(0.87f, 0.64f, 0.31f), w);
    });
}

// Veins: a sine bent by turbulence; waveOf is -1..1.
Field marbleTurbulence(Band band) { return turbulenceField(texelsOf(band), per64, per64, 0.0f, 6); }
float waveOf(float turbulenceValue, int x) { return std::sin((turbulenceValue * 3.5f + 3.0f * per64(x)) * kPi); }

void marbleAlbedo(std::uint8_t* pixels, Band band) {
    const Field bend = marbleTurbulence(band);
    shadeBand(pixels, band, [&](int x, int, std::size_t k) {
        const float m = (waveOf(bend[k], x) + 1.0f) * 0.5f;
        return threeStopRamp(m, Vec3(0.20f, 0.18f, 0.20f), Vec3(0.55f, 0.50f, 0.48f), Vec3(0.92f, 0.90f, 0.88f));
    });
}

// Distance into a cobble; below 0.06 is the mortar between the stones.
constexpr float kMortar = 0.06f;
float per42(int t) { return at(t, 42.0f); }
float cobbleAt(int x, int y) { return cellular(per42(x), per42(y)); }

void cobblestoneAlbedo(std::uint8_t* pixels, Band band) {
    const auto scale = [](int t) { return 3.0f * per42(t); };
    const Field wear = fbmField(texelsOf(band), scale, scale, 0.7f, 4, 0.5f, 2.0f);
    shadeBand(pixels, band, [&](int x, int y, std::size_t k) {
        const float c = cobbleAt(x, y);
        if (c < kMortar) return Vec3(0.18f, 0.16f, 0.14f);
        const float shade = clamp01(wear[k] * 0.12f + c * 1.3f);
        return mix(Vec3(0.58f, 0.54f, 0.48f), Vec3(0.72f, 0.68f, 0.60f), shade);
    });
}

void dirtAlbedo(std::uint8_t* pixels, Band band) {
    const Field soil = fbmField(texelsOf(band), per64, per64, 0.9f, 6, 0.55f, 2.0f);
    shadeBand(pixels, band, [&](int x, int y, std::size_t k) {
        const float clods = cellular(6.0f * per64(x), 6.0f * per64(y));
        const float t = clamp01((soil[k] * 0.5f + 0.5f) * 0.8f + clods * 0.2f);
        return threeStopRamp(t, Vec3(0.28f, 0.18f, 0.08f), Vec3(0.48f, 0.34f, 0.16f), Vec3(0.62f, 0.48f, 0.28f));
    });
}

void iceAlbedo(std::uint8_t* pixels, Band band) {
    const auto crackScale = [](int t) { return 3.0f * per80(t); };
    const Field cracks = turbulenceField(texelsOf(band), crackScale, crackScale, 1.1f, 4);
    const Field depth = fbmField(texelsOf(band), per80, per80, 0.4f, 3, 0.6f, 2.0f);
    shadeBand(pixels, band, [&](int, int, std::size_t k) {
        const float s = clamp01(smooth(clamp01(cracks[k] / 0.08f)));
        const float b = clamp01(depth[k] * 0.5f + 0.5f);
        const Vec3 base(0.55f + 0.33f * b, 0.72f + 0.20f * b, 0.90f + 0.08f * b);
        return mix(Vec3(0.30f, 0.45f, 0.70f), base, s);
    });
}

// --- specular ---

void stoneSpecular(std::uint8_t* pixels, Band band) {
    const auto per48 = [](int t) { return at(t, 48.0f); };
    const Field grit = fbmField(texelsOf(band), per48, per48, 2.1f, 4, 0.5f, 2.0f);
    shadeBand(pixels, band, [&](int, int, std::size_t k) { return grey((grit[k] * 0.5f + 0.5f) * 0.18f + 0.04f); });
}

// Ring centres shine, ring edges are dull.
void woodSpecular(std::uint8_t* pixels, Band band) {
    const Field bend = woodTurbulence(band);
    shadeBand(pixels, band, [&](int x, int, std::size_t k) {
        const float q = 1.0f - 2.0f * std::fabs(ringOf(bend[k], x) - 0.5f);
        return grey(q * q * 0.55f + 0.05f);
    });
}

void marbleSpecular(std::uint8_t* pixels, Band band) {
    const Field bend = marbleTurbulence(band);
    shadeBand(pixels, band, [&](int x, int, std::size_t k) {
        return grey((waveOf(bend[k], x) * 0.5f + 0.5f) * 0.55f + 0.25f);
    });
}

void cobblestoneSpecular(std::uint8_t* pixels, Band band) {
    shadeBand(pixels, band, [](int x, int y, std::size_t) {
        const float c = cobbleAt(x, y);
        return grey(c >= kMortar ? c * 0.3f + 0.1f : 0.0f);
    });
}

void dirtSpecular(std::uint8_t* pixels, Band band) {
    const Field soil = fbmField(texelsOf(band), per64, per64, 0.9f, 4, 0.5f, 2.0f);
    shadeBand(pixels, band, [&](int, int, std::size_t k) { return grey((soil[k] * 0.5f + 0.5f) * 0.05f + 0.01f); });
}

void iceSpecular(std::uint8_t* pixels, Band band) {
    const Field depth = fbmField(texelsOf(band), per80, per80, 0.4f, 3, 0.6f, 2.0f);
    const auto crackScale = [](int t) { return at(t, 26.7f); };
    const Field cracks = turbulenceField(texelsOf(band), crackScale, crackScale, 1.1f, 4);
    shadeBand(pixels, band, [&](int, int, std::size_t k) {
        const float shine = (depth[k] * 0.5f + 0.5f) * 0.35f + 0.6f;
        return grey(shine * smooth(clamp01(cracks[k] / 0.08f)));
    });
}

// Unknown materials get a mid grey, neither matte nor mirror.
constexpr std::uint8_t kDefaultSpecular = 114;

// --- normal maps ---

// Applies f(px, value) to every value of a field over `region`, px being the
// value's column.
template <typename Fn>
Field mapColumns(Region region, Field field, Fn f) {
    const std::size_t width = static_cast<std::size_t>(region.columns.end - region.columns.begin);
    for (std::size_t k = 0; k < field.size(); ++k) {
        field[k] = f(region.columns.begin + static_cast<int>(k % width), field[k]);
    }
    return field;
}

Field stoneHeights(Region region) {
    const auto per40 = [](int t) { return at(t, 40.0f); };
    return fbmField(region, per40, per40, 2.1f, 5, 0.55f, 2.0f);
}

Field woodHeights(Region region) {
    const auto scale = [](int t) { return 2.0f * static_cast<float>(t) / 64.0f; };
    return mapColumns(region, turbulenceField(region, scale, scale, 0.5f, 4), [](int px, float bend) {
        return std::sin((bend * 5.0f + static_cast<float>(px) / 64.0f) * 4.0f * kPi) * 0.5f + 0.5f;
    });
}

Field marbleHeights(Region region) {
    return mapColumns(region, turbulenceField(region, per64, per64, 0.0f, 5), [](int px, float bend) {
        return std::sin((bend * 3.5f + 3.0f * static_cast<float>(px) / 64.0f) * kPi) * 0.5f + 0.5f;
    });
}

Field dirtHeights(Region region) {
    const auto per28 = [](int t) { return at(t, 28.0f); };
    return fbmField(region, per28, per28, 1.1f, 4, 0.6f, 2.0f);
}

Field iceHeights(Region region) {
    const auto per267 = [](int t) { return at(t, 26.7f); };
    Field field = turbulenceField(region, per267, per267, 1.1f, 3);
    for (float& h : field) h = smooth(clamp01(h / 0.12f));
    return field;
}

struct Relief {
    Field (*heights)(Region region);
    float strength;  // slope gain: higher is bumpier
};

// Materials without relief (4, unknown) have none.
const Relief* reliefOf(std::uint32_t material) {
    static const Relief kReliefs[] = {{stoneHeights, 4.5f}, {woodHeights, 2.0f}, {marbleHeights, 1.2f},
                                      {nullptr, 0.0f},      {dirtHeights, 3.0f}, {iceHeights, 0.8f}};
    if (material < 1 || material > 6 || !kReliefs[material - 1].heights) return nullptr;
    return &kReliefs[material - 1];
}

std::uint8_t normalByte(float n) {
    return static_cast<std::uint8_t>(std::clamp((n * 0.5f + 0.5f) * 255.0f, 0.0f, 255.0f));
}

void fillNormalRows(std::uint8_t* pixels, const Relief& relief, Band band) {
    // Every height is needed by up to four texels, so each is computed once.
    constexpr int kWidth = kSize + 2;
    const Field heights = relief.heights(heightsOf(band));
    for (int y = band.rowBegin; y < band.rowEnd; ++y) {
        const float* above = &heights[static_cast<std::size_t>(y - band.rowBegin) * kWidth + 1];  // column 0
        const float* row = above + kWidth;
        const float* below = row + kWidth;
        for (int x = 0; x < kSize; ++x) {
            const float dx = (row[x - 1] - row[x + 1]) * relief.strength;
            const float dy = (above[x] - below[x]) * relief.strength;
            const float length = std::sqrt(dx * dx + dy * dy + 1.0f);
            std::uint8_t* texel = pixels + (static_cast<std::size_t>(y) * kSize + x) * 3;
            texel[0] = normalByte(dx / length);
            texel[1] = normalByte(dy / length);
            texel[2] = normalByte(1.0f / length);
        }
    }
}

// --- the ball ---

void ballSpecular(std::uint8_t* pixels, Band band) {
    shadeBand(pixels, band, [](int x, int y, std::size_t) {
        const float t = static_cast<float>(y) / 255.0f;
        const float c = clamp01(std::cos(t * kPi * 0.5f));
        return grey(clamp01(noise(static_cast<float>(x) / 255.0f * 4.0f, t * 4.0f, 0.7f) * 0.12f + c * c * 0.85f));
    });
}

// --- dispatch ---

using BandFill = void (*)(std::uint8_t* pixels, Band band);

BandFill albedoRecipe(std::uint32_t material) {
    static const BandFill kRecipes[] = {stoneAlbedo, woodAlbedo, marbleAlbedo, cobblestoneAlbedo, dirtAlbedo, iceAlbedo};
    return material >= 1 && material <= 6 ? kRecipes[material - 1] : nullptr;
}

BandFill specularRecipe(std::uint32_t material) {
    static const BandFill kRecipes[] = {stoneSpecular,       woodSpecular, marbleSpecular,
                                        cobblestoneSpecular, dirtSpecular, iceSpecular};
    return material >= 1 && material <= 6 ? kRecipes[material - 1] : nullptr;
}

void fillUniformRows(std::uint8_t* pixels, const std::uint8_t rgb[3], Band band) {
    const std::size_t end = static_cast<std::size_t>(band.rowEnd) * kSize;
    for (std::size_t i = static_cast<std::size_t>(band.rowBegin) * kSize; i < end; ++i) {
        std::copy(rgb, rgb + 3, pixels + i * 3);
    }
}

bool hasPixels(TextureRequest request) {
    switch (request.kind) {
        case TextureKind::Albedo: return albedoRecipe(request.material) != nullptr;
        case TextureKind::Specular:
        case TextureKind::NormalMap: return request.material != 0;
        case TextureKind::BallSpecular: return true;
    }
    return false;
}

// Fills one band of a zeroed 256 x 256 buffer; bands are independent, so
// disjoint ones may be filled at the same time.
void fillBand(TextureRequest request, std::uint8_t* pixels, Band band) {
    static const std::uint8_t kFlatNormal[3] = {128, 128, 255};
    static const std::uint8_t kUniformSpecular[3] = {kDefaultSpecular, kDefaultSpecular, kDefaultSpecular};
    switch (request.kind) {
        case TextureKind::Albedo: albedoRecipe(request.material)(pixels, band); return;
        case TextureKind::Specular:
            if (BandFill recipe = specularRecipe(request.material)) {
                recipe(pixels, band);
            } else {
                fillUniformRows(pixels, kUniformSpecular, band);
            }
            return;
        case TextureKind::NormalMap:
            if (const Relief* relief = reliefOf(request.material)) {
                fillNormalRows(pixels, *relief, band);
            } else {
                fillUniformRows(pixels, kFlatNormal, band);
            }
            return;
        case TextureKind::BallSpecular: ballSpecular(pixels, band); return;
    }
}

Pixels allocateFor(TextureRequest request) { return hasPixels(request) ? Pixels(kByteCount, 0) : Pixels(); }

// Rows per parallel job: small enough to balance two cores, large enough that
// a normal map's two extra rows of heights per band cost little.
constexpr int kBandRows = 64;

struct Job {
    std::size_t texture;  // index into the requests
    Band band;
};

}  // namespace

Pixels buildPixels(TextureRequest request) {
    Pixels pixels = allocateFor(request);
    if (!pixels.empty()) fillBand(request, pixels.data(), {0, kSize});
    return pixels;
}

Pixels buildAlbedoPixels(std::uint32_t material) { return buildPixels({TextureKind::Albedo, material}); }
Pixels buildSpecularPixels(std::uint32_t material) { return buildPixels({TextureKind::Specular, material}); }
Pixels buildNormalMapPixels(std::uint32_t material) { return buildPixels({TextureKind::NormalMap, material}); }
Pixels buildBallSpecularPixels() { return buildPixels({TextureKind::BallSpecular, 0}); }

MipChain buildMipChain(Pixels pixels) {
    MipChain chain;
    if (pixels.size() != kByteCount) return chain;
    chain.push_back(std::move(pixels));
    for (int size = kSize / 2; size >= 1; size /= 2) {
        const Pixels& above = chain.back();
        const int aboveRow = size * 2 * 3;
        Pixels level(static_cast<std::size_t>(size) * size * 3);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size * 3; ++x) {
                // Byte x of the level's row is channel x % 3 of texel x / 3; the
                // same channel of the two texels above it sits 3 bytes apart.
                const std::size_t topLeft = static_cast<std::size_t>(2 * y) * aboveRow + (x / 3) * 6 + x % 3;
                const int top = (above[topLeft] + above[topLeft + 3] + 1) / 2;
                const int bottom = (above[topLeft + aboveRow] + above[topLeft + aboveRow + 3] + 1) / 2;
                level[static_cast<std::size_t>(y) * size * 3 + x] = static_cast<std::uint8_t>((top + bottom + 1) / 2);
            }
        }
        chain.push_back(std::move(level));
    }
    return chain;
}

std::vector<TextureRequest> startupRequests() {
    std::vector<TextureRequest> requests;
    for (std::uint32_t m = 1; m <= 6; ++m) requests.push_back({TextureKind::Albedo, m});
    for (std::uint32_t m = 1; m <= 6; ++m) requests.push_back({TextureKind::Specular, m});
    for (std::uint32_t m : {1u, 2u, 3u, 5u, 6u}) requests.push_back({TextureKind::NormalMap, m});
    requests.push_back({TextureKind::BallSpecular, 0});
    return requests;
}

std::vector<Pixels> buildAllPixels(const std::vector<TextureRequest>& requests, unsigned threadCount) {
    std::vector<Pixels> result;
    result.reserve(requests.size());
    std::vector<Job> jobs;
    for (std::size_t i = 0; i < requests.size(); ++i) {
        result.push_back(allocateFor(requests[i]));
        if (result.back().empty()) continue;
        for (int row = 0; row < kSize; row += kBandRows) jobs.push_back({i, {row, std::min(row + kBandRows, kSize)}});
    }
    // Workers take the next job until none is left; no two jobs share a texel.
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t j = next++; j < jobs.size(); j = next++) {
            fillBand(requests[jobs[j].texture], result[jobs[j].texture].data(), jobs[j].band);
        }
    };
    std::vector<std::thread> helpers;
    for (unsigned i = 1; i < threadCount; ++i) {
        try {
            helpers.emplace_back(work);
        } catch (const std::system_error&) {
            break;  // no more threads to be had: the ones running do every job
        }
    }
    work();
    for (std::thread& helper : helpers) helper.join();
    return result;
}

std::vector<MipChain> buildAllMipChains(const std::vector<TextureRequest>& requests, unsigned threadCount) {
    std::vector<MipChain> chains;
    for (Pixels& pixels : buildAllPixels(requests, threadCount)) chains.push_back(buildMipChain(std::move(pixels)));
    return chains;
}

std::future<std::vector<MipChain>> startBuildingStartupChains() {
    try {
        // One thread: opening the window takes longer than the whole build,
        // and the other core stays free for it.
        return std::async(std::launch::async, [] { return buildAllMipChains(startupRequests(), 1); });
    } catch (const std::system_error&) {
        return {};  // no thread to be had: the textures are built when needed
    }
}

}  // namespace ProceduralTexture
