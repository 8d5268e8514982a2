// The collision world on real Bullet: resting still where faces meet, bodies
// from models or their boxes, and no passing through thin tiles.
#include "physics/PhysicsWorld.h"

#include "PhysicsRig.h"
#include "model/Shapes.h"

#include <gtest/gtest.h>

#include <cmath>

// The unit box's bottom face (y = -0.5) as two triangles facing up.
static ModelData lowQuad() {
    ModelData model;
    model.meshes.emplace_back().indices = {0, 2, 1, 0, 3, 2};
    for (const Vec2 xz : {Vec2(-0.5f, -0.5f), Vec2(0.5f, -0.5f), Vec2(0.5f, 0.5f), Vec2(-0.5f, 0.5f)}) {
        model.meshes[0].vertices.emplace_back().position = {xz.x, -0.5f, xz.y};
    }
    model.loaded = true;
    return model;
}

TEST(PhysicsWorld, BallRestingWhereTilesMeetIsPushedOutOnceAndStaysStill) {
    // Tiles sharing a seam report the same penetration; so do triangles sharing
    // an edge. The library rounds a box's edges by its 0.04 margin, so a ball of
    // radius 0.5 over a seam of boxes sinks to where it touches two edges, over
    // a corner to where it touches four.
    const float margin = 0.04f, reach = 0.5f + margin;
    const float onTwoEdges = std::sqrt(reach * reach - margin * margin) - margin;
    const float onFourCorners = std::sqrt(reach * reach - 2.0f * margin * margin) - margin;
    ModelData box;
    box.meshes.push_back(buildBoxMesh(1.0f));
    box.loaded = true;
    struct Case { const char* name; float z; ShapeKind shape; float restY; };
    for (const Case c : {Case{"seam of boxes", 0.3f, ShapeKind::Box, onTwoEdges},
                         Case{"corner of boxes", 0, ShapeKind::Box, onFourCorners},
                         Case{"seam of models", 0.3f, ShapeKind::ObjFile, 0.5f},
                         Case{"corner of models", 0, ShapeKind::ObjFile, 0.5f}}) {
        Rig rig;
        for (int i = 0; i < 4; ++i) {
            SceneObject& tile = rig.level.addTile({i & 1 ? 1 : -1, -0.5f, i & 2 ? 1 : -1}, {2, 1, 2}, Vec3(0.5f));
            tile.shape = c.shape;
            tile.objPath = "box.obj";
        }
        rig.load({0.0f, 1.0f, c.z}, Vec3(0.0f), std::vector<const ModelData*>(4, &box));
        rig.measure(120, 60);
        EXPECT_TRUE(std::abs(rig.low - c.restY) < 1e-4f && std::abs(rig.high - c.restY) < 1e-4f && rig.alwaysGrounded)
            << c.name << ": " << rig.low << " .. " << rig.high;
    }
}

TEST(PhysicsWorld, ModelTilesCollideByTrianglesOrHullAndAnUnusableModelByItsBox) {
    // A 6 x 2 x 6 tile at the origin: its box's top is y = 1, the quad's face
    // y = -1; the ball drops onto the quad's diagonal, where its two triangles meet.
    enum Setup { Quad, NoModel, NotLoaded, NoMeshes, EmptyMesh, BadIndices, NonFinite, NotAnObjTile };
    struct Case { Setup setup; bool moving; float restY, tolerance; };
    for (const Case& c : {Case{Quad, false, -0.5f, 1e-3f}, Case{Quad, true, -0.48f, 0.03f},  // a hull keeps a margin
                          Case{NoModel, false, 1.5f, 1e-3f}, Case{NotLoaded, false, 1.5f, 1e-3f},
                          Case{NoMeshes, false, 1.5f, 1e-3f}, Case{EmptyMesh, true, 1.5f, 1e-3f},
                          Case{BadIndices, false, 1.5f, 1e-3f}, Case{NonFinite, false, -0.5f, 1e-3f},
                          Case{NotAnObjTile, false, 1.5f, 1e-3f}}) {
        ModelData model = lowQuad();
        model.loaded = c.setup != NotLoaded;
        if (c.setup == NoMeshes) model.meshes.clear();
        if (c.setup == EmptyMesh) model.meshes[0] = MeshData{};
        if (c.setup == BadIndices) model.meshes[0].indices = {0, 1, 9, 2, 70000, 1, 3, 2};
        if (c.setup == NonFinite) {  // a second copy whose shared corner is not finite
            model.meshes.push_back(lowQuad().meshes[0]);
            model.meshes[1].vertices[0].position = {NAN, INFINITY, 0.0f};
        }
        Rig rig;
        SceneObject& tile = c.moving ? rig.level.addMovingTile({}, {6, 2, 6}, Vec3(0.5f), {1, 0, 0}, 0, 0, 0)
                                     : rig.level.addTile({}, {6, 2, 6}, Vec3(0.5f));
        tile.shape = c.setup == NotAnObjTile ? ShapeKind::Box : ShapeKind::ObjFile;
        tile.objPath = "model.obj";
        rig.load({0.5f, 2.0f, 0.5f}, Vec3(0.0f), {c.setup == NoModel ? nullptr : &model});
        rig.measure(60, 90);
        EXPECT_TRUE(std::abs(rig.low - c.restY) < c.tolerance && std::abs(rig.high - c.restY) < c.tolerance &&
                    rig.alwaysGrounded) << "setup " << c.setup << ", moving " << c.moving << ": " << rig.low;
    }
}

// Sub-steps keep every move shorter than half a thin tile: the fastest fall,
// the highest rebound and a boosted roll into a wall all stop at the tile,
// whatever share of a step they start from it.
TEST(PhysicsWorld, NoReachableSpeedPassesThroughATileOneFifthThick) {
    struct Case { const char* name; Vec3 velocity, tileSize; TileType type; };
    for (const Case& c : {Case{"terminal fall", {0, -kBallTerminalSpeed, 0}, {4, 0.2f, 4}, TileType::Normal},
                          Case{"capped rebound", {0, -kBounceMaxRebound, 0}, {4, 0.2f, 4}, TileType::Bouncy},
                          Case{"boosted roll", {-kBallTopSpeed * kSpeedBoostMultiplier, 0, 0}, {0.2f, 4, 4},
                               TileType::Normal}}) {
        for (float share = 0.0f; share < 1.0f; share += 0.1f) {
            Rig rig;
            rig.level.addTile(Vec3(0.0f), c.tileSize, Vec3(0.5f)).tileType = c.type;
            const Vec3 back = -glm::normalize(c.velocity);
            rig.load(back * (0.6f + share * glm::length(c.velocity) * kStepSeconds), c.velocity);
            for (int i = 0; i < 10; ++i) rig.world.step(rig.ball, rig.level, rig.run, kStepSeconds);
            EXPECT_GT(glm::dot(rig.ball.position, back), 0.55f) << c.name << " from " << share;
        }
    }
    EXPECT_EQ(subStepsFor(Vec3(NAN), kStepSeconds), 1);
    EXPECT_EQ(subStepsFor(Vec3(1e9f), kStepSeconds), kMaxSubSteps);
}
