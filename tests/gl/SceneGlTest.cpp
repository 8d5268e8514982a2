// The scene renderer drawing SceneDrawLists for real, read back from the
// window: a lit frame with a textured floor, the green end tile and the red
// ball where their matrices put them; a tile's shadow; an OBJ with its MTL and
// PNG; and the box that stands in for a missing OBJ. Frames are saved to look at.
#include "game/LevelModels.h"
#include "physics/Ball.h"
#include "render/BallRenderer.h"
#include "render/FrameState.h"
#include "support/ConsoleCapture.h"
#include "support/GlTest.h"
#include "support/TempDir.h"

#include <stb_image_write.h>

namespace {

struct Camera {
    SceneView view;
    // Window pixel of a world point, counted from the bottom row as GL reads.
    Vec2 pixelOf(Vec3 world) const {
        const Vec4 clip = view.projection * view.view * Vec4(world, 1.0f);
        return {(clip.x / clip.w * 0.5f + 0.5f) * kGlWidth, (clip.y / clip.w * 0.5f + 0.5f) * kGlHeight};
    }
};

Camera lookFrom(Vec3 eye, Vec3 target) {
    const float aspect = static_cast<float>(kGlWidth) / kGlHeight;
    const Mat4 projection = glm::perspective(glm::radians(60.0f), aspect, 0.1f, 200.0f);
    return {{glm::lookAt(eye, target, Vec3(0, 1, 0)), projection, kGlWidth, kGlHeight}};
}

float luma(Vec3 c) { return 0.2126f * c.r + 0.7152f * c.g + 0.0722f * c.b; }

// Mean colour (0..1) of the square around `pixel`; `spread` gets the standard
// deviation of its luminance.
Vec3 meanAround(Vec2 pixel, int radius, float* spread = nullptr) {
    const int side = 2 * radius + 1;
    const auto rgba =
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

SceneItem box(const ModelLibrary& library, Vec3 centre, Vec3 size, Vec3 color, std::uint32_t surface = 0) {
    return {library.shape(BasicShape::Box), glm::scale(glm::translate(Mat4(1.0f), centre), size), color, Vec3(1.0f),
            surface};
}

SceneBall ballAt(Vec3 position) { return {ballModelMatrix(position, Quat(1, 0, 0, 0), 0.5f), {0.9f, 0.3f, 0.2f}}; }

class SceneGl : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        ConsoleCapture quiet;
        ASSERT_TRUE(renderer.init());
    }
    // A frame's 3D part as the game draws it, under a black sky that anything drawn stands out from.
    void draw(const SceneDrawList& scene, const Camera& camera) {
        beginFrame({kGlWidth, kGlHeight, Vec3(0.0f), false, true});
        renderer.drawScene(scene, camera.view, library, SceneOptions{});
    }
    ModelLibrary library;
    BallRenderer renderer;
};

}  // namespace

TEST_F(SceneGl, ALitFrameShowsATexturedFloorTheGreenEndTileAndTheRedBallWhereItsMatrixPutsIt) {
    SceneDrawList scene;
    scene.items = {box(library, {0, -0.5f, 0}, {20, 1, 20}, {0.28f, 0.32f, 0.42f}, 4),  // cobblestone
                   box(library, {3, 0.3f, -2}, {2.5f, 0.6f, 2.5f}, {0.1f, 0.9f, 0.3f})};
    scene.balls = {ballAt({0, 0.5f, 0})};
    const Camera camera = lookFrom({0, 5, 9}, {0, 0, 0});
    draw(scene, camera);
    saveWindowPng("scene-frame");
    for (Vec3 floor : {Vec3(-3, 0, 3), Vec3(2, 0, 4), Vec3(-4, 0, -2)}) {
        float spread = 0.0f;
        EXPECT_GT(luma(meanAround(camera.pixelOf(floor), 12, &spread)), 0.08f) << "floor at x " << floor.x << " unlit";
        EXPECT_GT(spread, 0.015f) << "the floor at x " << floor.x << " is one flat colour: no texture";
    }
    const Vec3 end = meanAround(camera.pixelOf({3, 0.6f, -2}), 3);
    EXPECT_TRUE(end.g > end.r + 0.25f && end.g > end.b + 0.15f) << "the end tile is not green";

    // The ball moves with its matrix: red where it is now, floor where it was.
    scene.balls = {ballAt({-2, 0.5f, 2})};
    draw(scene, camera);
    for (Vec3 spot : {Vec3(-2, 0.5f, 2), Vec3(0, 0.5f, 0)}) {
        const Vec3 c = meanAround(camera.pixelOf(spot), 2);
        EXPECT_EQ(c.r > std::max(c.g, c.b) + 0.3f, spot.x < 0.0f) << "ball at x " << spot.x;
    }
}

TEST_F(SceneGl, ATileShadesTheFloorOnTheSideAwayFromTheSunAndNothingElse) {
    // The default sun stands high towards +x, +y, +z: a block's shadow falls
    // towards -x, -z, which the camera sees from that side.
    SceneDrawList scene;
    scene.items = {box(library, {0, -0.5f, 0}, {20, 1, 20}, Vec3(0.6f))};
    const Camera camera = lookFrom({-6, 6, -6}, {0, 0, 0});
    struct Place { const char* name; Vec3 point; bool shaded; };
    const Place places[] = {{"floor in the block's shadow", {-1.4f, 0, -1.3f}, true},
                            {"floor a step from the block's foot: no gap under a caster", {-1.15f, 0, 0}, true},
                            {"lit floor beside the block", {-3, 0, 2}, false},
                            {"lit floor on the other side", {2, 0, -3}, false}};
    draw(scene, camera);
    float bare[4];
    for (int i = 0; i < 4; ++i) bare[i] = luma(meanAround(camera.pixelOf(places[i].point), 2));
    scene.items.push_back(box(library, {0, 1, 0}, {2, 2, 2}, Vec3(0.6f)));
    draw(scene, camera);
    saveWindowPng("scene-shadow");
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(places[i].name);
        const float seen = luma(meanAround(camera.pixelOf(places[i].point), 2));
        if (places[i].shaded) EXPECT_LT(seen, 0.6f * bare[i]);
        else EXPECT_NEAR(seen, bare[i], 0.03f) << "acne or a stray shadow on a lit surface";
    }
}

TEST_F(SceneGl, AnObjShowsItsPngUprightAndItsMaterialColour) {
    // Two squares facing +z: one with a 2 x 2 PNG, one with a material colour;
    // the item's negative red asks for the materials' own colours.
    TempDir dir;
    dir.write("m/sign.obj", "mtllib sign.mtl\nv -3 -1 0\nv -1 -1 0\nv -1 1 0\nv -3 1 0\nv 1 -1 0\nv 1 1 0\n"
                            "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 0 1\nusemtl painted\nf 1/1/1 2/2/1 3/3/1 4/4/1\n"
                            "usemtl blue\nf 2//1 5//1 6//1 3//1\n");
    dir.write("m/sign.mtl", "newmtl painted\nKd 1 1 1\nmap_Kd paint.png\nnewmtl blue\nKd 0.1 0.3 0.9\n");
    const std::uint8_t checker[12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};  // top row first
    ASSERT_NE(stbi_write_png((dir / "m/paint.png").c_str(), 2, 2, 3, checker, 6), 0);
    ConsoleCapture quiet;
    SceneDrawList scene;
    scene.items = {{library.load((dir / "m/sign.obj").string()), Mat4(1.0f), Vec3(-1.0f), Vec3(1.0f), 0}};
    scene.light.sunColor = Vec3(0.0f);  // full ambient and no sun: surfaces show their colours as they are
    scene.light.ambient = Vec3(1.0f);
    const Camera camera = lookFrom({0, 0, 7}, {0, 0, 0});
    draw(scene, camera);
    saveWindowPng("scene-obj");
    struct Probe { const char* name; Vec3 point, color; float tolerance; };
    // Texel centres still take a trace of their neighbours, which the gamma encode lifts.
    const Probe probes[] = {{"texture top left: red", {-2.5f, 0.5f, 0}, {1, 0, 0}, 0.25f},
                            {"texture top right: green", {-1.5f, 0.5f, 0}, {0, 1, 0}, 0.25f},
                            {"texture bottom left: blue", {-2.5f, -0.5f, 0}, {0, 0, 1}, 0.25f},
                            {"material colour", {0, 0, 0}, {0.1f, 0.3f, 0.9f}, 0.06f}};
    for (const Probe& probe : probes) {
        const Vec3 seen = meanAround(camera.pixelOf(probe.point), 1);
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(seen[c], probe.color[c], probe.tolerance) << probe.name;
    }
}

TEST_F(SceneGl, AnObjectWhoseObjIsMissingIsDrawnAsItsBox) {
    Level level;
    SceneObject& tile = level.addTile(Vec3(0.0f), {3, 1, 3}, {1, 0, 0});
    tile.shape = ShapeKind::ObjFile;
    tile.objPath = "models/no-such-file.obj";
    ConsoleCapture quiet;
    SceneDrawList scene;
    scene.items = {{resolveLevelModels(level, library).objects[0], glm::scale(Mat4(1.0f), tile.size), tile.color}};
    const Camera camera = lookFrom({0, 4, 4.5f}, {0, 0, 0});
    draw(scene, camera);
    // A box's corner, where a sphere or nothing would leave the sky.
    EXPECT_GT(meanAround(camera.pixelOf({1.35f, 0.45f, 1.35f}), 1).r, 0.3f);
}
