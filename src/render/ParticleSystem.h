// Short-lived, camera-facing, additive sparks in a pool of `capacity` slots
// allocated once; bursts fill free slots in a ring from `nextSlot`, never
// replacing live ones, and each slot has its own gravity. Emit, update and the
// instance records need no GL; draw is one instanced call of a soft round sprite.
#pragma once

#include "render/Gl.h"
#include "base/Math.h"
#include "render/ParticleBurst.h"
#include "render/ParticleRandom.h"

#include <vector>

struct Particle {
    Vec3 position{0.0f};
    Vec3 velocity{0.0f};                     // units per second
    Vec4 startColor{1.0f, 1.0f, 0.0f, 1.0f};
    Vec4 endColor{1.0f, 0.3f, 0.0f, 0.0f};
    float startSize = 0.18f;                 // sprite edge, world units
    float endSize = 0.0f;
    float drag = 0.92f;                      // velocity factor per 1/60 s
    float life = 1.0f;                       // seconds
    float age = 0.0f;                        // seconds since birth
    bool alive = false;
};

// One sprite of the draw, as laid out in the instance buffer.
struct ParticleInstance {
    Vec3 position{0.0f};
    float size = 0.0f;
    Vec4 color{0.0f};
};
static_assert(sizeof(ParticleInstance) == 32, "the instance buffer holds 32-byte records");

class ParticleSystem {
public:
    // Allocates the pool (a negative capacity is taken as 0). With GL loaded it
    // also compiles the built-in shaders and creates the buffers, printing
    // "[ParticleSystem] Initialized, capacity=N"; false when the program did
    // not link or when there is no GL, and then draw shows nothing.
    bool init(int poolCapacity);
    // Spawns up to burst.count particles, stopping after one lap of the ring.
    void emit(const ParticleBurst& burst);
    // Ages, kills and moves every live particle by dt seconds.
    void update(float dt);
    // Fills `instances` for the live particles, in slot order; returns how many.
    int buildInstances();
    // cameraRight and cameraUp are the first two rows of the view's rotation.
    void draw(const Mat4& view, const Mat4& projection, Vec3 cameraRight, Vec3 cameraUp);
    // Deletes the program and buffers while the context is current; the pool stays.
    void release();

    std::vector<Particle> particles;
    int capacity = 0;
    int aliveCount = 0;
    int nextSlot = 0;
    std::vector<ParticleInstance> instances;
    GLuint vao = 0;
    GLuint quadVbo = 0;
    GLuint instanceVbo = 0;
    GLuint program = 0;
    GLint viewLocation = -1;
    GLint projLocation = -1;
    GLint camRightLocation = -1;
    GLint camUpLocation = -1;
    std::vector<float> gravity;  // per slot, units/s^2, negative is down
    ParticleRandom random;
};

// The particle shaders are part of the program, not files.
extern const char* const kParticleVertexSource;
extern const char* const kParticleFragmentSource;
