// The free-flying inspection camera, switched with the debug binding. While it
// is on, the ball, the physics and the level timer stand still. Angles in
// degrees (yaw 0 looks along +z, negative pitch looks down; pitch stays in
// -89..89), speed in units per second (1..200).
#pragma once

#include "base/Math.h"

struct OrbitCamera;

// What the debug camera is asked to do in one frame.
struct DebugCamControls {
    double cursorX = 0.0;
    double cursorY = 0.0;
    bool lookButtonDown = false;  // the left mouse button
    bool turbo = false;           // either Shift key
    bool faster = false;          // the = key
    bool slower = false;          // the - key
    bool forward = false, back = false, left = false, right = false, up = false, down = false;
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
    bool looking = false;  // the look button was down at the previous update

    Vec3 forward() const;
    Mat4 view() const;
    Mat4 projection() const;
    // Takes the orbit camera's eye and viewing direction; speed, sensitivity
    // and the cursor memory stay.
    void initFrom(const OrbitCamera& orbit);
    // Look with a drag, change speed, turbo x4, fly and rise or sink.
    void update(const DebugCamControls& controls, float dt);
};

// Flips `active` and announces it on the standard output. Switching on sets
// the aspect of the display (kept while it has no height) and starts from the
// orbit camera's view.
void toggleDebugCam(bool& active, DebugCam& debugCam, const OrbitCamera& orbit, int displayWidth,
                    int displayHeight);
