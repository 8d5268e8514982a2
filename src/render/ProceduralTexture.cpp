// The texture recipes (CPU) and the three texture caches (GL).
#include "render/ProceduralTexture.h"

#include "render/Math.h"
#include "render/Noise.h"

#include <algorithm>
#include <cmath>

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
Vec3 twoBand(float t, Vec3 low, Vec3 mid, Vec3 high) {
    if (t < 0.5f) return mix(low, mid, clamp01(2.0f * t));
    return mix(mid, high, clamp01(2.0f * (t - 0.5f)));
}

float texelU(int x) { return static_cast<float>(x) / 64.0f; }

// --- albedo ---

Vec3 stoneAlbedo(int x, int y) {
    const float u = texelU(x);
    const float v = texelU(y);
    const float t = fbm(u, v, 0.3f, 6, 0.5f, 2.0f) * 0.5f + 0.5f;
    Vec3 colour = twoBand(t, Vec3(0.30f, 0.28f, 0.26f), Vec3(0.52f, 0.51f, 0.49f), Vec3(0.72f, 0.71f, 0.70f));
    // Darker flecks where a finer noise dips low.
    if (fbm(4.0f * u, 4.0f * v, 1.7f, 3, 0.4f, 2.0f) < -0.35f) colour *= 0.75f;
    return colour;
}

// Growth rings: position within the current ring, 0..1.
float woodRing(int x, int y) {
    const float u = texelU(x);
    const float v = texelU(y);
    return std::fmod((turbulence(2.0f * u, 2.0f * v, 0.5f, 5) * 5.0f + u) * 4.0f, 1.0f);
}

Vec3 woodAlbedo(int x, int y) {
    const float u = texelU(x);
    const float v = texelU(y);
    const float w = clamp01(woodRing(x, y) + fbm(6.0f * u, 0.5f * v, 0.8f, 4, 0.5f, 2.0f) * 0.3f);
    return mix(Vec3(0.45f, 0.25f, 0.08f), Vec3(0.87f, 0.64f, 0.31f), w);
}

// Veins: a sine bent by turbulence, -1..1.
float marbleWave(int x, int y) {
    const float u = texelU(x);
    const float v = texelU(y);
    return std::sin((turbulence(u, v, 0.0f, 6) * 3.5f + 3.0f * u) * kPi);
}

Vec3 marbleAlbedo(int x, int y) {
    const float m = (marbleWave(x, y) + 1.0f) * 0.5f;
    return twoBand(m, Vec3(0.20f, 0.18f, 0.20f), Vec3(0.55f, 0.50f, 0.48f), Vec3(0.92f, 0.90f, 0.88f));
}

// Distance into a cobble; below 0.06 is the mortar between the stones.
constexpr float kMortar = 0.06f;
float cobbleCell(int x, int y) { return cellular(static_cast<float>(x) / 42.0f, static_cast<float>(y) / 42.0f); }

Vec3 cobblestoneAlbedo(int x, int y) {
    const float c = cobbleCell(x, y);
    if (c < kMortar) return Vec3(0.18f, 0.16f, 0.14f);
    const float u = static_cast<float>(x) / 42.0f;
    const float v = static_cast<float>(y) / 42.0f;
    const float k = clamp01(fbm(3.0f * u, 3.0f * v, 0.7f, 4, 0.5f, 2.0f) * 0.12f + c * 1.3f);
    return mix(Vec3(0.58f, 0.54f, 0.48f), Vec3(0.72f, 0.68f, 0.60f), k);
}

Vec3 dirtAlbedo(int x, int y) {
    const float u = texelU(x);
    const float v = texelU(y);
    const float t =
        clamp01((fbm(u, v, 0.9f, 6, 0.55f, 2.0f) * 0.5f + 0.5f) * 0.8f + cellular(6.0f * u, 6.0f * v) * 0.2f);
    return twoBand(t, Vec3(0.28f, 0.18f, 0.08f), Vec3(0.48f, 0.34f, 0.16f), Vec3(0.62f, 0.48f, 0.28f));
}

Vec3 iceAlbedo(int x, int y) {
    const float u = static_cast<float>(x) / 80.0f;
    const float v = static_cast<float>(y) / 80.0f;
    const float s = clamp01(smooth(clamp01(turbulence(3.0f * u, 3.0f * v, 1.1f, 4) / 0.08f)));
    const float b = clamp01(fbm(u, v, 0.4f, 3, 0.6f, 2.0f) * 0.5f + 0.5f);
    const Vec3 base(0.55f + 0.33f * b, 0.72f + 0.20f * b, 0.90f + 0.08f * b);
    return mix(Vec3(0.30f, 0.45f, 0.70f), base, s);
}

// --- specular ---

Vec3 stoneSpecular(int x, int y) {
    const float n = fbm(static_cast<float>(x) / 48.0f, static_cast<float>(y) / 48.0f, 2.1f, 4, 0.5f, 2.0f);
    return grey((n * 0.5f + 0.5f) * 0.18f + 0.04f);
}

Vec3 woodSpecular(int x, int y) {
    const float q = 1.0f - 2.0f * std::fabs(woodRing(x, y) - 0.5f);
    return grey(q * q * 0.55f + 0.05f);
}

Vec3 marbleSpecular(int x, int y) { return grey((marbleWave(x, y) * 0.5f + 0.5f) * 0.55f + 0.25f); }

Vec3 cobblestoneSpecular(int x, int y) {
    const float c = cobbleCell(x, y);
    return grey(c >= kMortar ? c * 0.3f + 0.1f : 0.0f);
}

Vec3 dirtSpecular(int x, int y) {
    return grey((fbm(texelU(x), texelU(y), 0.9f, 4, 0.5f, 2.0f) * 0.5f + 0.5f) * 0.05f + 0.01f);
}

Vec3 iceSpecular(int x, int y) {
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    const float shine = (fbm(fx / 80.0f, fy / 80.0f, 0.4f, 3, 0.6f, 2.0f) * 0.5f + 0.5f) * 0.35f + 0.6f;
    return grey(shine * smooth(clamp01(turbulence(fx / 26.7f, fy / 26.7f, 1.1f, 4) / 0.08f)));
}

// Unknown materials get a mid grey, neither matte nor mirror.
constexpr std::uint8_t kDefaultSpecular = 114;

// --- normal maps: heights at any integer texel position, also outside 0..255 ---

float stoneHeight(int px, int py) {
    return fbm(static_cast<float>(px) / 40.0f, static_cast<float>(py) / 40.0f, 2.1f, 5, 0.55f, 2.0f);
}

float woodHeight(int px, int py) {
    const float fx = static_cast<float>(px);
    const float fy = static_cast<float>(py);
    return std::sin((turbulence(2.0f * fx / 64.0f, 2.0f * fy / 64.0f, 0.5f, 4) * 5.0f + fx / 64.0f) * 4.0f * kPi) *
               0.5f +
           0.5f;
}

float marbleHeight(int px, int py) {
    const float fx = static_cast<float>(px);
    const float fy = static_cast<float>(py);
    return std::sin((turbulence(fx / 64.0f, fy / 64.0f, 0.0f, 5) * 3.5f + 3.0f * fx / 64.0f) * kPi) * 0.5f + 0.5f;
}

float dirtHeight(int px, int py) {
    return fbm(static_cast<float>(px) / 28.0f, static_cast<float>(py) / 28.0f, 1.1f, 4, 0.6f, 2.0f);
}

float iceHeight(int px, int py) {
    const float t = turbulence(static_cast<float>(px) / 26.7f, static_cast<float>(py) / 26.7f, 1.1f, 3);
    return smooth(clamp01(t / 0.12f));
}

using HeightFn = float (*)(int px, int py);
struct Relief {
    HeightFn height;
    float strength;
};

// Materials without relief (4, unknown) have no height function.
const Relief* reliefOf(std::uint32_t material) {
    static const Relief kReliefs[] = {
        {stoneHeight, 4.5f}, {woodHeight, 2.0f}, {marbleHeight, 1.2f}, {nullptr, 0.0f}, {dirtHeight, 3.0f},
        {iceHeight, 0.8f}};
    if (material < 1 || material > 6 || !kReliefs[material - 1].height) return nullptr;
    return &kReliefs[material - 1];
}

std::uint8_t normalByte(float n) { return static_cast<std::uint8_t>(std::clamp((n * 0.5f + 0.5f) * 255.0f, 0.0f, 255.0f)); }

void fillNormalRows(std::uint8_t* pixels, const Relief& relief, int rowBegin, int rowEnd) {
    for (int y = rowBegin; y < rowEnd; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const float dx = (relief.height(x - 1, y) - relief.height(x + 1, y)) * relief.strength;
            const float dy = (relief.height(x, y - 1) - relief.height(x, y + 1)) * relief.strength;
            const float length = std::sqrt(dx * dx + dy * dy + 1.0f);
            std::uint8_t* texel = pixels + (static_cast<std::size_t>(y) * kSize + x) * 3;
            texel[0] = normalByte(dx / length);
            texel[1] = normalByte(dy / length);
            texel[2] = normalByte(1.0f / length);
        }
    }
}

// --- the ball ---

Vec3 ballSpecular(int x, int y) {
    const float t = static_cast<float>(y) / 255.0f;
    const float c = clamp01(std::cos(t * kPi * 0.5f));
    return grey(clamp01(noise(static_cast<float>(x) / 255.0f * 4.0f, t * 4.0f, 0.7f) * 0.12f + c * c * 0.85f));
}

// --- dispatch ---

using TexelFn = Vec3 (*)(int x, int y);

TexelFn albedoRecipe(std::uint32_t material) {
    static const TexelFn kRecipes[] = {stoneAlbedo, woodAlbedo, marbleAlbedo, cobblestoneAlbedo, dirtAlbedo, iceAlbedo};
    return material >= 1 && material <= 6 ? kRecipes[material - 1] : nullptr;
}

TexelFn specularRecipe(std::uint32_t material) {
    static const TexelFn kRecipes[] = {stoneSpecular, woodSpecular,  marbleSpecular,
                                       cobblestoneSpecular, dirtSpecular, iceSpecular};
    return material >= 1 && material <= 6 ? kRecipes[material - 1] : nullptr;
}

void fillTexelRows(std::uint8_t* pixels, TexelFn recipe, int rowBegin, int rowEnd) {
    for (int y = rowBegin; y < rowEnd; ++y) {
        for (int x = 0; x < kSize; ++x) writeTexel(pixels, x, y, recipe(x, y));
    }
}

void fillUniformRows(std::uint8_t* pixels, const std::uint8_t rgb[3], int rowBegin, int rowEnd) {
    for (std::size_t i = static_cast<std::size_t>(rowBegin) * kSize; i < static_cast<std::size_t>(rowEnd) * kSize; ++i) {
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

// Fills rows [rowBegin, rowEnd) of a zeroed 256 x 256 buffer; rows are
// independent, so disjoint ranges may be filled at the same time.
void fillRows(TextureRequest request, std::uint8_t* pixels, int rowBegin, int rowEnd) {
    static const std::uint8_t kFlatNormal[3] = {128, 128, 255};
    static const std::uint8_t kUniformSpecular[3] = {kDefaultSpecular, kDefaultSpecular, kDefaultSpecular};
    switch (request.kind) {
        case TextureKind::Albedo: fillTexelRows(pixels, albedoRecipe(request.material), rowBegin, rowEnd); return;
        case TextureKind::Specular:
            if (TexelFn recipe = specularRecipe(request.material)) {
                fillTexelRows(pixels, recipe, rowBegin, rowEnd);
            } else {
                fillUniformRows(pixels, kUniformSpecular, rowBegin, rowEnd);
            }
            return;
        case TextureKind::NormalMap:
            if (const Relief* relief = reliefOf(request.material)) {
                fillNormalRows(pixels, *relief, rowBegin, rowEnd);
            } else {
                fillUniformRows(pixels, kFlatNormal, rowBegin, rowEnd);
            }
            return;
        case TextureKind::BallSpecular: fillTexelRows(pixels, ballSpecular, rowBegin, rowEnd); return;
    }
}

Pixels allocateFor(TextureRequest request) { return hasPixels(request) ? Pixels(kByteCount, 0) : Pixels(); }

}  // namespace

Pixels buildPixels(TextureRequest request) {
    Pixels pixels = allocateFor(request);
    if (!pixels.empty()) fillRows(request, pixels.data(), 0, kSize);
    return pixels;
}

Pixels buildAlbedoPixels(std::uint32_t material) { return buildPixels({TextureKind::Albedo, material}); }
Pixels buildSpecularPixels(std::uint32_t material) { return buildPixels({TextureKind::Specular, material}); }
Pixels buildNormalMapPixels(std::uint32_t material) { return buildPixels({TextureKind::NormalMap, material}); }
Pixels buildBallSpecularPixels() { return buildPixels({TextureKind::BallSpecular, 0}); }

std::vector<TextureRequest> startupRequests() {
    std::vector<TextureRequest> requests;
    for (std::uint32_t m = 1; m <= 6; ++m) requests.push_back({TextureKind::Albedo, m});
    for (std::uint32_t m = 1; m <= 6; ++m) requests.push_back({TextureKind::Specular, m});
    for (std::uint32_t m : {1u, 2u, 3u, 5u, 6u}) requests.push_back({TextureKind::NormalMap, m});
    requests.push_back({TextureKind::BallSpecular, 0});
    return requests;
}

}  // namespace ProceduralTexture
