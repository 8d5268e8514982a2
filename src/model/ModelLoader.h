// OBJ files with their MTL libraries read into ModelData on the CPU. A missing
// OBJ gives a model that is not `loaded`; a missing MTL gives no materials.
// Progress and failures are reported with the "[ModelLoader] " tag; images
// are only named here and decoded by the renderer.
#pragma once

#include "model/ModelData.h"
#include "model/MtlParser.h"

#include <string>
#include <vector>

// Always stores `path` in the result. `loaded` is true when the file could be
// read, also when it held no faces. `textures` receives every image the MTL
// files name, in file order, so they can be loaded and reported in that order.
ModelData loadObjModel(const std::string& path, std::vector<MtlTextureRef>* textures = nullptr);

// Appends the materials of `added` whose names `table` lacks: the first
// definition of a name wins.
void mergeMaterials(std::vector<MtlMaterial>& table, std::vector<MtlMaterial> added);

// The whole file; false when it cannot be opened or is not a regular file
// (a folder opens as a stream on Linux but reads nothing, a FIFO blocks).
bool readTextFile(const std::string& path, std::string& text);
