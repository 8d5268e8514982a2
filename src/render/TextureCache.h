// The model loader's textures, one GL texture per key for the whole run: image
// paths as the MTL reader built them, and "solid:r,g,b" keys ("%f" each) for
// one-pixel colours. A path that failed to load is kept with the magenta
// substitute so it is tried (and reported) once. The cache owns every texture
// in it; headless (GL not loaded) nothing is created and every name is 0.
#pragma once

#include "render/Gl.h"
#include "base/Math.h"

#include <string>

// The texture of the image at `path` (sRGB colour or linear data), loading it
// on first request; the magenta texture when it cannot be loaded.
GLuint loadTexture(const std::string& path, bool srgb);

// A cached one-pixel texture of `color` (components 0..1, clamped).
GLuint solidColorTexture(Vec3 color);

// "solid:" + each component printed with "%f", comma-separated.
std::string solidColorKey(Vec3 color);

// Deletes every cached texture and empties the cache; call while the context
// is current, at shutdown.
void releaseTextures();
