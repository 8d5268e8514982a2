// One material of an MTL library. The texture paths are what the file named
// (resolved against the OBJ's folder); the GL names are filled by the upload
// and are 0 for none. Textures are owned by the texture cache, not by this.
#pragma once

#include "base/Math.h"

#include <string>

struct MtlMaterial {
    std::string name;
    Vec3 ambient{0.1f, 0.1f, 0.1f};
    Vec3 diffuse{0.8f, 0.8f, 0.8f};
    Vec3 specular{0.5f, 0.5f, 0.5f};
    float shininess = 32.0f;
    unsigned int mapKd = 0;
    unsigned int mapKs = 0;
    unsigned int mapBump = 0;
    std::string mapKdPath;
    std::string mapKsPath;
    std::string mapBumpPath;
};
