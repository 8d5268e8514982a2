// Frame time of the 3D scene as the game draws it: a 1280 x 720 window with the
// game's hints (OpenGL 3.3 core, 4x multisampling, no vertical sync), the real
// scene renderer drawing a level exactly as a play frame does (shadow pass,
// ground, objects, ball, sun) and swapping buffers. For each level it prints
// the median and 95th percentile of whole frames, then, in a second run fenced
// with glFinish after each pass, how the time splits between the shadow pass,
// the lit pass, the overlays of a play frame (the HUD and the sun's glare) and
// the swap (which resolves the multisampled buffer).
//
// Usage: pembrix_frame_bench [--frames N] [--warmup N] [--png FOLDER] [LEVEL...]
// LEVEL is "plains" for the built-in level or a level file; by default The
// Plains and levels/level1..3.plvl, read relative to the working directory
// (run it from the source folder, which holds shaders/, levels/ and models/).
#include "app/Ball.h"
#include "app/GameProgress.h"
#include "app/OrbitCamera.h"
#include "app/PlayScreens.h"
#include "app/SceneFrame.h"
#include "level/BuiltinLevel.h"
#include "level/LevelHandler.h"
#include "render/BallRenderer.h"
#include "render/Gl.h"
#include "render/LensFlare.h"
#include "ui/TextRenderer.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <stb_image_write.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr float kDt = 1.0f / 60.0f;

using Clock = std::chrono::steady_clock;

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// CPU time of every thread of the process (the rasteriser's included), in ms:
// the work a frame costs, which stays put when other programs share the cores.
double processCpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

struct Options {
    int frames = 300;
    int warmup = 30;
    std::string pngFolder;
    std::vector<std::string> levels;
};

Options parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--frames" && i + 1 < argc) {
            options.frames = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--warmup" && i + 1 < argc) {
            options.warmup = std::max(0, std::atoi(argv[++i]));
        } else if (arg == "--png" && i + 1 < argc) {
            options.pngFolder = argv[++i];
        } else {
            options.levels.push_back(arg);
        }
    }
    if (options.levels.empty()) {
        options.levels = {"plains", "levels/level1.plvl", "levels/level2.plvl", "levels/level3.plvl"};
    }
    return options;
}

GLFWwindow* openGameWindow() {
    if (!glfwInit()) return nullptr;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_SAMPLES, 4);
    GLFWwindow* window = glfwCreateWindow(kWidth, kHeight, "Pembrix frame bench", nullptr, nullptr);
    if (!window) return nullptr;
    glfwMakeContextCurrent(window);
    glfwSwapInterval(0);
    std::string missing;
    if (!loadGl(missing)) {
        std::cerr << "GL entry points missing: " << missing << "\n";
        return nullptr;
    }
    glEnable(GL_MULTISAMPLE);
    return window;
}

// The ball resting on the highest tile top under the level's start, as after
// the first physics steps of a level.
Ball ballOnStart(const Level& level) {
    Ball ball;
    ball.position = level.start;
    float top = -1e9f;
    for (const SceneObject& object : level.objects) {
        if (object.kind != ObjectKind::Tile) continue;
        const Vec3 half = object.size * 0.5f;
        const Vec3 d = level.start - object.pos;
        if (std::abs(d.x) <= half.x && std::abs(d.z) <= half.z) top = std::max(top, object.pos.y + half.y);
    }
    if (top > -1e9f) ball.position.y = top + ball.radius;
    return ball;
}

struct FrameTimes {
    std::vector<double> total;
    std::vector<double> cpu;
    std::vector<double> shadow;
    std::vector<double> lit;
    std::vector<double> overlays;
    std::vector<double> swap;
};

// What a play frame draws over the scene: the HUD and the sun's glare.
struct Overlays {
    TextRenderer ui;
    LensFlare flare;
    GameProgress progress;
};

double percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, static_cast<size_t>(share * (values.size() - 1) + 0.5));
    return values[index];
}

// One level drawn for `warmup` + `frames` frames. Unfenced, only whole frames
// are timed (swap to swap, as the game runs); fenced, each pass is finished
// before the next starts and timed on its own.
FrameTimes runFrames(GLFWwindow* window, BallRenderer& renderer, Overlays& overlays, Level& level, int warmup,
                     int frames, bool fenced) {
    Ball ball = ballOnStart(level);
    OrbitCamera camera;
    camera.aspect = static_cast<float>(kWidth) / kHeight;
    for (int i = 0; i < 20; ++i) camera.follow(ball.position, 1.0f);
    FrameTimes times;
    float clock = 0.0f;
    Clock::time_point previous = Clock::now();
    double previousCpu = processCpuMilliseconds();
    for (int frame = 0; frame < warmup + frames; ++frame) {
        clock += kDt;
        // Coins spin and bob, tiles move: the scene changes as in play.
        updateObjects(level.objects, kDt, clock, Vec3(1e6f), ball.radius);
        const Clock::time_point start = Clock::now();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDrawBuffer(GL_BACK);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        glViewport(0, 0, kWidth, kHeight);
        glClearColor(level.skyColor.r, level.skyColor.g, level.skyColor.b, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawSceneShadows(renderer, level, ball, true);
        if (fenced) glFinish();
        const Clock::time_point shadowDone = Clock::now();
        drawSceneLit(renderer, level, ball, camera.view(), camera.projection(), kWidth, kHeight);
        renderer.drawSun(camera.view(), camera.projection(), level.sunPos, level.sunObj);
        if (fenced) glFinish();
        const Clock::time_point litDone = Clock::now();
        overlays.ui.drawList(buildPlayHud(overlays.progress, level, kWidth, kHeight));
        overlays.flare.draw(camera.view(), camera.projection(), level.sunPos, level.sunColor, kWidth, kHeight, kDt);
        if (fenced) glFinish();
        const Clock::time_point overlaysDone = Clock::now();
        glfwSwapBuffers(window);
        if (fenced) glFinish();
        glfwPollEvents();
        const Clock::time_point end = Clock::now();
        const double cpu = processCpuMilliseconds();
        if (frame >= warmup) {
            times.cpu.push_back(cpu - previousCpu);
            times.total.push_back(fenced ? millisecondsBetween(start, end) : millisecondsBetween(previous, end));
            times.shadow.push_back(millisecondsBetween(start, shadowDone));
            times.lit.push_back(millisecondsBetween(shadowDone, litDone));
            times.overlays.push_back(millisecondsBetween(litDone, overlaysDone));
            times.swap.push_back(millisecondsBetween(overlaysDone, end));
        }
        previous = end;
        previousCpu = cpu;
    }
    return times;
}

// The last frame resolved from the multisampled back buffer, as a player sees it.
void saveResolvedFrame(const std::string& path) {
    GLuint texture = 0;
    GLuint framebuffer = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kWidth, kHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glBlitFramebuffer(0, 0, kWidth, kHeight, 0, 0, kWidth, kHeight, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    std::vector<unsigned char> rgba(static_cast<size_t>(kWidth) * kHeight * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteTextures(1, &texture);
    const int stride = kWidth * 4;
    stbi_write_png(path.c_str(), kWidth, kHeight, 4, rgba.data() + static_cast<size_t>(kHeight - 1) * stride,
                   -stride);
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = parseOptions(argc, argv);
    GLFWwindow* window = openGameWindow();
    if (!window) {
        std::cerr << "No 1280x720 OpenGL 3.3 core window (is DISPLAY set?)\n";
        return 1;
    }
    std::cout << "OpenGL " << reinterpret_cast<const char*>(glGetString(GL_RENDERER)) << ", "
              << kWidth << "x" << kHeight << ", 4x multisampling, " << options.frames << " frames after "
              << options.warmup << " warm-up frames\n";
    BallRenderer renderer;
    if (!renderer.init(kWidth, kHeight)) return 1;
    Overlays overlays;
    overlays.ui.init(kWidth, kHeight);
    overlays.flare.init();
    std::printf("%-22s %10s %10s %10s | %10s %10s %10s %10s %10s\n", "level", "median ms", "p95 ms", "cpu ms",
                "fenced ms", "shadow %", "lit %", "overlays %", "swap %");
    for (const std::string& name : options.levels) {
        Level level = name == "plains" ? makeLevel1() : LevelHandler::load(name);
        const FrameTimes frames = runFrames(window, renderer, overlays, level, options.warmup, options.frames, false);
        if (!options.pngFolder.empty()) {
            std::filesystem::create_directories(options.pngFolder);
            saveResolvedFrame(options.pngFolder + "/" + std::filesystem::path(name).stem().string() + ".png");
        }
        const FrameTimes parts = runFrames(window, renderer, overlays, level, options.warmup, options.frames, true);
        const double fencedMedian = percentile(parts.total, 0.5);
        auto share = [&](const std::vector<double>& pass) { return 100.0 * percentile(pass, 0.5) / fencedMedian; };
        std::printf("%-22s %10.1f %10.1f %10.1f | %10.1f %10.0f %10.0f %10.0f %10.0f\n", name.c_str(),
                    percentile(frames.total, 0.5), percentile(frames.total, 0.95), percentile(frames.cpu, 0.5),
                    fencedMedian,
                    share(parts.shadow), share(parts.lit), share(parts.overlays), share(parts.swap));
        std::fflush(stdout);
    }
    overlays.flare.release();
    overlays.ui.release();
    releaseSharedTextBuffers();
    renderer.destroy();
    glfwDestroyWindow(window);
    glfwTerminate();
    return 0;
}
