// Cost of a play frame's particle work on the CPU: a full pool updated, its
// instance records built, and a coin burst emitted into a busy ring.
#include "render/ParticleSystem.h"

#include <benchmark/benchmark.h>

namespace {

ParticleBurst sparks(int count) {
    ParticleBurst b;
    b.count = count;
    b.speed = 5.0f;
    b.startColor = {1.0f, 0.92f, 0.1f, 1.0f};
    b.endColor = {1.0f, 0.4f, 0.0f, 0.0f};
    b.startSize = 0.22f;
    b.lifetime = 1000.0f;  // nobody dies during the measurement
    b.drag = 0.86f;
    b.gravity = -5.0f;
    return b;
}

void BM_UpdateFullPool(benchmark::State& state) {
    ParticleSystem system;
    system.init(2048);
    system.emit(sparks(2048));
    for (auto _ : state) {
        system.update(1.0f / 60.0f);
        benchmark::DoNotOptimize(system.particles.data());
    }
    state.SetItemsProcessed(state.iterations() * 2048);
}
BENCHMARK(BM_UpdateFullPool);

void BM_BuildInstancesFullPool(benchmark::State& state) {
    ParticleSystem system;
    system.init(2048);
    system.emit(sparks(2048));
    for (auto _ : state) benchmark::DoNotOptimize(system.buildInstances());
    state.SetItemsProcessed(state.iterations() * 2048);
}
BENCHMARK(BM_BuildInstancesFullPool);

// The worst case of the ring: 48 free slots scattered behind 2000 live ones.
void BM_EmitCoinBurstIntoBusyPool(benchmark::State& state) {
    ParticleSystem system;
    system.init(2048);
    for (auto _ : state) {
        state.PauseTiming();
        system.init(2048);
        system.emit(sparks(2000));
        state.ResumeTiming();
        system.emit(sparks(48));
    }
}
BENCHMARK(BM_EmitCoinBurstIntoBusyPool);

}  // namespace
