// What the 3D scene shows in one frame, as the caller built it from its own
// records: items (a model handle, a transform, colours and a surface), the
// balls, whether there is a ground, the sun's light and where its shadow map
// is centred. The renderer draws exactly this and never sees a level.
#pragma once

#include "base/Math.h"
#include "model/ModelLibrary.h"

#include <cstdint>
#include <vector>

struct SceneItem {
    ModelHandle model;
    Mat4 transform{1.0f};
    Vec3 color{1.0f};           // a negative red asks for the model's own material colours
    Vec3 tint{1.0f};            // multiplies the surface texture
    std::uint32_t surface = 0;  // procedural material (1 stone .. 6 ice); 0 for none
    // A conveyor's top shows chevrons running along its push: the direction
    // on the ground (x, z), the distance run so far (units), 1 for a belt.
    Vec4 belt{0.0f};
    float cracks = 0.0f;  // 0 sound .. 1 about to give way
};

struct SceneBall {
    Mat4 transform{1.0f};
    Vec3 color{0.9f, 0.3f, 0.2f};
};

struct SceneLight {
    Vec3 sunPos{40.0f, 80.0f, 30.0f};  // direction towards the sun, from the origin
    Vec3 sunColor{1.15f, 1.05f, 0.9f};
    Vec3 ambient{0.15f, 0.15f, 0.22f};
};

struct SceneDrawList {
    std::vector<SceneItem> items;
    std::vector<SceneBall> balls;
    std::vector<SceneBall> ghosts;  // drawn see-through, after everything else; they cast no shadow
    bool ground = false;
    SceneLight light;
    Vec3 shadowFocus{0.0f};  // the shadow map covers a square around it
    ModelHandle sunModel;
    Vec3 sunPosition{0.0f};
};

struct SceneView {
    Mat4 view{1.0f};
    Mat4 projection{1.0f};
    int width = 1;   // the window's framebuffer, pixels
    int height = 1;
};
