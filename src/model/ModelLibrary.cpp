// The run's CPU models by handle.
#include "model/ModelLibrary.h"

#include "model/ModelLoader.h"
#include "model/Shapes.h"

#include <utility>

namespace {

ModelData shapeModel(MeshData mesh) {
    ModelData model;
    model.meshes.push_back(std::move(mesh));
    model.loaded = true;
    return model;
}

}  // namespace

ModelLibrary::ModelLibrary() {
    basicShapes[static_cast<int>(BasicShape::Sphere)] = add({shapeModel(buildSphereMesh(20, 20, 1.0f)), {}});
    basicShapes[static_cast<int>(BasicShape::Box)] = add({shapeModel(buildBoxMesh(1.0f)), {}});
    basicShapes[static_cast<int>(BasicShape::Cylinder)] = add({shapeModel(buildCylinderMesh(0.5f, 1.0f, 24)), {}});
    basicShapes[static_cast<int>(BasicShape::Plane)] = add({shapeModel(buildPlaneMesh(1.0f, 1.0f)), {}});
}

ModelHandle ModelLibrary::add(Entry entry) {
    models.push_back(std::move(entry));
    return ModelHandle{static_cast<std::uint32_t>(models.size() - 1)};
}

ModelHandle ModelLibrary::load(const std::string& path) {
    const auto found = byPath.find(path);
    if (found != byPath.end()) return found->second;
    Entry entry;
    entry.data = loadObjModel(path, &entry.textures);
    const ModelHandle handle = add(std::move(entry));
    byPath.emplace(path, handle);  // a failed path is kept too, so it is read once
    return handle;
}

ModelHandle ModelLibrary::shape(BasicShape kind) const { return basicShapes[static_cast<int>(kind)]; }

const ModelData& ModelLibrary::model(ModelHandle handle) const {
    // A handle from another library could point past the end: show the box.
    if (handle.index >= models.size()) return models[basicShapes[1].index].data;
    return models[handle.index].data;
}

const std::vector<MtlTextureRef>& ModelLibrary::textures(ModelHandle handle) const {
    static const std::vector<MtlTextureRef> none;
    return handle.index < models.size() ? models[handle.index].textures : none;
}
