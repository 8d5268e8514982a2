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
// Pixels of every start-up request, in order, being built ahead of generateAll.
std::future<std::vector<Pixels>> startupPixelsAhead;

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
GLuint store(TextureRequest request, const Pixels& pixels) {
    const GLuint texture = uploadTexture(pixels);
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
    return store(request, buildPixels(request));
}

unsigned threadCount() { return std::max(1u, std::thread::hardware_concurrency()); }

bool sameRequest(TextureRequest a, TextureRequest b) { return a.kind == b.kind && a.material == b.material; }

// The pixels of `missing` (start-up requests in their order) from the build
// started ahead, waiting for it to end; empty when none was started.
std::vector<Pixels> takePixelsBuiltAhead(const std::vector<TextureRequest>& missing) {
    if (!startupPixelsAhead.valid()) return {};
    std::vector<Pixels> all = startupPixelsAhead.get();
    const std::vector<TextureRequest> requests = startupRequests();
    std::vector<Pixels> picked;
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

GLuint uploadTexture(const Pixels& pixels) {
    if (pixels.size() != kByteCount || !glLoaded()) return 0;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, kSize, kSize, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glGenerateMipmap(GL_TEXTURE_2D);
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
    if (startupPixelsAhead.valid()) return;
    try {
        // One thread: opening the window takes longer than the whole build,
        // and the other core stays free for it.
        startupPixelsAhead = std::async(std::launch::async, [] { return buildAllPixels(startupRequests(), 1); });
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
    // The pixels built ahead or now on every core, then the uploads (and
    // messages) in order on this thread, which owns the context; each buffer
    // goes after its upload.
    std::vector<Pixels> pixels = takePixelsBuiltAhead(missing);
    if (pixels.size() != missing.size()) pixels = buildAllPixels(missing, threadCount());
    for (std::size_t i = 0; i < missing.size(); ++i) {
        store(missing[i], pixels[i]);
        Pixels().swap(pixels[i]);
    }
}

void releaseAll() {
    deleteAll(albedoCache);
    deleteAll(specularCache);
    deleteAll(normalMapCache);
}

}  // namespace ProceduralTexture
