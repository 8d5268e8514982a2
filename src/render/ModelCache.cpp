// The run-wide model cache and the shared fallback shapes.
#include "render/ModelCache.h"

#include "level/Level.h"
#include "render/ModelLoader.h"
#include "render/Shapes.h"

#include <iostream>
#include <memory>
#include <unordered_map>

namespace {

// Element references stay valid as the map grows, which the objects'
// stored model pointers rely on.
std::unordered_map<std::string, Model>& modelCache() {
    static std::unordered_map<std::string, Model> cache;
    return cache;
}

// Unit-sized stand-ins; an object's scale gives them their size.
struct FallbackShapes {
    Model sphere = makeSphere(20, 20, 1.0f);
    Model box = makeBox(1.0f);
    Model cylinder = makeCylinder(0.5f, 1.0f, 24);
    Model plane = makePlane(1.0f, 1.0f);
};

std::unique_ptr<FallbackShapes>& fallbackShapes() {
    static std::unique_ptr<FallbackShapes> shapes;
    return shapes;
}

Model& fallbackFor(ShapeKind shape) {
    std::unique_ptr<FallbackShapes>& shapes = fallbackShapes();
    if (!shapes) shapes = std::make_unique<FallbackShapes>();
    switch (shape) {
    case ShapeKind::Sphere:
        return shapes->sphere;
    case ShapeKind::Cylinder:
        return shapes->cylinder;
    case ShapeKind::Plane:
        return shapes->plane;
    default:
        return shapes->box;  // Box, ObjFile and any value out of range
    }
}

}  // namespace

Model& getCachedModel(const std::string& path) {
    std::unordered_map<std::string, Model>& cache = modelCache();
    const auto found = cache.find(path);
    if (found != cache.end()) return found->second;
    // Stored also when not loaded, so a failing path is read only once.
    return cache.emplace(path, loadObjModel(path)).first->second;
}

Model& resolveModel(SceneObject& object) {
    if (object.model != nullptr) return *object.model;
    if (!object.objPath.empty()) {
        Model& cached = getCachedModel(object.objPath);
        if (cached.loaded) {
            object.model = &cached;
            return cached;
        }
        std::cerr << "[SceneObject] OBJ not found, using procedural fallback: " << object.objPath << "\n";
    }
    object.model = &fallbackFor(object.shape);
    return *object.model;
}

void releaseModels() {
    // Each mesh deletes its GL objects as it goes, so this must run while the
    // context is still current. Objects' model pointers dangle afterwards.
    modelCache().clear();
    fallbackShapes().reset();
}
