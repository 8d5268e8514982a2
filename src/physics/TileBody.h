// The collision body of one tile: a mass-0 rigid body at the tile's place,
// with a box of the tile's size or, for a tile drawn from an OBJ model, the
// model's triangles (static tiles) or their convex hull (moving tiles), scaled
// by the tile's size. `objectIndex` is the tile's index in the level's objects
// and the body's user index, so contacts lead back to the tile.
#pragma once

#include "level/LevelRun.h"
#include "model/ModelData.h"

#include <btBulletDynamicsCommon.h>

#include <memory>

struct TileBody {
    std::unique_ptr<btRigidBody> body;
    std::unique_ptr<btDefaultMotionState> motionState;
    std::unique_ptr<btCollisionShape> shape;
    std::unique_ptr<btTriangleMesh> triangleMesh;  // only behind a triangle-mesh shape
    int objectIndex = -1;
};

// Where the tile's body belongs now: a moving tile at its rest position plus
// its current offset along the axis, any other tile at its position.
btVector3 tileBodyOrigin(const SceneObject& object, const ObjectState& state);

// The body of `object` (not yet in any world), shaped by `model` when the tile
// is drawn from one. A model that cannot give a usable shape (null, not
// loaded, no meshes, no complete finite triangle, an index past its vertices)
// gives way to the box of the tile's size.
TileBody buildTileBody(const SceneObject& object, const ObjectState& state, int objectIndex, const ModelData* model);
