// Which model each object of a level is drawn and collided with: its OBJ when
// that can be read, else the procedural shape of its kind (one console line
// per object that falls back). Resolved once per level, as handles into the
// run's model library.
#pragma once

#include "level/Level.h"
#include "model/ModelLibrary.h"

#include <vector>

struct LevelModels {
    std::vector<ModelHandle> objects;  // indexed like the level's objects
    ModelHandle sun;                   // the level's sun model, or the sphere
    bool sunFromFile = false;
};

LevelModels resolveLevelModels(const Level& level, ModelLibrary& library);

// The CPU models the physics shapes tiles from, indexed like the objects.
std::vector<const ModelData*> collisionModels(const LevelModels& models, const ModelLibrary& library);
