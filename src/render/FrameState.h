// The GL state every frame starts from, so code above the renderer never calls
// GL itself: the window's framebuffer, the viewport, the clear colour, and the
// wireframe and back-face switches.
#pragma once

#include "base/Math.h"

#include <string>

// Once after the context is made current: multisampling on.
void prepareContext();
// The driver's version string ("OpenGL " is printed before it at start-up).
std::string glVersionText();

struct FrameSetup {
    int width = 1;   // framebuffer pixels
    int height = 1;
    Vec3 clearColor{0.0f};
    bool wireframe = false;
    bool cullBackFaces = true;
};

// Polygon mode and culling, the window's framebuffer and viewport, then a
// clear of colour and depth.
void beginFrame(const FrameSetup& setup);
// Overlays are never drawn as lines.
void fillPolygons();
void setViewport(int width, int height);
