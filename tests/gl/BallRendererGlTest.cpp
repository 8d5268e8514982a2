// The scene renderer drawing for real, read back from the window: The Plains,
// shadows, the ground fading into the sky, OBJ models with their materials, the
// box fallback, surface materials, the crumble tint, the GL state the passes
// leave and a renderer without its ground shader. Frames are saved to look at.
#include "app/OrbitCamera.h"
#include "app/SceneFrame.h"
#include "level/BuiltinLevel.h"
#include "level/LevelHandler.h"
#include "render/ModelCache.h"
#include "support/ConsoleCapture.h"
#include "support/GlTest.h"
#include "support/TempDir.h"

#include <stb_image_write.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 960, kHeight = 540;
const Vec3 kBallRest(0.0f, 0.5f, 0.0f);  // on the Plains' floor, whose top is y = 0

struct Camera {
    Mat4 view, projection;
    // Window pixel of a world point, counted from the bottom row as GL reads.
    Vec2 pixelOf(Vec3 world) const {
        const Vec4 clip = projection * view * Vec4(world, 1.0f);
        EXPECT_GT(clip.w, 0.0f) << "behind the camera";
        return {(clip.x / clip.w * 0.5f + 0.5f) * kWidth, (clip.y / clip.w * 0.5f + 0.5f) * kHeight};
    }
};

// The orbit camera settled behind `target` (angles in degrees), as the game places it.
Camera orbitCamera(Vec3 target, float yaw = 0.0f, float pitch = -25.0f, float distance = 12.0f) {
    OrbitCamera camera;
    camera.yaw = yaw;
    camera.pitch = pitch;
    camera.distance = distance;
    camera.aspect = static_cast<float>(kWidth) / kHeight;
    for (int i = 0; i < 20; ++i) camera.follow(target, 1.0f);
    return {camera.view(), camera.projection()};
}

float luma(Vec3 c) { return 0.2126f * c.r + 0.7152f * c.g + 0.0722f * c.b; }

// Mean colour (0..1) of the square of pixels around `pixel`; `spread` gets the
// standard deviation of their luminance.
Vec3 meanAround(Vec2 pixel, int radius, float* spread = nullptr) {
    const int side = 2 * radius + 1;
    const std::vector<std::uint8_t> rgba =
        readPixelsRgba(static_cast<int>(pixel.x) - radius, static_cast<int>(pixel.y) - radius, side, side);
    Vec3 mean(0.0f);
    float sum = 0.0f, squares = 0.0f;
    const float n = static_cast<float>(side * side);
    for (size_t i = 0; i < rgba.size(); i += 4) {
        const Vec3 c = Vec3(rgba[i], rgba[i + 1], rgba[i + 2]) / 255.0f;
        mean += c / n;
        sum += luma(c) / n;
        squares += luma(c) * luma(c) / n;
    }
    if (spread) *spread = std::sqrt(std::max(0.0f, squares - sum * sum));
    return mean;
}

Ball ballAt(Vec3 position) {
    Ball ball;
    ball.position = position;
    return ball;
}
const Ball kBallAway = ballAt({0.0f, -40.0f, 0.0f});  // far below every view here

// One 3 x 1 x 3 tile at the origin under a black sky, lit from the front and above.
Level tileLevel(Vec3 color, Material material = Material::None, float crumble = -1.0f) {
    Level level;
    level.skyColor = Vec3(0.0f);
    level.sunPos = Vec3(0.0f, 40.0f, 60.0f);
    level.sunColor = Vec3(1.0f);
    level.sunAmbient = Vec3(0.2f);
    SceneObject& tile = level.addTile(Vec3(0.0f), {3.0f, 1.0f, 3.0f}, color);
    tile.material = material;
    if (crumble >= 0.0f) tile.tileType = TileType::Crumble;
    tile.crumbleProgress = std::max(crumble, 0.0f);
    return level;
}

// A play frame's 3D part as the frame loop draws it: culling on, the sky cleared,
// shadow pass, ground, objects, ball, then the sun.
void drawFrame(BallRenderer& renderer, Level& level, const Ball& ball, const Camera& camera, bool shadows = true) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glEnable(GL_CULL_FACE);
    glClearColor(level.skyColor.r, level.skyColor.g, level.skyColor.b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawSceneShadows(renderer, level, ball, true);
    renderer.shadowsEnabled = shadows;
    drawSceneLit(renderer, level, ball, camera.view, camera.projection, kWidth, kHeight);
    renderer.drawSun(camera.view, camera.projection, level.sunPos, level.sunObj);
}

class BallRendererGl : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        setWindowSize(kWidth, kHeight);
        ASSERT_TRUE(renderer.init(kWidth, kHeight)) << console.stderrText();
    }
    void TearDown() override {
        renderer.destroy();
        GlTest::TearDown();
    }
    ConsoleCapture console;
    BallRenderer renderer;
};

}  // namespace

TEST_F(BallRendererGl, PlainsShowATexturedFloorTheGreenEndTileAndTheBallWhereItIs) {
    EXPECT_NE(console.stdoutText().find("[BallRenderer] Shadow map 4096x4096 OK\n"), std::string::npos);
    Level level = makeLevel1();
    const Camera camera = orbitCamera(kBallRest);
    drawFrame(renderer, level, ballAt(kBallRest), camera);
    saveWindowPng("plains-play-camera", kWidth, kHeight);
    for (Vec3 floor : {Vec3(-2, 0, 5), Vec3(3, 0, 6), Vec3(-5, 0, 7)}) {
        float spread = 0.0f;
        EXPECT_GT(glm::length(meanAround(camera.pixelOf(floor), 16, &spread) - level.skyColor), 0.1f) << floor.x;
        EXPECT_GT(spread, 0.015f) << "the floor at x " << floor.x << " is one flat colour";
    }
    const Vec3 end = meanAround(camera.pixelOf(level.endTilePos + Vec3(0, level.endTileSize.y * 0.5f, 0)), 3);
    EXPECT_TRUE(end.g > end.r + 0.25f && end.g > end.b + 0.15f) << "the end tile is not green";

    drawFrame(renderer, level, ballAt({-2.0f, 0.5f, 4.0f}), camera);
    for (Vec3 spot : {Vec3(-2.0f, 0.5f, 4.0f), kBallRest}) {  // where the ball is now, and where it was
        const Vec3 c = meanAround(camera.pixelOf(spot), 2);
        EXPECT_EQ(c.r > std::max(c.g, c.b) + 0.3f, spot != kBallRest) << "the ball is not where its matrix puts it";
    }
}

TEST_F(BallRendererGl, TileShadowDarkensTheFloorBesideItAndNothingElseAndThePassesLeaveTheirState) {
    Level level = makeLevel1();
    // From the north-west, facing the sides of the wooden block whose shadow falls
    // beside it (the sun stands south-east, high).
    const Camera camera = orbitCamera({-6.0f, 0.5f, 2.0f}, -135.0f, -35.0f, 9.0f);
    struct Place { const char* name; Vec3 point; bool shaded; };
    const Place places[] = {{"floor in the block's shadow", {-7.35f, 0.0f, 1.6f}, true},
                            {"floor a step from the block's foot: no gap under a caster", {-7.1f, 0.0f, 2.3f}, true},
                            {"lit floor south-west of the block", {-8.5f, 0.0f, 4.0f}, false},
                            {"lit floor towards the middle", {-4.0f, 0.0f, -2.0f}, false},
                            {"lit top of the block", {-6.0f, 1.5f, 2.0f}, false}};
    drawFrame(renderer, level, ballAt(kBallRest), camera, false);
    float unshadowed[5];
    for (int i = 0; i < 5; ++i) unshadowed[i] = luma(meanAround(camera.pixelOf(places[i].point), 2));
    glDisable(GL_DEPTH_TEST);  // the shadow pass must not depend on the state the frame began with
    drawFrame(renderer, level, ballAt(kBallRest), camera);
    saveWindowPng("plains-shadow-side", kWidth, kHeight);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(places[i].name);
        const float shadowed = luma(meanAround(camera.pixelOf(places[i].point), 2));
        if (places[i].shaded) EXPECT_LT(shadowed, 0.6f * unshadowed[i]);
        else EXPECT_NEAR(shadowed, unshadowed[i], 0.03f) << "acne or a stray shadow on a lit surface";
    }
    // With culling switched off by the player, the shadow pass still culls back
    // faces and gives the window back; the ground leaves blending and culling off.
    glDisable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    renderer.renderShadowPass(level.objects, ballModelMatrix(ballAt(kBallRest)), kBallRest, kShadowExtent);
    GLint mode = 0, framebuffer = -1, program = -1;
    glGetIntegerv(GL_CULL_FACE_MODE, &mode);
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE) && mode == GL_BACK && framebuffer == 0);
    glViewport(0, 0, kWidth, kHeight);
    renderer.drawGround(camera.view, camera.projection);
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_TRUE(!glIsEnabled(GL_BLEND) && !glIsEnabled(GL_CULL_FACE) && program == 0);
}

TEST_F(BallRendererGl, TheGroundMeltsIntoTheSkyWithoutAStep) {
    // The first shipped level's sky over the bare ground, looking north along it.
    Level level = LevelHandler::load("levels/level1.plvl");
    level.ground = true;
    level.objects.clear();
    const Camera camera = orbitCamera(level.start, 0.0f, -10.0f);
    drawFrame(renderer, level, ballAt(level.start), camera);
    saveWindowPng("look-level1-horizon", kWidth, kHeight);
    const Vec2 nearGround = camera.pixelOf({-6.0f, 0.0f, -4.0f}), farGround = camera.pixelOf({-30.0f, 0.0f, -75.0f});
    EXPECT_GT(glm::length(meanAround(nearGround, 2) - level.skyColor), 0.15f);
    EXPECT_LT(glm::length(meanAround(farGround, 2) - level.skyColor), 0.06f);
    // Up the screen between them the colour walks to the sky without a step.
    const std::vector<std::uint8_t> column = readPixelsRgba(static_cast<int>(farGround.x), static_cast<int>(nearGround.y),
                                                            1, static_cast<int>(farGround.y - nearGround.y));
    for (size_t i = 4; i < column.size(); ++i) ASSERT_LT(std::abs(column[i] - column[i - 4]), 40) << "row " << i / 4;
}

TEST_F(BallRendererGl, ObjTileShowsItsPngUprightAndEachMeshItsMaterialsColour) {
    TempDir dir;
    // Three squares facing +z: a texture, a material colour and a material the
    // library lacks; the object's negative red asks for the materials' colours.
    dir.write("m/sign.obj", "mtllib sign.mtl\nv -3 -1 0\nv -1 -1 0\nv -1 1 0\nv -3 1 0\nv 1 -1 0\nv 1 1 0\nv 3 -1 0\n"
                            "v 3 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 0 1\nusemtl painted\nf 1/1/1 2/2/1 3/3/1 4/4/1\n"
                            "usemtl blue\nf 2//1 5//1 6//1 3//1\nusemtl forgotten\nf 5//1 7//1 8//1 6//1\n");
    dir.write("m/sign.mtl", "newmtl painted\nKd 1 1 1\nmap_Kd paint.png\nbump -bm 0.5 no.png\nnewmtl blue\nKd 0.1 0.3 0.9\n");
    const std::uint8_t checker[12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};  // top row first
    ASSERT_NE(stbi_write_png((dir / "m" / "paint.png").string().c_str(), 2, 2, 3, checker, 6), 0);
    Level level = tileLevel(Vec3(-1.0f));
    level.objects[0].shape = ShapeKind::ObjFile;
    level.objects[0].objPath = (dir / "m" / "sign.obj").string();
    level.objects[0].size = Vec3(1.0f);
    level.sunColor = Vec3(0.0f);  // full ambient and no sun: surfaces show their colours as they are
    level.sunAmbient = Vec3(1.0f);
    const Camera camera = orbitCamera(Vec3(0.0f), 0.0f, 0.0f, 7.0f);
    ConsoleCapture loading;
    drawFrame(renderer, level, kBallAway, camera);
    const std::string folder = (dir / "m").string();
    EXPECT_EQ(loading.stdoutText(), "[ModelLoader] Loaded texture: " + folder + "/paint.png (2x2)\n[ModelLoader] Loaded OBJ: " +
                                        level.objects[0].objPath + " | meshes=3 materials=2\n");
    EXPECT_EQ(loading.stderrText(), "[ModelLoader] Cannot load texture: " + folder + "/no.png\n");
    // Texel centres still take a trace of their neighbours, which the gamma encode lifts.
    struct Probe { const char* name; Vec3 point, color; float tolerance; };
    const Probe probes[] = {{"texture top left: red", {-2.5f, 0.5f, 0}, {1, 0, 0}, 0.25f},
                            {"texture top right: green", {-1.5f, 0.5f, 0}, {0, 1, 0}, 0.25f},
                            {"texture bottom left: blue", {-2.5f, -0.5f, 0}, {0, 0, 1}, 0.25f},
                            {"material colour", {0.0f, 0.0f, 0}, {0.1f, 0.3f, 0.9f}, 0.06f},
                            {"no such material: grey", {2.0f, 0.0f, 0}, {0.7f, 0.7f, 0.7f}, 0.06f}};
    for (const Probe& probe : probes) {
        const Vec3 seen = meanAround(camera.pixelOf(probe.point), 3);
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(seen[c], probe.color[c], probe.tolerance) << probe.name;
    }
}

TEST_F(BallRendererGl, MissingObjIsItsBoxSurfaceMaterialReplacesTheColourAndACrumblingTileReddens) {
    const Camera camera = orbitCamera(Vec3(0.0f), 0.0f, -40.0f, 6.0f);
    auto seen = [&](Level level) {
        drawFrame(renderer, level, kBallAway, camera);
        return meanAround(camera.pixelOf({0.0f, 0.5f, 0.0f}), 6);
    };
    const Vec3 red(1, 0, 0), blue(0, 0, 1);
    Level missing = tileLevel(red);
    missing.objects[0].objPath = "models/no-such-file.obj";
    ConsoleCapture drawing;
    for (int frame = 0; frame < 2; ++frame) drawFrame(renderer, missing, kBallAway, camera);
    EXPECT_GT(meanAround(camera.pixelOf({1.35f, 0.45f, 1.35f}), 1).r, 0.3f) << "a box's corner, not a sphere";
    EXPECT_GT(glm::length(seen(missing) - seen(tileLevel(blue))), 0.3f);
    EXPECT_EQ(drawing.stderrText(), "[ModelLoader] Cannot open OBJ: models/no-such-file.obj\n"
                                    "[SceneObject] OBJ not found, using procedural fallback: models/no-such-file.obj\n");
    EXPECT_LT(glm::length(seen(tileLevel(red, Material::Stone)) - seen(tileLevel(blue, Material::Stone))), 0.01f)
        << "a stone tile must look the same whatever its colour";
    for (Material material : {Material::Marble, Material::None}) {
        float previous = -2.0f;
        for (float progress : {0.0f, 0.25f, 0.5f, 0.75f}) {
            const Vec3 c = seen(tileLevel({0.3f, 0.8f, 0.45f}, material, progress));
            EXPECT_GT(c.r - c.g, previous + 0.05f) << static_cast<int>(material) << " at " << progress;
            previous = c.r - c.g;
        }
        EXPECT_GT(previous, 0.2f) << "nearly crumbled and still not red";
    }
    const GLuint vao = resolveModel(missing.objects[0]).meshes[0].vao;
    ASSERT_TRUE(glIsVertexArray(vao));
    renderer.destroy();  // the shared fallback shapes go while the context is current
    EXPECT_FALSE(glIsVertexArray(vao));
}

TEST_F(BallRendererGl, ARendererThatDrewOtherFramesDrawsWhatAFreshOneDraws) {
    // Uniforms that hold for a frame are sent only when they change: a stale one
    // would keep the old light or the old view.
    Level level = tileLevel({0.2f, 0.4f, 0.9f}, Material::Stone);
    level.addTile({2.5f, 0.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, {0.9f, 0.3f, 0.2f});
    level.sunColor = Vec3(0.1f);
    drawFrame(renderer, level, kBallAway, orbitCamera(Vec3(0.0f), 0.0f, -40.0f, 6.0f));
    level.sunColor = Vec3(1.0f);
    const Camera side = orbitCamera(Vec3(0.0f), 70.0f, -40.0f, 9.0f);
    drawFrame(renderer, level, kBallAway, side);
    const std::vector<std::uint8_t> seen = readPixelsRgba(0, 0, kWidth, kHeight);
    BallRenderer fresh;
    ASSERT_TRUE(fresh.init(kWidth, kHeight));
    drawFrame(fresh, level, kBallAway, side);
    EXPECT_TRUE(readPixelsRgba(0, 0, kWidth, kHeight) == seen);
    fresh.destroy();
}

TEST_F(BallRendererGl, WithoutItsGroundShaderTheRendererFailsButFramesStillRunLit) {
    TempDir dir;
    fs::copy(fs::path(PEMBRIX_SOURCE_DIR) / "shaders", dir / "shaders");
    fs::remove(dir / "shaders" / "ground.frag");
    const fs::path home = fs::current_path();
    fs::current_path(dir.path());
    BallRenderer broken;
    ConsoleCapture failing;
    EXPECT_FALSE(broken.init(kWidth, kHeight));
    fs::current_path(home);
    EXPECT_NE(failing.stderrText().find("[BallRenderer] ground shader failed\n"), std::string::npos);
    EXPECT_EQ(broken.shadowFbo + broken.shadowDepthTexture, 0u);
    Level level = makeLevel1();
    level.ground = true;  // asks for the ground it cannot draw
    const Camera camera = orbitCamera(kBallRest);
    for (int frame = 0; frame < 2; ++frame) drawFrame(broken, level, ballAt(kBallRest), camera);
    saveWindowPng("plains-without-ground-shader", kWidth, kHeight);
    const Vec3 end = meanAround(camera.pixelOf(level.endTilePos + Vec3(0.0f, 0.3f, 0.0f)), 3);
    EXPECT_GT(end.g, end.r + 0.25f) << "the lit program lost its matrices";
    broken.destroy();
}
