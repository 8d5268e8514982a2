// Particle pool simulation and its instanced, additive draw.
#include "render/ParticleSystem.h"

#include <algorithm>
#include <cmath>
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
constexpr float kPi = 3.14159f;

// Two triangles of a unit sprite centred on the particle.
constexpr float kCorners[12] = {-0.5f, -0.5f, 0.5f, -0.5f, 0.5f, 0.5f, -0.5f, -0.5f, 0.5f, 0.5f, -0.5f, 0.5f};

GLuint compileStage(GLenum stage, const char* source) {
    const GLuint shader = glCreateShader(stage);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (!compiled) {
        char log[kLogSize] = {};
        glGetShaderInfoLog(shader, kLogSize, nullptr, log);
        std::cerr << "[ParticleSystem] Shader compile error:\n" << log << "\n";
    }
    return shader;
}

// The linked program, or 0 (with the message) when linking failed.
GLuint linkParticleProgram() {
    const GLuint vs = compileStage(GL_VERTEX_SHADER, kParticleVertexSource);
    const GLuint fs = compileStage(GL_FRAGMENT_SHADER, kParticleFragmentSource);
    GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!linked) {
        char log[kLogSize] = {};
        glGetProgramInfoLog(program, kLogSize, nullptr, log);
        std::cerr << "[ParticleSystem] Program link error:\n" << log << "\n";
        glDeleteProgram(program);
        program = 0;
    }
    return program;
}

void instanceAttribute(GLuint index, GLint components, size_t offset) {
    glEnableVertexAttribArray(index);
    glVertexAttribPointer(index, components, GL_FLOAT, GL_FALSE, sizeof(ParticleInstance),
                          reinterpret_cast<const void*>(offset));
    glVertexAttribDivisor(index, 1);
}

// An upward or sideways unit direction: the 0.4 lifts every spark.
Vec3 sprayDirection(ParticleRandom& random) {
    const float theta = 2.0f * kPi * random.unit();
    const float phi = kPi * random.unit();
    const Vec3 d(std::cos(theta) * std::sin(phi), std::fabs(std::cos(phi)) + 0.4f, std::sin(theta) * std::sin(phi));
    return glm::normalize(d);
}

}  // namespace

bool ParticleSystem::init(int poolCapacity) {
    capacity = std::max(poolCapacity, 0);
    aliveCount = 0;
    nextSlot = 0;
    particles.assign(static_cast<size_t>(capacity), Particle{});
    gravity.assign(static_cast<size_t>(capacity), -6.0f);
    instances.assign(static_cast<size_t>(capacity), ParticleInstance{});
    if (!glLoaded()) return false;

    program = linkParticleProgram();
    if (program == 0) return false;
    viewLocation = glGetUniformLocation(program, "uView");
    projLocation = glGetUniformLocation(program, "uProj");
    camRightLocation = glGetUniformLocation(program, "uCamRight");
    camUpLocation = glGetUniformLocation(program, "uCamUp");

    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    glGenBuffers(1, &quadVbo);
    glBindBuffer(GL_ARRAY_BUFFER, quadVbo);
    glBufferData(GL_ARRAY_BUFFER, sizeof(kCorners), kCorners, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 2 * sizeof(float), nullptr);

    glGenBuffers(1, &instanceVbo);
    glBindBuffer(GL_ARRAY_BUFFER, instanceVbo);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(capacity) * sizeof(ParticleInstance), nullptr,
                 GL_STREAM_DRAW);
    instanceAttribute(1, 3, offsetof(ParticleInstance, position));
    instanceAttribute(2, 1, offsetof(ParticleInstance, size));
    instanceAttribute(3, 4, offsetof(ParticleInstance, color));
    glBindVertexArray(0);

    std::cout << "[ParticleSystem] Initialized, capacity=" << capacity << "\n";
    return true;
}

void ParticleSystem::emit(const ParticleBurst& burst) {
    int spawned = 0;
    for (int probes = 0; spawned < burst.count && probes < capacity; ++probes) {
        const int slot = nextSlot % capacity;
        nextSlot = (slot + 1) % capacity;
        Particle& p = particles[static_cast<size_t>(slot)];
        if (p.alive) continue;

        // The draws happen in this order, so a seeded system repeats a burst exactly.
        p.alive = true;
        p.age = 0.0f;
        p.life = burst.lifetime * (0.7f + 0.3f * random.unit());
        p.position = burst.position;
        const Vec3 direction = sprayDirection(random);
        p.velocity = direction * (0.4f + 0.6f * random.unit()) * burst.speed;
        p.startColor = burst.startColor;
        p.endColor = burst.endColor;
        p.startSize = burst.startSize * (0.7f + 0.3f * random.unit());
        p.endSize = burst.endSize;
        p.drag = burst.drag;
        gravity[static_cast<size_t>(slot)] = burst.gravity;
        ++aliveCount;
        ++spawned;
    }
}

void ParticleSystem::update(float dt) {
    if (aliveCount == 0) return;  // most frames have no sparks: no need to walk the whole pool
    aliveCount = 0;
    for (int i = 0; i < capacity; ++i) {
        Particle& p = particles[static_cast<size_t>(i)];
        if (!p.alive) continue;
        p.age += dt;
        if (p.age >= p.life) {
            p.alive = false;
            // The next burst starts where a slot just came free.
            nextSlot = i;
            continue;
        }
        // Drag is given per 1/60 s; raising it to dt * 60 keeps the slowing
        // the same at any frame rate.
        const float f = std::pow(p.drag, dt * 60.0f);
        const float vy = p.velocity.y + gravity[static_cast<size_t>(i)] * dt;
        p.velocity = Vec3(f * p.velocity.x, f * vy, f * p.velocity.z);
        p.position += p.velocity * dt;
        ++aliveCount;
    }
}

int ParticleSystem::buildInstances() {
    int written = 0;
    for (int i = 0; i < capacity && written < aliveCount; ++i) {
        const Particle& p = particles[static_cast<size_t>(i)];
        if (!p.alive) continue;
        const float t = p.life > 0.0f ? std::clamp(p.age / p.life, 0.0f, 1.0f) : 1.0f;
        ParticleInstance& instance = instances[static_cast<size_t>(written)];
        instance.position = p.position;
        instance.size = t * p.endSize + (1.0f - t) * p.startSize;
        instance.color = (1.0f - t) * p.startColor + t * p.endColor;
        ++written;
    }
    return written;
}

void ParticleSystem::draw(const Mat4& view, const Mat4& projection, Vec3 cameraRight, Vec3 cameraUp) {
    if (aliveCount == 0 || program == 0) return;
    const int count = buildInstances();

    // Orphan the buffer first so the driver need not wait for last frame's draw.
    glBindBuffer(GL_ARRAY_BUFFER, instanceVbo);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(capacity) * sizeof(ParticleInstance), nullptr,
                 GL_STREAM_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(count) * sizeof(ParticleInstance),
                    instances.data());

    // Sparks are hidden by the scene in front of them but do not hide each other.
    GLboolean depthWrites = GL_TRUE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);

    glUseProgram(program);
    glUniformMatrix4fv(viewLocation, 1, GL_FALSE, glm::value_ptr(view));
    glUniformMatrix4fv(projLocation, 1, GL_FALSE, glm::value_ptr(projection));
    glUniform3fv(camRightLocation, 1, glm::value_ptr(cameraRight));
    glUniform3fv(camUpLocation, 1, glm::value_ptr(cameraUp));

    glBindVertexArray(vao);
    glDrawArraysInstanced(GL_TRIANGLES, 0, 6, count);
    glBindVertexArray(0);

    glDepthMask(depthWrites);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glUseProgram(0);
}

void ParticleSystem::release() {
    if (glLoaded()) {
        if (program != 0) glDeleteProgram(program);
        glDeleteBuffers(1, &instanceVbo);
        glDeleteBuffers(1, &quadVbo);
        glDeleteVertexArrays(1, &vao);
    }
    program = 0;
    instanceVbo = 0;
    quadVbo = 0;
    vao = 0;
}
