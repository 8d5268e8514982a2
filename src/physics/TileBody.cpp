// Collision shapes and bodies for tiles.
#include "physics/TileBody.h"


#include <cmath>

namespace {

bool isFinite(const Vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

btVector3 scaledPoint(const Vec3& position, const Vec3& size) {
    return btVector3(position.x * size.x, position.y * size.y, position.z * size.z);
}

// Every complete index triple of every mesh, scaled. A triple that points past
// the vertices or at a non-finite position is left out rather than read out of
// bounds or fed to the tree builder. Null when nothing usable is left, because
// a tree over no triangles has no bounds to quantise against.
std::unique_ptr<btTriangleMesh> buildTriangleMesh(const ModelData& model, const Vec3& size) {
    auto mesh = std::make_unique<btTriangleMesh>(true, true);
    for (const MeshData& part : model.meshes) {
        const size_t vertexCount = part.vertices.size();
        for (size_t i = 0; i + 2 < part.indices.size(); i += 3) {
            const std::uint32_t a = part.indices[i];
            const std::uint32_t b = part.indices[i + 1];
            const std::uint32_t c = part.indices[i + 2];
            if (a >= vertexCount || b >= vertexCount || c >= vertexCount) continue;
            const Vec3& pa = part.vertices[a].position;
            const Vec3& pb = part.vertices[b].position;
            const Vec3& pc = part.vertices[c].position;
            if (!isFinite(pa) || !isFinite(pb) || !isFinite(pc)) continue;
            mesh->addTriangle(scaledPoint(pa, size), scaledPoint(pb, size), scaledPoint(pc, size), false);
        }
    }
    if (mesh->getNumTriangles() == 0) return nullptr;
    return mesh;
}

// Null when the model has no finite vertex to wrap.
std::unique_ptr<btConvexHullShape> buildConvexHull(const ModelData& model, const Vec3& size) {
    auto hull = std::make_unique<btConvexHullShape>();
    for (const MeshData& part : model.meshes) {
        for (const Vertex& vertex : part.vertices) {
            if (isFinite(vertex.position)) hull->addPoint(scaledPoint(vertex.position, size), false);
        }
    }
    if (hull->getNumPoints() == 0) return nullptr;
    hull->recalcLocalAabb();
    hull->optimizeConvexHull();
    return hull;
}

// Fills the shape (and for static tiles the triangle mesh) from the tile's
// model; leaves both empty when the model cannot be used.
void buildModelShape(TileBody& tile, const SceneObject& object, const ModelData* found) {
    if (object.shape != ShapeKind::ObjFile || object.objPath.empty() || !found) return;
    const ModelData& model = *found;
    if (!model.loaded || model.meshes.empty()) return;
    if (object.kind == ObjectKind::MovingTile) {
        tile.shape = buildConvexHull(model, object.size);
        return;
    }
    tile.triangleMesh = buildTriangleMesh(model, object.size);
    if (tile.triangleMesh) {
        tile.shape = std::make_unique<btBvhTriangleMeshShape>(tile.triangleMesh.get(), true, true);
    }
}

}  // namespace

btVector3 tileBodyOrigin(const SceneObject& object, const ObjectState& state) {
    const Vec3 p = placedPosition(object, state);
    return btVector3(p.x, p.y, p.z);
}

TileBody buildTileBody(const SceneObject& object, const ObjectState& state, int objectIndex, const ModelData* model) {
    TileBody tile;
    tile.objectIndex = objectIndex;
    buildModelShape(tile, object, model);
    if (!tile.shape) {
        const Vec3 half = object.size * 0.5f;
        tile.shape = std::make_unique<btBoxShape>(btVector3(half.x, half.y, half.z));
    }
    btTransform start;
    start.setIdentity();
    start.setOrigin(tileBodyOrigin(object, state));
    tile.motionState = std::make_unique<btDefaultMotionState>(start);
    btRigidBody::btRigidBodyConstructionInfo info(0.0f, tile.motionState.get(), tile.shape.get(),
                                                  btVector3(0.0f, 0.0f, 0.0f));
    tile.body = std::make_unique<btRigidBody>(info);
    tile.body->setUserIndex(objectIndex);
    if (object.kind == ObjectKind::MovingTile) {
        tile.body->setCollisionFlags(tile.body->getCollisionFlags() |
                                     btCollisionObject::CF_KINEMATIC_OBJECT);
        tile.body->setActivationState(DISABLE_DEACTIVATION);
    }
    return tile;
}
