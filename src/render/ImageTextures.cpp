// Image and solid-colour textures cached by key for the whole run.
#include "render/ImageTextures.h"

#include "render/ImageTexture.h"

#include <cstdio>
#include <iostream>

namespace {

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

GLuint ImageTextures::solidColor(Vec3 color) {
    if (!glLoaded()) return 0;
    const std::string key = solidColorKey(color);
    const auto found = byKey.find(key);
    if (found != byKey.end()) return found->second;
    const std::uint8_t rgb[3] = {colorByte(color.r), colorByte(color.g), colorByte(color.b)};
    const GLuint name = (owned[key] = uploadOnePixelTexture(rgb)).get();
    byKey[key] = name;
    return name;
}

GLuint ImageTextures::load(const std::string& path, bool srgb) {
    if (!glLoaded()) return 0;
    const auto found = byKey.find(path);
    if (found != byKey.end()) return found->second;
    const ImagePixels image = loadImagePixels(path);
    if (image.bytes.empty() || !fitsTextureLimits(image)) {
        std::cerr << "[ModelLoader] Cannot load texture: " << path << "\n";
        const GLuint substitute = solidColor(Vec3(1.0f, 0.0f, 1.0f));
        byKey[path] = substitute;
        return substitute;
    }
    const GLuint name = (owned[path] = uploadImageTexture(image, srgb)).get();
    byKey[path] = name;
    std::cout << "[ModelLoader] Loaded texture: " << path << " (" << image.width << "x" << image.height << ")\n";
    return name;
}
