// Frame time of the 3D scene as the game draws it: the game's own 1280 x 720
// window (OpenGL 3.3 core, 4x multisampling, no vertical sync), a level's scene
// draw list built as the play world builds it and drawn by the scene renderer
// (shadow pass, ground, objects, ball), the glare and the sun, the play HUD,
// and the swap. For each level it prints the median and 95th percentile of
// whole frames, then, in a second run fenced with glFinish after each part, how
// the time splits between the scene (shadow and lit passes), the sun with its
// glare, the HUD and the swap (which resolves the multisampled buffer).
//
// Usage: pembrix_frame_bench [--frames N] [--warmup N] [--png FOLDER] [LEVEL...]
// LEVEL is "plains" for the built-in level or a level file; by default The
// Plains and levels/level1..3.plvl, read relative to the working directory
// (run it from the source folder, which holds shaders/, levels/ and models/).
#include "app/Window.h"
#include "game/GameRules.h"
#include "game/OrbitCamera.h"
#include "level/BuiltinLevel.h"
#include "level/LevelHandler.h"
#include "render/BallRenderer.h"
#include "render/FrameState.h"
#include "render/Gl.h"
#include "render/LensFlare.h"
#include "screens/LevelScene.h"
#include "screens/PlayHud.h"
#include "ui/Canvas.h"

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

// The ball resting on the highest tile top under the level's start, as after
// the first physics steps of a level.
Vec3 restingBall(const Level& level) {
    Vec3 position = level.start;
    float top = -1e9f;
    for (const SceneObject& object : level.objects) {
        if (object.kind != ObjectKind::Tile) continue;
        const Vec3 half = object.size * 0.5f;
        const Vec3 d = level.start - object.pos;
        if (std::abs(d.x) <= half.x && std::abs(d.z) <= half.z) top = std::max(top, object.pos.y + half.y);
    }
    if (top > -1e9f) position.y = top + 0.5f;
    return position;
}

struct FrameTimes {
    std::vector<double> total;
    std::vector<double> cpu;
    std::vector<double> scene;
    std::vector<double> sun;
    std::vector<double> hud;
    std::vector<double> swap;
};

// Everything a play frame draws with, made once for the whole run.
struct Drawers {
    ModelLibrary library;
    BallRenderer renderer;
    LensFlare flare;
    Canvas canvas;
};

double percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, static_cast<size_t>(share * (values.size() - 1) + 0.5));
    return values[index];
}

// One level drawn for `warmup` + `frames` frames. Unfenced, only whole frames
// are timed (swap to swap, as the game runs); fenced, each part is finished
// before the next starts and timed on its own.
FrameTimes runFrames(Window& window, Drawers& drawers, const Level& level, int warmup, int frames, bool fenced) {
    Attempt attempt = startAttempt(level, {}, kStartingLives, {});  // the HUD's figures
    const LevelModels models = resolveLevelModels(level, drawers.library);
    LevelRun run = startRun(level);
    BallPose ball;
    ball.position = restingBall(level);
    OrbitCamera camera;
    camera.aspect = static_cast<float>(kWidth) / kHeight;
    camera.follow(ball.position, 1.0f);
    const SceneView view{camera.view(), camera.projection(), kWidth, kHeight};
    FrameTimes times;
    float clock = 0.0f;
    Clock::time_point previous = Clock::now();
    double previousCpu = processCpuMilliseconds();
    for (int frame = 0; frame < warmup + frames; ++frame) {
        clock += kStepSeconds;
        // Coins spin and bob, tiles move: the scene changes as in play.
        animateObjects(level, run, kStepSeconds, clock, Vec3(1e6f), ball.radius);
        const Clock::time_point start = Clock::now();
        PlayMarks marks;
        marks.seconds = clock;
        const SceneDrawList scene = buildLevelScene(level, run, models, objectPoses(level, run), ball,
                                                    sunPosition(level, level.levelTime), marks, drawers.library);
        beginFrame({kWidth, kHeight, level.skyColor, false, true});
        drawers.renderer.drawScene(scene, view, drawers.library, SceneOptions{});
        if (fenced) glFinish();
        const Clock::time_point sceneDone = Clock::now();
        drawers.flare.draw(view.view, view.projection, scene.sunPosition, scene.light.sunColor, kWidth, kHeight,
                           kStepSeconds);
        drawers.renderer.drawSun(scene, view, drawers.library);
        if (fenced) glFinish();
        const Clock::time_point sunDone = Clock::now();
        fillPolygons();
        drawers.canvas.draw(buildPlayHud(attempt, kWidth, kHeight));
        if (fenced) glFinish();
        const Clock::time_point hudDone = Clock::now();
        window.swapBuffers();
        if (fenced) glFinish();
        window.pollEvents();
        const Clock::time_point end = Clock::now();
        const double cpu = processCpuMilliseconds();
        if (frame >= warmup) {
            times.cpu.push_back(cpu - previousCpu);
            times.total.push_back(fenced ? millisecondsBetween(start, end) : millisecondsBetween(previous, end));
            times.scene.push_back(millisecondsBetween(start, sceneDone));
            times.sun.push_back(millisecondsBetween(sceneDone, sunDone));
            times.hud.push_back(millisecondsBetween(sunDone, hudDone));
            times.swap.push_back(millisecondsBetween(hudDone, end));
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
    Config config;
    config.screenWidth = kWidth;
    config.screenHeight = kHeight;
    Input input;
    Window window;
    if (!window.open(config, input)) {
        std::cerr << "No 1280x720 OpenGL 3.3 core window (is DISPLAY set?)\n";
        return 1;
    }
    prepareContext();
    std::cout << "OpenGL " << glVersionText() << ", " << kWidth << "x" << kHeight << ", 4x multisampling, "
              << options.frames << " frames after " << options.warmup << " warm-up frames\n";
    {
        // Every GL owner ends in this scope, before the window and its context.
        Drawers drawers;
        if (!drawers.renderer.init() || !drawers.flare.init()) return 1;
        drawers.canvas.init(kWidth, kHeight);
        std::printf("%-22s %10s %10s %10s | %10s %10s %10s %10s %10s\n", "level", "median ms", "p95 ms", "cpu ms",
                    "fenced ms", "scene %", "sun %", "hud %", "swap %");
        for (const std::string& name : options.levels) {
            const Level level = name == "plains" ? makeLevel1() : LevelHandler::load(name);
            const FrameTimes frames = runFrames(window, drawers, level, options.warmup, options.frames, false);
            if (!options.pngFolder.empty()) {
                std::filesystem::create_directories(options.pngFolder);
                saveResolvedFrame(options.pngFolder + "/" + std::filesystem::path(name).stem().string() + ".png");
            }
            const FrameTimes parts = runFrames(window, drawers, level, options.warmup, options.frames, true);
            const double fencedMedian = percentile(parts.total, 0.5);
            auto share = [&](const std::vector<double>& part) { return 100.0 * percentile(part, 0.5) / fencedMedian; };
            std::printf("%-22s %10.1f %10.1f %10.1f | %10.1f %10.0f %10.0f %10.0f %10.0f\n", name.c_str(),
                        percentile(frames.total, 0.5), percentile(frames.total, 0.95), percentile(frames.cpu, 0.5),
                        fencedMedian, share(parts.scene), share(parts.sun), share(parts.hud), share(parts.swap));
            std::fflush(stdout);
        }
    }
    return 0;
}
