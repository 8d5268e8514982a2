// Sun glare and flare spots over a play frame. The frame's depth at the sun's
// pixel says whether the scene hides it; the visibility (0..1) eases toward that
// at a rate of 7 per second in and 3 out. Five additive sprites lie on the line
// from the sun (k = 0) through the screen centre (k = 1), in NDC.
#pragma once

#include "base/Math.h"
#include "render/ShaderProgram.h"

#include <array>

// Where the sun lands on the screen this frame.
struct SunOnScreen {
    bool inFront = false;    // clip w above 0: not behind the camera
    bool onScreen = false;   // in front and inside the NDC square (edges included)
    Vec2 ndc{0.0f};          // valid when inFront
    int pixelX = 0;          // the pixel whose depth is read, clamped to the screen
    int pixelY = 0;          // counted from the bottom, as GL reads
    float depth = 0.0f;      // the sun's window depth, 0..1
};

SunOnScreen projectSun(const Mat4& view, const Mat4& projection, Vec3 sunPosition, int screenWidth,
                       int screenHeight);

// 1 when nothing nearer than the sun was drawn at its pixel (with a small
// tolerance), else 0; always 0 for a sun off screen or behind the camera.
float flareTarget(const SunOnScreen& sun, float sceneDepth);

// The visibility one frame of dt later.
float smoothFlareVisibility(float visibility, float target, float dt);

// The vector from the sun to the screen centre,
// or (0, 0) when the sun sits on the centre.
Vec2 flareAxis(Vec2 sunNdc);

struct FlareElement {
    Vec2 center{0.0f};   // NDC
    float radius = 0.0f; // NDC, half the sprite's height
    Vec3 color{0.0f};
    float alpha = 0.0f;  // already scaled by the visibility
    int shape = 0;       // 0 soft glow, 2 star with a ring
};

// The five sprites in drawing order; the second is tinted with the sun's
// colour brought to length 1.2 (black for a black sun).
std::array<FlareElement, 5> buildFlareElements(Vec2 sunNdc, Vec3 sunColor, float visibility);

class LensFlare {
public:
    // Loads shaders/flare.vert and shaders/flare.frag and makes the sprite
    // quad; false (with "[LensFlare] Shader load failed") without a program,
    // and false without a word when GL is not loaded.
    bool init();
    // Reads the depth at the sun's pixel every call, so a hidden sun can come
    // back; eases the visibility by `dt` seconds and draws nothing once it is
    // below 0.005. Leaves blending off and depth testing on.
    void draw(const Mat4& view, const Mat4& projection, Vec3 sunPosition, Vec3 sunColor, int screenWidth,
              int screenHeight, float dt);
    float visibility() const { return shown; }

private:
    ShaderProgram program;
    StaticVertices sprite;
    GLint centerLocation = -1;
    GLint radiusLocation = -1;
    GLint aspectLocation = -1;
    GLint colorLocation = -1;
    GLint alphaLocation = -1;
    GLint shapeLocation = -1;
    float shown = 0.0f;
};
