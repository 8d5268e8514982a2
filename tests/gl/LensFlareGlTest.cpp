// The lens flare on a real context: its shaders, the depth test at the sun's
// pixel, the two sprite shapes, round sprites on a wide screen, and the state
// the draw leaves.
#include "render/LensFlare.h"

#include "support/ConsoleCapture.h"
#include "support/GlTest.h"
#include "support/TempDir.h"

#include <filesystem>

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 360;

const Mat4 kView = glm::lookAt(Vec3(0.0f), Vec3(0.0f, 0.0f, -1.0f), Vec3(0.0f, 1.0f, 0.0f));
const Mat4 kProj = glm::perspective(glm::radians(90.0f), float(kWidth) / kHeight, 0.1f, 500.0f);

// The depth clear value, which the game itself never changes.
void clearDepthTo(double depth) {
    using ClearDepth = void (*)(double);
    static const auto clearDepth = reinterpret_cast<ClearDepth>(glfwGetProcAddress("glClearDepth"));
    clearDepth(depth);
    glClear(GL_DEPTH_BUFFER_BIT);
    clearDepth(1.0);
}

class LensFlareGl : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        setWindowSize(kWidth, kHeight);
        ConsoleCapture console;
        initialised = flare.init();
        initOut = console.stdoutText();
        initErr = console.stderrText();
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // One sprite drawn straight through the flare program, additively.
    void drawSprite(Vec2 center, float radius, int shape) {
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        flare.program.use();
        glUniform2fv(flare.centerLocation, 1, glm::value_ptr(center));
        glUniform1f(flare.radiusLocation, radius);
        glUniform1f(flare.aspectLocation, float(kWidth) / kHeight);
        const Vec3 white(1.0f);
        glUniform3fv(flare.colorLocation, 1, glm::value_ptr(white));
        glUniform1f(flare.alphaLocation, 1.0f);
        glUniform1i(flare.shapeLocation, shape);
        glBindVertexArray(flare.vao);
        glDrawArrays(GL_TRIANGLES, 0, 6);
        glBindVertexArray(0);
        glUseProgram(0);
        glDisable(GL_BLEND);
        glEnable(GL_DEPTH_TEST);
    }

    static int red(int x, int y) { return readPixelsRgba(x, y, 1, 1)[0]; }

    LensFlare flare;
    bool initialised = false;
    std::string initOut;
    std::string initErr;
};

}  // namespace

TEST_F(LensFlareGl, ShadersLoadAndInitSaysSo) {
    EXPECT_TRUE(initialised);
    EXPECT_NE(flare.program.id, 0u);
    EXPECT_NE(initOut.find("[LensFlare] Initialised\n"), std::string::npos);
    EXPECT_EQ(initErr, "");
    for (GLint location : {flare.centerLocation, flare.radiusLocation, flare.aspectLocation, flare.colorLocation,
                           flare.alphaLocation, flare.shapeLocation}) {
        EXPECT_NE(location, -1);
    }
}

TEST_F(LensFlareGl, VisibleSunShowsGlareAndLeavesBlendingOffAndDepthTestOn) {
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    // Straight ahead, a little right and up: NDC about (0.28, 0.3).
    const Vec3 sun(50.0f, 30.0f, -100.0f);
    flare.draw(kView, kProj, sun, {1.0f, 0.9f, 0.7f}, kWidth, kHeight, 1.0f / 7.0f);
    EXPECT_FLOAT_EQ(flare.visibility, 1.0f);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));

    const SunOnScreen spot = projectSun(kView, kProj, sun, kWidth, kHeight);
    EXPECT_GT(red(spot.pixelX, spot.pixelY), 150);
    // Dark far from every sprite: the opposite corner.
    EXPECT_LT(red(2, kHeight - 3), 5);
}

TEST_F(LensFlareGl, SceneInFrontOfTheSunFadesTheFlareOut) {
    const Vec3 sun(0.0f, 0.0f, -100.0f);
    flare.visibility = 1.0f;
    clearDepthTo(0.5);  // something much nearer than the sun everywhere
    flare.draw(kView, kProj, sun, {1.0f, 1.0f, 1.0f}, kWidth, kHeight, 1.0f / 60.0f);
    EXPECT_NEAR(flare.visibility, 0.95f, 1e-6f);

    clearDepthTo(1.0);
    flare.draw(kView, kProj, sun, {1.0f, 1.0f, 1.0f}, kWidth, kHeight, 1.0f / 60.0f);
    EXPECT_NEAR(flare.visibility, 0.95f + 0.05f * 7.0f / 60.0f, 1e-6f);
}

TEST_F(LensFlareGl, SpritesAreRoundOnAWideScreen) {
    drawSprite({0.0f, 0.0f}, 0.5f, 0);
    int across = 0;
    int down = 0;
    for (int x = 0; x < kWidth; ++x) across += red(x, kHeight / 2) > 0 ? 1 : 0;
    for (int y = 0; y < kHeight; ++y) down += red(kWidth / 2, y) > 0 ? 1 : 0;
    EXPECT_GT(across, 120);
    EXPECT_NEAR(across, down, 3);
}

TEST_F(LensFlareGl, GlowIsTheSameInEveryDirectionAndTheStarIsNot) {
    // At half the radius (45 pixels): on the horizontal axis and on the diagonal.
    const int cx = kWidth / 2;
    const int cy = kHeight / 2;
    drawSprite({0.0f, 0.0f}, 0.5f, 0);
    const int glowAxis = red(cx + 45, cy);
    const int glowDiagonal = red(cx + 32, cy + 32);
    EXPECT_GT(glowAxis, 30);
    EXPECT_NEAR(glowAxis, glowDiagonal, 6);

    glClear(GL_COLOR_BUFFER_BIT);
    drawSprite({0.0f, 0.0f}, 0.5f, 2);
    const int starAxis = red(cx + 45, cy);
    const int starDiagonal = red(cx + 32, cy + 32);
    EXPECT_GT(starAxis, 100);
    EXPECT_LT(starDiagonal, 10);
}

TEST_F(LensFlareGl, MissingShaderFilesAreReportedAndTheFlareStillFades) {
    TempDir elsewhere;
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(elsewhere.path());
    LensFlare lost;
    bool result = true;
    std::string err;
    {
        ConsoleCapture console;
        result = lost.init();
        err = console.stderrText();
    }
    std::filesystem::current_path(home);
    EXPECT_FALSE(result);
    EXPECT_NE(err.find("[LensFlare] Shader load failed\n"), std::string::npos);
    lost.draw(kView, kProj, {0.0f, 0.0f, -100.0f}, {1.0f, 1.0f, 1.0f}, kWidth, kHeight, 1.0f / 60.0f);
    EXPECT_NEAR(lost.visibility, 7.0f / 60.0f, 1e-6f);
    while (glGetError() != GL_NO_ERROR) {
    }
    EXPECT_EQ(red(kWidth / 2, kHeight / 2), 0);
}
