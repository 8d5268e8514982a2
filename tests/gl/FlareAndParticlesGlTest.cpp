// The two additive effects on a real context: the lens flare reads the depth
// at the sun's pixel every frame, so the scene hiding the sun fades it and
// uncovering it brings it back; a spark is a soft disc at its place that
// writes no depth.
#include "render/LensFlare.h"
#include "render/ParticleRenderer.h"
#include "support/ConsoleCapture.h"
#include "support/GlTest.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

namespace {

const Mat4 kView = glm::lookAt(Vec3(0, 0, 3), Vec3(0.0f), Vec3(0, 1, 0));
const Mat4 kProjection = glm::perspective(glm::radians(60.0f), static_cast<float>(kGlWidth) / kGlHeight, 0.1f, 500.0f);

int red(int x, int y) { return readPixelsRgba(x, y, 1, 1)[0]; }

// Clears colour, and depth to `depth`, as if the scene had drawn something that near everywhere.
void clearTo(double depth) {
    static const auto clearDepth = reinterpret_cast<void (*)(double)>(glfwGetProcAddress("glClearDepth"));
    clearDepth(depth);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    clearDepth(1.0);
}

class EffectsGl : public GlTest {};

}  // namespace

TEST_F(EffectsGl, TheFlareGlaresAtAVisibleSunFadesWhenTheSceneHidesItAndComesBack) {
    ConsoleCapture quiet;
    LensFlare flare;
    ASSERT_TRUE(flare.init());
    const Vec3 sun(50.0f, 30.0f, -100.0f);  // ahead, a little right and up
    const SunOnScreen spot = projectSun(kView, kProjection, sun, kGlWidth, kGlHeight);
    const auto frames = [&](double depth, int count) {
        const float before = flare.visibility();
        for (int i = 0; i < count; ++i) {
            clearTo(depth);
            flare.draw(kView, kProjection, sun, {1.0f, 0.9f, 0.7f}, kGlWidth, kGlHeight, 1.0f / 60.0f);
        }
        return flare.visibility() - before;
    };
    EXPECT_GT(frames(1.0, 30), 0.5f) << "an open sky did not show the flare";
    const int glare = red(spot.pixelX, spot.pixelY);
    EXPECT_GT(glare, 150);
    EXPECT_LT(red(2, kGlHeight - 3), 5) << "the far corner is lit";
    EXPECT_LT(frames(0.5, 30), -0.5f) << "the scene hid the sun, yet the flare stayed";
    EXPECT_LT(red(spot.pixelX, spot.pixelY), glare / 2);
    EXPECT_GT(frames(1.0, 30), 0.5f) << "an uncovered sun did not come back";
}

TEST_F(EffectsGl, ASparkIsASoftDiscAtItsPlaceThatWritesNoDepth) {
    ConsoleCapture quiet;
    ParticleRenderer renderer;
    ASSERT_TRUE(renderer.init(64));
    ParticlePool pool(64);
    clearTo(1.0);
    glEnable(GL_DEPTH_TEST);
    // A still white spark at the origin, 0.7 to 1 unit across: a disc 73 to 104 pixels wide.
    pool.emit({Vec3(0.0f), 1, 0.0f, Vec4(1.0f), Vec4(1.0f), 1.0f, 1.0f, 100.0f, 1.0f, 0.0f});
    renderer.draw(pool, kView, kProjection, Vec3(1, 0, 0), Vec3(0, 1, 0));
    EXPECT_FALSE(glIsEnabled(GL_BLEND)) << "blending left on for the opaque draws after it";
    const int cx = kGlWidth / 2, cy = kGlHeight / 2;
    EXPECT_GT(red(cx, cy), 200);
    EXPECT_TRUE(red(cx + 20, cy) > 0 && red(cx + 20, cy) < red(cx, cy)) << "not soft towards the rim";
    EXPECT_EQ(red(cx + 60, cy) + red(cx + 40, cy + 40), 0) << "outside the disc";
    float depth = 0.0f;
    glReadPixels(cx, cy, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_EQ(depth, 1.0f) << "a spark wrote depth";
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites) << "the draw kept depth writes off";
}
