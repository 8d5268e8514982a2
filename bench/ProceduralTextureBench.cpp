// CPU cost of the procedural textures: one benchmark per start-up texture and
// the whole start-up set, which the game generates before its first frame.
#include "render/Gl.h"
#include "render/Noise.h"
#include "render/ProceduralTexture.h"
#include "render/SurfaceTextures.h"

#include <benchmark/benchmark.h>

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <iostream>
#include <sstream>
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

// A hidden window with a 3.3 core context for the upload half; null without a
// display (run under xvfb-run for these figures).
GLFWwindow* hiddenContext() {
    static GLFWwindow* window = [] () -> GLFWwindow* {
        if (!glfwInit()) return nullptr;
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
        GLFWwindow* created = glfwCreateWindow(64, 64, "pembrix bench", nullptr, nullptr);
        if (!created) return nullptr;
        glfwMakeContextCurrent(created);
        std::string missing;
        return loadGl(missing) ? created : nullptr;
    }();
    return window;
}

// What start-up really waits for: CPU buffers, uploads and mipmaps.
void generateAllBench(benchmark::State& state) {
    if (!hiddenContext()) {
        state.SkipWithError("no OpenGL context (no display?)");
        return;
    }
    // The "Generated" lines would bury the figures.
    std::ostringstream discarded;
    std::streambuf* console = std::cout.rdbuf(discarded.rdbuf());
    for (auto _ : state) {
        SurfaceTextures textures;  // its textures go with it
        textures.generateAll();
        glFinish();
        discarded.str("");
    }
    std::cout.rdbuf(console);
}
BENCHMARK(generateAllBench)->Name("GenerateAll/WithUploads")->UseRealTime()->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

void noiseBench(benchmark::State& state) {
    float x = 0.1f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(noise(x, 1.7f, 0.3f));
        x += 0.013f;
    }
}
BENCHMARK(noiseBench)->Name("Noise");
}  // namespace
