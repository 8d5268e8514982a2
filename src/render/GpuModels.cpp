// Uploading library models on first use.
#include "render/GpuModels.h"

const GpuMaterial* GpuModel::material(const std::string& name) const {
    for (const GpuMaterial& entry : materials) {
        if (entry.name == name) return &entry;
    }
    return nullptr;
}

const GpuModel& GpuModels::get(const ModelLibrary& library, ModelHandle handle) {
    if (models.size() < library.size()) models.resize(library.size());
    const std::size_t index = handle.index < models.size() ? handle.index : 0;
    std::unique_ptr<GpuModel>& slot = models[index];
    if (slot) return *slot;
    slot = std::make_unique<GpuModel>();
    const ModelData& data = library.model(handle);
    // In the order the files name them, so the messages follow the files; the
    // materials' lookups below are then cache hits.
    for (const MtlTextureRef& texture : library.textures(handle)) imageTextures.load(texture.path, texture.srgb);
    for (const MtlMaterial& material : data.materials) {
        GpuMaterial gpu;
        gpu.name = material.name;
        gpu.diffuse = material.diffuse;
        if (!material.mapKdPath.empty()) gpu.diffuseMap = imageTextures.load(material.mapKdPath, true);
        if (!material.mapKsPath.empty()) gpu.specularMap = imageTextures.load(material.mapKsPath, false);
        slot->materials.push_back(gpu);
    }
    if (glLoaded()) {
        for (const MeshData& mesh : data.meshes) slot->meshes.push_back(uploadMesh(mesh));
    }
    return *slot;
}
