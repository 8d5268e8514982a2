// Lens flare: sun projection, occlusion by depth read, eased visibility and
// the five additive sprites.
#include "render/LensFlare.h"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace {

// Scene depth may sit a hair in front of the sun's own depth through rounding;
// only something clearly nearer hides it.
constexpr float kDepthTolerance = 0.002f;
constexpr float kFadeInRate = 7.0f;   // per second
constexpr float kFadeOutRate = 3.0f;  // per second
constexpr float kMinVisibility = 0.005f;

constexpr float kSprite[12] = {-1, -1, 1, -1, 1, 1, -1, -1, 1, 1, -1, 1};

int pixelOf(float ndc, int size) {
    const int pixel = static_cast<int>((ndc * 0.5f + 0.5f) * static_cast<float>(size));
    return std::clamp(pixel, 0, std::max(size - 1, 0));
}

}  // namespace

SunOnScreen projectSun(const Mat4& view, const Mat4& projection, Vec3 sunPosition, int screenWidth,
                       int screenHeight) {
    SunOnScreen sun;
    const Vec4 clip = projection * view * Vec4(sunPosition, 1.0f);
    sun.inFront = clip.w > 0.0f;
    if (!sun.inFront) return sun;
    sun.ndc = Vec2(clip.x / clip.w, clip.y / clip.w);
    // A minimised window has no pixel to read.
    sun.onScreen = std::fabs(sun.ndc.x) <= 1.0f && std::fabs(sun.ndc.y) <= 1.0f && screenWidth > 0 &&
                   screenHeight > 0;
    sun.pixelX = pixelOf(sun.ndc.x, screenWidth);
    sun.pixelY = pixelOf(sun.ndc.y, screenHeight);
    sun.depth = (clip.z / clip.w) * 0.5f + 0.5f;
    return sun;
}

float flareTarget(const SunOnScreen& sun, float sceneDepth) {
    if (!sun.onScreen) return 0.0f;
    return sceneDepth + kDepthTolerance >= sun.depth ? 1.0f : 0.0f;
}

float smoothFlareVisibility(float visibility, float target, float dt) {
    const float rate = target > visibility ? dt * kFadeInRate : dt * kFadeOutRate;
    const float a = std::clamp(rate, 0.0f, 1.0f);
    return (1.0f - a) * visibility + a * target;
}

Vec2 flareAxis(Vec2 sunNdc) {
    const Vec2 axis = -sunNdc;
    return glm::length(axis) > 0.001f ? axis : Vec2(0.0f);
}

std::array<FlareElement, 5> buildFlareElements(Vec2 sunNdc, Vec3 sunColor, float visibility) {
    const Vec2 axis = flareAxis(sunNdc);
    const float colorLength = glm::length(sunColor);
    const Vec3 sunTint = colorLength > 0.0f ? sunColor / colorLength * 1.2f : Vec3(0.0f);
    const Vec3 warmWhite(1.0f, 0.98f, 0.92f);

    struct Row {
        float k;
        float radius;
        Vec3 color;
        float alpha;
        int shape;
    };
    const Row rows[5] = {
        {0.0f, 0.32f, warmWhite, 0.25f, 0},           // wide glow
        {0.0f, 0.08f, sunTint, 0.7f, 0},              // hot core in the sun's colour
        {0.0f, 0.25f, warmWhite, 0.4f, 2},            // star streaks and ring
        {0.4f, 0.06f, {0.6f, 0.7f, 1.0f}, 0.35f, 0},  // spots toward the centre
        {0.9f, 0.045f, {0.8f, 0.85f, 1.0f}, 0.25f, 0},
    };
    std::array<FlareElement, 5> elements;
    for (size_t i = 0; i < elements.size(); ++i) {
        elements[i].center = sunNdc + rows[i].k * axis;
        elements[i].radius = rows[i].radius;
        elements[i].color = rows[i].color;
        elements[i].alpha = visibility * rows[i].alpha;
        elements[i].shape = rows[i].shape;
    }
    return elements;
}

bool LensFlare::init() {
    if (!glLoaded()) return false;
    program = ShaderProgram("shaders/flare.vert", "shaders/flare.frag");
    if (program.id() == 0) {
        std::cerr << "[LensFlare] Shader load failed\n";
        return false;
    }
    centerLocation = program.location("uCenter");
    radiusLocation = program.location("uRadius");
    aspectLocation = program.location("uAspect");
    colorLocation = program.location("uColor");
    alphaLocation = program.location("uAlpha");
    shapeLocation = program.location("uShape");
    sprite = uploadStaticVertices(kSprite, sizeof(kSprite) / sizeof(float), 2);
    std::cout << "[LensFlare] Initialised\n";
    return true;
}

void LensFlare::draw(const Mat4& view, const Mat4& projection, Vec3 sunPosition, Vec3 sunColor, int screenWidth,
                     int screenHeight, float dt) {
    const SunOnScreen sun = projectSun(view, projection, sunPosition, screenWidth, screenHeight);
    float target = 0.0f;
    if (sun.onScreen) {
        float sceneDepth = 1.0f;
        glReadPixels(sun.pixelX, sun.pixelY, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &sceneDepth);
        target = flareTarget(sun, sceneDepth);
    }
    shown = smoothFlareVisibility(shown, target, dt);
    if (shown < kMinVisibility || !sun.inFront || screenWidth <= 0 || screenHeight <= 0) return;

    const float aspect = static_cast<float>(screenWidth) / static_cast<float>(screenHeight);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    program.use();
    glBindVertexArray(sprite.vao.get());
    for (const FlareElement& element : buildFlareElements(sun.ndc, sunColor, shown)) {
        glUniform2fv(centerLocation, 1, glm::value_ptr(element.center));
        glUniform1f(radiusLocation, element.radius);
        glUniform1f(aspectLocation, aspect);
        glUniform3fv(colorLocation, 1, glm::value_ptr(element.color));
        glUniform1f(alphaLocation, element.alpha);
        glUniform1i(shapeLocation, element.shape);
        glDrawArrays(GL_TRIANGLES, 0, 6);
    }
    glBindVertexArray(0);
    glUseProgram(0);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}
