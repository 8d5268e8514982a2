// Reading OBJ and MTL files into CPU models.
#include "model/ModelLoader.h"

#include "model/ObjParser.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <unordered_set>
#include <utility>

bool readTextFile(const std::string& path, std::string& text) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) return false;
    text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

void mergeMaterials(std::vector<MtlMaterial>& table, std::vector<MtlMaterial> added) {
    std::unordered_set<std::string> known;
    for (const MtlMaterial& existing : table) known.insert(existing.name);
    for (MtlMaterial& material : added) {
        if (known.insert(material.name).second) table.push_back(std::move(material));
    }
}

ModelData loadObjModel(const std::string& path, std::vector<MtlTextureRef>* textures) {
    ModelData model;
    model.path = path;
    std::string text;
    if (!readTextFile(path, text)) {
        std::cerr << "[ModelLoader] Cannot open OBJ: " << path << "\n";
        return model;
    }
    ObjData data = parseObj(text);
    const std::string directory = objDirectory(path);
    for (const std::string& name : data.mtlLibraries) {
        const std::string mtlPath = joinPath(directory, name);
        std::string mtlText;
        if (!readTextFile(mtlPath, mtlText)) {
            std::cerr << "[ModelLoader] Cannot open MTL: " << mtlPath << "\n";
            continue;
        }
        MtlLibrary library = parseMtl(mtlText, directory);
        if (textures) textures->insert(textures->end(), library.textures.begin(), library.textures.end());
        mergeMaterials(model.materials, std::move(library.materials));
    }
    model.meshes = std::move(data.meshes);
    model.loaded = true;
    std::cout << "[ModelLoader] Loaded OBJ: " << path << " | meshes=" << model.meshes.size()
              << " materials=" << model.materials.size() << "\n";
    return model;
}
