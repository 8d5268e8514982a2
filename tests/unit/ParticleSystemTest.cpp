// The particle pool without GL: emission into the ring, ageing and death, drag
// and per-slot gravity, the instance records and the seeded randomness.
#include "render/ParticleSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The burst the game emits when a coin is picked up.
ParticleBurst coinBurst(int count = 48) {
    return {{1.0f, 2.0f, 3.0f}, count, 5.0f, {1.0f, 0.92f, 0.1f, 1.0f}, {1.0f, 0.4f, 0.0f, 0.0f}, 0.22f, 0.0f,
            0.85f, 0.86f, -5.0f};
}

ParticleSystem makeSystem(int capacity) {
    ParticleSystem system;
    system.init(capacity);
    return system;
}

}  // namespace

TEST(ParticleSystem, AFullPoolSpawnsOnlyWhatFitsAndAnEmptyOneNothing) {
    ParticleSystem system = makeSystem(2048);
    system.emit(coinBurst(2040));
    const Vec3 firstVelocity = system.particles[0].velocity;
    ParticleBurst burst = coinBurst();
    burst.position = {9.0f, 9.0f, 9.0f};
    for (int i = 0; i < 2; ++i) system.emit(burst);
    EXPECT_EQ(system.aliveCount, 2048);
    for (int i = 2040; i < 2048; ++i) EXPECT_EQ(system.particles[i].position, burst.position) << "slot " << i;
    EXPECT_EQ(system.particles[0].velocity, firstVelocity) << "a live spark was replaced";
    EXPECT_EQ(system.nextSlot, 2040);  // one lap of the ring and no further
    for (int capacity : {0, -5}) {
        ParticleSystem none = makeSystem(capacity);
        none.emit(coinBurst());
        none.update(0.1f);
        EXPECT_TRUE(none.aliveCount == 0 && none.particles.empty()) << capacity;
    }
}

TEST(ParticleSystem, AtHalfItsLifeASparkIsHalfwayAndWhenItsAgeEqualsItsLifeItsSlotIsFree) {
    ParticleSystem system = makeSystem(8);
    system.emit(coinBurst(3));
    system.particles[0].alive = false;  // instances cover live slots only, in slot order
    system.aliveCount = 2;
    system.particles[1].life = 0.5f;
    system.particles[2].life = 10.0f;
    const Particle& spark = system.particles[1];
    system.update(0.25f);
    ASSERT_EQ(system.buildInstances(), 2);
    const ParticleInstance& instance = system.instances[0];
    EXPECT_EQ(instance.position, spark.position);
    EXPECT_NEAR(instance.size, spark.startSize * 0.5f, 1e-6f);
    EXPECT_LT(glm::length(instance.color - Vec4(1.0f, 0.66f, 0.05f, 0.5f)), 1e-5f);
    system.update(0.25f);
    EXPECT_TRUE(!spark.alive && system.aliveCount == 1);
    ParticleBurst one = coinBurst(1);
    one.position = {5.0f, 5.0f, 5.0f};
    system.emit(one);
    EXPECT_EQ(spark.position, one.position) << "the next burst does not start at the slot that came free";
}

TEST(ParticleSystem, DragIsTheSameAtAnyFrameRateAndGravityIsPerSlot) {
    for (const auto& [dt, steps] : {std::pair{1.0f / 60.0f, 30}, std::pair{1.0f / 120.0f, 60}, std::pair{0.05f, 10}}) {
        ParticleSystem system = makeSystem(3);
        ParticleBurst burst = coinBurst(1);
        burst.lifetime = 100.0f;
        for (auto [drag, gravity] : {std::pair{0.86f, 0.0f}, std::pair{1.0f, 3.0f}, std::pair{1.0f, -5.0f}}) {
            burst.drag = drag;
            burst.gravity = gravity;
            system.emit(burst);
        }
        const std::vector<Particle> start = system.particles;
        for (int i = 0; i < steps; ++i) system.update(dt);
        const std::vector<Particle>& p = system.particles;
        EXPECT_NEAR(glm::length(p[0].velocity) / glm::length(start[0].velocity), std::pow(0.86f, 30.0f), 1e-5f) << dt;
        EXPECT_NEAR(p[1].velocity.y, start[1].velocity.y + 1.5f, 1e-4f) << dt;
        // Each step moves by the velocity after that step's gravity.
        const float n = static_cast<float>(steps);
        EXPECT_NEAR(p[2].position.y, start[2].position.y + 0.5f * start[2].velocity.y - 5.0f * dt * dt * n * (n + 1) / 2,
                    1e-4f) << dt;
    }
}

TEST(ParticleSystem, SparksFlyUpOrSidewaysWithinTheirRangesAndTheSeedDecidesWhich) {
    ParticleSystem system = makeSystem(2048), same = makeSystem(2048);
    system.random.state = same.random.state = 1234;
    system.emit(coinBurst(2048));
    same.emit(coinBurst(2048));
    float lowestLife = 1e9f, highestLife = 0.0f;
    for (const Particle& p : system.particles) {
        const float speed = glm::length(p.velocity);
        ASSERT_TRUE(p.velocity.y > 0.0f && speed >= 2.0f - 1e-4f && speed <= 5.0f + 1e-4f) << p.velocity.y << " " << speed;
        ASSERT_TRUE(p.life >= 0.595f - 1e-6f && p.life <= 0.85f + 1e-6f) << p.life;
        ASSERT_TRUE(p.startSize >= 0.154f - 1e-6f && p.startSize <= 0.22f + 1e-6f) << p.startSize;
        lowestLife = std::min(lowestLife, p.life);
        highestLife = std::max(highestLife, p.life);
    }
    EXPECT_TRUE(lowestLife < 0.62f && highestLife > 0.83f) << "the random factor does not span its range";
    EXPECT_TRUE(system.particles[7].velocity == same.particles[7].velocity && system.particles[7].life == same.particles[7].life);
    ParticleSystem other = makeSystem(64);
    other.random.state = 99;
    other.emit(coinBurst());
    EXPECT_NE(system.particles[0].velocity, other.particles[0].velocity);
}
