// The procedural surface textures on the GPU: per material a colour map, a
// specular map and a normal map, plus the ball's specular map, each made on
// first request (the start-up set all at once) and kept for the run. Material
// 0 has none (name 0); without GL every lookup is 0.
#pragma once

#include "render/GlHandles.h"
#include "render/ProceduralTexture.h"

#include <cstdint>
#include <future>
#include <map>
#include <vector>

class SurfaceTextures {
public:
    // Uploads every start-up texture not made yet, from `ahead` when it holds
    // chains built ahead (waited for), otherwise built now on all cores; the
    // uploads run on this thread, in order.
    void generateAll(std::future<std::vector<ProceduralTexture::MipChain>> ahead = {});

    GLuint albedo(std::uint32_t material);
    GLuint specular(std::uint32_t material);
    GLuint normalMap(std::uint32_t material);
    GLuint ballSpecular();

private:
    using Cache = std::map<std::uint32_t, GlTexture>;  // an empty owner for "no texture" stays cached too
    Cache& cacheOf(ProceduralTexture::TextureKind kind);
    GLuint lookup(ProceduralTexture::TextureRequest request);
    GLuint store(ProceduralTexture::TextureRequest request, const ProceduralTexture::MipChain& chain);

    Cache albedoCache;
    Cache specularCache;
    Cache normalMapCache;
};

// A 256 x 256 GL_RGB8 texture with the chain's mipmaps, trilinear filtering
// and repeat wrapping; none for a chain that `buildMipChain` would not make.
GlTexture uploadSurfaceTexture(const ProceduralTexture::MipChain& chain);
