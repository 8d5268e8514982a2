// The GPU copies of the model library's models, uploaded when first drawn and
// kept for the run, with the textures their materials name. Indexed by the
// library's handles; owns every GL object it makes.
#pragma once

#include "model/ModelLibrary.h"
#include "render/GpuMesh.h"
#include "render/ImageTextures.h"

#include <memory>
#include <string>
#include <vector>

struct GpuMaterial {
    std::string name;
    Vec3 diffuse{0.8f};
    GLuint diffuseMap = 0;   // owned by the texture cache; 0 for none
    GLuint specularMap = 0;
};

struct GpuModel {
    std::vector<GpuMesh> meshes;
    std::vector<GpuMaterial> materials;

    // The material a mesh names, or null when the model has none of that name.
    const GpuMaterial* material(const std::string& name) const;
};

class GpuModels {
public:
    const GpuModel& get(const ModelLibrary& library, ModelHandle handle);
    ImageTextures& textures() { return imageTextures; }

private:
    ImageTextures imageTextures;
    std::vector<std::unique_ptr<GpuModel>> models;  // by handle; null until first drawn
};
