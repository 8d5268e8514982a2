// Lens flare arithmetic without GL: where the sun lands, whether it can show,
// how the visibility eases, and where the five sprites go.
#include "render/LensFlare.h"

#include "support/GlCallRecorder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// A camera at the origin looking down -z, 90 degrees of vertical view.
const Mat4 kView = glm::lookAt(Vec3(0.0f), Vec3(0.0f, 0.0f, -1.0f), Vec3(0.0f, 1.0f, 0.0f));

Mat4 projection(float aspect) { return glm::perspective(glm::radians(90.0f), aspect, 0.1f, 500.0f); }

}  // namespace

TEST(LensFlareProjection, SunAheadLandsOnItsPixelWithItsDepth) {
    const Mat4 proj = projection(1.0f);
    // At distance 100 a 90 degree view spans -100..100: x = 50 is NDC 0.5.
    const SunOnScreen sun = projectSun(kView, proj, {50.0f, -50.0f, -100.0f}, 400, 400);
    EXPECT_TRUE(sun.inFront);
    EXPECT_TRUE(sun.onScreen);
    EXPECT_NEAR(sun.ndc.x, 0.5f, 1e-5f);
    EXPECT_NEAR(sun.ndc.y, -0.5f, 1e-5f);
    EXPECT_EQ(sun.pixelX, 300);
    EXPECT_EQ(sun.pixelY, 100);
    const Vec4 clip = proj * kView * Vec4(50.0f, -50.0f, -100.0f, 1.0f);
    EXPECT_NEAR(sun.depth, clip.z / clip.w * 0.5f + 0.5f, 1e-6f);
    EXPECT_GT(sun.depth, 0.99f);
}

TEST(LensFlareProjection, SunNearTheCornerReadsTheLastPixel) {
    const SunOnScreen sun = projectSun(kView, projection(1.0f), {99.99f, 99.99f, -100.0f}, 640, 360);
    ASSERT_TRUE(sun.onScreen);
    EXPECT_EQ(sun.pixelX, 639);
    EXPECT_EQ(sun.pixelY, 359);
}

TEST(LensFlareTarget, NothingNearerShowsTheFlareAndAnythingClearlyNearerHidesIt) {
    const SunOnScreen sun = projectSun(kView, projection(1.0f), {0.0f, 0.0f, -100.0f}, 400, 400);
    ASSERT_TRUE(sun.onScreen);
    struct Case {
        float sceneDepth;
        float target;
    };
    const Case cases[] = {{1.0f, 1.0f}, {sun.depth, 1.0f}, {sun.depth - 0.0019f, 1.0f},
                          {sun.depth - 0.0021f, 0.0f}, {0.5f, 0.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sceneDepth);
        EXPECT_EQ(flareTarget(sun, c.sceneDepth), c.target);
    }
}

TEST(LensFlareTarget, SunBehindTheCameraOrOffScreenGivesZeroWhateverTheDepth) {
    struct Case {
        const char* name;
        Vec3 position;
        bool inFront;
    };
    const Case cases[] = {{"behind", {0.0f, 0.0f, 100.0f}, false},
                          {"just past the right edge", {100.5f, 0.0f, -100.0f}, true},
                          {"above the top", {0.0f, 130.0f, -100.0f}, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SunOnScreen sun = projectSun(kView, projection(1.0f), c.position, 400, 400);
        EXPECT_EQ(sun.inFront, c.inFront);
        EXPECT_FALSE(sun.onScreen);
        EXPECT_EQ(flareTarget(sun, 1.0f), 0.0f);
    }
}

TEST(LensFlareTarget, MinimisedWindowHasNoPixelToRead) {
    const SunOnScreen sun = projectSun(kView, projection(1.0f), {0.0f, 0.0f, -100.0f}, 0, 0);
    EXPECT_TRUE(sun.inFront);
    EXPECT_FALSE(sun.onScreen);
}

TEST(LensFlareVisibility, FadesInAtSevenAndOutAtThreePerSecond) {
    struct Case {
        float visibility, target, dt, expected;
    };
    const Case cases[] = {
        {0.0f, 1.0f, 1.0f / 60.0f, 7.0f / 60.0f},        // first visible frame
        {0.5f, 1.0f, 1.0f / 60.0f, 0.5f + 0.5f * 7.0f / 60.0f},
        {1.0f, 0.0f, 1.0f / 60.0f, 0.95f},               // 1 - 3/60
        {0.2f, 1.0f, 1.0f / 7.0f, 1.0f},                 // 7 dt reaches 1: straight to the target
        {0.6f, 1.0f, 0.5f, 1.0f},                        // and never overshoots
        {0.6f, 0.0f, 0.5f, 0.0f},                        // 3 dt above 1 is clamped too
        {0.4f, 0.4f, 0.1f, 0.4f},                        // at the target it stays
        {0.3f, 1.0f, 0.0f, 0.3f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.visibility) + " -> " + std::to_string(c.target) + " dt " + std::to_string(c.dt));
        EXPECT_NEAR(smoothFlareVisibility(c.visibility, c.target, c.dt), c.expected, 1e-6f);
    }
}

TEST(LensFlareVisibility, FullFlareStopsDrawingAfter104FramesOfHiddenSunAt60Fps) {
    // 0.95^n < 0.005 first holds for n = 104.
    float visibility = 1.0f;
    int frames = 0;
    while (visibility >= 0.005f && frames < 1000) {
        visibility = smoothFlareVisibility(visibility, 0.0f, 1.0f / 60.0f);
        ++frames;
    }
    EXPECT_EQ(frames, 104);
}

TEST(LensFlareElements, SunAtTheCentreGivesAZeroAxisAndStacksEverySprite) {
    for (Vec2 ndc : {Vec2(0.0f), Vec2(0.0005f, -0.0005f)}) {
        SCOPED_TRACE(std::to_string(ndc.x));
        EXPECT_EQ(flareAxis(ndc), Vec2(0.0f));
        for (const FlareElement& e : buildFlareElements(ndc, {1.0f, 0.9f, 0.7f}, 1.0f)) EXPECT_EQ(e.center, ndc);
    }
}

TEST(LensFlareElements, SunAtHalfHalfPlacesTheSpotsTowardAndPastTheCentre) {
    const auto elements = buildFlareElements({0.5f, 0.5f}, {1.0f, 0.9f, 0.7f}, 1.0f);
    const Vec2 expected[5] = {{0.5f, 0.5f}, {0.5f, 0.5f}, {0.5f, 0.5f}, {0.3f, 0.3f}, {0.05f, 0.05f}};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(elements[i].center.x, expected[i].x, 1e-6f);
        EXPECT_NEAR(elements[i].center.y, expected[i].y, 1e-6f);
    }
}

TEST(LensFlareElements, RadiiShapesAndAlphasScaleWithVisibility) {
    const auto elements = buildFlareElements({0.2f, -0.1f}, {3.0f, 0.0f, 4.0f}, 0.5f);
    const float radii[5] = {0.32f, 0.08f, 0.25f, 0.06f, 0.045f};
    const float alphas[5] = {0.25f, 0.7f, 0.4f, 0.35f, 0.25f};
    const int shapes[5] = {0, 0, 2, 0, 0};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(elements[i].radius, radii[i]);
        EXPECT_FLOAT_EQ(elements[i].alpha, alphas[i] * 0.5f);
        EXPECT_EQ(elements[i].shape, shapes[i]);
    }
    // The core is the sun's colour at length 1.2: (3, 0, 4) has length 5.
    EXPECT_NEAR(elements[1].color.r, 0.72f, 1e-6f);
    EXPECT_NEAR(elements[1].color.b, 0.96f, 1e-6f);
}

TEST(LensFlareElements, BlackSunGivesABlackCoreNotNaN) {
    const auto elements = buildFlareElements({0.2f, 0.2f}, Vec3(0.0f), 1.0f);
    EXPECT_EQ(elements[1].color, Vec3(0.0f));
}

TEST(LensFlare, DepthIsReadOnlyForASunInFrontAndEachSpriteIsOneDraw) {
    LensFlare flare;
    GlCallRecorder gl;
    flare.draw(kView, projection(16.0f / 9.0f), {0.0f, 0.0f, 100.0f}, {1, 1, 1}, 1280, 720, 1.0f / 60.0f);
    EXPECT_TRUE(gl.calls().empty());
    EXPECT_FLOAT_EQ(flare.lastDt, 1.0f / 60.0f);

    // The recorded read leaves the depth at 1 (the far plane): nothing hides the sun.
    flare.draw(kView, projection(16.0f / 9.0f), {0.0f, 0.0f, -100.0f}, {1, 1, 1}, 1280, 720, 1.0f / 60.0f);
    EXPECT_EQ(gl.count("glReadPixels"), 1);
    EXPECT_NEAR(flare.visibility, 7.0f / 60.0f, 1e-6f);
    EXPECT_EQ(gl.count("glDrawArrays"), 5);
    ASSERT_GE(gl.calls().size(), 2u);
    const auto& calls = gl.calls();
    EXPECT_EQ(calls[calls.size() - 2], "glDisable(" + std::to_string(GL_BLEND) + ")");
    EXPECT_EQ(calls.back(), "glEnable(" + std::to_string(GL_DEPTH_TEST) + ")");
}
