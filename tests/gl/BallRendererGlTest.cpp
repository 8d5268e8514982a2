// The scene renderer drawing for real: The Plains seen by the play camera with
// its floor, shadows, end tile and ball read back from the window; OBJ models
// with their materials, the box fallback, surface materials over object
// colours, the crumble tint, the GL state each pass leaves, and a renderer
// whose ground shader is missing.
#include "app/Ball.h"
#include "app/SceneFrame.h"
#include "gl/SceneShot.h"
#include "level/BuiltinLevel.h"
#include "render/BallRenderer.h"
#include "render/ModelCache.h"
#include "render/TextureCache.h"
#include "support/ConsoleCapture.h"
#include "support/GlTest.h"
#include "support/TempDir.h"

#include <stb_image_write.h>

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 960;
constexpr int kHeight = 540;
const Vec3 kBallRest(0.0f, 0.5f, 0.0f);  // on the Plains' floor, whose top is y = 0

// What the frame loop does before a state handler draws: culling on, the
// window framebuffer cleared to the sky.
void beginFrame(Vec3 sky, int width, int height) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, width, height);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glClearColor(sky.r, sky.g, sky.b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// One play frame's 3D drawing: scene, then the sun where the level has it.
void drawPlayFrame(BallRenderer& renderer, Level& level, const Ball& ball, const SceneCamera& camera) {
    beginFrame(level.skyColor, camera.width, camera.height);
    drawLevelScene(renderer, level, ball, camera.view, camera.projection, true, camera.width, camera.height);
    renderer.drawSun(camera.view, camera.projection, level.sunPos, level.sunObj);
}

// The same frame with the shadow pass left out, to tell what shadows darken.
void drawWithoutShadows(BallRenderer& renderer, Level& level, const Ball& ball, const SceneCamera& camera) {
    beginFrame(level.skyColor, camera.width, camera.height);
    renderer.sunPos = level.sunPos;
    renderer.sunColor = level.sunColor;
    renderer.ambient = level.sunAmbient;
    renderer.shadowsEnabled = false;
    if (level.ground) renderer.drawGround(camera.view, camera.projection);
    renderer.drawSceneObjects(camera.view, camera.projection, level.objects);
    renderer.drawBall(camera.view, camera.projection, ballModelMatrix(ball), ball.color, 0);
}

Ball ballAt(Vec3 position) {
    Ball ball;
    ball.position = position;
    return ball;
}

// Whether a ray from `point` towards the sun meets any object's box (pickups
// counted with a generous box) or the ball: a check on the test's own choice
// of lit and shaded places.
bool sunBlocked(const Level& level, const Ball& ball, Vec3 point) {
    const Vec3 d = glm::normalize(level.sunPos);
    auto hitsBox = [&](Vec3 lo, Vec3 hi) {
        float near = 0.0f;
        float far = 1000.0f;
        for (int axis = 0; axis < 3; ++axis) {
            if (std::fabs(d[axis]) < 1e-6f) {
                if (point[axis] < lo[axis] || point[axis] > hi[axis]) return false;
                continue;
            }
            float t0 = (lo[axis] - point[axis]) / d[axis];
            float t1 = (hi[axis] - point[axis]) / d[axis];
            if (t0 > t1) std::swap(t0, t1);
            near = std::max(near, t0);
            far = std::min(far, t1);
        }
        return near <= far && far > 1e-3f;
    };
    for (const SceneObject& object : level.objects) {
        const bool pickup = object.kind == ObjectKind::Coin || object.kind == ObjectKind::Powerup;
        const Vec3 half = pickup ? Vec3(0.8f) : object.size * 0.5f;
        // Faces the point lies on do not block it.
        const Vec3 shrink = pickup ? Vec3(0.0f) : Vec3(1e-3f);
        if (hitsBox(object.pos - half + shrink, object.pos + half - shrink)) return true;
    }
    return hitsBox(ball.position - Vec3(ball.radius), ball.position + Vec3(ball.radius));
}

class BallRendererGl : public GlTest {
protected:
    BallRenderer renderer;

    void SetUp() override {
        GlTest::SetUp();
        setWindowSize(kWidth, kHeight);
        // The software rasteriser takes the window's new size at a buffer swap.
        glfwSwapBuffers(glTestWindow());
        ConsoleCapture quiet;
        ASSERT_TRUE(renderer.init(kWidth, kHeight)) << quiet.stderrText();
    }
    void TearDown() override {
        renderer.destroy();
        GlTest::TearDown();
    }

    static void save(const std::string& name) {
        savePng(std::string(PEMBRIX_ARTIFACT_DIR) + "/" + name, kWidth, kHeight,
                readPixelsRgba(0, 0, kWidth, kHeight));
    }
};

// A level of one object in front of a black sky, lit head-on or not at all.
Level oneObjectLevel(const SceneObject& object) {
    Level level;
    level.skyColor = Vec3(0.0f);
    level.sunPos = Vec3(0.0f, 40.0f, 60.0f);
    level.sunColor = Vec3(1.0f);
    level.sunAmbient = Vec3(0.2f);
    level.objects.push_back(object);
    return level;
}

SceneObject boxTile(Vec3 color, Material material) {
    SceneObject tile;
    tile.pos = Vec3(0.0f);
    tile.size = Vec3(3.0f, 1.0f, 3.0f);
    tile.color = color;
    tile.material = material;
    return tile;
}

// The ball far below the view, so it neither hides nor shades the object.
const Ball kBallOutOfSight = ballAt(Vec3(0.0f, -40.0f, 0.0f));

}  // namespace

TEST_F(BallRendererGl, InitReportsACompleteShadowMap) {
    BallRenderer fresh;
    ConsoleCapture console;
    ASSERT_TRUE(fresh.init(kWidth, kHeight));
    EXPECT_NE(console.stdoutText().find("[BallRenderer] Shadow map 4096x4096 OK\n"), std::string::npos);
    EXPECT_EQ(console.stderrText(), "");
    glBindFramebuffer(GL_FRAMEBUFFER, fresh.shadowFbo);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    fresh.destroy();
}

TEST_F(BallRendererGl, PlainsFloorIsDrawnTexturedAndUnlikeTheSky) {
    Level level = makeLevel1();
    const Ball ball = ballAt(kBallRest);
    const SceneCamera camera = orbitCameraOn(kBallRest, kWidth, kHeight);
    drawPlayFrame(renderer, level, ball, camera);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    save("plains-play-camera.png");

    const Vec3 floorPoints[] = {{-2.0f, 0.0f, 5.0f}, {3.0f, 0.0f, 6.0f}, {-5.0f, 0.0f, 7.0f}};
    for (Vec3 point : floorPoints) {
        SCOPED_TRACE(testing::Message() << "floor at x " << point.x << " z " << point.z);
        ASSERT_FALSE(sunBlocked(level, ball, point));
        const PixelSpot spot = pixelOf(camera, point);
        ASSERT_TRUE(spot.visible);
        const PatchStats patch = patchAround(spot, 16);
        EXPECT_GT(glm::length(patch.mean - level.skyColor), 0.1f) << "the sky shows through the floor";
        EXPECT_GT(patch.lumaSpread, 0.015f) << "the floor is one flat colour";
    }
}

TEST_F(BallRendererGl, TileShadowDarkensTheFloorBesideItAndNothingElse) {
    Level level = makeLevel1();
    const Ball ball = ballAt(kBallRest);
    // From the north-west, facing the sides of the wooden block that its
    // shadow falls on (the sun stands south-east, high).
    const SceneCamera camera = orbitCameraOn({-6.0f, 0.5f, 2.0f}, kWidth, kHeight, -135.0f, -35.0f, 9.0f);
    struct Place {
        const char* name;
        Vec3 point;
        bool shaded;
    };
    const Place places[] = {
        {"floor in the block's shadow", {-7.35f, 0.0f, 1.6f}, true},
        {"floor a step from the block's foot (no gap under a caster)", {-7.1f, 0.0f, 2.3f}, true},
        {"lit floor south-west of the block", {-8.5f, 0.0f, 4.0f}, false},
        {"lit floor towards the middle", {-4.0f, 0.0f, -2.0f}, false},
        {"lit top of the block", {-6.0f, 1.5f, 2.0f}, false},
    };
    drawWithoutShadows(renderer, level, ball, camera);
    std::vector<float> unshadowed;
    for (const Place& place : places) {
        const PixelSpot spot = pixelOf(camera, place.point);
        ASSERT_TRUE(spot.visible) << place.name;
        unshadowed.push_back(luma(patchAround(spot, 2).mean));
    }
    drawPlayFrame(renderer, level, ball, camera);
    save("plains-shadow-side.png");
    for (size_t i = 0; i < std::size(places); ++i) {
        const Place& place = places[i];
        SCOPED_TRACE(place.name);
        ASSERT_EQ(sunBlocked(level, ball, place.point), place.shaded) << "the test's geometry is off";
        const float shadowed = luma(patchAround(pixelOf(camera, place.point), 2).mean);
        if (place.shaded) {
            EXPECT_LT(shadowed, 0.6f * unshadowed[i]);
        } else {
            // Lit surfaces keep their light: no acne, no stray shadow.
            EXPECT_NEAR(shadowed, unshadowed[i], 0.03f);
        }
    }
}

TEST_F(BallRendererGl, PlainsEndTileIsGreen) {
    Level level = makeLevel1();
    const SceneCamera camera = orbitCameraOn(kBallRest, kWidth, kHeight);
    drawPlayFrame(renderer, level, ballAt(kBallRest), camera);
    const Vec3 top = level.endTilePos + Vec3(0.0f, level.endTileSize.y * 0.5f, 0.0f);
    const PixelSpot spot = pixelOf(camera, top);
    ASSERT_TRUE(spot.visible);
    const Vec3 c = patchAround(spot, 3).mean;
    EXPECT_GT(c.g, c.r + 0.25f);
    EXPECT_GT(c.g, c.b + 0.15f);
}

TEST_F(BallRendererGl, BallIsDrawnWhereItsMatrixPutsIt) {
    Level level = makeLevel1();
    const SceneCamera camera = orbitCameraOn(kBallRest, kWidth, kHeight);
    const Vec3 spots[2] = {{-2.0f, 0.5f, 4.0f}, {2.5f, 0.5f, 3.0f}};
    auto redness = [&](Vec3 at) {
        const Vec3 c = patchAround(pixelOf(camera, at), 2).mean;
        return c.r - std::max(c.g, c.b);
    };
    float here[2][2];  // [where the ball is][where we look]
    for (int ballAtSpot = 0; ballAtSpot < 2; ++ballAtSpot) {
        drawPlayFrame(renderer, level, ballAt(spots[ballAtSpot]), camera);
        for (int look = 0; look < 2; ++look) here[ballAtSpot][look] = redness(spots[look]);
    }
    for (int look = 0; look < 2; ++look) {
        SCOPED_TRACE(look);
        EXPECT_GT(here[look][look], 0.3f) << "no red ball where it was put";
        EXPECT_GT(here[look][look], here[1 - look][look] + 0.25f) << "the ball shows where it is not";
    }
}

TEST_F(BallRendererGl, ShadowPassLeavesCullingOnAndGroundLeavesBlendingAndCullingOff) {
    Level level = makeLevel1();
    renderer.shadowsEnabled = true;
    glDisable(GL_CULL_FACE);  // the player switched culling off
    glCullFace(GL_FRONT);
    glDisable(GL_DEPTH_TEST);
    renderer.renderShadowPass(level.objects, ballModelMatrix(ballAt(kBallRest)), kBallRest, kShadowExtent);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    GLint mode = 0;
    glGetIntegerv(GL_CULL_FACE_MODE, &mode);
    EXPECT_EQ(mode, GL_BACK);
    GLint framebuffer = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
    EXPECT_EQ(framebuffer, 0);

    glViewport(0, 0, kWidth, kHeight);
    const SceneCamera camera = orbitCameraOn(kBallRest, kWidth, kHeight);
    renderer.drawGround(camera.view, camera.projection);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    GLint program = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_EQ(program, 0);
}

TEST_F(BallRendererGl, ShadowPassFillsTheMapEvenWhenDepthTestingWasLeftOff) {
    // The ball hovers over an empty floor: its shadow must fall whatever depth
    // state the frame began with.
    Level level;
    level.sunPos = Vec3(0.0f, 80.0f, 0.1f);
    level.sunColor = Vec3(1.0f);
    level.sunAmbient = Vec3(0.1f);
    level.addTile({0.0f, -0.5f, 0.0f}, {12.0f, 1.0f, 12.0f}, {0.8f, 0.8f, 0.8f});
    const Ball ball = ballAt({0.0f, 2.0f, 0.0f});
    const SceneCamera camera = orbitCameraOn({0.0f, 0.0f, 0.0f}, kWidth, kHeight, 20.0f, -50.0f, 10.0f);
    beginFrame(level.skyColor, kWidth, kHeight);
    glDisable(GL_DEPTH_TEST);
    drawLevelScene(renderer, level, ball, camera.view, camera.projection, true, kWidth, kHeight);
    const float under = luma(patchAround(pixelOf(camera, {0.0f, 0.0f, 0.0f}), 2).mean);
    const float aside = luma(patchAround(pixelOf(camera, {3.0f, 0.0f, 3.0f}), 2).mean);
    EXPECT_LT(under, 0.6f * aside);
}

TEST_F(BallRendererGl, SunIsDrawnUnlitAndTheLightingBlockComesBack) {
    Level level;
    level.skyColor = Vec3(0.0f);
    const SceneCamera camera = orbitCameraOn({0.0f, 0.0f, 0.0f}, kWidth, kHeight, 0.0f, 0.0f, 10.0f);
    beginFrame(level.skyColor, kWidth, kHeight);
    renderer.sunPos = Vec3(1.0f, 2.0f, 3.0f);
    renderer.sunColor = Vec3(0.0f, 0.0f, 0.0f);  // a lit sun would come out black
    renderer.ambient = Vec3(0.05f, 0.05f, 0.05f);
    renderer.sunPosBase = Vec3(4.0f, 5.0f, 6.0f);
    renderer.shadowsEnabled = true;
    renderer.drawSun(camera.view, camera.projection, Vec3(0.0f), "");
    const Vec3 c = patchAround(pixelOf(camera, Vec3(0.0f)), 3).mean;
    EXPECT_GT(c.r, 0.9f);
    EXPECT_GT(c.g, 0.85f);
    EXPECT_LT(c.b, c.g - 0.15f);  // the sun's yellow, not white
    EXPECT_EQ(renderer.sunPos, Vec3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(renderer.sunColor, Vec3(0.0f));
    EXPECT_EQ(renderer.ambient, Vec3(0.05f));
    EXPECT_EQ(renderer.sunPosBase, Vec3(4.0f, 5.0f, 6.0f));
}

TEST_F(BallRendererGl, ObjTileWithMtlAndPngShowsTheTexturesColour) {
    TempDir dir;
    // A 2 x 2 square facing +z, its texture stretched over it.
    dir.write("models/sign.obj",
              "mtllib sign.mtl\n"
              "v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\n"
              "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 0 1\n"
              "usemtl painted\nf 1/1/1 2/2/1 3/3/1 4/4/1\n");
    dir.write("models/sign.mtl", "newmtl painted\nKd 1 1 1\nmap_Kd paint.png\n");
    std::vector<std::uint8_t> texels(4 * 4 * 3);
    for (size_t i = 0; i < texels.size(); i += 3) {
        texels[i] = 40;
        texels[i + 1] = 150;
        texels[i + 2] = 220;
    }
    ASSERT_NE(stbi_write_png((dir / "models" / "paint.png").string().c_str(), 4, 4, 3, texels.data(), 12), 0);

    SceneObject sign = boxTile(Vec3(1.0f), Material::None);
    sign.shape = ShapeKind::ObjFile;
    sign.objPath = (dir / "models" / "sign.obj").string();
    sign.size = Vec3(1.0f);
    Level level = oneObjectLevel(sign);
    // Full ambient and no sun: the surface shows its colour as it is.
    level.sunColor = Vec3(0.0f);
    level.sunAmbient = Vec3(1.0f);
    const SceneCamera camera = orbitCameraOn({0.0f, 0.0f, 0.0f}, kWidth, kHeight, 0.0f, 0.0f, 4.0f);
    ConsoleCapture console;
    drawPlayFrame(renderer, level, kBallOutOfSight, camera);
    const Vec3 c = patchAround(pixelOf(camera, Vec3(0.0f)), 4).mean * 255.0f;
    EXPECT_NEAR(c.r, 40.0f, 10.0f);
    EXPECT_NEAR(c.g, 150.0f, 10.0f);
    EXPECT_NEAR(c.b, 220.0f, 10.0f);
    EXPECT_EQ(console.stderrText(), "");
}

TEST_F(BallRendererGl, MissingObjIsDrawnAsItsBoxAndSaidOnce) {
    TempDir dir;
    SceneObject tile = boxTile(Vec3(0.9f, 0.85f, 0.1f), Material::None);
    tile.shape = ShapeKind::Box;
    tile.objPath = (dir / "models" / "gone.obj").string();
    Level level = oneObjectLevel(tile);
    const SceneCamera camera = orbitCameraOn({0.0f, 0.0f, 0.0f}, kWidth, kHeight, 0.0f, -30.0f, 7.0f);
    ConsoleCapture console;
    for (int frame = 0; frame < 3; ++frame) drawPlayFrame(renderer, level, kBallOutOfSight, camera);
    const std::string line = "[SceneObject] OBJ not found, using procedural fallback: " + tile.objPath + "\n";
    const std::string err = console.stderrText();
    const size_t first = err.find(line);
    ASSERT_NE(first, std::string::npos) << err;
    EXPECT_EQ(err.find(line, first + 1), std::string::npos) << "reported more than once";
    const Vec3 top = patchAround(pixelOf(camera, {0.0f, 0.5f, 0.0f}), 3).mean;
    EXPECT_GT(top.r, 0.6f);
    EXPECT_GT(top.g, 0.6f);
    EXPECT_LT(top.b, 0.35f);
    // The box's corner, not a sphere's rounded outline, reaches here.
    const Vec3 corner = patchAround(pixelOf(camera, {1.35f, 0.45f, 1.35f}), 1).mean;
    EXPECT_GT(corner.r, 0.3f);
}

TEST_F(BallRendererGl, SurfaceMaterialReplacesTheObjectsColour) {
    const SceneCamera camera = orbitCameraOn({0.0f, 0.0f, 0.0f}, kWidth, kHeight, 0.0f, -40.0f, 6.0f);
    const Vec3 colours[] = {{1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f}};
    for (Material material : {Material::Stone, Material::None}) {
        SCOPED_TRACE(static_cast<int>(material));
        Vec3 seen[2];
        for (int i = 0; i < 2; ++i) {
            Level level = oneObjectLevel(boxTile(colours[i], material));
            drawPlayFrame(renderer, level, kBallOutOfSight, camera);
            seen[i] = patchAround(pixelOf(camera, {0.0f, 0.5f, 0.0f}), 6).mean;
        }
        const float difference = glm::length(seen[0] - seen[1]);
        if (material == Material::None) {
            EXPECT_GT(difference, 0.3f) << "a plain tile must show its colour";
        } else {
            EXPECT_LT(difference, 0.01f) << "a stone tile must look the same whatever its colour";
        }
    }
}

TEST_F(BallRendererGl, CrumblingTileReddensAsItGivesWay) {
    const SceneCamera camera = orbitCameraOn({0.0f, 0.0f, 0.0f}, kWidth, kHeight, 0.0f, -40.0f, 6.0f);
    for (Material material : {Material::Marble, Material::None}) {
        SCOPED_TRACE(static_cast<int>(material));
        float previous = -2.0f;
        for (float progress : {0.0f, 0.25f, 0.5f, 0.75f}) {
            SCOPED_TRACE(progress);
            SceneObject tile = boxTile({0.3f, 0.8f, 0.45f}, material);
            tile.tileType = TileType::Crumble;
            tile.crumbleProgress = progress;
            Level level = oneObjectLevel(tile);
            drawPlayFrame(renderer, level, kBallOutOfSight, camera);
            const Vec3 c = patchAround(pixelOf(camera, {0.0f, 0.5f, 0.0f}), 6).mean;
            const float redness = c.r - c.g;
            EXPECT_GT(redness, previous + 0.05f);
            previous = redness;
        }
        EXPECT_GT(previous, 0.2f) << "nearly crumbled and still not red";
    }
}

TEST_F(BallRendererGl, WithoutItsGroundShaderTheRendererFailsButFramesStillRun) {
    TempDir dir;
    fs::create_directories(dir / "shaders");
    for (const auto& entry : fs::directory_iterator(fs::path(PEMBRIX_SOURCE_DIR) / "shaders")) {
        if (entry.path().filename() == "ground.frag") continue;
        fs::copy_file(entry.path(), dir / "shaders" / entry.path().filename());
    }
    const fs::path home = fs::current_path();
    fs::current_path(dir.path());
    BallRenderer broken;
    ConsoleCapture console;
    const bool ok = broken.init(kWidth, kHeight);
    fs::current_path(home);

    EXPECT_FALSE(ok);
    EXPECT_NE(console.stderrText().find("[BallRenderer] ground shader failed\n"), std::string::npos);
    EXPECT_EQ(console.stdoutText().find("[BallRenderer] Shadow map"), std::string::npos);
    EXPECT_EQ(broken.shadowFbo, 0u);
    EXPECT_EQ(broken.shadowDepthTexture, 0u);

    Level level = makeLevel1();
    level.ground = true;  // asks for the ground it cannot draw
    const SceneCamera camera = orbitCameraOn(kBallRest, kWidth, kHeight);
    for (int frame = 0; frame < 2; ++frame) {
        drawPlayFrame(broken, level, ballAt(kBallRest), camera);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    save("plains-without-ground-shader.png");
    // Unshadowed but lit: the end tile still reads green, and the floor is
    // not hidden behind the sun's view of the scene.
    const Vec3 end = patchAround(pixelOf(camera, level.endTilePos + Vec3(0.0f, 0.3f, 0.0f)), 3).mean;
    EXPECT_GT(end.g, end.r + 0.25f);
    const PatchStats floor = patchAround(pixelOf(camera, {-2.0f, 0.0f, 5.0f}), 8);
    EXPECT_GT(glm::length(floor.mean - level.skyColor), 0.1f);
    broken.destroy();
}

TEST_F(BallRendererGl, LightAndCameraChangedBetweenFramesReachTheNextFrame) {
    // Uniforms that hold for a whole frame are sent only when they change: a
    // stale one would keep the old light or the old view.
    Level level = oneObjectLevel(boxTile({0.2f, 0.4f, 0.9f}, Material::Stone));
    level.addTile({2.5f, 0.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, {0.9f, 0.3f, 0.2f});
    const SceneCamera front = orbitCameraOn({0.0f, 0.0f, 0.0f}, kWidth, kHeight, 0.0f, -40.0f, 6.0f);
    const SceneCamera side = orbitCameraOn({0.0f, 0.0f, 0.0f}, kWidth, kHeight, 70.0f, -40.0f, 9.0f);
    const Vec3 top(0.0f, 0.5f, 0.0f);
    auto brightness = [&] {
        drawPlayFrame(renderer, level, kBallOutOfSight, front);
        return luma(patchAround(pixelOf(front, top), 4).mean);
    };
    const float lit = brightness();
    level.sunColor = Vec3(0.1f);
    EXPECT_LT(brightness(), lit - 0.1f);
    level.sunColor = Vec3(1.0f);
    drawPlayFrame(renderer, level, kBallOutOfSight, side);
    const std::vector<std::uint8_t> seen = readPixelsRgba(0, 0, kWidth, kHeight);

    BallRenderer fresh;
    {
        ConsoleCapture quiet;
        ASSERT_TRUE(fresh.init(kWidth, kHeight));
    }
    drawPlayFrame(fresh, level, kBallOutOfSight, side);
    const std::vector<std::uint8_t> expected = readPixelsRgba(0, 0, kWidth, kHeight);
    fresh.destroy();
    size_t differing = 0;
    for (size_t i = 0; i < seen.size(); ++i) differing += seen[i] != expected[i];
    EXPECT_EQ(differing, 0u) << "a renderer that drew other frames first draws a different picture";
}

TEST_F(BallRendererGl, NegativeRedShowsEachMeshInItsMaterialsColourOrGreyWithoutOne) {
    TempDir dir;
    // Two halves of a square facing +z: the left one names a material of the
    // library, the right one a material the library lacks.
    dir.write("models/halves.obj",
              "mtllib halves.mtl\n"
              "v -1 -1 0\nv 0 -1 0\nv 0 1 0\nv -1 1 0\nv 1 -1 0\nv 1 1 0\nvn 0 0 1\n"
              "usemtl painted\nf 1//1 2//1 3//1 4//1\n"
              "usemtl forgotten\nf 2//1 5//1 6//1 3//1\n");
    dir.write("models/halves.mtl", "newmtl painted\nKd 0.1 0.3 0.9\n");
    SceneObject sign = boxTile(Vec3(-1.0f), Material::None);
    sign.shape = ShapeKind::ObjFile;
    sign.objPath = (dir / "models" / "halves.obj").string();
    sign.size = Vec3(1.0f);
    Level level = oneObjectLevel(sign);
    level.sunColor = Vec3(0.0f);
    level.sunAmbient = Vec3(1.0f);
    const SceneCamera camera = orbitCameraOn({0.0f, 0.0f, 0.0f}, kWidth, kHeight, 0.0f, 0.0f, 4.0f);
    ConsoleCapture console;
    drawPlayFrame(renderer, level, kBallOutOfSight, camera);
    struct Probe {
        const char* name;
        Vec3 point;
        Vec3 expected;  // as shown on screen
    };
    const Probe probes[] = {{"material's own colour", {-0.5f, 0.0f, 0.0f}, {0.1f, 0.3f, 0.9f}},
                            {"no such material: grey", {0.5f, 0.0f, 0.0f}, {0.7f, 0.7f, 0.7f}}};
    for (const Probe& probe : probes) {
        SCOPED_TRACE(probe.name);
        const Vec3 seen = patchAround(pixelOf(camera, probe.point), 4).mean;
        EXPECT_NEAR(seen.r, probe.expected.r, 0.04f);
        EXPECT_NEAR(seen.g, probe.expected.g, 0.04f);
        EXPECT_NEAR(seen.b, probe.expected.b, 0.04f);
    }
}
