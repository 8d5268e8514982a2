// The play camera: pitch and distance within their limits, and a follow that
// closes the same share of the gap per second however it is stepped.
#include "game/OrbitCamera.h"

#include <gtest/gtest.h>

TEST(OrbitCamera, PitchAndDistanceStayWithinTheirLimitsWhileYawIsFree) {
    struct Case { float dx, dy, zoom, yaw, pitch, distance; };
    for (const Case c : {Case{5000, 1000, 100, 500, 10, 30}, Case{0, -1000, -100, 0, -80, 4},
                         Case{-10, 50, -2.5f, -1, -20, 9.5f}}) {
        OrbitCamera camera;
        camera.orbit(c.dx, c.dy);
        camera.zoom(c.zoom);
        EXPECT_EQ(Vec3(camera.yaw, camera.pitch, camera.distance), Vec3(c.yaw, c.pitch, c.distance)) << c.dy;
    }
}

TEST(OrbitCamera, FollowClosesTheSameShareOfTheGapEachSecondAtAnyStep) {
    for (const int steps : {1, 60, 144}) {  // one step of 1.0 all but lands it behind the target
        OrbitCamera camera;
        camera.yaw = 90.0f;  // the eye on the +x side, lifted by half the distance
        camera.pitch = -30.0f;
        camera.distance = 10.0f;
        camera.eye = {40.0f, 0.0f, 10.0f};
        const Vec3 target(1.0f, 2.0f, 3.0f), behind = target + Vec3(10.0f * std::cos(0.5235988f), 5.0f, 0.0f);
        const float gap = glm::distance(camera.eye, behind);
        for (int i = 0; i < steps; ++i) camera.follow(target, 1.0f / static_cast<float>(steps));
        EXPECT_EQ(camera.target, target);
        EXPECT_NEAR(glm::distance(camera.eye, behind), gap * std::exp(-camera.followRate), gap * 1e-4f) << steps;
    }
}
