// The particles' instanced, additive draw.
#include "render/ParticleRenderer.h"

#include <algorithm>
#include <cstddef>
#include <iostream>

const char* const kParticleVertexSource = R"(#version 330 core
layout(location = 0) in vec2 aCorner;
layout(location = 1) in vec3 iPos;
layout(location = 2) in float iSize;
layout(location = 3) in vec4 iColor;
uniform mat4 uView;
uniform mat4 uProj;
uniform vec3 uCamRight;
uniform vec3 uCamUp;
out vec4 vColor;
out vec2 vUV;
void main() {
    vec3 worldPos = iPos + uCamRight * aCorner.x * iSize + uCamUp * aCorner.y * iSize;
    gl_Position = uProj * uView * vec4(worldPos, 1.0);
    vColor = iColor;
    vUV = aCorner + vec2(0.5);
}
)";

const char* const kParticleFragmentSource = R"(#version 330 core
in vec4 vColor;
in vec2 vUV;
out vec4 FragColor;
void main() {
    float dist = length(vUV - vec2(0.5));
    if (dist > 0.5) discard;
    // Solid core out to 0.1, then a smooth fall to nothing at the rim.
    float alpha = smoothstep(0.0, 0.4, 0.5 - dist);
    FragColor = vec4(vColor.rgb, vColor.a * alpha);
}
)";

namespace {

constexpr int kLogSize = 512;

// Two triangles of a unit sprite centred on the particle.
constexpr float kCorners[12] = {-0.5f, -0.5f, 0.5f, -0.5f, 0.5f, 0.5f, -0.5f, -0.5f, 0.5f, 0.5f, -0.5f, 0.5f};

GlShader compileStage(GLenum stage, const char* source) {
    GlShader shader(glCreateShader(stage));
    glShaderSource(shader.get(), 1, &source, nullptr);
    glCompileShader(shader.get());
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader.get(), GL_COMPILE_STATUS, &compiled);
    if (!compiled) {
        char log[kLogSize] = {};
        glGetShaderInfoLog(shader.get(), kLogSize, nullptr, log);
        std::cerr << "[ParticleSystem] Shader compile error:\n" << log << "\n";
    }
    return shader;
}

// The linked program, or none (with the message) when linking failed.
GlProgram linkParticleProgram() {
    const GlShader vs = compileStage(GL_VERTEX_SHADER, kParticleVertexSource);
    const GlShader fs = compileStage(GL_FRAGMENT_SHADER, kParticleFragmentSource);
    GlProgram program(glCreateProgram());
    glAttachShader(program.get(), vs.get());
    glAttachShader(program.get(), fs.get());
    glLinkProgram(program.get());
    GLint linked = GL_FALSE;
    glGetProgramiv(program.get(), GL_LINK_STATUS, &linked);
    if (!linked) {
        char log[kLogSize] = {};
        glGetProgramInfoLog(program.get(), kLogSize, nullptr, log);
        std::cerr << "[ParticleSystem] Program link error:\n" << log << "\n";
        return GlProgram();
    }
    return program;
}

void instanceAttribute(GLuint index, GLint components, size_t offset) {
    glEnableVertexAttribArray(index);
    glVertexAttribPointer(index, components, GL_FLOAT, GL_FALSE, sizeof(ParticleInstance),
                          reinterpret_cast<const void*>(offset));
    glVertexAttribDivisor(index, 1);
}

}  // namespace

bool ParticleRenderer::init(int poolCapacity) {
    if (!glLoaded()) return false;
    program = linkParticleProgram();
    if (!program) return false;
    capacity = poolCapacity > 0 ? poolCapacity : 0;
    viewLocation = glGetUniformLocation(program.get(), "uView");
    projLocation = glGetUniformLocation(program.get(), "uProj");
    camRightLocation = glGetUniformLocation(program.get(), "uCamRight");
    camUpLocation = glGetUniformLocation(program.get(), "uCamUp");

    vao = makeGlVertexArray();
    glBindVertexArray(vao.get());
    quadBuffer = makeGlBuffer();
    glBindBuffer(GL_ARRAY_BUFFER, quadBuffer.get());
    glBufferData(GL_ARRAY_BUFFER, sizeof(kCorners), kCorners, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 2 * sizeof(float), nullptr);

    instanceBuffer = makeGlBuffer();
    glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer.get());
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(capacity) * sizeof(ParticleInstance), nullptr,
                 GL_STREAM_DRAW);
    instanceAttribute(1, 3, offsetof(ParticleInstance, position));
    instanceAttribute(2, 1, offsetof(ParticleInstance, size));
    instanceAttribute(3, 4, offsetof(ParticleInstance, color));
    glBindVertexArray(0);

    std::cout << "[ParticleSystem] Initialized, capacity=" << capacity << "\n";
    return true;
}

void ParticleRenderer::draw(ParticlePool& pool, const Mat4& view, const Mat4& projection, Vec3 cameraRight,
                            Vec3 cameraUp) {
    if (pool.aliveCount() == 0 || !program) return;
    const std::vector<ParticleInstance>& instances = pool.buildInstances();
    const auto count = static_cast<GLsizei>(std::min<std::size_t>(instances.size(), static_cast<std::size_t>(capacity)));

    // Orphan the buffer first so the driver need not wait for last frame's draw.
    glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer.get());
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(capacity) * sizeof(ParticleInstance), nullptr,
                 GL_STREAM_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(count) * sizeof(ParticleInstance), instances.data());

    // Sparks are hidden by the scene in front of them but do not hide each other.
    GLboolean depthWrites = GL_TRUE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);

    glUseProgram(program.get());
    glUniformMatrix4fv(viewLocation, 1, GL_FALSE, glm::value_ptr(view));
    glUniformMatrix4fv(projLocation, 1, GL_FALSE, glm::value_ptr(projection));
    glUniform3fv(camRightLocation, 1, glm::value_ptr(cameraRight));
    glUniform3fv(camUpLocation, 1, glm::value_ptr(cameraUp));

    glBindVertexArray(vao.get());
    glDrawArraysInstanced(GL_TRIANGLES, 0, 6, count);
    glBindVertexArray(0);

    // Leave blending as the other drawers expect it: off, with the usual function.
    glDepthMask(depthWrites);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_BLEND);
    glUseProgram(0);
}
