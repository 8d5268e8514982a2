// Image and solid-colour textures cached by key for the whole run.
#include "render/TextureCache.h"

#include "render/GlObjects.h"

#include "render/ImageTexture.h"

#include <cstdio>
#include <iostream>
#include <set>
#include <unordered_map>

namespace {

std::unordered_map<std::string, GLuint>& textureCache() {
    static std::unordered_map<std::string, GLuint> cache;
    return cache;
}

const GLuint* cachedTexture(const std::string& key) {
    const auto found = textureCache().find(key);
    return found == textureCache().end() ? nullptr : &found->second;
}

// Component times 255, truncated; clamped first (NaN to 0) because a float
// outside the byte range has no defined conversion.
std::uint8_t colorByte(float component) {
    if (!(component > 0.0f)) return 0;
    if (component >= 1.0f) return 255;
    return static_cast<std::uint8_t>(component * 255.0f);
}

bool fitsTextureLimits(const ImagePixels& image) {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    return image.width <= largest && image.height <= largest;
}

}  // namespace

std::string solidColorKey(Vec3 color) {
    // "%f" of a float can take up to 47 characters; three of them fit.
    char key[192];
    std::snprintf(key, sizeof key, "solid:%f,%f,%f", static_cast<double>(color.r), static_cast<double>(color.g),
                  static_cast<double>(color.b));
    return key;
}

GLuint solidColorTexture(Vec3 color) {
    if (!glLoaded()) return 0;
    const std::string key = solidColorKey(color);
    if (const GLuint* cached = cachedTexture(key)) return *cached;
    const std::uint8_t rgb[3] = {colorByte(color.r), colorByte(color.g), colorByte(color.b)};
    const GLuint texture = uploadOnePixelTexture(rgb);
    textureCache()[key] = texture;
    return texture;
}

GLuint loadTexture(const std::string& path, bool srgb) {
    if (!glLoaded()) return 0;
    if (const GLuint* cached = cachedTexture(path)) return *cached;
    const ImagePixels image = loadImagePixels(path);
    if (image.bytes.empty() || !fitsTextureLimits(image)) {
        std::cerr << "[ModelLoader] Cannot load texture: " << path << "\n";
        const GLuint substitute = solidColorTexture(Vec3(1.0f, 0.0f, 1.0f));
        textureCache()[path] = substitute;
        return substitute;
    }
    const GLuint texture = uploadImageTexture(image, srgb);
    textureCache()[path] = texture;
    std::cout << "[ModelLoader] Loaded texture: " << path << " (" << image.width << "x" << image.height << ")\n";
    return texture;
}

void releaseTextures() {
    // Failed paths share the magenta texture: delete each name once.
    std::set<GLuint> names;
    for (const auto& entry : textureCache()) names.insert(entry.second);
    if (glLoaded()) {
        for (GLuint name : names) glDeleteTextures(1, &name);
    }
    textureCache().clear();
}
