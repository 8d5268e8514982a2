// Shadow pass, lit pass and the sun.
#include "render/BallRenderer.h"

#include "model/Shapes.h"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace {

const char* const kPhongUniformNames[] = {
    "uModel", "uView", "uProj", "uColor", "uSunPos", "uSunColor", "uAmbient", "uCamPos", "uUseTex",
    "uDiffuseTex", "uSpecularTex", "uUseSpecTex", "uNormalMap", "uUseNormalMap", "uLightSpace",
    "uShadowMap", "uShadowEnabled", "uPCFRadius", "uBelt", "uCracks", "uAlpha"};
const char* const kGroundUniformNames[] = {"uView", "uProj", "uSunPos", "uSunColor", "uAmbient"};

const Vec3 kSunDrawColor{1.0f, 0.95f, 0.55f};
const Vec3 kMissingMaterialColor{0.7f, 0.7f, 0.7f};
constexpr int kPcfRadius = 2;  // texels between the shadow taps
constexpr float kGhostAlpha = 0.45f;

void sendMat4(GLint location, const Mat4& value) {
    glUniformMatrix4fv(location, 1, GL_FALSE, glm::value_ptr(value));
}

void sendVec3(GLint location, Vec3 value) { glUniform3fv(location, 1, glm::value_ptr(value)); }

// The textured path sets no depth or blend state of its own.
void opaqueDepthState() {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDisable(GL_BLEND);
}

}  // namespace

Mat4 lightSpaceMatrix(Vec3 sunPos, Vec3 focus, float extent) {
    // A sun at the origin (a level whose sun sits straight overhead has sunk to
    // height 0 when its clock runs out) has no direction: light from above
    // rather than fill the matrix with NaN.
    const Vec3 d = glm::length(sunPos) > 1e-6f ? glm::normalize(sunPos) : Vec3(0.0f, 1.0f, 0.0f);
    const float dist = 2.0f * extent + 10.0f;
    const Vec3 eye = focus + d * dist;
    // Looking straight down the up vector would make lookAt degenerate.
    const Vec3 up = std::fabs(d.y) < 0.99f ? Vec3(0.0f, 1.0f, 0.0f) : Vec3(0.0f, 0.0f, 1.0f);
    const Mat4 view = glm::lookAt(eye, focus, up);
    const float half = extent * 1.2f;
    const Mat4 proj = glm::ortho(-half, half, -half, half, 0.1f, 2.0f * dist);
    return proj * view;
}

bool BallRenderer::init(int shadowSize, std::future<std::vector<ProceduralTexture::MipChain>> surfaceChains) {
    phongProgram = ShaderProgram("shaders/phong.vert", "shaders/phong.frag");
    shadowProgram = ShaderProgram("shaders/shadow.vert", "shaders/shadow.frag");
    groundProgram = ShaderProgram("shaders/ground.vert", "shaders/ground.frag");
    // Locations first: play goes on with whatever programs were built, and a
    // missing ground shader must not leave the lit program without its matrices.
    fetchUniformLocations();
    sent = SharedUniforms();
    const float quad[18] = {-80.0f, 0.0f, -80.0f, 80.0f, 0.0f, -80.0f, 80.0f, 0.0f, 80.0f,
                            -80.0f, 0.0f, -80.0f, 80.0f, 0.0f, 80.0f,  -80.0f, 0.0f, 80.0f};
    groundQuad = uploadStaticVertices(quad, 18, 3);
    const std::uint8_t white[3] = {255, 255, 255};
    whiteTexture = uploadOnePixelTexture(white);
    ballSphere.meshes.push_back(uploadMesh(buildSphereMesh(28, 28, 1.0f)));
    surfaces.generateAll(std::move(surfaceChains));
    setShadowMapSize(shadowSize);
    if (phongProgram.id() == 0) {
        std::cerr << "[BallRenderer] phong shader failed\n";
        return false;
    }
    if (shadowProgram.id() == 0) {
        std::cerr << "[BallRenderer] shadow shader failed\n";
        return false;
    }
    if (groundProgram.id() == 0) {
        std::cerr << "[BallRenderer] ground shader failed\n";
        return false;
    }
    return true;
}

void BallRenderer::fetchUniformLocations() {
    for (int i = 0; i < PhongUniformCount; ++i) phongUniforms[i] = phongProgram.location(kPhongUniformNames[i]);
    shadowLightSpaceLoc = shadowProgram.location("uLightSpace");
    shadowModelLoc = shadowProgram.location("uModel");
    for (int i = 0; i < GroundUniformCount; ++i) groundUniforms[i] = groundProgram.location(kGroundUniformNames[i]);
}

void BallRenderer::setShadowMapSize(int size) {
    size = std::max(size, 0);
    if (size == shadowMapSize && !shadowMapDue) return;
    shadowFramebuffer.reset();
    shadowDepth.reset();
    sent = SharedUniforms();
    shadowMapSize = size;
    shadowMapDue = true;
}

void BallRenderer::createShadowMap() {
    shadowMapDue = false;
    sent = SharedUniforms();
    if (shadowMapSize == 0) {
        std::cout << "[BallRenderer] Shadows off\n";
        return;
    }
    shadowDepth = makeGlTexture();
    glBindTexture(GL_TEXTURE_2D, shadowDepth.get());
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, shadowMapSize, shadowMapSize, 0, GL_DEPTH_COMPONENT,
                 GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_BORDER);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_BORDER);
    const float border[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, border);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
    glBindTexture(GL_TEXTURE_2D, 0);

    shadowFramebuffer = makeGlFramebuffer();
    glBindFramebuffer(GL_FRAMEBUFFER, shadowFramebuffer.get());
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, shadowDepth.get(), 0);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!complete) {
        std::cerr << "[BallRenderer] Shadow map FBO incomplete\n";
        // Drawing into it would raise an error every frame; without it the
        // scene is drawn lit and unshadowed.
        shadowFramebuffer.reset();
        shadowDepth.reset();
        return;
    }
    std::cout << "[BallRenderer] Shadow map " << shadowMapSize << "x" << shadowMapSize << " OK\n";
}

void BallRenderer::setObjectUniforms(const SceneView& view, const SceneLight& light, const Mat4& model, Vec3 color,
                                     const ObjectTextures& textures, bool normalMapping) {
    const bool useNormal = textures.normal != 0 && normalMapping && textures.diffuse != 0;
    const auto& u = phongUniforms;
    glUseProgram(phongProgram.id());
    sendSharedUniforms(view, light);
    sendMat4(u[UModel], model);
    sendVec3(u[UColor], color);
    glUniform1i(u[UUseTex], textures.diffuse != 0);
    glUniform1i(u[UUseSpecTex], textures.specular != 0);
    glUniform1i(u[UUseNormalMap], useNormal);

    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, textures.diffuse != 0 ? textures.diffuse : whiteTexture.get());
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, shadowDepth.get());
    glActiveTexture(GL_TEXTURE2);
    glBindTexture(GL_TEXTURE_2D, textures.specular);
    glActiveTexture(GL_TEXTURE3);
    glBindTexture(GL_TEXTURE_2D, useNormal ? textures.normal : 0);
}

void BallRenderer::sendSharedUniforms(const SceneView& view, const SceneLight& light) {
    const auto& u = phongUniforms;
    const bool fresh = !sent.valid;
    if (fresh || view.view != sent.view) {
        sendMat4(u[UView], view.view);
        sendVec3(u[UCamPos], Vec3(glm::inverse(view.view)[3]));
    }
    if (fresh || view.projection != sent.proj) sendMat4(u[UProj], view.projection);
    if (fresh || lightSpace != sent.lightSpace) sendMat4(u[ULightSpace], lightSpace);
    if (fresh || light.sunPos != sent.sunPos) sendVec3(u[USunPos], light.sunPos);
    if (fresh || light.sunColor != sent.sunColor) sendVec3(u[USunColor], light.sunColor);
    if (fresh || light.ambient != sent.ambient) sendVec3(u[UAmbient], light.ambient);
    // Without a shadow map there is nothing to compare against: light everything.
    const bool shadowOn = static_cast<bool>(shadowDepth);
    if (fresh || shadowOn != sent.shadowOn) glUniform1i(u[UShadowEnabled], shadowOn);
    if (fresh) {
        // Markings start off; the texture units and the shadow taps never change.
        glUniform4fv(u[UBelt], 1, glm::value_ptr(Vec4(0.0f)));
        glUniform1f(u[UCracks], 0.0f);
        glUniform1f(u[UAlpha], 1.0f);
        sentBelt = Vec4(0.0f);
        sentCracks = 0.0f;
        glUniform1i(u[UPCFRadius], kPcfRadius);
        glUniform1i(u[UDiffuseTex], 0);
        glUniform1i(u[UShadowMap], 1);
        glUniform1i(u[USpecularTex], 2);
        glUniform1i(u[UNormalMap], 3);
    }
    sent = {true, view.view, view.projection, lightSpace, light.sunPos, light.sunColor, light.ambient, shadowOn};
}

void BallRenderer::setMarkings(Vec4 belt, float cracks) {
    if (belt != sentBelt) glUniform4fv(phongUniforms[UBelt], 1, glm::value_ptr(belt));
    if (cracks != sentCracks) glUniform1f(phongUniforms[UCracks], cracks);
    sentBelt = belt;
    sentCracks = cracks;
}

void BallRenderer::renderShadowPass(const SceneDrawList& scene, const ModelLibrary& library) {
    lightSpace = lightSpaceMatrix(scene.light.sunPos, scene.shadowFocus, kShadowExtent);
    if (shadowMapDue) createShadowMap();
    // Without its framebuffer the pass would draw the light's view into the
    // window's depth buffer and hide the scene behind it.
    if (!shadowFramebuffer || shadowProgram.id() == 0) return;
    glViewport(0, 0, shadowMapSize, shadowMapSize);
    glBindFramebuffer(GL_FRAMEBUFFER, shadowFramebuffer.get());
    glClear(GL_DEPTH_BUFFER_BIT);
    // With depth testing off GL writes no depth at all, and the map stays empty.
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_CULL_FACE);
    shadowProgram.use();
    sendMat4(shadowLightSpaceLoc, lightSpace);
    for (const SceneItem& item : scene.items) {
        const GpuModel& model = models.get(library, item.model);
        sendMat4(shadowModelLoc, item.transform);
        for (const GpuMesh& mesh : model.meshes) drawMesh(mesh);
    }
    for (const SceneBall& ball : scene.balls) {
        sendMat4(shadowModelLoc, ball.transform);
        for (const GpuMesh& mesh : ballSphere.meshes) drawMesh(mesh);
    }
    glCullFace(GL_BACK);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void BallRenderer::drawGround(const SceneView& view, const SceneLight& light) {
    if (groundProgram.id() == 0 || !groundQuad.vao) return;
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    groundProgram.use();
    sendMat4(groundUniforms[GView], view.view);
    sendMat4(groundUniforms[GProj], view.projection);
    sendVec3(groundUniforms[GSunPos], light.sunPos);
    sendVec3(groundUniforms[GSunColor], light.sunColor);
    sendVec3(groundUniforms[GAmbient], light.ambient);
    glBindVertexArray(groundQuad.vao.get());
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glBindVertexArray(0);
    glDisable(GL_BLEND);
    glUseProgram(0);
}

void BallRenderer::drawItem(const SceneItem& item, const SceneView& view, const SceneLight& light,
                            const ModelLibrary& library, bool normalMapping) {
    if (phongProgram.id() == 0) return;
    const GpuModel& model = models.get(library, item.model);
    const GLuint albedo = surfaces.albedo(item.surface);
    if (albedo != 0) {
        // A surface material replaces the object's own colour; only the tint shows.
        const ObjectTextures textures{albedo, surfaces.specular(item.surface), surfaces.normalMap(item.surface)};
        setObjectUniforms(view, light, item.transform, item.tint, textures, normalMapping);
        setMarkings(item.belt, item.cracks);
        for (const GpuMesh& mesh : model.meshes) drawMesh(mesh);
        return;
    }
    for (const GpuMesh& mesh : model.meshes) {
        const GpuMaterial* material = model.material(mesh.materialName);
        Vec3 color = item.color;
        if (color.r < 0.0f) color = material ? material->diffuse : kMissingMaterialColor;
        const ObjectTextures textures{material ? material->diffuseMap : 0u, material ? material->specularMap : 0u, 0u};
        setObjectUniforms(view, light, item.transform, color, textures, normalMapping);
        setMarkings(item.belt, item.cracks);
        drawMesh(mesh);
    }
}

void BallRenderer::drawScene(const SceneDrawList& scene, const SceneView& view, const ModelLibrary& library,
                             const SceneOptions& options) {
    renderShadowPass(scene, library);
    glViewport(0, 0, view.width, view.height);
    if (scene.ground) drawGround(view, scene.light);
    opaqueDepthState();
    for (const SceneItem& item : scene.items) drawItem(item, view, scene.light, library, options.normalMapping);
    if (phongProgram.id() != 0) {
        for (const SceneBall& ball : scene.balls) {
            const ObjectTextures textures{0u, surfaces.ballSpecular(), 0u};
            setObjectUniforms(view, scene.light, ball.transform, ball.color, textures, false);
            setMarkings(Vec4(0.0f), 0.0f);
            for (const GpuMesh& mesh : ballSphere.meshes) drawMesh(mesh);
        }
        drawGhosts(scene, view);
    }
    glUseProgram(0);
}

void BallRenderer::drawGhosts(const SceneDrawList& scene, const SceneView& view) {
    if (scene.ghosts.empty()) return;
    // Seen through, over the scene, hiding nothing behind it.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    for (const SceneBall& ghost : scene.ghosts) {
        const ObjectTextures textures{0u, surfaces.ballSpecular(), 0u};
        setObjectUniforms(view, scene.light, ghost.transform, ghost.color, textures, false);
        setMarkings(Vec4(0.0f), 0.0f);
        glUniform1f(phongUniforms[UAlpha], kGhostAlpha);
        for (const GpuMesh& mesh : ballSphere.meshes) drawMesh(mesh);
    }
    glUniform1f(phongUniforms[UAlpha], 1.0f);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

void BallRenderer::drawSun(const SceneDrawList& scene, const SceneView& view, const ModelLibrary& library) {
    if (phongProgram.id() == 0) return;
    const GpuModel& model = models.get(library, scene.sunModel);
    const Mat4 matrix = glm::scale(glm::translate(Mat4(1.0f), scene.sunPosition), Vec3(2.0f));
    // The sun shines by itself: no sunlight on it, full ambient.
    SceneLight glow = scene.light;
    glow.sunColor = Vec3(0.0f);
    glow.ambient = Vec3(1.0f);
    opaqueDepthState();
    for (const GpuMesh& mesh : model.meshes) {
        setObjectUniforms(view, glow, matrix, kSunDrawColor, ObjectTextures{}, false);
        setMarkings(Vec4(0.0f), 0.0f);
        drawMesh(mesh);
    }
    glUseProgram(0);
}
