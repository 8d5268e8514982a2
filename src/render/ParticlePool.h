// Short-lived sparks in a pool of `capacity` slots allocated once; bursts fill
// free slots in a ring from `nextSlot`, never replacing live ones, and each
// slot has its own gravity. Emitting, ageing and the per-frame instance records
// are plain CPU work; ParticleRenderer draws them.
#pragma once

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
    float gravity = -6.0f;                   // units/s^2, negative is down
};

// One sprite of the draw, as laid out in the instance buffer.
struct ParticleInstance {
    Vec3 position{0.0f};
    float size = 0.0f;
    Vec4 color{0.0f};
};
static_assert(sizeof(ParticleInstance) == 32, "the instance buffer holds 32-byte records");

class ParticlePool {
public:
    explicit ParticlePool(int capacity);  // a negative capacity is taken as 0

    // Spawns up to burst.count particles, stopping after one lap of the ring.
    void emit(const ParticleBurst& burst);
    // Ages, kills and moves every live particle by dt seconds.
    void update(float dt);
    // Kills every particle (a new attempt starts without last one's sparks).
    void clear();
    // The live particles as sprites, in slot order.
    const std::vector<ParticleInstance>& buildInstances();

    int capacity() const { return static_cast<int>(particles.size()); }
    int aliveCount() const { return alive; }
    const std::vector<Particle>& slots() const { return particles; }
    ParticleRandom random;

private:
    std::vector<Particle> particles;
    std::vector<ParticleInstance> instances;
    int alive = 0;
    int nextSlot = 0;
};

// The golden sparks of a taken coin.
ParticleBurst coinBurst(Vec3 position);
