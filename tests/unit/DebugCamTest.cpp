// The debug camera: switched on it shows what the orbit camera showed, and it
// looks with a drag only after the drag's first frame, never past straight up.
#include "game/DebugCam.h"

#include "game/OrbitCamera.h"
#include "support/ConsoleCapture.h"

#include <gtest/gtest.h>

TEST(DebugCam, StartsFromTheOrbitViewAndLooksWithADragAfterItsFirstFrame) {
    ConsoleCapture console;
    for (const Vec2 angles : {Vec2(0, -25), Vec2(180, -80), Vec2(-170, 10), Vec2(725, -45)}) {
        OrbitCamera orbit;
        orbit.yaw = angles.x;
        orbit.pitch = angles.y;
        orbit.follow({3.0f, 1.0f, -2.0f}, 1.0f);
        DebugCam camera;
        bool active = false;
        toggleDebugCam(active, camera, orbit, 800, 600);
        const Vec4 target = camera.view() * Vec4(orbit.target, 1.0f);  // the picture does not move
        EXPECT_TRUE(active && camera.position == orbit.eye && glm::length(Vec2(target)) < 1e-3f && target.z < 0.0f)
            << angles.x;
        toggleDebugCam(active, camera, orbit, 0, 0);
        toggleDebugCam(active, camera, orbit, 0, 0);
        EXPECT_FLOAT_EQ(camera.aspect, 800.0f / 600.0f);  // a minimised window keeps the aspect
    }
    DebugCam camera;
    DebugCamControls controls;
    controls.lookButtonDown = true;
    controls.cursorX = controls.cursorY = 100.0;
    camera.update(controls, 0.0f);
    EXPECT_EQ(Vec2(camera.yaw, camera.pitch), Vec2(0.0f, -20.0f));  // the drag's first frame only takes the cursor
    controls.cursorX = 120.0;
    controls.cursorY = 10000.0;
    camera.update(controls, 0.0f);
    EXPECT_EQ(Vec2(camera.yaw, camera.pitch), Vec2(-3.0f, -89.0f));
}
