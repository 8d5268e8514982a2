// Draws a particle pool's live sparks: one instanced draw of a soft round,
// camera-facing sprite, additively blended, hidden by the scene but not by
// each other. The shaders are part of the program, not files.
#pragma once

#include "render/GlHandles.h"
#include "render/ParticlePool.h"

class ParticleRenderer {
public:
    // Compiles the built-in shaders and makes buffers for `capacity` sprites,
    // printing "[ParticleSystem] Initialized, capacity=N"; false (and draw
    // shows nothing) when the program did not link or there is no GL.
    bool init(int capacity);
    // cameraRight and cameraUp are the first two rows of the view's rotation.
    void draw(ParticlePool& pool, const Mat4& view, const Mat4& projection, Vec3 cameraRight, Vec3 cameraUp);

private:
    GlProgram program;
    GlVertexArray vao;
    GlBuffer quadBuffer;
    GlBuffer instanceBuffer;
    int capacity = 0;
    GLint viewLocation = -1;
    GLint projLocation = -1;
    GLint camRightLocation = -1;
    GLint camUpLocation = -1;
};

extern const char* const kParticleVertexSource;
extern const char* const kParticleFragmentSource;
