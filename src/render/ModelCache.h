// Models by OBJ path, read once for the whole run (failures included), and the
// shared procedural shapes that stand in for objects without a usable model.
// Emptied only at shutdown, while the GL context is still current.
#pragma once

#include "render/Mesh.h"

#include <string>

struct SceneObject;

// The cached model of `path`, reading it on first request. Never fails; the
// caller tests `loaded`.
Model& getCachedModel(const std::string& path);

// The model an object is drawn and collided with: its OBJ when usable, else the
// shared procedural shape of its `shape` (with one fallback line per object).
// The choice is stored in the object.
Model& resolveModel(SceneObject& object);

// Deletes every cached and shared model's GL objects and empties the cache.
void releaseModels();
