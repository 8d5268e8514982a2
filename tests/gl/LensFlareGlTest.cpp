// The lens flare on a real context: the glare at the sun's pixel, the depth read
// that fades it behind the scene, the star distinct from the glow, and the GL
// state the draw leaves.
#include "render/LensFlare.h"

#include "support/ConsoleCapture.h"
#include "support/GlTest.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

namespace {

// Clears the depth buffer to `depth`, as if the scene had drawn something there.
void clearDepthTo(double depth) {
    static const auto clearDepth = reinterpret_cast<void (*)(double)>(glfwGetProcAddress("glClearDepth"));
    clearDepth(depth);
    glClear(GL_DEPTH_BUFFER_BIT);
    clearDepth(1.0);
}

int red(int x, int y) { return readPixelsRgba(x, y, 1, 1)[0]; }

class LensFlareGl : public GlTest {};

}  // namespace

TEST_F(LensFlareGl, VisibleSunGlaresTheSceneInFrontFadesItAndTheStarIsNotRoundLikeTheGlow) {
    setWindowSize(640, 360);
    const Mat4 view = glm::lookAt(Vec3(0.0f), Vec3(0.0f, 0.0f, -1.0f), Vec3(0.0f, 1.0f, 0.0f));
    const Mat4 proj = glm::perspective(glm::radians(90.0f), 640.0f / 360.0f, 0.1f, 500.0f);
    ConsoleCapture console;
    LensFlare flare;
    ASSERT_TRUE(flare.init());
    EXPECT_NE(console.stdoutText().find("[LensFlare] Initialised\n"), std::string::npos);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    const Vec3 sun(50.0f, 30.0f, -100.0f);  // ahead, a little right and up
    flare.draw(view, proj, sun, {1.0f, 0.9f, 0.7f}, 640, 360, 1.0f / 7.0f);
    EXPECT_FLOAT_EQ(flare.visibility, 1.0f);
    EXPECT_TRUE(!glIsEnabled(GL_BLEND) && glIsEnabled(GL_DEPTH_TEST));
    const SunOnScreen spot = projectSun(view, proj, sun, 640, 360);
    EXPECT_GT(red(spot.pixelX, spot.pixelY), 150);
    EXPECT_LT(red(2, 357), 5) << "the far corner is lit";
    clearDepthTo(0.5);  // something much nearer than the sun everywhere
    flare.draw(view, proj, sun, Vec3(1.0f), 640, 360, 1.0f / 60.0f);
    EXPECT_NEAR(flare.visibility, 0.95f, 1e-6f);
    clearDepthTo(1.0);
    flare.draw(view, proj, sun, Vec3(1.0f), 640, 360, 1.0f / 60.0f);
    EXPECT_NEAR(flare.visibility, 0.95f + 0.05f * 7.0f / 60.0f, 1e-6f);

    // The sun at the centre stacks every sprite there: round glows alone would
    // look the same along an axis and along a diagonal at the same distance.
    glClear(GL_COLOR_BUFFER_BIT);
    flare.draw(view, proj, {0.0f, 0.0f, -100.0f}, Vec3(1.0f), 640, 360, 1.0f / 7.0f);
    const int axis = red(320 + 22, 180), diagonal = red(320 + 16, 180 + 16);
    EXPECT_GT(std::abs(axis - diagonal), 40) << axis << " on the axis, " << diagonal << " on the diagonal";
    flare.release();
}
