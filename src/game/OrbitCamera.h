// The play camera: it trails the ball from behind and above, orbits when the
// player drags it and zooms. Angles in degrees; at yaw 0 the eye sits on the +z
// side of the target, negative pitch puts it above. Pitch stays in -80..10 and
// distance in 4..30.
#pragma once

#include "base/Math.h"
#include "game/BallControl.h"

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
    // How much the trailing eye swings the view as the ball moves across it:
    // 1 trails the ball with lag (the view turns towards where it goes), 0 keeps
    // the eye locked behind the target, so only a drag turns the camera.
    float swing = 1.0f;

    Vec3 forward() const;
    Vec3 right() const;
    Mat4 view() const;
    Mat4 projection() const;
    void orbit(float dx, float dy);
    void zoom(float delta);
    // Moves the target to `point` and the eye a share 1 - exp(-followRate * step)
    // of the way to its place behind the target (all of the way with a swing
    // of 0); a step of 1.0 all but lands it.
    void follow(Vec3 point, float step);
};

// The camera's forward and right with y removed, normalised when longer than 0.001.
MoveDirections cameraMoveDirections(const OrbitCamera& camera);

// width / height of the display, or `previous` while the window has no height
// (minimised), so the projection never divides by zero.
float displayAspect(int width, int height, float previous);
