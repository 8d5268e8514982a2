// Procedural surface textures: per material (1 stone, 2 wood, 3 marble,
// 4 cobblestone, 5 dirt, 6 ice) a colour map, a grey specular map and a
// tangent-space normal map, plus the ball's specular map. Pixels are 256 x 256
// RGB bytes built on the CPU (row 0 first); SurfaceTextures uploads them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <future>
#include <vector>

namespace ProceduralTexture {

constexpr int kSize = 256;  // width and height in texels
constexpr std::size_t kByteCount = static_cast<std::size_t>(kSize) * kSize * 3;
// The ball's map sits in the specular cache under a key no material uses.
constexpr std::uint32_t kBallKey = 0xFFFFFFFFu;

enum class TextureKind { Albedo, Specular, NormalMap, BallSpecular };

// One texture to build; `material` is ignored for the ball's map.
struct TextureRequest {
    TextureKind kind = TextureKind::Albedo;
    std::uint32_t material = 0;
};

// RGB bytes, texel (x, y) at (y * 256 + x) * 3; empty when there is no texture.
using Pixels = std::vector<std::uint8_t>;

// --- CPU half ---

// Materials 1..6; empty for 0 and for unknown numbers.
Pixels buildAlbedoPixels(std::uint32_t material);
// Materials 1..6; every byte 114 for other non-zero numbers; empty for 0.
Pixels buildSpecularPixels(std::uint32_t material);
// Materials 1, 2, 3, 5, 6; flat (128, 128, 255) for 4 and other non-zero
// numbers; empty for 0.
Pixels buildNormalMapPixels(std::uint32_t material);
// Shiny at row 0 (the sphere's top pole), dull towards row 255.
Pixels buildBallSpecularPixels();

Pixels buildPixels(TextureRequest request);

// A texture and its mipmaps: the 256 x 256 pixels first, then each level half
// the size of the one before down to 1 x 1 (nine in all). A texel is the mean
// of the 2 x 2 above it, each row pair and then the two means rounded half up:
// the rounding of Mesa's own mipmap generation, so the textures look as they
// did when the driver made the levels. Built on the CPU so that the GL thread
// only uploads; empty for pixels that are not 256 x 256 x 3 bytes.
using MipChain = std::vector<Pixels>;
MipChain buildMipChain(Pixels pixels);

// The textures made at start-up, in order: albedo 1..6, specular 1..6, normal
// maps 1, 2, 3, 5, 6, then the ball's map.
std::vector<TextureRequest> startupRequests();

// Builds every request's pixels, spread over `threadCount` threads (the caller
// being one of them, so 0 and 1 both mean this thread alone); texel for texel
// the same as `buildPixels` of each request.
std::vector<Pixels> buildAllPixels(const std::vector<TextureRequest>& requests, unsigned threadCount);

// The mip chains of every start-up request, in order, built on a thread of
// its own so that the work overlaps opening the window and compiling the
// shaders; needs no GL. Invalid when no thread could be had.
std::future<std::vector<MipChain>> startBuildingStartupChains();

// The same chains built now on `threadCount` threads.
std::vector<MipChain> buildAllMipChains(const std::vector<TextureRequest>& requests, unsigned threadCount);

}  // namespace ProceduralTexture
