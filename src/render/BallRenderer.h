// The 3D scene: a depth pass from the sun into a 4096 x 4096 shadow map, then
// the lit pass (ground, items, balls) and, later in the frame, the unlit sun.
// One sun (direction from the origin towards its position) plus ambient light.
// It draws a SceneDrawList and owns every GL object it needs: programs, the
// shadow map, the ground quad, the surface textures and the GPU copies of the
// library's models.
#pragma once

#include "render/GpuModels.h"
#include "render/SceneDrawList.h"
#include "render/ShaderProgram.h"
#include "render/SurfaceTextures.h"

#include <array>
#include <future>
#include <vector>

// The sun's orthographic view of a square around `focus`, `extent` half-units wide.
Mat4 lightSpaceMatrix(Vec3 sunPos, Vec3 focus, float extent);

// Half-size of the square the sun's shadow map covers around its focus.
constexpr float kShadowExtent = 14.0f;

struct SceneOptions {
    bool normalMapping = true;
};

class BallRenderer {
public:
    // Builds programs, ground quad and white texture, then uploads the surface
    // textures (from `surfaceChains` when they were built ahead). False at the
    // first step that fails (with its message); what was built still draws.
    // The shadow map of `shadowSize` texels square (0: no shadows) is made by
    // the first scene drawn: a software driver takes a tenth of a second to
    // clear 64 MB, which the menus, drawing no scene, should not wait for.
    bool init(int shadowSize = 4096, std::future<std::vector<ProceduralTexture::MipChain>> surfaceChains = {});
    // A shadow map of `size` texels square from the next scene on, or none for 0.
    void setShadowMapSize(int size);
    // Shadow pass, then ground, items and balls into the window's framebuffer.
    void drawScene(const SceneDrawList& scene, const SceneView& view, const ModelLibrary& library,
                   const SceneOptions& options);
    // The sun, unlit, at the list's sun position.
    void drawSun(const SceneDrawList& scene, const SceneView& view, const ModelLibrary& library);

    GLuint shadowMap() const { return shadowDepth.get(); }

private:
    enum PhongUniform {
        UModel, UView, UProj, UColor, USunPos, USunColor, UAmbient, UCamPos, UUseTex,
        UDiffuseTex, USpecularTex, UUseSpecTex, UNormalMap, UUseNormalMap, ULightSpace,
        UShadowMap, UShadowEnabled, UPCFRadius, UBelt, UCracks, UAlpha, PhongUniformCount
    };
    enum GroundUniform { GView, GProj, GSunPos, GSunColor, GAmbient, GroundUniformCount };

    // What the lit program last received of the uniforms that stay the same
    // for a whole frame, so each object sends only its own.
    struct SharedUniforms {
        bool valid = false;
        Mat4 view{1.0f};
        Mat4 proj{1.0f};
        Mat4 lightSpace{1.0f};
        Vec3 sunPos{0.0f};
        Vec3 sunColor{0.0f};
        Vec3 ambient{0.0f};
        bool shadowOn = false;
    };
    struct ObjectTextures {
        GLuint diffuse = 0;
        GLuint specular = 0;
        GLuint normal = 0;
    };

    void fetchUniformLocations();
    void createShadowMap();
    void renderShadowPass(const SceneDrawList& scene, const ModelLibrary& library);
    void drawGround(const SceneView& view, const SceneLight& light);
    void drawItem(const SceneItem& item, const SceneView& view, const SceneLight& light, const ModelLibrary& library,
                  bool normalMapping);
    void setObjectUniforms(const SceneView& view, const SceneLight& light, const Mat4& model, Vec3 color,
                           const ObjectTextures& textures, bool normalMapping);
    void setMarkings(Vec4 belt, float cracks);
    void drawGhosts(const SceneDrawList& scene, const SceneView& view);
    void sendSharedUniforms(const SceneView& view, const SceneLight& light);

    ShaderProgram phongProgram;
    ShaderProgram shadowProgram;
    ShaderProgram groundProgram;
    std::array<GLint, PhongUniformCount> phongUniforms{};
    std::array<GLint, GroundUniformCount> groundUniforms{};
    GLint shadowLightSpaceLoc = -1;
    GLint shadowModelLoc = -1;
    GlTexture shadowDepth;
    GlFramebuffer shadowFramebuffer;
    int shadowMapSize = 4096;
    bool shadowMapDue = true;  // made (or found impossible) at the next shadow pass
    Mat4 lightSpace{1.0f};
    StaticVertices groundQuad;
    GlTexture whiteTexture;
    SurfaceTextures surfaces;
    GpuModels models;
    GpuModel ballSphere;
    SharedUniforms sent;
    Vec4 sentBelt{0.0f};
    float sentCracks = 0.0f;
};
