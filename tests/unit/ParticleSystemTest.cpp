// The particle pool without GL: emission into the ring, ageing and death,
// drag and per-slot gravity, the instance records, and the seeded randomness.
#include "render/ParticleSystem.h"

#include "support/GlCallRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// The burst the game emits when a coin is picked up.
ParticleBurst coinBurst() {
    ParticleBurst b;
    b.position = {1.0f, 2.0f, 3.0f};
    b.count = 48;
    b.speed = 5.0f;
    b.startColor = {1.0f, 0.92f, 0.1f, 1.0f};
    b.endColor = {1.0f, 0.4f, 0.0f, 0.0f};
    b.startSize = 0.22f;
    b.endSize = 0.0f;
    b.lifetime = 0.85f;
    b.drag = 0.86f;
    b.gravity = -5.0f;
    return b;
}

ParticleSystem makeSystem(int capacity = 2048) {
    ParticleSystem system;
    system.init(capacity);
    return system;
}

int liveSlots(const ParticleSystem& system) {
    int n = 0;
    for (const Particle& p : system.particles) n += p.alive ? 1 : 0;
    return n;
}

}  // namespace

TEST(ParticleSystem, InitWithoutGlGivesAFreshPoolAndNoProgram) {
    ParticleSystem system;
    EXPECT_FALSE(system.init(16));
    ASSERT_EQ(system.particles.size(), 16u);
    ASSERT_EQ(system.gravity.size(), 16u);
    EXPECT_EQ(system.instances.size(), 16u);
    EXPECT_EQ(system.program, 0u);
    EXPECT_EQ(liveSlots(system), 0);
    EXPECT_FLOAT_EQ(system.gravity[15], -6.0f);
}

TEST(ParticleSystem, CoinBurstFillsSlots0To47AndIsGoneAfterItsLifetime) {
    ParticleSystem system = makeSystem();
    system.emit(coinBurst());
    EXPECT_EQ(system.aliveCount, 48);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(system.particles[i].alive, i < 48) << "slot " << i;
    EXPECT_EQ(system.nextSlot, 48);

    // The shortest possible life is 0.7 of 0.85 s: until then every spark lives.
    float elapsed = 0.0f;
    const float dt = 1.0f / 60.0f;
    while (elapsed + dt < 0.85f * 0.7f) {
        system.update(dt);
        elapsed += dt;
    }
    EXPECT_EQ(system.aliveCount, 48);
    while (elapsed <= 0.85f) {
        system.update(dt);
        elapsed += dt;
    }
    EXPECT_EQ(system.aliveCount, 0);
    EXPECT_EQ(liveSlots(system), 0);
}

TEST(ParticleSystem, NearlyFullPoolSpawnsOnlyWhatFitsAndReplacesNothing) {
    ParticleSystem system = makeSystem();
    ParticleBurst filler = coinBurst();
    filler.count = 2040;
    system.emit(filler);
    ASSERT_EQ(system.aliveCount, 2040);
    const Vec3 firstVelocity = system.particles[0].velocity;

    ParticleBurst burst = coinBurst();
    burst.position = {9.0f, 9.0f, 9.0f};
    system.emit(burst);
    EXPECT_EQ(system.aliveCount, 2048);
    EXPECT_EQ(liveSlots(system), 2048);
    for (int i = 2040; i < 2048; ++i) EXPECT_EQ(system.particles[i].position, burst.position) << "slot " << i;
    EXPECT_EQ(system.particles[0].velocity, firstVelocity);
    // One full lap of the ring ends where it began.
    EXPECT_EQ(system.nextSlot, 2040);

    system.emit(burst);
    EXPECT_EQ(system.aliveCount, 2048);
}

TEST(ParticleSystem, DiesWhenItsAgeEqualsItsLifeAndFreesItsSlotForTheNextBurst) {
    ParticleSystem system = makeSystem(8);
    ParticleBurst one = coinBurst();
    one.count = 3;
    system.emit(one);
    system.particles[1].life = 0.5f;
    system.particles[0].life = 10.0f;
    system.particles[2].life = 10.0f;
    system.update(0.25f);
    EXPECT_TRUE(system.particles[1].alive);
    system.update(0.25f);
    EXPECT_FALSE(system.particles[1].alive);
    EXPECT_EQ(system.aliveCount, 2);
    EXPECT_EQ(system.nextSlot, 1);
    one.count = 1;
    one.position = {5.0f, 5.0f, 5.0f};
    system.emit(one);
    EXPECT_EQ(system.particles[1].position, one.position);
}

TEST(ParticleSystem, HalfwayThroughItsLifeACoinSparkIsHalfSizeAndHalfwayInColour) {
    ParticleSystem system = makeSystem();
    system.emit(coinBurst());
    const Particle& spark = system.particles[0];
    const float startSize = spark.startSize;
    system.update(spark.life * 0.5f);
    ASSERT_TRUE(spark.alive);
    ASSERT_GE(system.buildInstances(), 1);
    const ParticleInstance& instance = system.instances[0];
    EXPECT_NEAR(instance.size, startSize * 0.5f, 1e-6f);
    EXPECT_GE(instance.size, 0.077f - 1e-6f);
    EXPECT_LE(instance.size, 0.11f + 1e-6f);
    EXPECT_NEAR(instance.color.r, 1.0f, 1e-5f);
    EXPECT_NEAR(instance.color.g, 0.66f, 1e-5f);
    EXPECT_NEAR(instance.color.b, 0.05f, 1e-5f);
    EXPECT_NEAR(instance.color.a, 0.5f, 1e-5f);
    EXPECT_EQ(instance.position, spark.position);
}

TEST(ParticleSystem, InstancesAreWrittenInSlotOrderForLiveSlotsOnly) {
    ParticleSystem system = makeSystem(8);
    ParticleBurst burst = coinBurst();
    burst.count = 4;
    system.emit(burst);
    system.particles[1].alive = false;
    system.aliveCount = 3;
    system.particles[3].position = {7.0f, 0.0f, 0.0f};
    ASSERT_EQ(system.buildInstances(), 3);
    EXPECT_EQ(system.instances[2].position, Vec3(7.0f, 0.0f, 0.0f));
}

TEST(ParticleSystem, DragIsTheSameAtAnyFrameRate) {
    struct Case {
        float dt;
        int steps;
    };
    const Case cases[] = {{1.0f / 60.0f, 30}, {1.0f / 120.0f, 60}, {0.05f, 10}};
    float reference = 0.0f;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dt);
        ParticleSystem system = makeSystem(1);
        ParticleBurst burst = coinBurst();
        burst.count = 1;
        burst.gravity = 0.0f;
        burst.lifetime = 100.0f;
        system.emit(burst);
        const float startSpeed = glm::length(system.particles[0].velocity);
        for (int i = 0; i < c.steps; ++i) system.update(c.dt);
        const float ratio = glm::length(system.particles[0].velocity) / startSpeed;
        // Half a second at 0.86 per 1/60 s.
        EXPECT_NEAR(ratio, std::pow(0.86f, 30.0f), 1e-5f);
        if (reference == 0.0f) reference = ratio;
        EXPECT_NEAR(ratio, reference, 1e-5f);
    }
}

TEST(ParticleSystem, EachSlotFallsWithItsOwnBurstsGravity) {
    ParticleSystem system = makeSystem(4);
    ParticleBurst down = coinBurst();
    down.count = 1;
    down.drag = 1.0f;
    down.gravity = -5.0f;
    down.lifetime = 10.0f;
    ParticleBurst up = down;
    up.gravity = 3.0f;
    system.emit(down);
    system.emit(up);
    const float vy0 = system.particles[0].velocity.y;
    const float vy1 = system.particles[1].velocity.y;
    const Vec3 p0 = system.particles[0].position;
    system.update(0.1f);
    EXPECT_NEAR(system.particles[0].velocity.y, vy0 - 0.5f, 1e-5f);
    EXPECT_NEAR(system.particles[1].velocity.y, vy1 + 0.3f, 1e-5f);
    // Position moves by the new velocity.
    EXPECT_NEAR(system.particles[0].position.y, p0.y + (vy0 - 0.5f) * 0.1f, 1e-5f);
}

TEST(ParticleSystem, SparksFlyUpOrSidewaysWithinTheirSpeedLifeAndSizeRanges) {
    ParticleSystem system = makeSystem();
    ParticleBurst burst = coinBurst();
    burst.count = 2048;
    system.emit(burst);
    float lowestLife = 1e9f;
    float highestLife = 0.0f;
    for (const Particle& p : system.particles) {
        const float speed = glm::length(p.velocity);
        ASSERT_GT(p.velocity.y, 0.0f);
        ASSERT_GE(speed, 0.4f * 5.0f - 1e-4f);
        ASSERT_LE(speed, 5.0f + 1e-4f);
        ASSERT_GE(p.life, 0.7f * 0.85f - 1e-6f);
        ASSERT_LE(p.life, 0.85f + 1e-6f);
        ASSERT_GE(p.startSize, 0.7f * 0.22f - 1e-6f);
        ASSERT_LE(p.startSize, 0.22f + 1e-6f);
        lowestLife = std::min(lowestLife, p.life);
        highestLife = std::max(highestLife, p.life);
    }
    // The random factor really varies over its range.
    EXPECT_LT(lowestLife, 0.62f);
    EXPECT_GT(highestLife, 0.83f);
}

TEST(ParticleSystem, SameSeedSameSparksAndAnotherSeedOthers) {
    ParticleSystem a = makeSystem(64);
    ParticleSystem b = makeSystem(64);
    ParticleSystem c = makeSystem(64);
    a.random.state = 1234;
    b.random.state = 1234;
    c.random.state = 99;
    a.emit(coinBurst());
    b.emit(coinBurst());
    c.emit(coinBurst());
    for (int i = 0; i < 48; ++i) {
        EXPECT_EQ(a.particles[i].velocity, b.particles[i].velocity);
        EXPECT_EQ(a.particles[i].life, b.particles[i].life);
    }
    EXPECT_NE(a.particles[0].velocity, c.particles[0].velocity);
}

TEST(ParticleRandom, DrawsCoverZeroTo32767) {
    ParticleRandom random;
    int lowest = 1 << 20;
    int highest = -1;
    for (int i = 0; i < 200000; ++i) {
        const int r = random.next();
        ASSERT_GE(r, 0);
        ASSERT_LE(r, kParticleRandomMax);
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_LT(lowest, 10);
    EXPECT_GT(highest, kParticleRandomMax - 10);
}

TEST(ParticleSystem, EmptyOrNegativePoolsTakeNoBurst) {
    for (int capacity : {0, -5}) {
        SCOPED_TRACE(capacity);
        ParticleSystem system = makeSystem(capacity);
        system.emit(coinBurst());
        system.update(0.1f);
        EXPECT_EQ(system.aliveCount, 0);
        EXPECT_TRUE(system.particles.empty());
    }
}

TEST(ParticleSystem, DrawWithNoLiveParticleMakesNoGlCall) {
    ParticleSystem system = makeSystem(64);
    system.program = 7;  // as if initialised, so only the empty pool can stop the draw
    GlCallRecorder gl;
    system.draw(Mat4(1.0f), Mat4(1.0f), {1, 0, 0}, {0, 1, 0});
    EXPECT_TRUE(gl.calls().empty());

    system.emit(coinBurst());
    system.update(1.0f);  // all expire
    system.draw(Mat4(1.0f), Mat4(1.0f), {1, 0, 0}, {0, 1, 0});
    EXPECT_TRUE(gl.calls().empty());
}

TEST(ParticleSystem, DrawIsOneInstancedCallAfterOrphaningTheBuffer) {
    ParticleSystem system = makeSystem(64);
    system.program = 7;
    system.instanceVbo = 3;
    system.emit(coinBurst());
    GlCallRecorder gl;
    system.draw(Mat4(1.0f), Mat4(1.0f), {1, 0, 0}, {0, 1, 0});
    EXPECT_EQ(gl.count("glDrawArraysInstanced"), 1);
    EXPECT_EQ(gl.count("glDrawArrays"), 0);
    const std::vector<std::string>& calls = gl.calls();
    const auto at = [&](const std::string& call) {
        return std::find(calls.begin(), calls.end(), call) - calls.begin();
    };
    const std::string orphan = "glBufferData(" + std::to_string(GL_ARRAY_BUFFER) + ", " + std::to_string(64 * 32) +
                               ", ptr, " + std::to_string(GL_STREAM_DRAW) + ")";
    const std::string upload = "glBufferSubData(" + std::to_string(GL_ARRAY_BUFFER) + ", 0, " +
                               std::to_string(48 * 32) + ", ptr)";
    const std::string drawCall = "glDrawArraysInstanced(" + std::to_string(GL_TRIANGLES) + ", 0, 6, 48)";
    ASSERT_LT(at(orphan), static_cast<long>(calls.size()));
    EXPECT_LT(at(orphan), at(upload));
    EXPECT_LT(at(upload), at(drawCall));
    EXPECT_LT(at(drawCall), static_cast<long>(calls.size()));
    // The additive blend is set for the draw and the usual one given back after it.
    const std::string additive = "glBlendFunc(" + std::to_string(GL_SRC_ALPHA) + ", " + std::to_string(GL_ONE) + ")";
    const std::string usual =
        "glBlendFunc(" + std::to_string(GL_SRC_ALPHA) + ", " + std::to_string(GL_ONE_MINUS_SRC_ALPHA) + ")";
    EXPECT_LT(at(additive), at(drawCall));
    EXPECT_GT(at(usual), at(drawCall));
    EXPECT_LT(at(usual), static_cast<long>(calls.size()));
}
