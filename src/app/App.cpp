// Start-up, frame loop and shutdown of the game.
#include "app/App.h"

#include "app/Ball.h"
#include "app/DebugCam.h"
#include "app/FrameTiming.h"
#include "app/GameFolders.h"
#include "app/GameProgress.h"
#include "app/GameRules.h"
#include "app/GameState.h"
#include "app/Input.h"
#include "app/LogRedirect.h"
#include "app/OrbitCamera.h"
#include "app/PlayFrame.h"
#include "app/PlayScreens.h"
#include "app/SceneFrame.h"
#include "config/Config.h"
#include "level/LevelHandler.h"
#include "physics/PhysicsWorld.h"
#include "render/BallRenderer.h"
#include "render/Gl.h"
#include "render/LensFlare.h"
#include "base/Math.h"
#include "render/ModelCache.h"
#include "render/ParticleSystem.h"
#include "render/ProceduralTexture.h"
#include "ui/TextRenderer.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int kParticleCapacity = 2048;
const char* const kLevelFiles[kLevelCount] = {"levels/level1.plvl", "levels/level2.plvl", "levels/level3.plvl"};

// Display toggles flipped by their bindings; shadows, physics and the sun
// effects have no switch.
struct DisplaySwitches {
    bool showFPS = false;
    bool wireframe = false;
    bool backfaceCulling = true;
    bool normalMapping = true;
    bool debugCamActive = false;
};

struct CameraMatrices {
    Mat4 view{1.0f};
    Mat4 projection{1.0f};
};

// Every long-lived object of the run, in order of construction.
struct App {
    Config config;
    std::string configPath;  // from findGameFolders()
    GLFWwindow* window = nullptr;
    int displayWidth = 0;
    int displayHeight = 0;
    TextRenderer ui;
    Input input;
    BallRenderer renderer;
    LensFlare flare;
    ParticleSystem particles;
    Ball ball;
    OrbitCamera orbitCamera;
    DebugCam debugCam;
    OrbitDrag orbitDrag;
    PhysicsWorld physics{resolveModel};
    std::vector<Level> levels;
    GameProgress progress;
    GameState state = GameState::MainMenu;
    DisplaySwitches switches;
    double previousTime = 0.0;
    double previousFrameStart = 0.0;
    float dt = 0.0f;
    float elapsedTime = 0.0f;
    FpsCounter fps;

    PlaySession session() { return {progress, levels, ball, orbitCamera, physics, particles, state}; }
    Level& currentLevel() { return levels[progress.levelIndex]; }
};

void framebufferSizeChanged(GLFWwindow* window, int width, int height) {
    App* app = static_cast<App*>(glfwGetWindowUserPointer(window));
    if (!app) return;
    app->displayWidth = width;
    app->displayHeight = height;
    glViewport(0, 0, width, height);
}

bool openWindow(App& app) {
    if (!isUsableWindowSize(app.displayWidth, app.displayHeight)) {
        const Config defaults;
        std::cerr << "[Config] A " << app.displayWidth << "x" << app.displayHeight << " window cannot be opened; using "
                  << defaults.screenWidth << "x" << defaults.screenHeight << ".\n";
        app.config.screenWidth = app.displayWidth = defaults.screenWidth;
        app.config.screenHeight = app.displayHeight = defaults.screenHeight;
    }
    GLFWmonitor* monitor = app.config.fullscreen ? glfwGetPrimaryMonitor() : nullptr;
    app.window = glfwCreateWindow(app.displayWidth, app.displayHeight, "Pembrix Adventure", monitor, nullptr);
    if (!app.window) {
        std::cerr << "[App] Cannot create a " << app.displayWidth << "x" << app.displayHeight
                  << " window with an OpenGL 3.3 core context.\n";
        return false;
    }
    glfwMakeContextCurrent(app.window);
    glfwSwapInterval(0);
    glfwGetWindowSize(app.window, &app.displayWidth, &app.displayHeight);
    glfwSetWindowUserPointer(app.window, &app);
    glfwSetFramebufferSizeCallback(app.window, framebufferSizeChanged);
    return true;
}

CameraMatrices activeCamera(const App& app) {
    if (app.switches.debugCamActive) return {app.debugCam.view(), app.debugCam.projection()};
    return {app.orbitCamera.view(), app.orbitCamera.projection()};
}

void flipSwitches(App& app) {
    const Config& keys = app.config;
    DisplaySwitches& s = app.switches;
    if (app.input.wasPressed(keys.keyShowFPS)) s.showFPS = !s.showFPS;
    if (app.input.wasPressed(keys.keyWireframe)) s.wireframe = !s.wireframe;
    if (app.input.wasPressed(keys.keyBackCulling)) s.backfaceCulling = !s.backfaceCulling;
    if (app.input.wasPressed(keys.keyNormalMap)) s.normalMapping = !s.normalMapping;
    if (app.input.wasPressed(GLFW_KEY_ESCAPE)) glfwSetWindowShouldClose(app.window, 1);
    if (app.input.wasPressed(keys.keyDebugCam)) {
        toggleDebugCam(s.debugCamActive, app.debugCam, app.orbitCamera, app.displayWidth, app.displayHeight);
    }
}

void prepareFrameState(App& app) {
    glPolygonMode(GL_FRONT_AND_BACK, app.switches.wireframe ? GL_LINE : GL_FILL);
    if (app.switches.backfaceCulling) {
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
    } else {
        glDisable(GL_CULL_FACE);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDrawBuffer(GL_BACK);
    glViewport(0, 0, app.displayWidth, app.displayHeight);
    const Vec3 sky = app.currentLevel().skyColor;
    glClearColor(sky.r, sky.g, sky.b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// Shadow pass, ground, objects and ball of the current level.
void drawScene(App& app, const CameraMatrices& camera) {
    drawLevelScene(app.renderer, app.currentLevel(), app.ball, camera.view, camera.projection,
                   app.switches.normalMapping, app.displayWidth, app.displayHeight);
}

void playFrame(App& app) {
    PlayPointer pointer;
    glfwGetCursorPos(app.window, &pointer.x, &pointer.y);
    pointer.rightDown = glfwGetMouseButton(app.window, GLFW_MOUSE_BUTTON_RIGHT) == GLFW_PRESS;
    PlaySession session = app.session();
    updatePlayFrame(session, app.orbitDrag, app.input, app.config, pointer, app.dt, app.elapsedTime,
                    app.switches.debugCamActive, app.displayWidth, app.displayHeight);

    const CameraMatrices camera = activeCamera(app);
    drawScene(app, camera);
    app.particles.update(app.dt);
    const Mat4& v = camera.view;
    app.particles.draw(v, camera.projection, Vec3(v[0][0], v[1][0], v[2][0]), Vec3(v[0][1], v[1][1], v[2][1]));
    app.ui.drawList(buildPlayHud(app.progress, app.currentLevel(), static_cast<float>(app.ui.width),
                                 static_cast<float>(app.ui.height)));
    if (app.input.wasPressed(GLFW_KEY_M)) app.state = GameState::MainMenu;
}

void applySettings(App& app) {
    const Config& config = app.config;
    // The settings still apply to this run; the player should know they will not last.
    makeFolderFor(app.configPath);
    if (!saveConfig(config, app.configPath)) {
        std::cerr << "[Config] Cannot write " << app.configPath
                  << "; the new settings last only until the game closes.\n";
    }
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (config.fullscreen && monitor) {
        glfwSetWindowMonitor(app.window, monitor, 0, 0, config.screenWidth, config.screenHeight,
                             mode ? mode->refreshRate : GLFW_DONT_CARE);
    } else {
        glfwSetWindowMonitor(app.window, nullptr, 80, 80, config.screenWidth, config.screenHeight, 0);
    }
    app.displayWidth = config.screenWidth;
    app.displayHeight = config.screenHeight;
}

void mainMenuFrame(App& app) {
    bool play = false;
    bool quit = false;
    bool settings = false;
    app.ui.drawMainMenu(play, quit, settings);
    if (play || app.input.wasPressed(GLFW_KEY_ENTER)) {
        PlaySession session = app.session();
        startNewGame(session);
        app.state = GameState::Playing;
    }
    if (quit || app.input.wasPressed(GLFW_KEY_ESCAPE)) glfwSetWindowShouldClose(app.window, 1);
    if (settings) {
        app.ui.openSettings(app.config);
        app.state = GameState::Settings;
    }
}

void settingsFrame(App& app) {
    bool apply = false;
    bool back = false;
    app.ui.drawSettings(app.config, apply, back);
    if (back) app.state = GameState::MainMenu;
    if (apply) {
        applySettings(app);
        app.state = GameState::MainMenu;
    }
}

void endScreenFrame(App& app) {
    drawScene(app, activeCamera(app));
    const float w = static_cast<float>(app.ui.width);
    const float h = static_cast<float>(app.ui.height);
    PlaySession session = app.session();
    const bool space = app.input.wasPressed(GLFW_KEY_SPACE);
    const bool menu = app.input.wasPressed(GLFW_KEY_M);
    if (app.state == GameState::LevelComplete) {
        app.ui.drawList(buildLevelCompleteScreen(app.currentLevel(), w, h));
        updateLevelComplete(session, app.dt, space, menu);
    } else {
        app.ui.drawList(buildGameOverScreen(app.progress, w, h));
        updateGameOver(session, space, menu);
    }
}

void handleState(App& app) {
    switch (app.state) {
        case GameState::MainMenu: mainMenuFrame(app); break;
        case GameState::Settings: settingsFrame(app); break;
        case GameState::Playing: playFrame(app); break;
        case GameState::LevelComplete:
        case GameState::GameOver: endScreenFrame(app); break;
    }
}

// The sun and its glare over a play frame, then the overlays of every frame.
void drawOverlays(App& app) {
    const bool playing = app.state == GameState::Playing;
    if (playing) {
        const CameraMatrices camera = activeCamera(app);
        const Level& level = app.currentLevel();
        app.flare.draw(camera.view, camera.projection, app.progress.sunCurrent, level.sunColor, app.displayWidth,
                       app.displayHeight, app.dt);
        app.renderer.drawSun(camera.view, camera.projection, app.progress.sunCurrent, level.sunObj);
    }
    if (app.switches.showFPS) app.ui.drawFPS(app.fps.rate);
    if (playing) app.ui.drawPowerups(app.progress.activePowerups);
    if (app.switches.debugCamActive) app.ui.drawDebugCamBanner();
}

void runFrame(App& app) {
    app.previousFrameStart = waitForFrameStart(glfwGetTime, app.previousFrameStart, app.config.fpsCap);
    const double now = glfwGetTime();
    app.dt = frameDt(now, app.previousTime);
    app.elapsedTime += app.dt;

    glfwPollEvents();
    app.input.update();
    countFrame(app.fps, app.dt);
    flipSwitches(app);
    if (app.switches.debugCamActive) {
        app.debugCam.aspect = displayAspect(app.displayWidth, app.displayHeight, app.debugCam.aspect);
        app.debugCam.update(app.window, app.input, app.config, app.dt);
    }

    prepareFrameState(app);
    handleState(app);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    drawOverlays(app);

    app.previousTime = now;
    glfwSwapBuffers(app.window);
}

void startSubsystems(App& app) {
    glEnable(GL_MULTISAMPLE);
    std::cout << "OpenGL " << reinterpret_cast<const char*>(glGetString(GL_VERSION)) << "\n";
    app.ui.init(app.displayWidth, app.displayHeight);
    app.input.initialise(app.window);
    app.renderer.init(app.displayWidth, app.displayHeight);
    app.flare.init();
    app.particles.init(kParticleCapacity);
    for (const char* path : kLevelFiles) app.levels.push_back(LevelHandler::load(path));
    app.state = GameState::MainMenu;
    app.previousTime = glfwGetTime();
    app.previousFrameStart = app.previousTime;
}

// Every GL object goes while its context is still current.
void releaseGpuObjects(App& app) {
    app.renderer.destroy();
    app.particles.release();
    app.flare.release();
    app.ui.release();
    releaseSharedTextBuffers();
    unloadGl();
}

int startAndRun(App& app) {
    // The texture pixels need no window: they build while it opens.
    ProceduralTexture::startBuildingStartupPixels();
    if (!glfwInit()) {
        std::cerr << "[App] glfwInit failed: no display to open a window on.\n";
        return 1;
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_SAMPLES, 4);

    loadConfig(app.config, app.configPath);
    app.displayWidth = app.config.screenWidth;
    app.displayHeight = app.config.screenHeight;
    if (!openWindow(app)) {
        glfwTerminate();
        return 1;
    }
    std::string missing;
    if (!loadGl(missing)) {
        std::cerr << "[App] OpenGL 3.3 entry point missing: " << missing << "\n";
        glfwDestroyWindow(app.window);
        glfwTerminate();
        return 1;
    }
    startSubsystems(app);

    while (!glfwWindowShouldClose(app.window)) runFrame(app);

    releaseGpuObjects(app);
    glfwDestroyWindow(app.window);
    app.physics.shutdown();
    glfwTerminate();
    return 0;
}

}  // namespace

int runGame() {
    const GameFolders folders = findGameFolders();  // before the log: it says where log.txt goes
    LogRedirect log(folders.logPath);
    enterDataFolder(folders);  // after the log opens, so what it reports reaches log.txt
    App app;
    app.configPath = folders.configPath;
    return startAndRun(app);
}
