// Cost of a frame's particle work on the CPU: a full pool updated, its
// instance records built, and a coin burst emitted into a busy ring.
#include "render/ParticlePool.h"

#include <benchmark/benchmark.h>

namespace {

ParticleBurst sparks(int count) {
    ParticleBurst b = coinBurst(Vec3(0.0f));
    b.count = count;
    b.lifetime = 1000.0f;  // nobody dies during the measurement
    return b;
}

void BM_UpdateFullPool(benchmark::State& state) {
    ParticlePool pool(2048);
    pool.emit(sparks(2048));
    for (auto _ : state) {
        pool.update(1.0f / 60.0f);
        benchmark::DoNotOptimize(pool.slots().data());
    }
    state.SetItemsProcessed(state.iterations() * 2048);
}
BENCHMARK(BM_UpdateFullPool);

void BM_BuildInstancesFullPool(benchmark::State& state) {
    ParticlePool pool(2048);
    pool.emit(sparks(2048));
    for (auto _ : state) benchmark::DoNotOptimize(pool.buildInstances().data());
    state.SetItemsProcessed(state.iterations() * 2048);
}
BENCHMARK(BM_BuildInstancesFullPool);

// The worst case of the ring: 48 free slots scattered behind 2000 live ones.
void BM_EmitCoinBurstIntoBusyPool(benchmark::State& state) {
    ParticlePool pool(2048);
    for (auto _ : state) {
        state.PauseTiming();
        pool.clear();
        pool.emit(sparks(2000));
        state.ResumeTiming();
        pool.emit(sparks(48));
    }
}
BENCHMARK(BM_EmitCoinBurstIntoBusyPool);

}  // namespace
