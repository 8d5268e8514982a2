// Lens flare arithmetic without GL: where the sun lands, whether it can show,
// how the visibility eases, and a sun that gives no axis.
#include "render/LensFlare.h"

#include <gtest/gtest.h>

namespace {
// A camera at the origin looking down -z with 90 degrees of vertical view: at
// distance 100 a square screen spans -100..100.
const Mat4 kView = glm::lookAt(Vec3(0.0f), Vec3(0.0f, 0.0f, -1.0f), Vec3(0.0f, 1.0f, 0.0f));
const Mat4 kProj = glm::perspective(glm::radians(90.0f), 1.0f, 0.1f, 500.0f);
}  // namespace

TEST(LensFlareProjection, SunLandsOnItsPixelOrCannotShow) {
    struct Case { const char* name; Vec3 sun; int w, h; bool inFront, onScreen; int px, py; };
    const Case cases[] = {{"ahead", {50, -50, -100}, 400, 400, true, true, 300, 100},
                          {"at the corner: the last pixel", {99.99f, 99.99f, -100}, 640, 360, true, true, 639, 359},
                          {"behind", {0, 0, 100}, 400, 400, false, false, 0, 0},
                          {"just past the right edge", {100.5f, 0, -100}, 400, 400, true, false, 0, 0},
                          {"above the top", {0, 130, -100}, 400, 400, true, false, 0, 0},
                          {"minimised window: no pixel to read", {0, 0, -100}, 0, 0, true, false, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SunOnScreen sun = projectSun(kView, kProj, c.sun, c.w, c.h);
        EXPECT_EQ(sun.inFront, c.inFront);
        EXPECT_EQ(sun.onScreen, c.onScreen);
        if (c.onScreen) {
            EXPECT_EQ(sun.pixelX, c.px);
            EXPECT_EQ(sun.pixelY, c.py);
            EXPECT_NEAR(sun.depth, 0.9991998f, 1e-5f);  // distance 100 between planes 0.1 and 500, by hand
        }
        EXPECT_EQ(flareTarget(sun, 1.0f), c.onScreen ? 1.0f : 0.0f);
    }
}

TEST(LensFlareTarget, OnlySceneDepthClearlyNearerThanTheSunHidesIt) {
    const SunOnScreen sun = projectSun(kView, kProj, {0.0f, 0.0f, -100.0f}, 400, 400);
    struct Case { float sceneDepth, target; };
    for (const Case c : {Case{1.0f, 1.0f}, Case{sun.depth, 1.0f}, Case{sun.depth - 0.0019f, 1.0f},
                         Case{sun.depth - 0.0021f, 0.0f}, Case{0.5f, 0.0f}})
        EXPECT_EQ(flareTarget(sun, c.sceneDepth), c.target) << c.sceneDepth;
}

TEST(LensFlareVisibility, FadesInAtSevenAndOutAtThreePerSecond) {
    struct Case { float visibility, target, dt, expected; };
    const Case cases[] = {
        {0.0f, 1.0f, 1.0f / 60.0f, 7.0f / 60.0f},  // first visible frame (the GL test fades a drawn flare both ways)
        {0.2f, 1.0f, 1.0f / 7.0f, 1.0f},           // 7 dt reaches 1: straight to the target
        {0.6f, 1.0f, 0.5f, 1.0f},                  // and never overshoots
        {0.6f, 0.0f, 0.5f, 0.0f},                  // 3 dt above 1 is clamped too
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(smoothFlareVisibility(c.visibility, c.target, c.dt), c.expected, 1e-6f) << c.visibility << " " << c.dt;
    }
}

TEST(LensFlareElements, ASunAtTheCentreOrBlackGivesAZeroAxisAndABlackCoreNotNaN) {
    for (Vec2 sun : {Vec2(0.0f), Vec2(0.0005f, -0.0005f)}) {
        EXPECT_EQ(flareAxis(sun), Vec2(0.0f));
        const auto black = buildFlareElements(sun, Vec3(0.0f), 1.0f);
        for (const FlareElement& e : black) EXPECT_EQ(e.center, sun);
        EXPECT_EQ(black[1].color, Vec3(0.0f));
    }
}
