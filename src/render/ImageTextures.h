// The textures of image files, one GL texture per key for the whole run:
// image paths as the MTL reader built them, and "solid:r,g,b" keys ("%f" each)
// for one-pixel colours. A path that failed to load is kept with the magenta
// substitute so it is tried (and reported) once. Without GL nothing is made
// and every name is 0.
#pragma once

#include "base/Math.h"
#include "render/GlHandles.h"

#include <map>
#include <string>
#include <unordered_map>

class ImageTextures {
public:
    // The texture of the image at `path` (sRGB colour or linear data), loading
    // it on first request; the magenta texture when it cannot be loaded.
    GLuint load(const std::string& path, bool srgb);
    // A one-pixel texture of `color` (components 0..1, clamped).
    GLuint solidColor(Vec3 color);

private:
    std::unordered_map<std::string, GlTexture> owned;  // every texture made, by the key it was made for
    std::unordered_map<std::string, GLuint> byKey;     // failed paths share the magenta texture
};

// "solid:" + each component printed with "%f", comma-separated.
std::string solidColorKey(Vec3 color);
