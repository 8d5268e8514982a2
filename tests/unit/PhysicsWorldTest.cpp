// The collision world on real Bullet: push-out against tiles, ground state,
// which objects block, body building from boxes and models, and its lifecycle.
#include "physics/PhysicsWorld.h"

#include "app/Ball.h"
#include "app/Input.h"
#include "config/Config.h"
#include "level/Level.h"
#include "render/Mesh.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

constexpr float kDt = 1.0f / 60.0f;

// A floor 8 x 8 whose top face is y = 0.
Level levelWithFloor() {
    Level level;
    level.addTile({0.0f, -0.5f, 0.0f}, {8.0f, 1.0f, 8.0f}, Vec3(0.5f));
    return level;
}

Ball ballAt(Vec3 position, Vec3 velocity) {
    Ball ball;
    resetBall(ball, position);
    ball.velocity = velocity;
    ball.grounded = false;
    return ball;
}

// The ball's own motion plus the physics step, `seconds` at 60 Hz, no keys.
struct HeightTrace {
    float minY = 1e9f;
    float maxY = -1e9f;
    bool alwaysGrounded = true;
};

HeightTrace simulate(PhysicsWorld& world, Ball& ball, std::vector<SceneObject>& objects, float seconds,
             float measureAfter = 0.0f) {
    const Input input;
    const Config config;
    HeightTrace run;
    const int frames = static_cast<int>(seconds * 60.0f);
    for (int i = 0; i < frames; ++i) {
        updateBall(ball, kDt, input, Vec3(0.0f, 0.0f, -1.0f), Vec3(1.0f, 0.0f, 0.0f), config, 1.0f, false);
        world.step(ball, objects, kDt);
        if (static_cast<float>(i) * kDt >= measureAfter) {
            run.minY = std::min(run.minY, ball.position.y);
            run.maxY = std::max(run.maxY, ball.position.y);
            run.alwaysGrounded = run.alwaysGrounded && ball.grounded;
        }
    }
    return run;
}

Vertex vertexAt(float x, float y, float z) {
    Vertex vertex;
    vertex.position = {x, y, z};
    return vertex;
}

// The unit box centred on the origin, as the renderer's stand-in shape is.
Model makeUnitBoxModel() {
    Model model;
    Mesh& mesh = model.meshes.emplace_back();
    for (int i = 0; i < 8; ++i) {
        mesh.vertices.push_back(vertexAt(i & 1 ? 0.5f : -0.5f, i & 2 ? 0.5f : -0.5f, i & 4 ? 0.5f : -0.5f));
    }
    mesh.indices = {0, 1, 3, 0, 3, 2, 4, 6, 7, 4, 7, 5, 0, 4, 5, 0, 5, 1,
                    2, 3, 7, 2, 7, 6, 0, 2, 6, 0, 6, 4, 1, 5, 7, 1, 7, 3};
    model.loaded = true;
    return model;
}

// Only the bottom face of the unit box (y = -0.5), as two triangles facing up.
Model makeLowQuadModel() {
    Model model;
    Mesh& mesh = model.meshes.emplace_back();
    mesh.vertices = {vertexAt(-0.5f, -0.5f, -0.5f), vertexAt(0.5f, -0.5f, -0.5f),
                     vertexAt(0.5f, -0.5f, 0.5f), vertexAt(-0.5f, -0.5f, 0.5f)};
    mesh.indices = {0, 2, 1, 0, 3, 2};
    model.loaded = true;
    return model;
}

// Stands in for the model cache: models by OBJ path, built on the CPU.
struct CpuModels {
    std::map<std::string, Model> byPath;
    Model fallback = makeUnitBoxModel();
    int requests = 0;

    ModelResolver resolver() {
        return [this](SceneObject& object) -> Model& {
            ++requests;
            const auto found = byPath.find(object.objPath);
            return found == byPath.end() ? fallback : found->second;
        };
    }
};

SceneObject& addObjTile(Level& level, const std::string& path, Vec3 pos, Vec3 size) {
    SceneObject& tile = level.addTile(pos, size, Vec3(0.5f));
    tile.shape = ShapeKind::ObjFile;
    tile.objPath = path;
    return tile;
}

}  // namespace

TEST(PhysicsWorld, BallRestingOnAFlatTileRisesByTheDepthAndIsGrounded) {
    Level level = levelWithFloor();
    PhysicsWorld world;
    world.loadLevel(Ball{}, level.objects);
    Ball ball = ballAt({0.3f, 0.47f, -0.2f}, {1.5f, -2.0f, 0.25f});
    ball.friction = 0.995f;
    ball.surface = 3;
    world.step(ball, level.objects, kDt);
    EXPECT_NEAR(ball.position.y, 0.5f, 1e-4f);
    EXPECT_FLOAT_EQ(ball.position.x, 0.3f);
    EXPECT_FLOAT_EQ(ball.position.z, -0.2f);
    EXPECT_NEAR(ball.velocity.x, 1.5f, 1e-5f);
    EXPECT_EQ(ball.velocity.y, 0.0f);
    EXPECT_NEAR(ball.velocity.z, 0.25f, 1e-5f);
    EXPECT_TRUE(ball.grounded);
    EXPECT_EQ(ball.friction, 0.82f);
    EXPECT_EQ(ball.surface, 0);
}

TEST(PhysicsWorld, WallPushesOutSidewaysWithoutGrounding) {
    Level level;
    level.addTile({2.0f, 1.0f, 0.0f}, {2.0f, 4.0f, 2.0f}, Vec3(0.5f));  // faces x = 1
    PhysicsWorld world;
    Ball ball = ballAt({0.56f, 1.0f, 0.0f}, {3.0f, 0.5f, 1.0f});
    ball.friction = 0.995f;
    world.step(ball, level.objects, kDt);
    EXPECT_NEAR(ball.position.x, 0.5f, 1e-4f);
    EXPECT_FLOAT_EQ(ball.position.y, 1.0f);
    EXPECT_NEAR(ball.velocity.x, 0.0f, 1e-5f);
    EXPECT_NEAR(ball.velocity.y, 0.5f, 1e-5f);
    EXPECT_NEAR(ball.velocity.z, 1.0f, 1e-5f);
    EXPECT_FALSE(ball.grounded);
    EXPECT_EQ(ball.friction, 0.82f);
}

TEST(PhysicsWorld, CeilingPushesDownAndStopsTheRise) {
    Level level;
    level.addTile({0.0f, 2.5f, 0.0f}, {4.0f, 1.0f, 4.0f}, Vec3(0.5f));  // underside y = 2
    PhysicsWorld world;
    Ball ball = ballAt({0.0f, 1.55f, 0.0f}, {0.0f, 7.0f, 0.0f});
    world.step(ball, level.objects, kDt);
    EXPECT_NEAR(ball.position.y, 1.5f, 1e-4f);
    EXPECT_EQ(ball.velocity.y, 0.0f);
    EXPECT_FALSE(ball.grounded);
}

TEST(PhysicsWorld, BallMovingAwayKeepsItsVelocity) {
    Level level = levelWithFloor();
    PhysicsWorld world;
    Ball ball = ballAt({0.0f, 0.45f, 0.0f}, {1.0f, 2.0f, 0.0f});
    world.step(ball, level.objects, kDt);
    EXPECT_NEAR(ball.position.y, 0.5f, 1e-4f);
    EXPECT_EQ(ball.velocity, Vec3(1.0f, 2.0f, 0.0f));
    EXPECT_TRUE(ball.grounded);
}

TEST(PhysicsWorld, CoinsAndPowerupsNeverBlock) {
    Level level;
    level.addCoin({0.0f, 0.5f, 0.0f}, 0.0f);
    level.addPowerup({0.2f, 0.4f, 0.0f}, Vec3(1.0f), 0.0f, PowerupType::Shield);
    level.addTile({0.0f, -50.0f, 0.0f}, Vec3(1.0f), Vec3(0.5f));
    PhysicsWorld world;
    Ball ball = ballAt({0.0f, 0.5f, 0.0f}, {0.5f, -1.0f, 0.0f});
    world.step(ball, level.objects, kDt);
    EXPECT_EQ(world.tileBodies.size(), 1u);
    EXPECT_EQ(ball.position, Vec3(0.0f, 0.5f, 0.0f));
    EXPECT_EQ(ball.velocity, Vec3(0.5f, -1.0f, 0.0f));
    EXPECT_FALSE(ball.grounded);
}

TEST(PhysicsWorld, ContactsReachTheRightTileAmongPickups) {
    // Pickups before the tile shift nothing: the ice under the ball is found by index.
    Level level;
    level.addCoin({5.0f, 5.0f, 5.0f}, 0.0f);
    level.addTile({20.0f, 0.0f, 0.0f}, Vec3(1.0f), Vec3(0.5f));
    level.addPowerup({-5.0f, 5.0f, 5.0f}, Vec3(1.0f), 0.0f, PowerupType::Magnet);
    level.addTile({0.0f, -0.5f, 0.0f}, {4.0f, 1.0f, 4.0f}, Vec3(0.5f)).tileType = TileType::Ice;
    PhysicsWorld world;
    world.loadLevel(Ball{}, level.objects);
    Ball ball = ballAt({0.0f, 0.48f, 0.0f}, {0.0f, -1.0f, 0.0f});
    world.step(ball, level.objects, kDt);
    EXPECT_EQ(ball.surface, static_cast<int>(TileType::Ice));
    EXPECT_EQ(ball.friction, 0.995f);
}

TEST(PhysicsWorld, LevelWithoutTilesLeavesTheBallFallingEveryFrame) {
    Level level;
    level.addCoin({0.0f, 0.0f, 0.0f}, 0.0f);
    PhysicsWorld world;
    Ball ball = ballAt({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f});
    for (int i = 0; i < 5; ++i) {
        ball.grounded = true;
        world.step(ball, level.objects, kDt);
        EXPECT_FALSE(ball.grounded);
        EXPECT_TRUE(world.tileBodies.empty());
    }
}

TEST(PhysicsWorld, StepAfterShutdownBuildsANewWorld) {
    Level level = levelWithFloor();
    PhysicsWorld world;
    world.loadLevel(Ball{}, level.objects);
    world.shutdown();
    EXPECT_FALSE(world.initialised());
    EXPECT_TRUE(world.tileBodies.empty());
    Ball ball = ballAt({0.0f, 0.45f, 0.0f}, {0.0f, -1.0f, 0.0f});
    world.step(ball, level.objects, kDt);
    EXPECT_TRUE(world.initialised());
    EXPECT_TRUE(ball.grounded);
    EXPECT_NEAR(ball.position.y, 0.5f, 1e-4f);
}

TEST(PhysicsWorld, LoadLevelReplacesTheBodiesOfThePreviousLevel) {
    Level first = levelWithFloor();
    Level second;
    second.addTile({0.0f, -10.5f, 0.0f}, {8.0f, 1.0f, 8.0f}, Vec3(0.5f));
    second.addTile({30.0f, 0.0f, 0.0f}, Vec3(1.0f), Vec3(0.5f));
    PhysicsWorld world;
    world.loadLevel(Ball{}, first.objects);
    world.loadLevel(Ball{}, second.objects);
    EXPECT_EQ(world.tileBodies.size(), 2u);
    // The first level's floor is gone: nothing holds the ball at y = 0.5.
    Ball ball = ballAt({0.0f, 0.45f, 0.0f}, {0.0f, -1.0f, 0.0f});
    world.step(ball, second.objects, kDt);
    EXPECT_FALSE(ball.grounded);
    EXPECT_EQ(ball.position.y, 0.45f);
}

TEST(PhysicsWorld, BallBuiltWithItsRadius) {
    Level level = levelWithFloor();
    PhysicsWorld world;
    Ball big;
    big.radius = 1.0f;
    resetBall(big, {0.0f, 0.95f, 0.0f});
    world.loadLevel(big, level.objects);
    world.step(big, level.objects, kDt);
    EXPECT_NEAR(big.position.y, 1.0f, 1e-4f);
}

TEST(PhysicsWorld, BallRestingWhereTilesMeetStaysStill) {
    // Each tile reports the same penetration; pushing out by both would lift
    // the ball clear of the floor every other frame.
    struct Case { const char* name; Vec3 position; bool modelTiles; };
    const Case cases[] = {
        {"seam between two box tiles", {0.0f, 1.0f, 0.3f}, false},
        {"corner of four box tiles", {0.0f, 1.0f, 0.0f}, false},
        {"seam between two model tiles", {0.0f, 1.0f, 0.3f}, true},
        {"corner of four model tiles", {0.0f, 1.0f, 0.0f}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Level level;
        for (const float x : {-1.0f, 1.0f}) {
            for (const float z : {-1.0f, 1.0f}) {
                SceneObject& tile = level.addTile({x, -0.5f, z}, {2.0f, 1.0f, 2.0f}, Vec3(0.5f));
                if (c.modelTiles) {
                    tile.shape = ShapeKind::ObjFile;
                    tile.objPath = "models/box.obj";  // answered with the unit box
                }
            }
        }
        CpuModels models;
        PhysicsWorld world(models.resolver());
        Ball ball = ballAt(c.position, Vec3(0.0f));
        const HeightTrace run = simulate(world, ball, level.objects, 3.0f, 1.0f);
        EXPECT_NEAR(run.minY, 0.5f, 1e-3f);
        EXPECT_NEAR(run.maxY, 0.5f, 1e-3f);
        EXPECT_TRUE(run.alwaysGrounded);
    }
}

TEST(PhysicsWorld, BallRestingOnTheDiagonalOfAModelFaceStaysStill) {
    CpuModels models;
    models.byPath["models/low.obj"] = makeLowQuadModel();
    Level level;
    addObjTile(level, "models/low.obj", {0.0f, 0.0f, 0.0f}, {6.0f, 2.0f, 6.0f});
    PhysicsWorld world(models.resolver());
    Ball ball = ballAt({0.4f, 0.0f, 0.4f}, Vec3(0.0f));  // on the edge both triangles share
    const HeightTrace run = simulate(world, ball, level.objects, 3.0f, 1.0f);
    EXPECT_NEAR(run.minY, -0.5f, 1e-3f);
    EXPECT_NEAR(run.maxY, -0.5f, 1e-3f);
    EXPECT_TRUE(run.alwaysGrounded);
}

TEST(PhysicsWorld, DroppedBallComesToRestOnAStaticModelByItsTriangles) {
    // The model's only face lies at the bottom of its box: a box collider would
    // hold the ball two units higher.
    CpuModels models;
    models.byPath["models/low.obj"] = makeLowQuadModel();
    Level level;
    addObjTile(level, "models/low.obj", {0.0f, 0.0f, 0.0f}, {6.0f, 2.0f, 6.0f});
    PhysicsWorld world(models.resolver());
    Ball ball = ballAt({0.7f, 1.0f, -1.1f}, Vec3(0.0f));
    world.loadLevel(ball, level.objects);
    ASSERT_NE(world.tileBodies[0].triangleMesh, nullptr);
    const HeightTrace run = simulate(world, ball, level.objects, 3.0f, 1.5f);
    EXPECT_NEAR(run.minY, -0.5f, 1e-3f);
    EXPECT_NEAR(run.maxY, -0.5f, 1e-3f);
    EXPECT_TRUE(run.alwaysGrounded);
}

TEST(PhysicsWorld, MovingModelTileCollidesByTheHullOfItsScaledVertices) {
    CpuModels models;
    models.byPath["models/low.obj"] = makeLowQuadModel();
    Level level;
    SceneObject& tile = level.addMovingTile({0.0f, 0.0f, 0.0f}, {6.0f, 2.0f, 6.0f}, Vec3(0.5f),
                                            {1.0f, 0.0f, 0.0f}, 0.0f, 0.0f, 0.0f);
    tile.shape = ShapeKind::ObjFile;
    tile.objPath = "models/low.obj";
    PhysicsWorld world(models.resolver());
    Ball ball = ballAt({0.5f, 1.0f, 0.5f}, Vec3(0.0f));
    world.loadLevel(ball, level.objects);
    EXPECT_EQ(world.tileBodies[0].triangleMesh, nullptr);
    const HeightTrace run = simulate(world, ball, level.objects, 3.0f, 1.5f);
    // The hull is flat at y = -1; the library's default margin rounds it by 0.04.
    EXPECT_GT(run.minY, -0.51f);
    EXPECT_LT(run.maxY, -0.45f);
    EXPECT_TRUE(run.alwaysGrounded);
}

TEST(PhysicsWorld, ModelTileThatCannotBeUsedCollidesAsABoxOfItsSize) {
    struct Case { const char* name; std::string path; bool loaded; bool withMesh; bool badIndices; };
    const Case cases[] = {
        {"missing file: the stand-in unit box", "models/missing.obj", true, true, false},
        {"model not loaded", "models/broken.obj", false, true, false},
        {"model without meshes", "models/empty.obj", true, false, false},
        {"indices past the vertices and a partial triangle", "models/bad.obj", true, true, true},
        {"no path at all", "", true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CpuModels models;
        if (c.path != "models/missing.obj" && !c.path.empty()) {
            Model model = c.withMesh ? makeLowQuadModel() : Model{};
            model.loaded = c.loaded;
            if (c.badIndices) model.meshes[0].indices = {0, 1, 9, 2, 70000, 1, 3, 2};
            models.byPath[c.path] = std::move(model);
        }
        Level level;
        addObjTile(level, c.path, {0.0f, 0.0f, 0.0f}, {6.0f, 2.0f, 6.0f});
        PhysicsWorld world(models.resolver());
        Ball ball = ballAt({0.5f, 2.0f, 0.5f}, Vec3(0.0f));
        const HeightTrace run = simulate(world, ball, level.objects, 2.0f, 1.0f);
        EXPECT_NEAR(run.minY, 1.5f, 1e-3f);
        EXPECT_NEAR(run.maxY, 1.5f, 1e-3f);
        EXPECT_TRUE(run.alwaysGrounded);
    }
}

TEST(PhysicsWorld, ModelWithNonFiniteVerticesKeepsItsFiniteTriangles) {
    CpuModels models;
    Model model = makeLowQuadModel();
    Mesh& extra = model.meshes.emplace_back();
    extra.vertices = {vertexAt(NAN, 0.0f, 0.0f), vertexAt(0.0f, INFINITY, 0.0f), vertexAt(0.0f, 0.0f, 0.0f)};
    extra.indices = {0, 1, 2};
    models.byPath["models/nan.obj"] = std::move(model);
    Level level;
    addObjTile(level, "models/nan.obj", {0.0f, 0.0f, 0.0f}, {6.0f, 2.0f, 6.0f});
    PhysicsWorld world(models.resolver());
    Ball ball = ballAt({0.5f, 1.0f, 0.5f}, Vec3(0.0f));
    const HeightTrace run = simulate(world, ball, level.objects, 2.0f, 1.0f);
    EXPECT_NEAR(run.minY, -0.5f, 1e-3f);
    EXPECT_NEAR(run.maxY, -0.5f, 1e-3f);
}

TEST(PhysicsWorld, WithoutAResolverEveryTileIsABox) {
    Level level;
    addObjTile(level, "models/anything.obj", {0.0f, 0.0f, 0.0f}, {6.0f, 2.0f, 6.0f});
    PhysicsWorld world;
    Ball ball = ballAt({0.5f, 2.0f, 0.5f}, Vec3(0.0f));
    const HeightTrace run = simulate(world, ball, level.objects, 2.0f, 1.0f);
    EXPECT_NEAR(run.minY, 1.5f, 1e-3f);
}

TEST(PhysicsWorld, ModelsAreResolvedOncePerBuildNotPerStep) {
    CpuModels models;
    models.byPath["models/low.obj"] = makeLowQuadModel();
    Level level;
    addObjTile(level, "models/low.obj", {0.0f, 0.0f, 0.0f}, {6.0f, 2.0f, 6.0f});
    level.addTile({9.0f, 0.0f, 0.0f}, Vec3(1.0f), Vec3(0.5f));
    PhysicsWorld world(models.resolver());
    Ball ball = ballAt({0.5f, 1.0f, 0.5f}, Vec3(0.0f));
    world.loadLevel(ball, level.objects);
    simulate(world, ball, level.objects, 1.0f);
    EXPECT_EQ(models.requests, 1);
}

TEST(PhysicsWorld, MovingModelTileWithoutVerticesCollidesAsABox) {
    CpuModels models;
    Model empty;
    empty.meshes.emplace_back();
    empty.loaded = true;
    models.byPath["models/empty.obj"] = std::move(empty);
    Level level;
    SceneObject& tile = level.addMovingTile({0.0f, 0.0f, 0.0f}, {6.0f, 2.0f, 6.0f}, Vec3(0.5f),
                                            {1.0f, 0.0f, 0.0f}, 0.0f, 0.0f, 0.0f);
    tile.shape = ShapeKind::ObjFile;
    tile.objPath = "models/empty.obj";
    PhysicsWorld world(models.resolver());
    Ball ball = ballAt({0.5f, 2.0f, 0.5f}, Vec3(0.0f));
    const HeightTrace run = simulate(world, ball, level.objects, 2.0f, 1.0f);
    EXPECT_NEAR(run.minY, 1.5f, 1e-3f);
    EXPECT_NEAR(run.maxY, 1.5f, 1e-3f);
}
