// One material of an MTL library: colours, shininess and the image files it
// names (resolved against the OBJ's folder; empty for none). The renderer
// turns the paths into textures.
#pragma once

#include "base/Math.h"

#include <string>

struct MtlMaterial {
    std::string name;
    Vec3 ambient{0.1f, 0.1f, 0.1f};
    Vec3 diffuse{0.8f, 0.8f, 0.8f};
    Vec3 specular{0.5f, 0.5f, 0.5f};
    float shininess = 32.0f;
    std::string mapKdPath;
    std::string mapKsPath;
    std::string mapBumpPath;
};
