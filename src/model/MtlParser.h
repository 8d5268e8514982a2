// Wavefront MTL text to material records with texture paths. Keys before the
// first "newmtl" are ignored; a repeated "newmtl" resets that material to the
// defaults. Texture paths are the named files beside the MTL (joinPath). Every texture
// line is also listed in file order, so the loader can load (and report)
// them in the order the file names them, including those of a material that
// a later "newmtl" reset.
#pragma once

#include "model/MtlMaterial.h"

#include <string>
#include <string_view>
#include <vector>

struct MtlTextureRef {
    std::string path;
    bool srgb = false;  // colour images are sRGB; specular and bump maps linear
};

struct MtlLibrary {
    std::vector<MtlMaterial> materials;  // unique names, first-seen order
    std::vector<MtlTextureRef> textures;
};

MtlLibrary parseMtl(std::string_view text, const std::string& directory);
