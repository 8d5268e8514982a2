// The collision world on real Bullet: which objects block, bodies from boxes and
// models, resting still where faces meet, the world's lifecycle, and whole runs
// on the built-in level.
#include "physics/PhysicsWorld.h"

#include "PhysicsRig.h"
#include "level/BuiltinLevel.h"
#include "render/Shapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

namespace {

// The unit box's bottom face (y = -0.5) as two triangles facing up.
Model lowQuad() {
    Model model;
    model.meshes.emplace_back().indices = {0, 2, 1, 0, 3, 2};
    for (const Vec2 xz : {Vec2(-0.5f, -0.5f), Vec2(0.5f, -0.5f), Vec2(0.5f, 0.5f), Vec2(-0.5f, 0.5f)}) {
        model.meshes[0].vertices.emplace_back().position = {xz.x, -0.5f, xz.y};
    }
    model.loaded = true;
    return model;
}

// Stands in for the model cache: models by OBJ path, the unit box for any other.
struct CpuModels {
    std::map<std::string, Model> byPath;
    Model box = makeBox(1.0f);
    ModelResolver resolver() {
        return [this](SceneObject& object) -> Model& {
            const auto found = byPath.find(object.objPath);
            return found == byPath.end() ? box : found->second;
        };
    }
};

}  // namespace

TEST(PhysicsWorld, CoinsAndPowerupsNeverBlockAndContactsReachTheirTileByIndex) {
    Level level;
    level.addCoin({0.0f, 3.0f, 0.0f}, 0.0f);
    level.addTile({20.0f, 0.0f, 0.0f}, Vec3(1.0f), Vec3(0.5f));
    level.addPowerup({0.2f, 2.9f, 0.0f}, Vec3(1.0f), 0.0f, PowerupType::Shield);
    addFloor(level, TileType::Ice);
    PhysicsWorld world;
    Ball inPickups = ballAt({0.0f, 3.0f, 0.0f}, {0.5f, -1.0f, 0.0f});
    Ball onIce = ballAt({0.0f, 0.48f, 0.0f}, {0.0f, -1.0f, 0.0f});
    world.step(inPickups, level.objects, 1.0f / 60.0f);
    world.step(onIce, level.objects, 1.0f / 60.0f);
    EXPECT_EQ(inPickups.position, Vec3(0.0f, 3.0f, 0.0f));
    EXPECT_EQ(inPickups.velocity, Vec3(0.5f, -1.0f, 0.0f));
    EXPECT_EQ(onIce.surface, static_cast<int>(TileType::Ice));
}

TEST(PhysicsWorld, LoadingReplacesTheBodiesAndAStepAfterShutdownBuildsAFreshWorld) {
    Level first, second, empty;
    addFloor(first);
    second.addTile({0.0f, -10.5f, 0.0f}, {8.0f, 1.0f, 8.0f}, Vec3(0.5f));
    PhysicsWorld world;
    world.loadLevel(Ball{}, first.objects);
    world.loadLevel(Ball{}, second.objects);
    Ball ball = ballAt({0.0f, 0.45f, 0.0f}, {0.0f, -1.0f, 0.0f});
    world.step(ball, second.objects, 1.0f / 60.0f);
    EXPECT_EQ(ball.position.y, 0.45f);  // the first level's floor is gone
    world.shutdown();
    Ball big = ballAt({0.0f, -9.05f, 0.0f}, {0.0f, -1.0f, 0.0f});
    big.radius = 1.0f;
    world.step(big, second.objects, 1.0f / 60.0f);
    EXPECT_NEAR(big.position.y, -9.0f, 1e-4f);  // built anew, with the ball's own radius
    world.loadLevel(big, empty.objects);
    world.step(big, empty.objects, 1.0f / 60.0f);
    EXPECT_FALSE(big.grounded);
}

TEST(PhysicsWorld, BallRestingWhereTilesMeetIsPushedOutOnceAndStaysStill) {
    // Tiles sharing a seam report the same penetration; so do triangles sharing an edge (see below).
    // The library rounds a box's edges by its 0.04 margin, so a ball of radius 0.5 over a seam of
    // boxes sinks to where it touches two edges, over a corner to where it touches four.
    const float margin = 0.04f, reach = 0.5f + margin;
    const float onTwoEdges = std::sqrt(reach * reach - margin * margin) - margin;
    const float onFourCorners = std::sqrt(reach * reach - 2.0f * margin * margin) - margin;
    struct Case { const char* name; float z; ShapeKind shape; float restY; };
    for (const Case c : {Case{"seam of boxes", 0.3f, ShapeKind::Box, onTwoEdges},
                         Case{"corner of boxes", 0, ShapeKind::Box, onFourCorners},
                         Case{"seam of models", 0.3f, ShapeKind::ObjFile, 0.5f},
                         Case{"corner of models", 0, ShapeKind::ObjFile, 0.5f}}) {
        SCOPED_TRACE(c.name);
        CpuModels models;
        Level level;
        for (int i = 0; i < 4; ++i) {
            SceneObject& tile = level.addTile({i & 1 ? 1.0f : -1.0f, -0.5f, i & 2 ? 1.0f : -1.0f}, {2, 1, 2}, Vec3(0.5f));
            tile.shape = c.shape;
            tile.objPath = "box";
        }
        PhysicsWorld world(models.resolver());
        Ball ball = ballAt({0.0f, 1.0f, c.z}, Vec3(0.0f));
        const HeightRange range = simulate(world, ball, level.objects, 180, 1.0f / 60.0f, 60);
        EXPECT_NEAR(range.low, c.restY, 1e-4f);
        EXPECT_NEAR(range.high, c.restY, 1e-4f);
        EXPECT_TRUE(range.alwaysGrounded);
    }
}

TEST(PhysicsWorld, ModelTilesCollideByTrianglesOrHullAndAnUnusableModelByItsBox) {
    // A 6 x 2 x 6 tile at the origin: its box's top is y = 1, the quad's face y = -1;
    // the ball drops onto the quad's diagonal, where its two triangles meet.
    enum Setup { Quad, Missing, NotLoaded, NoMeshes, EmptyMesh, BadIndices, NonFinite, NoResolver };
    struct Case { Setup setup; bool moving; float restY, tolerance; };
    const Case cases[] = {{Quad, false, -0.5f, 1e-3f}, {Quad, true, -0.48f, 0.03f},  // the hull keeps a margin
                          {Missing, false, 1.5f, 1e-3f}, {NotLoaded, false, 1.5f, 1e-3f}, {NoMeshes, false, 1.5f, 1e-3f},
                          {EmptyMesh, true, 1.5f, 1e-3f}, {BadIndices, false, 1.5f, 1e-3f},
                          {NonFinite, false, -0.5f, 1e-3f}, {NoResolver, false, 1.5f, 1e-3f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "setup " << c.setup << ", moving " << c.moving);
        CpuModels models;
        Model& model = models.byPath["model"] = lowQuad();
        model.loaded = c.setup != NotLoaded;
        if (c.setup == NoMeshes) model.meshes.clear();
        if (c.setup == EmptyMesh) model.meshes[0] = Mesh{};
        if (c.setup == BadIndices) model.meshes[0].indices = {0, 1, 9, 2, 70000, 1, 3, 2};
        if (c.setup == NonFinite) {  // a second copy whose shared corner is not finite
            model.meshes.push_back(std::move(lowQuad().meshes[0]));
            model.meshes[1].vertices[0].position = {NAN, INFINITY, 0.0f};
        }
        Level level;
        SceneObject& tile = c.moving ? level.addMovingTile({}, {6, 2, 6}, Vec3(0.5f), {1, 0, 0}, 0, 0, 0)
                                     : level.addTile({}, {6, 2, 6}, Vec3(0.5f));
        tile.shape = ShapeKind::ObjFile;
        tile.objPath = c.setup == Missing ? "missing" : "model";
        PhysicsWorld world(c.setup == NoResolver ? ModelResolver{} : models.resolver());
        Ball ball = ballAt({0.5f, 2.0f, 0.5f}, Vec3(0.0f));
        const HeightRange range = simulate(world, ball, level.objects, 150, 1.0f / 60.0f, 90);
        EXPECT_NEAR(range.low, c.restY, c.tolerance);
        EXPECT_NEAR(range.high, c.restY, c.tolerance);
        EXPECT_TRUE(range.alwaysGrounded);
    }
}

TEST(PlainsPhysics, DroppedBallRestsStillOnTheFloorAndHeldForwardRollsOffTheEdgeAndFalls) {
    for (const Vec3 forward : {Vec3(0.0f), Vec3(0, 0, 1), Vec3(-1, 0, 0)}) {  // both paths avoid raised tiles
        SCOPED_TRACE(testing::Message() << forward.x << " " << forward.z);
        Level level = makeLevel1();
        PhysicsWorld world;
        Ball ball;
        resetBall(ball, level.start);
        world.loadLevel(ball, level.objects);
        Sim sim{world, ball, level.objects};
        sim.forward = forward;
        sim.input.onKeyEvent(Config{}.keyMoveForward, forward == Vec3(0.0f) ? 0 : 1);
        sim.input.update();
        HeightRange onFloor;
        for (int frame = 0; frame < 600 && ball.position.y >= -50.0f; ++frame) {
            sim.frame();
            if (frame < 60 || std::abs(ball.position.x) > 10.9f || std::abs(ball.position.z) > 10.9f) continue;
            onFloor = {std::min(onFloor.low, ball.position.y), std::max(onFloor.high, ball.position.y),
                       onFloor.alwaysGrounded && ball.grounded};
        }
        EXPECT_GT(onFloor.low, 0.499f);
        if (forward == Vec3(0.0f)) {  // no sinking, no jitter, no creep
            EXPECT_LT(onFloor.high, 0.501f);
            EXPECT_TRUE(onFloor.alwaysGrounded);
            EXPECT_LT(glm::distance(Vec2(ball.position.x, ball.position.z), Vec2(level.start.x, level.start.z)), 1e-4f);
        } else {
            EXPECT_LT(ball.position.y, -50.0f);
        }
    }
}
