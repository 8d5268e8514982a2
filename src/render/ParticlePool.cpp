// Particle pool simulation.
#include "render/ParticlePool.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kPi = 3.14159f;

// An upward or sideways unit direction: the 0.4 lifts every spark.
Vec3 sprayDirection(ParticleRandom& random) {
    const float theta = 2.0f * kPi * random.unit();
    const float phi = kPi * random.unit();
    const Vec3 d(std::cos(theta) * std::sin(phi), std::fabs(std::cos(phi)) + 0.4f, std::sin(theta) * std::sin(phi));
    return glm::normalize(d);
}

}  // namespace

ParticlePool::ParticlePool(int capacity)
    : particles(static_cast<std::size_t>(std::max(capacity, 0))) {
    instances.reserve(particles.size());
}

void ParticlePool::emit(const ParticleBurst& burst) {
    const int size = capacity();
    int spawned = 0;
    for (int probes = 0; spawned < burst.count && probes < size; ++probes) {
        const int slot = nextSlot % size;
        nextSlot = (slot + 1) % size;
        Particle& p = particles[static_cast<std::size_t>(slot)];
        if (p.alive) continue;

        // The draws happen in this order, so a seeded pool repeats a burst exactly.
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
        p.gravity = burst.gravity;
        ++alive;
        ++spawned;
    }
}

void ParticlePool::update(float dt) {
    if (alive == 0) return;  // most frames have no sparks: no need to walk the whole pool
    alive = 0;
    for (int i = 0; i < capacity(); ++i) {
        Particle& p = particles[static_cast<std::size_t>(i)];
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
        const float vy = p.velocity.y + p.gravity * dt;
        p.velocity = Vec3(f * p.velocity.x, f * vy, f * p.velocity.z);
        p.position += p.velocity * dt;
        ++alive;
    }
}

void ParticlePool::clear() {
    for (Particle& p : particles) p.alive = false;
    alive = 0;
}

const std::vector<ParticleInstance>& ParticlePool::buildInstances() {
    instances.clear();
    for (const Particle& p : particles) {
        if (static_cast<int>(instances.size()) >= alive) break;
        if (!p.alive) continue;
        const float t = p.life > 0.0f ? std::clamp(p.age / p.life, 0.0f, 1.0f) : 1.0f;
        ParticleInstance instance;
        instance.position = p.position;
        instance.size = t * p.endSize + (1.0f - t) * p.startSize;
        instance.color = (1.0f - t) * p.startColor + t * p.endColor;
        instances.push_back(instance);
    }
    return instances;
}

ParticleBurst coinBurst(Vec3 position) {
    ParticleBurst burst;
    burst.position = position;
    burst.count = 48;
    burst.speed = 5.0f;
    burst.startColor = Vec4(1.0f, 0.92f, 0.1f, 1.0f);
    burst.endColor = Vec4(1.0f, 0.4f, 0.0f, 0.0f);
    burst.startSize = 0.22f;
    burst.endSize = 0.0f;
    burst.lifetime = 0.85f;
    burst.drag = 0.86f;
    burst.gravity = -5.0f;
    return burst;
}
