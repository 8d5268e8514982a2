// OBJ files with their MTL libraries to Models: parse on the CPU, then (when
// GL is loaded) upload the meshes and the material textures. A missing OBJ
// gives a Model that is not `loaded`; a missing MTL gives no materials; a
// missing image gives the magenta texture. Progress and failures are reported
// with the "[ModelLoader] " tag.
#pragma once

#include "render/Mesh.h"
#include "render/MtlMaterial.h"

#include <string>
#include <vector>

// Always stores `path` in the result. `loaded` is true when the file could be
// read, also when it held no faces.
Model loadObjModel(const std::string& path);

// The materials of the MTL file at `mtlPath`, texture paths resolved against
// `directory` and their GL textures loaded; empty when the file cannot be read.
std::vector<MtlMaterial> loadMtlLibrary(const std::string& mtlPath, const std::string& directory);

// Appends the materials of `added` whose names `table` lacks: the first
// definition of a name wins.
void mergeMaterials(std::vector<MtlMaterial>& table, std::vector<MtlMaterial> added);
