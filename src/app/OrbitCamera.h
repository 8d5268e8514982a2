// The play camera: it trails the ball from behind and above, orbits with a
// right-button drag and zooms on the camera bindings. Angles in degrees; at yaw
// 0 the eye sits on the +z side of the target, negative pitch puts it above.
// Pitch stays in -80..10 and distance in 4..30.
#pragma once

#include "base/Math.h"

struct Config;
class Input;

struct OrbitCamera {
    Vec3 eye{0.0f, 8.0f, -10.0f};
    Vec3 target{0.0f};
    Vec3 up{0.0f, 1.0f, 0.0f};
    float yaw = 0.0f;
    float pitch = -25.0f;
    float distance = 12.0f;
    float fov = 65.0f;
    float aspect = 16.0f / 9.0f;
    float nearPlane = 0.1f;
    float farPlane = 500.0f;
    float followRate = 6.0f;    // per second
    float sensitivity = 0.1f;   // degrees per pixel

    Vec3 forward() const;
    Vec3 right() const;
    Mat4 view() const;
    Mat4 projection() const;
    void orbit(float dx, float dy);
    void zoom(float delta);
    // Moves the target to `point` and the eye a share 1 - exp(-followRate * step)
    // of the way to its place behind the target; a step of 1.0 all but lands it.
    void follow(Vec3 point, float step);
};

// The play frame's memory of the mouse between frames.
struct OrbitDrag {
    double lastX = 0.0;
    double lastY = 0.0;
    bool rightWasDown = false;
};

// The flattened directions the ball control steers by.
struct MoveDirections {
    Vec3 forward{0.0f, 0.0f, -1.0f};
    Vec3 right{1.0f, 0.0f, 0.0f};
};

// Orbit drag and zoom of one play frame. Unless `debugCamActive`, a right-button
// drag turns the camera by the cursor motion since the previous frame (never on
// the first frame of a drag; `invertY` flips the vertical motion) and the
// camera bindings zoom by 5 units per second. The cursor is remembered in every
// case, so leaving the debug camera does not jump the view.
void updateOrbitControl(OrbitCamera& camera, OrbitDrag& drag, double cursorX, double cursorY,
                        bool rightButtonDown, const Input& input, const Config& config, float dt,
                        bool debugCamActive);

// The camera's forward and right with y removed, normalised when longer than 0.001.
MoveDirections cameraMoveDirections(const OrbitCamera& camera);

// width / height of the display, or `previous` while the window has no height
// (minimised), so the projection never divides by zero.
float displayAspect(int width, int height, float previous);
