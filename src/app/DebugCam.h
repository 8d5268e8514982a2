// The free-flying inspection camera, switched with the debug binding. While it
// is on, the ball, the physics and the level timer stand still. Angles in
// degrees (yaw 0 looks along +z, negative pitch looks down; pitch stays in
// -89..89), speed in units per second (1..200).
#pragma once

#include "base/Math.h"

struct Config;
struct GLFWwindow;
struct OrbitCamera;
class Input;

// What the debug camera reads from the mouse and the Shift keys in one frame.
struct DebugCamPointer {
    double cursorX = 0.0;
    double cursorY = 0.0;
    bool leftButtonDown = false;
    bool shiftDown = false;  // either Shift key
};

struct DebugCam {
    Vec3 position{0.0f, 10.0f, -20.0f};
    float yaw = 0.0f;
    float pitch = -20.0f;
    float fov = 75.0f;
    float aspect = 16.0f / 9.0f;
    float nearPlane = 0.1f;
    float farPlane = 1000.0f;
    float speed = 10.0f;
    float sensitivity = 0.15f;  // degrees per pixel
    double lastCursorX = 0.0;
    double lastCursorY = 0.0;
    bool looking = false;  // left button was down at the previous update

    Vec3 forward() const;
    Mat4 view() const;
    Mat4 projection() const;
    // Takes the orbit camera's eye and viewing direction; speed, sensitivity
    // and the cursor memory stay.
    void initFrom(const OrbitCamera& orbit);
    // Look with a left-button drag, the = and - keys for speed, Shift for
    // turbo x4, the movement bindings to fly and the camera bindings to rise
    // and sink.
    void update(const DebugCamPointer& pointer, const Input& input, const Config& config, float dt);
    // The same, reading the cursor, the left button and Shift from `window`.
    void update(GLFWwindow* window, const Input& input, const Config& config, float dt);
};

// Flips `debugCamActive` and announces it on the standard output. Switching on
// sets the aspect of the display (kept while it has no height) and starts from
// the orbit camera's view.
void toggleDebugCam(bool& debugCamActive, DebugCam& debugCam, const OrbitCamera& orbit,
                    int displayWidth, int displayHeight);
