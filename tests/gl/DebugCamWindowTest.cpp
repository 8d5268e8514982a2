// The debug camera read from a real window: with no button or Shift held it
// neither looks nor flies at turbo speed, and it remembers the cursor.
#include "app/DebugCam.h"

#include "app/Input.h"
#include "config/Config.h"
#include "support/GlTest.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

class DebugCamWindow : public GlTest {};

TEST_F(DebugCamWindow, IdleMouseAndShiftFlyAtPlainSpeed) {
    const Config config;
    Input input;
    input.onKeyEvent(config.keyMoveForward, 1);
    input.update();
    DebugCam camera;
    const Vec3 start = camera.position;
    const float yaw = camera.yaw;
    camera.update(glTestWindow(), input, config, 0.5f);
    EXPECT_FALSE(camera.looking);
    EXPECT_EQ(camera.yaw, yaw);
    EXPECT_NEAR(glm::length(camera.position - start), camera.speed * 0.5f, 1e-4f);
    double x = -1.0;
    double y = -1.0;
    glfwGetCursorPos(glTestWindow(), &x, &y);
    EXPECT_EQ(camera.lastCursorX, x);
    EXPECT_EQ(camera.lastCursorY, y);
}
