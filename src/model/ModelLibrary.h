// Every model of the run on the CPU, named by handles the library hands out:
// OBJ files by path (read once, failures included) and the four procedural
// shapes that stand in for objects without a usable model. Handles stay valid
// for the library's life; nothing is ever removed. The renderer uploads models
// by the same handles; physics builds collision shapes from the same data.
#pragma once

#include "model/ModelData.h"
#include "model/MtlParser.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct ModelHandle {
    std::uint32_t index = 0;
    bool operator==(ModelHandle other) const { return index == other.index; }
    bool operator!=(ModelHandle other) const { return index != other.index; }
};

enum class BasicShape { Sphere, Box, Cylinder, Plane };

class ModelLibrary {
public:
    ModelLibrary();  // makes the four basic shapes

    // The model of the OBJ at `path`, reading it on first request. Never
    // fails: the caller tests `loaded`.
    ModelHandle load(const std::string& path);
    // A unit-sized procedural shape (the object's scale gives its size).
    ModelHandle shape(BasicShape kind) const;
    const ModelData& model(ModelHandle handle) const;
    // The images a model's materials name, in the order its files name them.
    const std::vector<MtlTextureRef>& textures(ModelHandle handle) const;
    std::size_t size() const { return models.size(); }

private:
    struct Entry {
        ModelData data;
        std::vector<MtlTextureRef> textures;
    };
    ModelHandle add(Entry entry);

    std::vector<Entry> models;
    std::unordered_map<std::string, ModelHandle> byPath;
    ModelHandle basicShapes[4];
};
