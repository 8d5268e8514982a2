// Reading OBJ and MTL files and handing their contents to the GPU.
#include "render/ModelLoader.h"

#include "render/MeshGpu.h"
#include "render/MtlParser.h"
#include "render/ObjParser.h"
#include "render/TextureCache.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <unordered_set>
#include <utility>

namespace {

// The whole file; false when it cannot be opened or is not a regular file
// (a folder opens as a stream on Linux but reads nothing).
bool readTextFile(const std::string& path, std::string& text) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return false;
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) return false;
    text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

void loadMaterialTextures(const MtlLibrary& library, std::vector<MtlMaterial>& materials) {
    // In file order first, so the messages follow the file; afterwards every
    // material's lookups are cache hits.
    for (const MtlTextureRef& texture : library.textures) loadTexture(texture.path, texture.srgb);
    for (MtlMaterial& material : materials) {
        if (!material.mapKdPath.empty()) material.mapKd = loadTexture(material.mapKdPath, true);
        if (!material.mapKsPath.empty()) material.mapKs = loadTexture(material.mapKsPath, false);
        if (!material.mapBumpPath.empty()) material.mapBump = loadTexture(material.mapBumpPath, false);
    }
}

}  // namespace

void mergeMaterials(std::vector<MtlMaterial>& table, std::vector<MtlMaterial> added) {
    std::unordered_set<std::string> known;
    for (const MtlMaterial& existing : table) known.insert(existing.name);
    for (MtlMaterial& material : added) {
        if (known.insert(material.name).second) table.push_back(std::move(material));
    }
}

std::vector<MtlMaterial> loadMtlLibrary(const std::string& mtlPath, const std::string& directory) {
    std::string text;
    if (!readTextFile(mtlPath, text)) {
        std::cerr << "[ModelLoader] Cannot open MTL: " << mtlPath << "\n";
        return {};
    }
    MtlLibrary library = parseMtl(text, directory);
    loadMaterialTextures(library, library.materials);
    return std::move(library.materials);
}

Model loadObjModel(const std::string& path) {
    Model model;
    model.path = path;
    std::string text;
    if (!readTextFile(path, text)) {
        std::cerr << "[ModelLoader] Cannot open OBJ: " << path << "\n";
        return model;
    }
    ObjData data = parseObj(text);
    // A bare file name has an empty folder, so its library is looked up as
    // "/" + name, the way the game always has.
    const std::string directory = objDirectory(path);
    for (const std::string& library : data.mtlLibraries) {
        mergeMaterials(model.materials, loadMtlLibrary(directory + "/" + library, directory));
    }
    model.meshes = std::move(data.meshes);
    uploadModelIfGl(model);
    model.loaded = true;
    std::cout << "[ModelLoader] Loaded OBJ: " << path << " | meshes=" << model.meshes.size()
              << " materials=" << model.materials.size() << "\n";
    return model;
}
