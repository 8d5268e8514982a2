// Shadow pass, lit pass and the sun.
#include "render/BallRenderer.h"

#include "render/GlObjects.h"
#include "render/MeshGpu.h"
#include "render/ModelCache.h"
#include "render/ProceduralTexture.h"
#include "render/Shapes.h"
#include "render/TextureCache.h"

#include <cmath>
#include <iostream>

namespace {

const char* const kPhongUniformNames[BallRenderer::PhongUniformCount] = {
    "uModel", "uView", "uProj", "uColor", "uSunPos", "uSunColor", "uAmbient", "uCamPos", "uUseTex",
    "uDiffuseTex", "uSpecularTex", "uUseSpecTex", "uNormalMap", "uUseNormalMap", "uLightSpace",
    "uShadowMap", "uShadowEnabled", "uPCFRadius"};
const char* const kGroundUniformNames[BallRenderer::GroundUniformCount] = {
    "uView", "uProj", "uSunPos", "uSunColor", "uAmbient"};

const Vec3 kCrumbleColor{0.9f, 0.15f, 0.1f};
const Vec3 kCrumbleTint{1.0f, 0.2f, 0.1f};
const Vec3 kSunDrawColor{1.0f, 0.95f, 0.55f};
const Vec3 kMissingMaterialColor{0.7f, 0.7f, 0.7f};
constexpr float kCrumbleDelay = 0.8f;

// Takes the program over from a temporary, which then deletes nothing.
ShaderProgram buildProgram(const char* vertexPath, const char* fragmentPath) {
    ShaderProgram temporary(vertexPath, fragmentPath);
    ShaderProgram owned;
    owned.id = temporary.takeId();
    return owned;
}

void sendMat4(GLint location, const Mat4& value) {
    glUniformMatrix4fv(location, 1, GL_FALSE, glm::value_ptr(value));
}

void sendVec3(GLint location, Vec3 value) { glUniform3fv(location, 1, glm::value_ptr(value)); }

const MtlMaterial* findMaterial(const Model& model, const std::string& name) {
    for (const MtlMaterial& material : model.materials) {
        if (material.name == name) return &material;
    }
    return nullptr;
}

}  // namespace

ObjectShade objectShade(const SceneObject& object) {
    ObjectShade shade;
    shade.color = object.color;
    if (object.tileType == TileType::Crumble && object.crumbleProgress > 0.0f) {
        const float k = object.crumbleProgress / kCrumbleDelay;
        shade.color = glm::mix(object.color, kCrumbleColor, 0.7f * k);
        shade.tint = glm::mix(Vec3(1.0f), kCrumbleTint, 0.6f * k);
    }
    return shade;
}

Mat4 objectModelMatrix(const SceneObject& object) {
    Vec3 offset(0.0f, object.bob, 0.0f);
    if (object.kind == ObjectKind::MovingTile) offset = object.moveOffset * object.moveAxis;
    Mat4 m = glm::translate(Mat4(1.0f), object.pos + offset);
    if (object.kind == ObjectKind::Coin || object.kind == ObjectKind::Powerup) {
        m = glm::rotate(m, glm::radians(object.anim), Vec3(0.0f, 1.0f, 0.0f));
    }
    return glm::scale(m, object.size);
}

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

bool BallRenderer::init(int, int) {
    phongProgram = buildProgram("shaders/phong.vert", "shaders/phong.frag");
    shadowProgram = buildProgram("shaders/shadow.vert", "shaders/shadow.frag");
    groundProgram = buildProgram("shaders/ground.vert", "shaders/ground.frag");
    // Locations first: play goes on with whatever programs were built, and a
    // missing ground shader must not leave the lit program without its matrices.
    fetchUniformLocations();
    sentPhongUniforms = PhongSharedUniforms();
    if (phongProgram.id == 0) {
        std::cerr << "[BallRenderer] phong shader failed\n";
        return false;
    }
    if (shadowProgram.id == 0) {
        std::cerr << "[BallRenderer] shadow shader failed\n";
        return false;
    }
    if (groundProgram.id == 0) {
        std::cerr << "[BallRenderer] ground shader failed\n";
        return false;
    }
    if (!createShadowMap()) return false;
    createGroundQuad();
    createWhiteTexture();
    ProceduralTexture::generateAll();
    return true;
}

void BallRenderer::fetchUniformLocations() {
    if (phongProgram.id != 0) {
        for (int i = 0; i < PhongUniformCount; ++i) {
            phongUniforms[i] = glGetUniformLocation(phongProgram.id, kPhongUniformNames[i]);
        }
    }
    if (shadowProgram.id != 0) {
        shadowLightSpaceLoc = glGetUniformLocation(shadowProgram.id, "uLightSpace");
        shadowModelLoc = glGetUniformLocation(shadowProgram.id, "uModel");
    }
    if (groundProgram.id != 0) {
        for (int i = 0; i < GroundUniformCount; ++i) {
            groundUniforms[i] = glGetUniformLocation(groundProgram.id, kGroundUniformNames[i]);
        }
    }
}

bool BallRenderer::createShadowMap() {
    glGenTextures(1, &shadowDepthTexture);
    glBindTexture(GL_TEXTURE_2D, shadowDepthTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, shadowMapSize, shadowMapSize, 0,
                 GL_DEPTH_COMPONENT, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_BORDER);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_BORDER);
    const float border[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, border);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
    glBindTexture(GL_TEXTURE_2D, 0);

    glGenFramebuffers(1, &shadowFbo);
    glBindFramebuffer(GL_FRAMEBUFFER, shadowFbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, shadowDepthTexture, 0);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!complete) {
        std::cerr << "[BallRenderer] Shadow map FBO incomplete\n";
        // Drawing into it would raise an error every frame; without it the
        // scene is drawn lit and unshadowed.
        glDeleteFramebuffers(1, &shadowFbo);
        glDeleteTextures(1, &shadowDepthTexture);
        shadowFbo = 0;
        shadowDepthTexture = 0;
        return false;
    }
    std::cout << "[BallRenderer] Shadow map " << shadowMapSize << "x" << shadowMapSize << " OK\n";
    return true;
}

void BallRenderer::createGroundQuad() {
    const float quad[18] = {-80.0f, 0.0f, -80.0f, 80.0f, 0.0f, -80.0f, 80.0f, 0.0f, 80.0f,
                            -80.0f, 0.0f, -80.0f, 80.0f, 0.0f, 80.0f,  -80.0f, 0.0f, 80.0f};
    uploadStaticVertices(groundVao, groundVbo, quad, 18, 3);
}

void BallRenderer::createWhiteTexture() {
    const std::uint8_t white[3] = {255, 255, 255};
    whiteTexture = uploadOnePixelTexture(white);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void BallRenderer::computeLightSpace(Vec3 focus, float extent) {
    lightSpace = lightSpaceMatrix(sunPos, focus, extent);
}

void BallRenderer::setObjectUniforms(const Mat4& view, const Mat4& proj, const Mat4& model, Vec3 color,
                                     GLuint diffuseTex, GLuint specularTex, GLuint normalTex) {
    const bool useNormal = normalTex != 0 && normalMapping && diffuseTex != 0;
    const auto& u = phongUniforms;
    glUseProgram(phongProgram.id);
    sendSharedUniforms(view, proj);
    sendMat4(u[UModel], model);
    sendVec3(u[UColor], color);
    glUniform1i(u[UUseTex], diffuseTex != 0);
    glUniform1i(u[UUseSpecTex], specularTex != 0);
    glUniform1i(u[UUseNormalMap], useNormal);

    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, diffuseTex != 0 ? diffuseTex : whiteTexture);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, shadowsEnabled ? shadowDepthTexture : 0);
    glActiveTexture(GL_TEXTURE2);
    glBindTexture(GL_TEXTURE_2D, specularTex);
    glActiveTexture(GL_TEXTURE3);
    glBindTexture(GL_TEXTURE_2D, useNormal ? normalTex : 0);
}

void BallRenderer::sendSharedUniforms(const Mat4& view, const Mat4& proj) {
    const auto& u = phongUniforms;
    PhongSharedUniforms& sent = sentPhongUniforms;
    const bool fresh = !sent.valid;
    if (fresh || view != sent.view) {
        sendMat4(u[UView], view);
        sendVec3(u[UCamPos], Vec3(glm::inverse(view)[3]));
        sent.view = view;
    }
    if (fresh || proj != sent.proj) sendMat4(u[UProj], proj);
    if (fresh || lightSpace != sent.lightSpace) sendMat4(u[ULightSpace], lightSpace);
    if (fresh || sunPos != sent.sunPos) sendVec3(u[USunPos], sunPos);
    if (fresh || sunColor != sent.sunColor) sendVec3(u[USunColor], sunColor);
    if (fresh || ambient != sent.ambient) sendVec3(u[UAmbient], ambient);
    // Without a shadow map there is nothing to compare against: light everything.
    const bool shadowOn = shadowsEnabled && shadowDepthTexture != 0;
    if (fresh || shadowOn != sent.shadowOn) glUniform1i(u[UShadowEnabled], shadowOn);
    if (fresh || pcfRadius != sent.pcfRadius) glUniform1i(u[UPCFRadius], pcfRadius);
    if (fresh) {
        // The texture units never change.
        glUniform1i(u[UDiffuseTex], 0);
        glUniform1i(u[UShadowMap], 1);
        glUniform1i(u[USpecularTex], 2);
        glUniform1i(u[UNormalMap], 3);
    }
    sent = {true, view, proj, lightSpace, sunPos, sunColor, ambient, shadowOn, pcfRadius};
}

void BallRenderer::renderShadowPass(std::vector<SceneObject>& objects, const Mat4& ballModel, Vec3 focus,
                                    float extent) {
    // Without its framebuffer the pass would draw the light's view into the
    // window's depth buffer and hide the scene behind it.
    if (!shadowsEnabled || shadowFbo == 0) return;
    computeLightSpace(focus, extent);
    glViewport(0, 0, shadowMapSize, shadowMapSize);
    glBindFramebuffer(GL_FRAMEBUFFER, shadowFbo);
    glClear(GL_DEPTH_BUFFER_BIT);
    // With depth testing off GL writes no depth at all, and the map stays empty.
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_CULL_FACE);
    glUseProgram(shadowProgram.id);
    sendMat4(shadowLightSpaceLoc, lightSpace);
    for (SceneObject& object : objects) {
        if (object.collected || object.crumbled) continue;
        Model& model = resolveModel(object);
        if (!model.loaded) continue;
        sendMat4(shadowModelLoc, objectModelMatrix(object));
        drawModel(model);
    }
    sendMat4(shadowModelLoc, ballModel);
    drawModel(shadowSphere());
    glCullFace(GL_BACK);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void BallRenderer::drawGround(const Mat4& view, const Mat4& proj) {
    if (groundProgram.id == 0 || groundVao == 0) return;
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glUseProgram(groundProgram.id);
    sendMat4(groundUniforms[GView], view);
    sendMat4(groundUniforms[GProj], proj);
    sendVec3(groundUniforms[GSunPos], sunPos);
    sendVec3(groundUniforms[GSunColor], sunColor);
    sendVec3(groundUniforms[GAmbient], ambient);
    glBindVertexArray(groundVao);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glBindVertexArray(0);
    glDisable(GL_BLEND);
    glUseProgram(0);
}

void BallRenderer::drawSceneObjects(const Mat4& view, const Mat4& proj, std::vector<SceneObject>& objects) {
    // The textured path sets no depth or blend state of its own.
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDisable(GL_BLEND);
    for (SceneObject& object : objects) {
        if (object.collected || object.crumbled) continue;
        Model& model = resolveModel(object);
        const auto material = static_cast<std::uint32_t>(object.material);
        const GLuint albedo = ProceduralTexture::albedoTexture(material);
        const GLuint specular = ProceduralTexture::specularTexture(material);
        const ObjectShade shade = objectShade(object);
        const Mat4 matrix = objectModelMatrix(object);
        if (albedo != 0) {
            if (phongProgram.id == 0) continue;
            // A surface material replaces the object's own colour; only the tint shows.
            setObjectUniforms(view, proj, matrix, shade.tint, albedo, specular, ProceduralTexture::normalMapTexture(material));
            drawModel(model);
            glUseProgram(0);
        } else {
            drawModelWithMaterials(view, proj, model, matrix, shade.color);
        }
    }
}

void BallRenderer::drawModelWithMaterials(const Mat4& view, const Mat4& proj, Model& model, const Mat4& matrix,
                                          Vec3 color) {
    if (phongProgram.id == 0 || !model.loaded) return;
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDisable(GL_BLEND);
    for (const Mesh& mesh : model.meshes) {
        const MtlMaterial* material = findMaterial(model, mesh.materialName);
        // A negative red asks for the model's own material colours.
        Vec3 meshColor = color;
        if (color.r < 0.0f) meshColor = material ? material->diffuse : kMissingMaterialColor;
        const GLuint diffuse = material ? material->mapKd : 0;
        const GLuint specular = material ? material->mapKs : 0;
        setObjectUniforms(view, proj, matrix, meshColor, diffuse, specular, 0);
        drawMeshWithUniforms(mesh);
    }
    glUseProgram(0);
}

void BallRenderer::drawMeshWithUniforms(const Mesh& mesh) {
    if (mesh.vao == 0) return;
    glBindVertexArray(mesh.vao);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indices.size()), GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}

void BallRenderer::drawBall(const Mat4& view, const Mat4& proj, const Mat4& model, Vec3 color, GLuint texture) {
    if (phongProgram.id == 0) return;
    Model& sphere = ballSphere();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDisable(GL_BLEND);
    setObjectUniforms(view, proj, model, color, texture, ProceduralTexture::ballSpecularTexture(), 0);
    drawModel(sphere);
    glUseProgram(0);
}

void BallRenderer::drawSun(const Mat4& view, const Mat4& proj, Vec3 position, const std::string& modelPath) {
    if (phongProgram.id == 0) return;
    Model* model = &sunSphere();
    if (!modelPath.empty()) {
        Model& cached = getCachedModel(modelPath);
        if (cached.loaded) model = &cached;
    }
    const Mat4 matrix = glm::scale(glm::translate(Mat4(1.0f), position), Vec3(2.0f));
    // The sun shines by itself: no sunlight on it, full ambient.
    const Vec3 savedSunPos = sunPos;
    const Vec3 savedSunColor = sunColor;
    const Vec3 savedAmbient = ambient;
    const Vec3 savedSunPosBase = sunPosBase;
    sunColor = Vec3(0.0f);
    ambient = Vec3(1.0f);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDisable(GL_BLEND);
    for (const Mesh& mesh : model->meshes) {
        setObjectUniforms(view, proj, matrix, kSunDrawColor, 0, 0, 0);
        drawMeshWithUniforms(mesh);
    }
    glUseProgram(0);
    sunPos = savedSunPos;
    sunColor = savedSunColor;
    ambient = savedAmbient;
    sunPosBase = savedSunPosBase;
}

Model& BallRenderer::ballSphere() {
    if (!ballSphereModel.loaded) ballSphereModel = makeSphere(28, 28, 1.0f);
    return ballSphereModel;
}

Model& BallRenderer::shadowSphere() {
    if (!shadowSphereModel.loaded) shadowSphereModel = makeSphere(28, 28, 1.0f);
    return shadowSphereModel;
}

Model& BallRenderer::sunSphere() {
    if (!sunSphereModel.loaded) sunSphereModel = makeSphere(20, 20, 1.0f);
    return sunSphereModel;
}

void BallRenderer::destroy() {
    if (!glLoaded()) return;
    glDeleteTextures(1, &whiteTexture);
    glDeleteTextures(1, &shadowDepthTexture);
    glDeleteFramebuffers(1, &shadowFbo);
    glDeleteBuffers(1, &groundVbo);
    glDeleteVertexArrays(1, &groundVao);
    whiteTexture = shadowDepthTexture = shadowFbo = groundVbo = groundVao = 0;
    ProceduralTexture::releaseAll();
    releaseModels();
    releaseTextures();
    ballSphereModel = Model();
    shadowSphereModel = Model();
    sunSphereModel = Model();
    phongProgram.release();
    sentPhongUniforms = PhongSharedUniforms();
    shadowProgram.release();
    groundProgram.release();
}
