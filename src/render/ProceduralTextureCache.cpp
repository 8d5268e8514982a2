// The GL half of the procedural textures: upload and the three caches.
#include "render/ProceduralTexture.h"

#include <algorithm>
#include <future>
#include <iostream>
#include <map>
#include <system_error>
#include <thread>

namespace ProceduralTexture {
namespace {

// Material number (or kBallKey) to texture name; 0 is cached too, so a
// material without a texture is not asked again.
using Cache = std::map<std::uint32_t, GLuint>;
Cache albedoCache;
Cache specularCache;
Cache normalMapCache;
// Mip chains of every start-up request, in order, being built ahead of generateAll.
std::future<std::vector<MipChain>> startupChainsAhead;

const char* albedoName(std::uint32_t material) {
    static const char* const kNames[] = {"stone", "wood", "marble", "cobblestone", "dirt", "ice"};
    return material >= 1 && material <= 6 ? kNames[material - 1] : "";
}

Cache& cacheOf(TextureKind kind) {
    switch (kind) {
        case TextureKind::Albedo: return albedoCache;
        case TextureKind::NormalMap: return normalMapCache;
        case TextureKind::Specular:
        case TextureKind::BallSpecular: break;
    }
    return specularCache;
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

// Uploads and caches; only textures that were really made are announced.
GLuint store(TextureRequest request, const MipChain& chain) {
    const GLuint texture = uploadTexture(chain);
    if (texture != 0) reportGenerated(request);
    cacheOf(request.kind)[keyOf(request)] = texture;
    return texture;
}

GLuint lookup(TextureRequest request) {
    const Cache& cache = cacheOf(request.kind);
    const auto found = cache.find(keyOf(request));
    if (found != cache.end()) return found->second;
    // Without GL nothing can be made, and nothing is cached so that a later
    // request with a context still gets its texture.
    if (!glLoaded()) return 0;
    return store(request, buildMipChain(buildPixels(request)));
}

unsigned threadCount() { return std::max(1u, std::thread::hardware_concurrency()); }

bool sameRequest(TextureRequest a, TextureRequest b) { return a.kind == b.kind && a.material == b.material; }

std::vector<MipChain> buildAllMipChains(const std::vector<TextureRequest>& requests, unsigned threadCount) {
    std::vector<MipChain> chains;
    for (Pixels& pixels : buildAllPixels(requests, threadCount)) chains.push_back(buildMipChain(std::move(pixels)));
    return chains;
}

// The chains of `missing` (start-up requests in their order) from the build
// started ahead, waiting for it to end; empty when none was started.
std::vector<MipChain> takeChainsBuiltAhead(const std::vector<TextureRequest>& missing) {
    if (!startupChainsAhead.valid()) return {};
    std::vector<MipChain> all = startupChainsAhead.get();
    const std::vector<TextureRequest> requests = startupRequests();
    std::vector<MipChain> picked;
    for (std::size_t i = 0; i < requests.size() && i < all.size() && picked.size() < missing.size(); ++i) {
        if (sameRequest(requests[i], missing[picked.size()])) picked.push_back(std::move(all[i]));
    }
    return picked;
}

void deleteAll(Cache& cache) {
    if (glLoaded()) {
        for (const auto& [key, texture] : cache) {
            if (texture != 0) glDeleteTextures(1, &texture);
        }
    }
    cache.clear();
}

}  // namespace

GLuint uploadTexture(const MipChain& chain) {
    if (chain.empty() || chain[0].size() != kByteCount || !glLoaded()) return 0;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
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

GLuint albedoTexture(std::uint32_t material) {
    return material == 0 ? 0 : lookup({TextureKind::Albedo, material});
}

GLuint specularTexture(std::uint32_t material) {
    return material == 0 ? 0 : lookup({TextureKind::Specular, material});
}

GLuint normalMapTexture(std::uint32_t material) {
    return material == 0 ? 0 : lookup({TextureKind::NormalMap, material});
}

GLuint ballSpecularTexture() { return lookup({TextureKind::BallSpecular, 0}); }

void startBuildingStartupPixels() {
    if (startupChainsAhead.valid()) return;
    try {
        // One thread: opening the window takes longer than the whole build,
        // and the other core stays free for it.
        startupChainsAhead = std::async(std::launch::async, [] { return buildAllMipChains(startupRequests(), 1); });
    } catch (const std::system_error&) {
        // No thread to be had: generateAll builds the pixels itself.
    }
}

void generateAll() {
    if (!glLoaded()) return;
    std::vector<TextureRequest> missing;
    for (const TextureRequest& request : startupRequests()) {
        if (cacheOf(request.kind).count(keyOf(request)) == 0) missing.push_back(request);
    }
    // The mip chains built ahead or now on every core, then the uploads (and
    // messages) in order on this thread, which owns the context; each buffer
    // goes after its upload.
    std::vector<MipChain> chains = takeChainsBuiltAhead(missing);
    if (chains.size() != missing.size()) chains = buildAllMipChains(missing, threadCount());
    for (std::size_t i = 0; i < missing.size(); ++i) {
        store(missing[i], chains[i]);
        MipChain().swap(chains[i]);
    }
}

void releaseAll() {
    deleteAll(albedoCache);
    deleteAll(specularCache);
    deleteAll(normalMapCache);
}

}  // namespace ProceduralTexture
