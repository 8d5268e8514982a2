// Resolving a level's objects to models.
#include "game/LevelModels.h"

#include <iostream>

namespace {

BasicShape basicShapeOf(ShapeKind shape) {
    switch (shape) {
        case ShapeKind::Sphere: return BasicShape::Sphere;
        case ShapeKind::Cylinder: return BasicShape::Cylinder;
        case ShapeKind::Plane: return BasicShape::Plane;
        case ShapeKind::Box:
        case ShapeKind::ObjFile: break;
    }
    return BasicShape::Box;  // also any value out of range
}

ModelHandle resolveObject(const SceneObject& object, ModelLibrary& library) {
    if (!object.objPath.empty()) {
        const ModelHandle handle = library.load(object.objPath);
        if (library.model(handle).loaded) return handle;
        std::cerr << "[SceneObject] OBJ not found, using procedural fallback: " << object.objPath << "\n";
    }
    return library.shape(basicShapeOf(object.shape));
}

}  // namespace

LevelModels resolveLevelModels(const Level& level, ModelLibrary& library) {
    LevelModels models;
    models.objects.reserve(level.objects.size());
    for (const SceneObject& object : level.objects) models.objects.push_back(resolveObject(object, library));
    models.sun = library.shape(BasicShape::Sphere);
    if (!level.sunObj.empty()) {
        const ModelHandle sun = library.load(level.sunObj);
        if (library.model(sun).loaded) {
            models.sun = sun;
            models.sunFromFile = true;
        }
    }
    return models;
}

std::vector<const ModelData*> collisionModels(const LevelModels& models, const ModelLibrary& library) {
    std::vector<const ModelData*> result;
    result.reserve(models.objects.size());
    for (ModelHandle handle : models.objects) result.push_back(&library.model(handle));
    return result;
}
