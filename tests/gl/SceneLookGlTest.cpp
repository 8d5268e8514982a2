// The shipped levels and The Plains drawn at the game's window size from the
// play camera, saved for people to look at, with the checks a player would
// make at a glance: the ball is there, the sky shows above, a ground plane
// melts into the sky far away instead of ending at a hard edge.
#include "app/Ball.h"
#include "app/SceneFrame.h"
#include "gl/SceneShot.h"
#include "level/BuiltinLevel.h"
#include "level/LevelHandler.h"
#include "render/BallRenderer.h"
#include "support/ConsoleCapture.h"
#include "support/GlTest.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <string>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;

// The ball resting on the highest tile top under the level's start.
Ball ballOnStart(const Level& level) {
    Ball ball;
    ball.position = level.start;
    float top = -1e9f;
    for (const SceneObject& object : level.objects) {
        if (object.kind != ObjectKind::Tile) continue;
        const Vec3 half = object.size * 0.5f;
        const Vec3 d = level.start - object.pos;
        if (std::fabs(d.x) <= half.x && std::fabs(d.z) <= half.z) top = std::max(top, object.pos.y + half.y);
    }
    if (top > -1e9f) ball.position.y = top + ball.radius;
    return ball;
}

class SceneLookGl : public GlTest {
protected:
    BallRenderer renderer;

    void SetUp() override {
        GlTest::SetUp();
        setWindowSize(kWidth, kHeight);
        glfwSwapBuffers(glTestWindow());  // the rasteriser takes the new size here
        ConsoleCapture quiet;
        ASSERT_TRUE(renderer.init(kWidth, kHeight)) << quiet.stderrText();
    }
    void TearDown() override {
        renderer.destroy();
        GlTest::TearDown();
    }

    SceneCamera drawFrame(Level& level, const Ball& ball, float pitch = -25.0f) {
        const SceneCamera camera = orbitCameraOn(ball.position, kWidth, kHeight, 0.0f, pitch);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, kWidth, kHeight);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        glClearColor(level.skyColor.r, level.skyColor.g, level.skyColor.b, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawLevelScene(renderer, level, ball, camera.view, camera.projection, true, kWidth, kHeight);
        renderer.drawSun(camera.view, camera.projection, level.sunPos, level.sunObj);
        return camera;
    }

    static void save(const std::string& name) {
        savePng(std::string(PEMBRIX_ARTIFACT_DIR) + "/" + name, kWidth, kHeight,
                readPixelsRgba(0, 0, kWidth, kHeight));
    }
};

}  // namespace

TEST_F(SceneLookGl, EveryShippedLevelAndThePlainsShowTheBallUnderTheSky) {
    struct Shot {
        const char* levelPath;  // empty for the built-in level
        const char* png;
    };
    const Shot shots[] = {{"", "look-plains.png"},
                          {"levels/level1.plvl", "look-level1.png"},
                          {"levels/level2.plvl", "look-level2.png"},
                          {"levels/level3.plvl", "look-level3.png"}};
    for (const Shot& shot : shots) {
        SCOPED_TRACE(shot.png);
        ConsoleCapture quiet;
        Level level = *shot.levelPath ? LevelHandler::load(shot.levelPath) : makeLevel1();
        const Ball ball = ballOnStart(level);
        const SceneCamera camera = drawFrame(level, ball);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        save(shot.png);
        const Vec3 atBall = patchAround(pixelOf(camera, ball.position), 3).mean;
        EXPECT_GT(atBall.r, std::max(atBall.g, atBall.b) + 0.25f) << "no red ball at the start";
        const Vec3 topRow = patchAround({kWidth / 2, kHeight - 4, true}, 3).mean;
        EXPECT_LT(glm::length(topRow - level.skyColor), 0.02f) << "the sky is covered";
    }
}

TEST_F(SceneLookGl, GroundMeltsIntoTheSkyTowardsTheHorizon) {
    ConsoleCapture quiet;
    // The first level's sky and sun over the bare ground plane, so nothing of
    // the course stands between the camera and the horizon.
    Level level = LevelHandler::load("levels/level1.plvl");
    level.ground = true;
    level.objects.clear();
    const Ball ball = ballOnStart(level);
    // Looking along the level, where the ground reaches the horizon.
    const SceneCamera camera = drawFrame(level, ball, -10.0f);
    save("look-level1-horizon.png");
    const Vec3 sky = level.skyColor;
    struct Place {
        const char* name;
        Vec3 point;
        float minDistance;  // from the sky colour
        float maxDistance;
    };
    // The camera looks north (-z) from the start; the ground is a plane at y 0.
    const Place places[] = {
        {"ground below the first tiles", {-6.0f, 0.0f, -4.0f}, 0.15f, 2.0f},
        {"ground far off, melted into the sky", {-30.0f, 0.0f, -75.0f}, 0.0f, 0.06f},
    };
    for (const Place& place : places) {
        SCOPED_TRACE(place.name);
        const PixelSpot spot = pixelOf(camera, place.point);
        ASSERT_TRUE(spot.visible);
        const float distance = glm::length(patchAround(spot, 2).mean - sky);
        EXPECT_GE(distance, place.minDistance);
        EXPECT_LE(distance, place.maxDistance);
    }
    // Down the middle of the screen the colour walks to the sky without a
    // step: no jump between neighbouring rows above the nearest tiles.
    const PixelSpot nearGround = pixelOf(camera, {-6.0f, 0.0f, -4.0f});
    const PixelSpot farGround = pixelOf(camera, {-30.0f, 0.0f, -75.0f});
    const std::vector<std::uint8_t> column = readPixelsRgba(farGround.x, nearGround.y, 1, farGround.y - nearGround.y);
    int biggestStep = 0;
    for (size_t i = 4; i < column.size(); i += 4) {
        for (int c = 0; c < 3; ++c) biggestStep = std::max(biggestStep, std::abs(column[i + c] - column[i - 4 + c]));
    }
    EXPECT_LT(biggestStep, 40);
}
