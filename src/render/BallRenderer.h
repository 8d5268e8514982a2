// The 3D scene of a level: a depth pass from the sun into a 4096 x 4096 shadow
// map, then the lit pass (ground, scene objects, ball) and later the unlit sun.
// One sun (direction from the origin towards `sunPos`) plus ambient light.
// GL resources live from `init` to `destroy`, which runs while the context is
// still current.
#pragma once

#include "level/Level.h"
#include "render/Gl.h"
#include "base/Math.h"
#include "render/Mesh.h"
#include "render/ShaderProgram.h"

#include <array>
#include <string>
#include <vector>

// Drawn colour and texture tint of an object; crumble tiles redden as they give way.
struct ObjectShade {
    Vec3 color{1.0f};
    Vec3 tint{1.0f};
};
ObjectShade objectShade(const SceneObject& object);

// Where an object is drawn: its position plus bob (or moving-tile offset), the
// spin of a pickup, then its size.
Mat4 objectModelMatrix(const SceneObject& object);

// The sun's orthographic view of a square around `focus`, `extent` half-units wide.
Mat4 lightSpaceMatrix(Vec3 sunPos, Vec3 focus, float extent);

// Uniform locations before `init` fetches them: -1, which GL ignores.
template <std::size_t N>
std::array<GLint, N> filledLocations() {
    std::array<GLint, N> locations;
    locations.fill(-1);
    return locations;
}

class BallRenderer {
public:
    // Locations in the lit program, in this order.
    enum PhongUniform {
        UModel, UView, UProj, UColor, USunPos, USunColor, UAmbient, UCamPos, UUseTex,
        UDiffuseTex, USpecularTex, UUseSpecTex, UNormalMap, UUseNormalMap, ULightSpace,
        UShadowMap, UShadowEnabled, UPCFRadius, PhongUniformCount
    };
    enum GroundUniform { GView, GProj, GSunPos, GSunColor, GAmbient, GroundUniformCount };

    BallRenderer() = default;
    BallRenderer(const BallRenderer&) = delete;
    BallRenderer& operator=(const BallRenderer&) = delete;

    // Builds programs, shadow map, ground quad, white texture and the surface
    // textures. False at the first step that fails (with its message).
    bool init(int width, int height);
    void computeLightSpace(Vec3 focus, float extent);
    void renderShadowPass(std::vector<SceneObject>& objects, const Mat4& ballModel, Vec3 focus, float extent);
    void drawGround(const Mat4& view, const Mat4& proj);
    void drawSceneObjects(const Mat4& view, const Mat4& proj, std::vector<SceneObject>& objects);
    void drawBall(const Mat4& view, const Mat4& proj, const Mat4& model, Vec3 color, GLuint texture);
    void drawSun(const Mat4& view, const Mat4& proj, Vec3 position, const std::string& modelPath);
    // Frees every GL object of the renderer and of the model and texture caches.
    void destroy();

    void setObjectUniforms(const Mat4& view, const Mat4& proj, const Mat4& model, Vec3 color,
                           GLuint diffuseTex, GLuint specularTex, GLuint normalTex);
    void drawModelWithMaterials(const Mat4& view, const Mat4& proj, Model& model, const Mat4& matrix, Vec3 color);

    ShaderProgram phongProgram;
    std::array<GLint, PhongUniformCount> phongUniforms = filledLocations<PhongUniformCount>();
    ShaderProgram shadowProgram;
    GLuint shadowFbo = 0;
    GLuint shadowDepthTexture = 0;
    int shadowMapSize = 4096;
    Mat4 lightSpace{1.0f};
    bool shadowsEnabled = false;
    int pcfRadius = 2;
    GLint shadowLightSpaceLoc = -1;
    GLint shadowModelLoc = -1;
    // The lighting block, copied from the level before each frame's drawing.
    Vec3 sunPos{40.0f, 80.0f, 30.0f};
    Vec3 sunColor{1.15f, 1.05f, 0.9f};
    Vec3 ambient{0.15f, 0.15f, 0.22f};
    Vec3 sunPosBase{40.0f, 80.0f, 30.0f};
    GLuint whiteTexture = 0;
    bool normalMapping = true;
    ShaderProgram groundProgram;
    std::array<GLint, GroundUniformCount> groundUniforms = filledLocations<GroundUniformCount>();
    GLuint groundVao = 0;
    GLuint groundVbo = 0;

private:
    // What the lit program last received of the uniforms that stay the same
    // for a whole frame, so each object sends only its own.
    struct PhongSharedUniforms {
        bool valid = false;
        Mat4 view{1.0f};
        Mat4 proj{1.0f};
        Mat4 lightSpace{1.0f};
        Vec3 sunPos{0.0f};
        Vec3 sunColor{0.0f};
        Vec3 ambient{0.0f};
        bool shadowOn = false;
        int pcfRadius = 0;
    };

    void fetchUniformLocations();
    void sendSharedUniforms(const Mat4& view, const Mat4& proj);
    bool createShadowMap();
    void createGroundQuad();
    void createWhiteTexture();
    void drawMeshWithUniforms(const Mesh& mesh);
    Model& ballSphere();
    Model& shadowSphere();
    Model& sunSphere();

    Model ballSphereModel;
    Model shadowSphereModel;
    Model sunSphereModel;
    PhongSharedUniforms sentPhongUniforms;
};
