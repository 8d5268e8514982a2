// CPU cost of the procedural textures: one benchmark per start-up texture and
// the whole start-up set, which the game generates before its first frame.
#include "render/Noise.h"
#include "render/ProceduralTexture.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace ProceduralTexture;

namespace {
std::string nameOf(TextureRequest request) {
    static const char* const kKinds[] = {"Albedo", "Specular", "NormalMap", "BallSpecular"};
    std::string name = std::string("Texture/") + kKinds[static_cast<int>(request.kind)];
    if (request.kind != TextureKind::BallSpecular) name += "/" + std::to_string(request.material);
    return name;
}

void textureBench(benchmark::State& state, TextureRequest request) {
    for (auto _ : state) benchmark::DoNotOptimize(buildPixels(request));
}

const bool kRegistered = [] {
    for (const TextureRequest& request : startupRequests()) {
        benchmark::RegisterBenchmark(nameOf(request).c_str(), textureBench, request)->Unit(benchmark::kMillisecond);
    }
    return true;
}();

void startupSetOneByOne(benchmark::State& state) {
    const std::vector<TextureRequest> requests = startupRequests();
    for (auto _ : state) {
        for (const TextureRequest& request : requests) benchmark::DoNotOptimize(buildPixels(request));
    }
}
BENCHMARK(startupSetOneByOne)->Name("StartupSet/OneByOne")->Unit(benchmark::kMillisecond);

// The game's start-up path: every core, measured by the clock.
void startupSetParallel(benchmark::State& state) {
    const std::vector<TextureRequest> requests = startupRequests();
    for (auto _ : state) benchmark::DoNotOptimize(buildAllPixels(requests, static_cast<unsigned>(state.range(0))));
}
BENCHMARK(startupSetParallel)
    ->Name("StartupSet/Threads")
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

void noiseBench(benchmark::State& state) {
    float x = 0.1f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(noise(x, 1.7f, 0.3f));
        x += 0.013f;
    }
}
BENCHMARK(noiseBench)->Name("Noise");
}  // namespace
