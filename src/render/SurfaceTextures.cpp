// The GL half of the procedural textures: upload and the three caches.
#include "render/SurfaceTextures.h"

#include <algorithm>
#include <iostream>
#include <thread>

using namespace ProceduralTexture;

namespace {

const char* albedoName(std::uint32_t material) {
    static const char* const kNames[] = {"stone", "wood", "marble", "cobblestone", "dirt", "ice"};
    return material >= 1 && material <= 6 ? kNames[material - 1] : "";
}

std::uint32_t keyOf(TextureRequest request) {
    return request.kind == TextureKind::BallSpecular ? kBallKey : request.material;
}

void reportGenerated(TextureRequest request) {
    const char* name = nullptr;
    if (request.kind == TextureKind::Albedo) name = albedoName(request.material);
    if (request.kind == TextureKind::BallSpecular) name = "ball_specular";
    if (name) std::cout << "[ProceduralTexture] Generated: " << name << " (" << kSize << "x" << kSize << ")\n";
}

unsigned threadCount() { return std::max(1u, std::thread::hardware_concurrency()); }

}  // namespace

GlTexture uploadSurfaceTexture(const MipChain& chain) {
    if (chain.empty() || chain[0].size() != kByteCount || !glLoaded()) return GlTexture();
    GlTexture texture = makeGlTexture();
    glBindTexture(GL_TEXTURE_2D, texture.get());
    // The small levels' rows (2 x 3, 1 x 3 bytes) are not whole four-byte words.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    int size = kSize;
    for (std::size_t level = 0; level < chain.size(); ++level, size /= 2) {
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), GL_RGB8, size, size, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     chain[level].data());
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);  // the GL default other uploads assume
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

SurfaceTextures::Cache& SurfaceTextures::cacheOf(TextureKind kind) {
    switch (kind) {
        case TextureKind::Albedo: return albedoCache;
        case TextureKind::NormalMap: return normalMapCache;
        case TextureKind::Specular:
        case TextureKind::BallSpecular: break;
    }
    return specularCache;
}

// Uploads and caches; only textures that were really made are announced.
GLuint SurfaceTextures::store(TextureRequest request, const MipChain& chain) {
    GlTexture texture = uploadSurfaceTexture(chain);
    if (texture) reportGenerated(request);
    GlTexture& slot = cacheOf(request.kind)[keyOf(request)];
    slot = std::move(texture);
    return slot.get();
}

GLuint SurfaceTextures::lookup(TextureRequest request) {
    const Cache& cache = cacheOf(request.kind);
    const auto found = cache.find(keyOf(request));
    if (found != cache.end()) return found->second.get();
    // Without GL nothing can be made, and nothing is cached so that a later
    // request with a context still gets its texture.
    if (!glLoaded()) return 0;
    return store(request, buildMipChain(buildPixels(request)));
}

GLuint SurfaceTextures::albedo(std::uint32_t material) {
    return material == 0 ? 0 : lookup({TextureKind::Albedo, material});
}

GLuint SurfaceTextures::specular(std::uint32_t material) {
    return material == 0 ? 0 : lookup({TextureKind::Specular, material});
}

GLuint SurfaceTextures::normalMap(std::uint32_t material) {
    return material == 0 ? 0 : lookup({TextureKind::NormalMap, material});
}

GLuint SurfaceTextures::ballSpecular() { return lookup({TextureKind::BallSpecular, 0}); }

void SurfaceTextures::generateAll(std::future<std::vector<MipChain>> ahead) {
    if (!glLoaded()) return;
    const std::vector<TextureRequest> requests = startupRequests();
    std::vector<MipChain> chains;
    if (ahead.valid()) chains = ahead.get();
    if (chains.size() != requests.size()) chains = buildAllMipChains(requests, threadCount());
    // The uploads (and messages) in order on this thread, which owns the
    // context; each chain goes after its upload.
    for (std::size_t i = 0; i < requests.size(); ++i) {
        if (cacheOf(requests[i].kind).count(keyOf(requests[i])) == 0) store(requests[i], chains[i]);
        MipChain().swap(chains[i]);
    }
}
